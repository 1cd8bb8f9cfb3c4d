#include "Fakes.h"

#include <gtest/gtest.h>

namespace brixolan::test {
namespace {

constexpr int KeyUp = 38;

// Level 19: stones do not fall by themselves, so only the keys and lower() move them.
struct TurnFixture : GameFixture {
    TurnFixture(int kind, int rowsDown) {
        start(kind, "", 19);
        ticks(1);
        lower(rowsDown);
    }
    /// Holds the turn key for one tick once the turn delay is over; true when it turned.
    bool turn() {
        s.DrehDelay = 3;
        const auto before = s.Drehung;
        game.keyDown(KeyUp);
        ticks(1);
        game.keyUp(KeyUp);
        return s.Drehung != before;
    }
    void slide(int key) {
        game.keyDown(key);
        ticks(WellColumns);
        game.keyUp(key);
    }
};

TEST(Turning, fourTurnsBringEveryStoneBackAndTheTeeTakesItsFourShapes) {
    for (int kind = 0; kind < KindCount; ++kind) {
        TurnFixture f(kind, 8);
        const auto y = f.s.SteinY;
        const auto x = f.s.SteinX;
        for (int n = 1; n <= 4; ++n) {
            ASSERT_TRUE(f.turn()) << kind;
            EXPECT_EQ(f.s.Drehung, n % 4);
        }
        EXPECT_EQ(f.s.SteinY, y);
        EXPECT_EQ(f.s.SteinX, x);
    }
    TurnFixture tee(4, 3);
    ASSERT_TRUE(tee.turn());
    EXPECT_EQ(tee.game.wellText(), wellAt(2, {".....*....", "....**....", ".....*...."}));
    ASSERT_TRUE(tee.turn());
    EXPECT_EQ(tee.game.wellText(), wellAt(2, {".....*....", "....***..."}));
    ASSERT_TRUE(tee.turn());
    EXPECT_EQ(tee.game.wellText(), wellAt(2, {".....*....", ".....**...", ".....*...."}));
}

// Per stone, left wall then right wall, for rotations 0..3: 'y' when it may turn there.
TEST(Turning, atTheWallsATurnThatWouldLeaveTheWellIsRefusedNotShifted) {
    const char* const expected[KindCount][2] = {
        {"yyyy", "yyyy"}, {"ynyn", "ynyn"}, {"ynyy", "yyyn"}, {"ynyy", "yyyn"},
        {"yyyn", "ynyy"}, {"ynyn", "yyyy"}, {"ynyn", "yyyy"},
    };
    for (int kind = 0; kind < KindCount; ++kind) {
        for (int side = 0; side < 2; ++side) {
            std::string pattern;
            for (int rotation = 0; rotation < 4; ++rotation) {
                TurnFixture f(kind, 8);
                for (int n = 0; n < rotation; ++n) {
                    ASSERT_TRUE(f.turn());
                }
                f.slide(side == 0 ? 37 : 39);
                const auto x = f.s.SteinX;
                const bool turned = f.turn();
                pattern += turned ? 'y' : 'n';
                EXPECT_TRUE(turned || f.s.SteinX == x);
            }
            EXPECT_EQ(pattern, expected[kind][side]) << "kind " << kind << " side " << side;
        }
    }
}

TEST(Turning, aBarInTheTopRowsCannotTurnUntilItsPivotIsInRowTwo) {
    TurnFixture f(1, 1);
    EXPECT_FALSE(f.turn());
    f.lower(1);
    EXPECT_TRUE(f.turn());
}

TEST(Turning, oneOccupiedTargetCellRefusesTheTurnWhichIsRetriedEveryTick) {
    TurnFixture f(2, 5); // its turn moves cell 2 from (5, 6) to (4, 5)
    f.s.Spielfeld[4][5] = 13;
    const std::string before = f.game.wellText();
    f.s.DrehDelay = 3;
    f.game.keyDown(KeyUp);
    f.ticks(1);
    EXPECT_EQ(f.game.wellText(), before);
    EXPECT_EQ(f.s.Drehung, 0);
    EXPECT_EQ(f.s.DrehDelay, 4);
    f.s.Spielfeld[4][5] = 0;
    f.ticks(4); // turns at once, then again only in the third tick after
    EXPECT_EQ(f.s.Drehung, 2);
}

} // namespace
} // namespace brixolan::test

// SPDX-License-Identifier: GPL-3.0-or-later
// What the rule scripts cannot say compactly: whole tables over every stone, the level's
// limit, and the generator's statistics.
#include "Game.h"
#include "MixingRandom.h"
#include "ScriptedRandom.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace brixolan {
namespace {

// A stone of `kind` at level 19 (it never falls by itself), moved down `rows` by hand.
struct Play {
    NullGameView view;
    MixingRandom random;
    fakes::FixedClock clock;
    Game game{view, random, clock};
    const GameState& s = game.state();

    Play(int kind, int rows) {
        game.setNextKind(kind);
        game.acceptNewGame(19, 0, 0);
        game.activate();
        game.tick();
        hold(keys::Down, rows);
    }
    void hold(int key, int ticks) {
        game.keyDown(key);
        for (int n = 0; n < ticks; ++n)
            game.tick();
        game.keyUp(key);
    }
    bool turn() {
        hold(0, 2); // the turn delay of the last turn runs out
        const auto before = s.Drehung;
        hold(keys::Up, 1);
        return s.Drehung != before;
    }
};

// Per stone, at the left and at the right wall, after 0 to 4 turns: 'y' when it may turn
// there. A refused turn is not shifted away from the wall. Four turns bring every stone back to
// the well it entered, so the answer after four turns is the answer after none.
TEST(Turning, fourTurnsBringEveryStoneBackAndAtTheWallsATurnThatWouldLeaveTheWellIsRefused) {
    const char* const expected[KindCount][2] = {
        {"yyyyy", "yyyyy"}, {"ynyny", "ynyny"}, {"ynyyy", "yyyny"}, {"ynyyy", "yyyny"},
        {"yyyny", "ynyyy"}, {"ynyny", "yyyyy"}, {"ynyny", "yyyyy"},
    };
    for (int kind = 0; kind < KindCount; ++kind) {
        const std::string entered = Play(kind, 8).game.wellText();
        for (int side = 0; side < 2; ++side) {
            std::string pattern;
            for (int turns = 0; turns <= 4; ++turns) {
                Play play(kind, 8);
                for (int n = 0; n < turns; ++n)
                    ASSERT_TRUE(play.turn());
                EXPECT_TRUE(turns < 4 || play.game.wellText() == entered) << kind;
                play.hold(side == 0 ? keys::Left : keys::Right, WellColumns);
                const auto columns = play.s.SteinX;
                const bool turned = play.turn();
                pattern += turned ? 'y' : 'n';
                EXPECT_TRUE(turned || play.s.SteinX == columns);
            }
            EXPECT_EQ(pattern, expected[kind][side]) << "kind " << kind << " side " << side;
        }
    }
}

// Only the lines matter for the level, never above 19, whatever the count.
TEST(Falling, theLevelStopsAt19) {
    Play play(0, 0);
    std::string fullRows; // all but the entry rows
    for (int row = 0; row < WellRows; ++row)
        fullRows += std::string(WellColumns, row < 2 ? '.' : 'B') + '\n';
    // The well reads back as it was loaded; the falling stone's '*' cells read as empty.
    for (int n = 0; n < 12; ++n, play.game.tick())
        ASSERT_TRUE(play.game.loadWell(fullRows) && play.game.loadWell(play.game.wellText(true)) &&
                    play.game.wellText(false) == fullRows);
    play.hold(keys::Space, 12);
    EXPECT_EQ(play.s.Level, 19);
    EXPECT_EQ(play.s.Lines, 12 * 18);
}

// The game re-seeds with the time of day before every draw, mostly with the same second.
TEST(MixingRandom, reseedingWithTheSameSecondKeepsDrawsDistinctAndKindsEven) {
    MixingRandom random(42);
    constexpr int Draws = 70000;
    std::array<int, KindCount> counts{};
    std::set<double> seen;
    for (int n = 0; n < Draws; ++n) {
        random.reseed(30000);
        const double r = random.next();
        ASSERT_TRUE(r >= 0.0 && r < 1.0);
        seen.insert(r);
        ++counts[static_cast<std::size_t>(r * KindCount)];
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(Draws));
    for (const int count : counts)
        EXPECT_NEAR(count, Draws / KindCount, Draws / 70);
}

} // namespace
} // namespace brixolan

#include "Fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace brixolan::test {
namespace {

constexpr const char* Full = "DDDDDDDDDD";

// The first tick of a game over a prepared well: row clearing, then the hand-over.
struct RowsFixture : GameFixture {
    RowsFixture(const std::string& wellText, int level, int lines, std::int64_t points = 0) {
        game.acceptNewGame(level, 0, points);
        game.activate();
        game.setWellText(wellText);
        s.Lines = lines;
        view.take();
        ticks(1);
    }
};

std::string fullRowsAtTheBottom(int count) {
    std::string text = wellAt(0, {});
    for (int r = 0; r < count; ++r) {
        text.replace(static_cast<std::size_t>((WellRows - 1 - r) * 11), 10, Full);
    }
    return text;
}

TEST(RowClearing, fullRowsGoTopFirstAndOnlyRowsAboveEachMoveDown) {
    RowsFixture f(wellAt(15, {"A.........", Full, ".C........", Full, "EEEE.EEEEE"}), 0, 0);
    EXPECT_EQ(f.well(), wellAt(17, {"A.........", ".C........", "EEEE.EEEEE"}));
    EXPECT_EQ(f.s.Lines, 2);
    EXPECT_EQ(f.s.Punkte, 300);
}

TEST(RowClearing, pointsAreTheBaseValueTimesLevelPlusOne) {
    const std::array<std::array<std::int64_t, 3>, 5> cases{
        {{1, 0, 120}, {2, 0, 300}, {3, 2, 2100}, {4, 0, 2000}, {4, 9, 20000}}};
    for (const auto& [rows, level, points] : cases) {
        RowsFixture f(fullRowsAtTheBottom(static_cast<int>(rows)), static_cast<int>(level), 0);
        EXPECT_EQ(f.s.Punkte, points) << rows << " rows at level " << level;
        EXPECT_EQ(f.s.Lines, rows);
        EXPECT_EQ(f.well(), wellAt(0, {}));
    }
}

TEST(RowClearing, moreThanFourFullPreFilledRowsAreAllRemovedAndScoredAsFour) {
    GameFixture f;
    for (int n = 0; n < 60; ++n) {
        f.random.values.insert(f.random.values.end(), {0.5, 0.0}); // occupied, code 1
    }
    f.game.acceptNewGame(1, 3, 4500);
    f.game.activate();
    constexpr const char* A = "AAAAAAAAAA";
    EXPECT_EQ(f.well(), wellAt(14, {A, A, A, A, A, A}));
    f.ticks(1);
    EXPECT_EQ(f.well(), wellAt(0, {}));
    EXPECT_EQ(f.s.Lines, 6);
    EXPECT_EQ(f.s.Punkte, 4500 + 2 * 2000);
}

TEST(LevelAdvance, tenLinesPerLevelOverTheWholeGameUpTo19) {
    const std::array<std::array<int, 4>, 5> cases{
        {{0, 9, 2, 1}, {3, 39, 1, 4}, {5, 10, 1, 5}, {0, 25, 1, 1}, {19, 500, 1, 19}}};
    for (const auto& [level, lines, rows, levelAfter] : cases) {
        RowsFixture f(fullRowsAtTheBottom(rows), level, lines);
        EXPECT_EQ(f.s.Level, levelAfter) << level << "/" << lines;
        const auto drawn = std::count(f.view.calls.begin(), f.view.calls.end(),
                                      "number Level '" + std::to_string(levelAfter) + "' 2");
        EXPECT_EQ(drawn, lines + rows >= level * 10 + 10 ? 1 : 0); // redrawn at 19 as well
    }
    RowsFixture f(fullRowsAtTheBottom(1), 0, 9);
    EXPECT_EQ(f.s.Punkte, 120); // scored at the level before the advance
}

TEST(Score, saturatesInsteadOfOverflowing) {
    RowsFixture f(fullRowsAtTheBottom(1), 0, 0, std::numeric_limits<std::int64_t>::max() - 5);
    EXPECT_EQ(f.s.Punkte, std::numeric_limits<std::int64_t>::max());
}

} // namespace
} // namespace brixolan::test

#include "Fakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace brixolan::test {
namespace {

constexpr int KeySpace = 32;
constexpr int KeyRight = 39;
constexpr int KeyLeft = 37;
constexpr int KeyDown = 40;

TEST(Keys, codesUpTo255AreRecordedAndOthersIgnored) {
    GameFixture f;
    for (const int code : {255, 256, -1, 0}) {
        f.game.keyDown(code);
    }
    EXPECT_EQ(f.s.Tasten[255] + f.s.Tasten[0], 2);
    EXPECT_EQ(std::count(f.s.Tasten.begin(), f.s.Tasten.end(), 1), 2);
    f.game.keyUp(255);
    EXPECT_EQ(f.s.Tasten[255], 0);
}

TEST(Falling, thresholdFollowsTheLevelAndLevel19FallsOnlyByTheDownArrow) {
    GameFixture f;
    const std::pair<int, int> table[] = {{0, 10}, {1, 9}, {2, 9}, {10, 5}, {18, 1}, {19, 0}};
    for (const auto& [level, threshold] : table) {
        f.s.Level = level;
        EXPECT_EQ(f.game.fallThreshold(), threshold) << level;
    }
    f.start(1, "", 19);
    f.ticks(200);
    EXPECT_EQ(f.s.SteinY[0], 0);
    f.game.keyDown(KeyDown);
    f.ticks(3);
    EXPECT_EQ(f.s.SteinY[0], 3);
    EXPECT_EQ(f.s.SteinPunkte, 12); // a point per cell and row
}

TEST(Falling, stoneFallsEveryThresholdTicksAndAlsoWhenPastTheThreshold) {
    GameFixture f;
    f.start(1, "", 7); // threshold 6; i counts from the first tick, in which the stone entered
    f.ticks(5);
    EXPECT_EQ(f.s.SteinY[0], 0);
    f.ticks(1);
    EXPECT_EQ(f.s.SteinY[0], 1);
    f.ticks(6);
    EXPECT_EQ(f.s.SteinY[0], 2);
    f.s.i = 25; // as a drop onto the stack can leave it after a level advance
    f.ticks(1);
    EXPECT_EQ(f.s.SteinY[0], 3);
}

TEST(SideMoves, bothArrowsCancelAndWallsOrOccupiedCellsStopTheStone) {
    GameFixture f;
    f.start(1, "", 19);
    f.ticks(1);
    f.game.keyDown(KeyRight);
    f.game.keyDown(KeyLeft);
    f.ticks(1);
    EXPECT_EQ(f.s.SteinX[0], 4);
    f.game.keyUp(KeyLeft);
    f.ticks(5);
    EXPECT_EQ(f.s.SteinX[3], 9);
    f.game.keyUp(KeyRight);
    f.s.Spielfeld[2][4] = 1;
    f.lower(2);
    f.game.keyDown(KeyLeft);
    f.ticks(5);
    EXPECT_EQ(f.s.SteinX[0], 5);
}

TEST(HardDrop, scoresTenPerPassFromTheTopAndTenOnTheStack) {
    GameFixture f;
    f.start(1, "1");
    f.ticks(1);
    f.readyToDrop();
    f.game.keyDown(KeySpace);
    f.ticks(1);
    EXPECT_EQ(f.s.Punkte, 200); // twenty passes down to row 19
    f.lower(18);
    f.readyToDrop();
    f.ticks(1);
    EXPECT_EQ(f.s.Punkte, 210);
    EXPECT_EQ(f.well(), wellAt(18, {"....CCCC..", "....CCCC.."}));
}

// A one-pass drop keeps i and leaves three cells a row below the written ones: no later step
// of the tick may write the stone again, whether Down is held or i is at the threshold.
TEST(HardDrop, writesTheStoneExactlyOnce) {
    for (const bool atThreshold : {false, true}) {
        GameFixture f;
        f.start(1, "1");
        f.ticks(1);
        f.lower(10);
        f.s.Spielfeld[11][7] = 1;
        f.game.keyDown(atThreshold ? KeyRight : KeyDown);
        f.s.i = atThreshold ? 9 : 0;
        f.readyToDrop();
        f.game.keyDown(KeySpace);
        f.ticks(1);
        EXPECT_EQ(f.well(), wellAt(10, {"....CCCC..", ".......A.."}));
        EXPECT_EQ(f.s.Punkte, 10);
    }
}

TEST(FirstTick, theStoneLeftFromTheLastGameIsNeitherMovedNorScoredNorWritten) {
    GameFixture f;
    f.start(1, "0000");
    f.ticks(1);
    f.lower(17);
    f.s.i = 9;
    f.game.startItemClicked(); // abort
    f.game.quickStart();
    for (const int key : {KeySpace, KeyDown, KeyRight}) {
        f.game.keyDown(key);
    }
    f.readyToDrop();
    f.ticks(1);
    EXPECT_EQ(f.s.Punkte, 0);
    EXPECT_EQ(f.game.wellText(), wellAt(0, {".....**...", ".....**..."}));
}

TEST(Landing, aStoneSinksOutOfTheEntryRowsEvenOntoAnOccupiedCell) {
    GameFixture f;
    f.start(2, "0", 19); // (0,4) (0,5) (0,6) (1,4)
    f.ticks(1);
    f.s.Spielfeld[2][4] = 2;
    f.game.keyDown(KeyDown);
    f.ticks(1);
    EXPECT_EQ(f.s.SteinY, (std::array<std::int32_t, 4>{1, 1, 1, 2}));
    f.s.Spielfeld[3][4] = 2;
    f.ticks(1);
    EXPECT_EQ(f.s.Spielfeld[2][4], 1); // rests over the cell it sank onto, in the entry area
    EXPECT_TRUE(f.s.GameOver);
}

} // namespace
} // namespace brixolan::test

#include "Fakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace brixolan::test {
namespace {

using Calls = std::vector<std::string>;

constexpr int KeyDown = 40;

TEST(GameStart, activationWithSpielSetsUpTheGameAndWithoutItOnlyReseeds) {
    GameFixture f;
    f.game.activate();
    EXPECT_TRUE(f.view.calls.empty());
    f.random.values = {0.9, 0.9, 0.5, 0.2}; // row 19 starts with codes 16 and 2
    f.game.acceptNewGame(5, 1, 1500);
    f.game.activate();
    EXPECT_EQ(f.view.take(),
              (Calls{"caption Spiel abbrechen", "options off", "fillWellBlack",
                     "number Level '5' 2", "number Lines '' 3", "number High '1' 1", "timer on"}));
    EXPECT_EQ(f.well(), wellAt(19, {"FB........"}));
    EXPECT_EQ(f.s.Punkte, 1500);
    EXPECT_EQ(f.random.reseeds, (std::vector<std::int32_t>{4711, 4711}));
}

TEST(GameStart, quickStartRepeatsTheLastDialogChoice) {
    GameFixture f;
    f.game.quickStart(); // before any dialog start: level 0, height 0, no points
    EXPECT_EQ(f.view.calls.front(), "quick off");
    EXPECT_EQ(f.view.calls[6], "number High '0' 1");
    f.game.acceptNewGame(5, 3, 0);
    f.s.Level = 7; // advanced by play
    f.s.i = 4;
    for (int n = 0; n < 60; ++n) {
        f.random.values.insert(f.random.values.end(), {0.5, 0.0});
    }
    f.game.quickStart();
    EXPECT_EQ(f.s.Level, 5);
    EXPECT_EQ(f.s.Punkte, 4500);
    EXPECT_EQ(f.s.i, 0);
    EXPECT_TRUE(f.random.values.empty()); // rows 19 up to 14, all of them
    EXPECT_EQ(f.s.Spielfeld[13][0] + f.s.Spielfeld[14][0], 1);
}

TEST(GameStart, startValuesAreKeptToWhatTheWellCanHold) {
    GameFixture f;
    f.random.values.assign(400, 0.5); // every cell occupied
    f.game.acceptNewGame(40, 50, -5);
    f.game.activate();
    EXPECT_EQ(f.s.Level * 100 + f.s.High, 1910);
    EXPECT_EQ(f.s.Points, 0);
    EXPECT_EQ(f.random.values.size(), 0u);
    EXPECT_EQ(std::count(f.s.Spielfeld[0].begin(), f.s.Spielfeld[0].end(), 14), 10);
}

// An aborted or restarted game leaves nothing behind: not its lines, not a stone's points.
TEST(GameStart, aNewGameOwesNothingToTheGameBefore) {
    GameFixture f;
    f.start(0);
    f.ticks(1);
    f.game.keyDown(KeyDown);
    f.ticks(3);
    f.s.Lines = 8;
    f.game.activate(); // e.g. the information window closed during the game
    f.ticks(1);
    EXPECT_EQ(f.s.Punkte, 0);
    EXPECT_EQ(f.s.Lines, 0);
    f.game.keyDown(KeyDown);
    f.ticks(3);
    f.game.startItemClicked();
    f.game.quickStart();
    f.ticks(1);
    EXPECT_EQ(f.s.Punkte, 0);
}

TEST(GameAbort, restoresTheIdleMenuAndDrawsTheNextKind) {
    GameFixture f;
    f.start(1);
    f.ticks(2);
    f.view.take();
    f.random.values = {0.99};
    f.game.startItemClicked();
    EXPECT_EQ(f.view.take(),
              (Calls{"number Level '' 2", "number Points '' 9", "number Lines '' 3",
                     "number High '' 1", "quick on", "options on", "clearWell", "clearPreview",
                     "fillWellBlack", "text Kein Spiel", "caption Spiel starten", "timer off"}));
    EXPECT_EQ(f.s.SteinFolge[0], 6);
    EXPECT_FALSE(f.s.Spiel);
    f.ticks(1);
    EXPECT_TRUE(f.view.calls.empty());
    f.game.startItemClicked(); // idle again: the item opens the dialog
    EXPECT_EQ(f.view.take(), (Calls{"quick off", "newGameDialog"}));
}

TEST(Tick, drawsTheHandOverThenTheWellColumnByColumnThenTheStone) {
    GameFixture f;
    f.start(1, "3");
    f.game.setWellText(wellAt(18, {"B.........", "A........C"}));
    f.view.take();
    f.ticks(1);
    EXPECT_EQ(f.view.take(),
              (Calls{"clearWell", "number Points '0' 9", "number Lines '0' 3", "clearPreview",
                     "preview 3", "fillWellBlack", "tile 2 18 0", "tile 1 19 0", "tile 13 19 9",
                     "tile 13 0 4", "tile 13 0 5", "tile 13 0 6", "tile 13 0 7"}));
}

// Kind 0 enters over a column of cells in rows 2..19: it sinks onto row 2 and comes to rest
// with cells in row 1 of the entry area.
struct GameOverFixture : GameFixture {
    GameOverFixture() {
        s.SteinFolge[0] = 0;
        game.scriptNextKinds("5");
        game.acceptNewGame(2, 4, 700);
        game.activate();
        std::string column;
        for (int r = 0; r < WellRows; ++r) {
            column += r < 2 ? "..........\n" : ".....A....\n";
        }
        game.setWellText(column);
        ticks(1);
        game.keyDown(KeyDown);
        ticks(1);
        view.take();
    }
};

TEST(GameOver, restingInTheEntryAreaEndsTheGameInTheSameTick) {
    GameOverFixture f;
    EXPECT_FALSE(f.s.HasPunkteInList);
    f.ticks(1);
    EXPECT_EQ(f.view.take(),
              (Calls{"clearWell", "number Points '708' 9", "number Lines '0' 3", "clearPreview",
                     "preview 0", "fillWellBlack", "text Game Over", "number Lines '' 3",
                     "number Points '' 9", "number Level '' 2", "number High '' 1", "clearPreview",
                     "timer off", "options on", "caption Spiel starten", "quick on", "window off",
                     "highscoreWindow"}));
    EXPECT_TRUE(f.s.HasPunkteInList);
    EXPECT_EQ(f.s.PunkteInList, 708);
    EXPECT_EQ(f.s.Punkte + f.s.SteinPunkte + f.s.Lines, 0);
    EXPECT_EQ(f.s.Level * 10 + f.s.High, 24);
    EXPECT_EQ(std::count(f.s.Tasten.begin(), f.s.Tasten.end(), 0), KeyCount);
    f.ticks(1);
    EXPECT_TRUE(f.view.calls.empty());
}

TEST(DrawFailure, anyViewFailureWhileDrawingIsReportedAndEndsTheTick) {
    for (const char* failing : {"tile 1 2 5", "text Game Over", "highscoreWindow"}) {
        GameOverFixture f;
        f.view.throwOn = failing;
        if (std::string(failing).starts_with("tile")) {
            f.game.keyUp(KeyDown); // no landing: the well is drawn
        }
        f.ticks(1);
        ASSERT_GE(f.view.calls.size(), 2u);
        EXPECT_EQ(f.view.calls[f.view.calls.size() - 2], failing);
        EXPECT_EQ(f.view.calls.back(), "drawFailure");
    }
}

} // namespace
} // namespace brixolan::test

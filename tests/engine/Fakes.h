#pragma once

#include "Game.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace brixolan::test {

/// Records every view call as one short line; a call whose line starts with `throwOn` throws.
class RecordingView : public GameView {
public:
    std::vector<std::string> calls;
    std::string throwOn;

    void clearWell() override { record("clearWell"); }
    void fillWellBlack() override { record("fillWellBlack"); }
    void drawWellTile(int code, int row, int column) override {
        record("tile " + std::to_string(code) + " " + std::to_string(row) + " " +
               std::to_string(column));
    }
    void drawTextInMiddle(const std::string& text) override { record("text " + text); }
    void drawNumber(Display display, const std::string& digits, int cells) override {
        static const char* const names[] = {"Points", "Level", "Lines", "High"};
        record(std::string("number ") + names[static_cast<int>(display)] + " '" + digits + "' " +
               std::to_string(cells));
    }
    void clearPreview() override { record("clearPreview"); }
    void drawPreview(int kind) override { record("preview " + std::to_string(kind)); }
    void setTimerRunning(bool on) override { record(on ? "timer on" : "timer off"); }
    void setStartItemCaption(const std::string& caption) override { record("caption " + caption); }
    void setQuickStartEnabled(bool on) override { record(on ? "quick on" : "quick off"); }
    void setOptionsEnabled(bool on) override { record(on ? "options on" : "options off"); }
    void setMainWindowEnabled(bool on) override { record(on ? "window on" : "window off"); }
    void showNewGameDialog() override { record("newGameDialog"); }
    void showHighscoreWindow() override { record("highscoreWindow"); }
    void reportDrawFailure() override { record("drawFailure"); }

    std::vector<std::string> take() { return std::exchange(calls, {}); }

private:
    void record(std::string call) {
        const bool fail = !throwOn.empty() && call.starts_with(throwOn);
        calls.push_back(std::move(call));
        if (fail) {
            throw std::runtime_error("surface lost");
        }
    }
};

/// Hands out the scripted numbers, then 0.0 (an empty pre-fill cell, stone kind 0).
class ScriptedRandom : public Random {
public:
    std::deque<double> values;
    std::vector<std::int32_t> reseeds;

    void reseed(std::int32_t seconds) override { reseeds.push_back(seconds); }
    double next() override {
        if (values.empty()) {
            return 0.0;
        }
        const double value = values.front();
        values.pop_front();
        return value;
    }
};

class FixedClock : public Clock {
public:
    std::int32_t secondsSinceMidnight() const override { return 4711; }
};

/// A well that is empty but for `lines`, laid out from row `firstRow` down.
inline std::string wellAt(int firstRow, std::initializer_list<const char*> lines) {
    std::vector<std::string> rows(WellRows, "..........");
    for (const char* line : lines) {
        rows[static_cast<std::size_t>(firstRow++)] = line;
    }
    std::string text;
    for (const auto& row : rows) {
        text += row + '\n';
    }
    return text;
}

struct GameFixture {
    RecordingView view;
    ScriptedRandom random;
    FixedClock clock;
    Game game{view, random, clock};
    GameState& s = game.state();

    /// A dialog start and activation; the first stone is of `firstKind`, then `nextKinds`.
    void start(int firstKind, std::string nextKinds = "", std::int32_t level = 0) {
        s.SteinFolge[0] = firstKind;
        game.scriptNextKinds(std::move(nextKinds));
        game.acceptNewGame(level, 0, 0);
        game.activate();
    }
    void ticks(int count) {
        for (int n = 0; n < count; ++n) {
            game.tick();
        }
    }
    /// Moves the falling stone down by hand, to try it mid-well.
    void lower(int rows) {
        for (auto& row : s.SteinY) {
            row += rows;
        }
    }
    /// Lets the next tick's hard drop through the turn and drop delays.
    void readyToDrop() {
        s.DrehDelay = 3;
        s.DropDelay = 10;
    }
    std::string well() const { return game.wellText(false); }
};

} // namespace brixolan::test

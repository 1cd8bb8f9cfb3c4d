#pragma once

#include "GameView.h"

namespace brixolan {

/// A view that shows nothing: for headless runs (simulator, benchmarks) and tests that only
/// look at the game's state. Override what matters.
class NullGameView : public GameView {
public:
    void clearWell() override {}
    void fillWellBlack() override {}
    void drawWellTile(int, int, int) override {}
    void drawTextInMiddle(const std::string&) override {}
    void drawNumber(Display, const std::string&, int) override {}
    void clearPreview() override {}
    void drawPreview(int) override {}
    void setTimerRunning(bool) override {}
    void setStartItemCaption(const std::string&) override {}
    void setQuickStartEnabled(bool) override {}
    void setOptionsEnabled(bool) override {}
    void setMainWindowEnabled(bool) override {}
    void showNewGameDialog() override {}
    void showHighscoreWindow() override {}
    void reportDrawFailure() override {}
};

} // namespace brixolan

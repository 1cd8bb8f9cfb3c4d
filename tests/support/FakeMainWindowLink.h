#pragma once

#include "MainWindowLink.h"

namespace brixolan::fakes {

/// Stands in for the main window: records what the secondary windows asked of it.
class FakeMainWindowLink : public MainWindowLink {
public:
    bool visible = true;
    bool enabled = false;
    int returns = 0;
    int digitRefreshes = 0;

    QWidget* mainWidget() override { return nullptr; }
    bool isMainWindowVisible() const override { return visible; }
    void setMainWindowEnabled(bool value) override { enabled = value; }
    void returnToMainWindow() override {
        enabled = true;
        ++returns;
    }
    void refreshDigitDisplays() override { ++digitRefreshes; }
};

} // namespace brixolan::fakes

#pragma once

class QWidget;

namespace brixolan {

/// What the game's secondary windows need of the main window. The main window implements it;
/// window tests fake it.
class MainWindowLink {
public:
    virtual ~MainWindowLink() = default;

    /// The main window's widget, parent for message boxes; may be null in tests.
    virtual QWidget* mainWidget() = 0;
    virtual bool isMainWindowVisible() const = 0;
    virtual void setMainWindowEnabled(bool enabled) = 0;
    /// One of our windows closed: enable the main window, make it the active window and run
    /// its activation (which starts a game while one is wanted).
    virtual void returnToMainWindow() = 0;
    /// Re-sizes the number displays from the digit bitmaps and shows them as zeros.
    virtual void refreshDigitDisplays() = 0;
};

} // namespace brixolan

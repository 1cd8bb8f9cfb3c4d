#pragma once

#include <string>

namespace brixolan {

/// The four number displays of the main window.
enum class Display {
    Points, ///< `Picture2`, 9 digits
    Level,  ///< `Picture3`, 2 digits
    Lines,  ///< `Picture5`, 3 digits
    High,   ///< `Picture6`, 1 digit
};

/// Everything the game rules do to windows goes out through this interface, in the order the
/// rules prescribe. The main window implements it; tests record the calls.
class GameView {
public:
    virtual ~GameView() = default;

    /// Clears the well surface to its background (first step of every tick).
    virtual void clearWell() = 0;
    /// Fills the whole well surface with black.
    virtual void fillWellBlack() = 0;
    /// Copies the 25 x 25 tile of stone code `code` to cell (row, column) of the well.
    virtual void drawWellTile(int code, int row, int column) = 0;
    /// Writes a status text centred on the well.
    virtual void drawTextInMiddle(const std::string& text) = 0;
    /// Shows the decimal text `digits` in `display`, zero-padded to `cells` digit cells.
    virtual void drawNumber(Display display, const std::string& digits, int cells) = 0;
    /// Clears the next-stone preview.
    virtual void clearPreview() = 0;
    /// Draws the preview of stone kind `kind` (any value outside 0..6 draws nothing).
    virtual void drawPreview(int kind) = 0;

    /// Switches the 50 ms game timer on or off.
    virtual void setTimerRunning(bool running) = 0;
    /// Caption of the start/abort menu item `fgsfg`.
    virtual void setStartItemCaption(const std::string& caption) = 0;
    /// Enables or disables the quick-start item `ss`.
    virtual void setQuickStartEnabled(bool enabled) = 0;
    /// Enables or disables the options menu `zrtz`.
    virtual void setOptionsEnabled(bool enabled) = 0;
    /// Enables or disables the main window.
    virtual void setMainWindowEnabled(bool enabled) = 0;

    /// Opens the new-game dialog, not modal.
    virtual void showNewGameDialog() = 0;
    /// Opens the highscore window, not modal, after a game over.
    virtual void showHighscoreWindow() = 0;

    /// A failure while the well was drawn: the view tells the player and ends the program.
    virtual void reportDrawFailure() = 0;
};

} // namespace brixolan

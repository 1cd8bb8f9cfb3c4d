// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DialogServices.h"
#include "Game.h"
#include "ProgramFolder.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <optional>

class QAction;
class QDialog;
class QMenu;
class QTimer;

namespace brixolan {

class GameScreen;
class HighscoreWindow;
class SplashWindow;
class WaitWindow;

/// The main window `SpielMain`: runs the game shown on its screen, with the menu, the game
/// timer, the keys and the windows it opens. It holds no rule of its own; its menu and timer
/// follow from whether a game runs, and it answers the screen's game over with the table.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(ProgramFolder folder, DialogServices& dialogs, Random& random, Clock& clock,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    /// Title bar and borders of a window not shown yet, as desktops commonly draw them: the
    /// window leaves room for them on the screen.
    static constexpr QSize AssumedDecoration{16, 40};

    /// Start-up before the window shows: splash, screen check, the controls and the menu, the
    /// graphics with the repair dialogs, sizes, "Kein Spiel". Where the program cannot go on,
    /// the player is told why and it ends here. Nothing else is called before it.
    void startUp(QSize screenSize);

    /// The activation: the window became active coming from one of our own windows (and once
    /// after start-up); starts a game while one is wanted.
    void activate();

    /// One step of the game timer.
    void tick() { m_game.tick(); }

    const Game& game() const { return m_game; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    /// Some compositors raise and activate a blocked window when it is clicked, over the
    /// dialog that blocks it; that dialog comes back to the front.
    void changeEvent(QEvent* event) override;

private:
    void buildMenu();
    void placeControls();
    /// Menu and timer as the game stands.
    void updateControls();

    /// The game has ended by game over: the table offers its result.
    void gameOver();
    void startOrAbort();
    void quickStart();
    /// Opens one of our windows, as a rule window-modal; its end hands the activation back.
    void openWindow(QDialog* window, bool modal = true);
    /// After a game a new table replaces an open one; from the menu an open one comes to the
    /// front.
    void showHighscore(bool afterGame);
    void showDigitScheme();
    void showStoneScheme();
    void showInfoFile();
    void startUninstaller();

    /// "Bitte warten ...", made when first needed.
    WaitWindow& waitWindow();
    /// Reloads the store after a scheme was applied; a missing file ends the program.
    void reloadGraphics();
    enum class GraphicsLoad {
        Complete,  ///< all seventeen bitmaps are there
        LoadAgain, ///< one was missing and the repair dialog has run
    };
    /// One pass of the start-up load; ends the program where no repair can help.
    GraphicsLoad loadGraphicsOrRepair();

    /// The well's picture could not be made (no memory): the player is told, the program ends.
    [[noreturn]] void reportDrawFailure();

    ProgramFolder m_folder;
    DialogServices& m_dialogs;
    GameScreen* m_screen; // the view the game reports to, made before the game
    Game m_game;
    QTimer* m_timer = nullptr;
    std::unique_ptr<SplashWindow> m_splash;
    std::unique_ptr<WaitWindow> m_wait;
    QPointer<HighscoreWindow> m_highscore;

    QMenu* m_optionsMenu = nullptr;
    QAction* m_quickStart = nullptr;
    QAction* m_startItem = nullptr;
    /// "Schnellstart" stays off from opening the new-game dialog until a game ends.
    bool m_quickStartHeld = false;
    /// Set once closing has begun: the windows closed on the way do not start the game again.
    bool m_closing = false;
};

} // namespace brixolan

#pragma once

#include "DialogServices.h"
#include "Game.h"
#include "GameView.h"
#include "MainWindowLink.h"
#include "ProgramFolder.h"
#include "ResourceStore.h"

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;

namespace brixolan {

class Surface;
class SplashWindow;
class WaitWindow;

/// The main window `SpielMain`: the well, the number displays, the preview, the menu and the
/// game timer. It draws what the game reports and holds no rule of its own.
class MainWindow : public QMainWindow, public GameView, public MainWindowLink {
    Q_OBJECT
public:
    MainWindow(ProgramFolder folder, DialogServices& dialogs, Random& random, Clock& clock,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    /// Start-up: splash, screen check, graphics with the repair loop, sizes, "Kein Spiel".
    /// False when the program has to end (the player has been told why).
    bool formLoad(QSize screenSize);

    /// The activation handler: runs when the window becomes active coming from one of our
    /// own windows, once after start-up, and from the quick start.
    void formActivate();

    /// One step of the game timer: the tick, then the well on screen.
    void runTick();

    /// Number display: `text` zero-padded to `cells` digit cells.
    void draw(const QString& text, Display display, int cells);
    /// Status text centred in the well.
    void drawTextInMiddle(const QString& text);
    /// Preview of stone kind `number`.
    void drawStein(int number);
    /// Sizes the four number displays from the digit bitmap and shows them as zeros.
    void aktualizeSchrift();

    Game& game() { return m_game; }
    ResourceStore& resources() { return m_resources; }
    WaitWindow& waitWindow() { return *m_wait; }
    const ProgramFolder& folder() const { return m_folder; }
    QTimer& timer() { return m_timer; }
    Surface* surface(Display display) const;
    Surface* well() const { return m_well; }
    Surface* preview() const { return m_preview; }

    // GameView
    void clearWell() override;
    void fillWellBlack() override;
    void drawWellTile(int code, int row, int column) override;
    void drawTextInMiddle(const std::string& text) override;
    void drawNumber(Display display, const std::string& digits, int cells) override;
    void clearPreview() override;
    void drawPreview(int kind) override;
    void setTimerRunning(bool running) override;
    void setStartItemCaption(const std::string& caption) override;
    void setQuickStartEnabled(bool enabled) override;
    void setOptionsEnabled(bool enabled) override;
    void setMainWindowEnabled(bool enabled) override;
    void showNewGameDialog() override;
    void showHighscoreWindow() override;
    void reportDrawFailure() override;

    // MainWindowLink
    QWidget* mainWidget() override { return this; }
    bool isMainWindowVisible() const override { return isVisible(); }
    void returnToMainWindow() override;
    void refreshDigitDisplays() override { aktualizeSchrift(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void placeControls();
    void showHighscore();
    void showAbout();
    void showFontScheme();
    void showStoneScheme();
    void showInfoFile();
    void startUninstaller();
    /// Opens a scheme dialog while the window is still hidden and waits until it is closed.
    void runRepairDialog(bool stones);
    /// Shows the well's picture at once unless a tick is drawing it (the tick decides then).
    void refreshWellOutsideTick();

    ProgramFolder m_folder;
    DialogServices& m_dialogs;
    ResourceStore m_resources;
    Game m_game;
    QTimer m_timer;
    std::unique_ptr<SplashWindow> m_splash;
    std::unique_ptr<WaitWindow> m_wait;

    QWidget* m_wellFrame = nullptr;
    QWidget* m_rightColumn = nullptr; // everything right of the well
    Surface* m_well = nullptr;    // Picture1
    Surface* m_points = nullptr;  // Picture2
    Surface* m_level = nullptr;   // Picture3
    Surface* m_preview = nullptr; // Picture4
    Surface* m_lines = nullptr;   // Picture5
    Surface* m_high = nullptr;    // Picture6
    QLabel* m_backdrop = nullptr; // Label1

    // The tiles drawn into the well by the running tick, and those the screen shows.
    std::vector<std::array<int, 3>> m_tiles;
    std::vector<std::array<int, 3>> m_shownTiles;
    bool m_shownTilesValid = false;
    bool m_inTick = false;

    QMenu* m_fileMenu = nullptr;
    QMenu* m_optionsMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_quickStart = nullptr;
    QAction* m_startItem = nullptr;
};

} // namespace brixolan

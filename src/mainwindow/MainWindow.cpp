#include "MainWindow.h"

#include "AboutWindow.h"
#include "Fonts.h"
#include "FontSchemeDialog.h"
#include "HighscoreWindow.h"
#include "KeyCodes.h"
#include "NewGameDialog.h"
#include "StoneSchemeDialog.h"
#include "Surface.h"
#include "WaitWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>
#include <algorithm>
#include <array>

namespace brixolan {

namespace {

// Window geometry as designed, in pixels (15 twips make one pixel).
constexpr QSize DesignClientSize(510, 515);
constexpr QPoint WellPosition(8, 8);
constexpr int WellBorder = 2; // the sunken frame around the well
constexpr int DesignWellRight = 262;

struct Caption {
    const char* name;
    const char* text;
    QRect box; // as designed
};

// The captions of the right column; the boxes are what the design gives each text.
constexpr std::array<Caption, 5> Captions = {{
    {"Label3", "Punkte :", {280, 24, 169, 41}},
    {"Label4", "Level :", {280, 128, 105, 49}},
    {"Label6", "High :", {400, 128, 97, 41}},
    {"Label5", "Lines :", {280, 240, 193, 41}},
    {"Label2", "Nächster Stein :", {280, 360, 225, 41}},
}};

// The stand-in for the caption face runs wider than the original: one size for all captions,
// the largest at which every caption still fits its designed box.
QFont fittedCaptionFont() {
    for (qreal size = 24; size > 8; size -= 1) {
        const QFont font = captionFont(size);
        const QFontMetrics metrics(font);
        if (std::all_of(Captions.begin(), Captions.end(), [&](const Caption& caption) {
                return metrics.horizontalAdvance(QString::fromUtf8(caption.text)) <=
                       caption.box.width();
            }))
            return font;
    }
    return captionFont(8);
}

Surface* makeSurface(QWidget* parent, const char* name, QPoint at, QSize size) {
    auto* surface = new Surface(parent);
    surface->setObjectName(QString::fromLatin1(name));
    surface->setBackground(Qt::black);
    surface->move(at);
    surface->setSurfaceSize(size);
    return surface;
}

QAction* addItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void addSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

} // namespace

MainWindow::MainWindow(ProgramFolder folder, DialogServices& dialogs, Random& random,
                       Clock& clock, QWidget* parent)
    : QMainWindow(parent), m_folder(std::move(folder)), m_dialogs(dialogs),
      m_game(*this, random, clock), m_splash(std::make_unique<SplashWindow>()),
      m_wait(std::make_unique<WaitWindow>()) {
    setObjectName(QStringLiteral("SpielMain"));
    setWindowTitle(QStringLiteral("Brixolan 1.65 Release"));
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(50);
    connect(&m_timer, &QTimer::timeout, this, &MainWindow::runTick);
    buildControls();
    buildMenu();
    placeControls();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    QPalette black = client->palette();
    black.setColor(QPalette::Window, Qt::black);
    client->setPalette(black);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    m_rightColumn = new QWidget(client);
    m_rightColumn->setObjectName(QStringLiteral("RightColumn"));
    m_rightColumn->setFixedSize(DesignClientSize);
    QWidget* column = m_rightColumn;

    m_backdrop = new QLabel(column);
    m_backdrop->setObjectName(QStringLiteral("Label1"));
    m_backdrop->setGeometry(264, 8, 238, 500); // the design ran 3 px past the window
    m_backdrop->setStyleSheet(
        QStringLiteral("background: #000000; border: 1px solid #0a3d0a; border-radius: 4px;"));

    m_wellFrame = new QWidget(client);
    m_wellFrame->setObjectName(QStringLiteral("WellFrame"));
    m_wellFrame->setStyleSheet(QStringLiteral(
        "#WellFrame { background: #000000; border: 2px solid; border-color: #3a3a3a #9a9a9a "
        "#9a9a9a #3a3a3a; }"));
    m_well = makeSurface(m_wellFrame, "Picture1", QPoint(WellBorder, WellBorder), QSize(249, 500));
    m_well->setFocusPolicy(Qt::StrongFocus);
    m_well->installEventFilter(this);

    const QFont font = fittedCaptionFont();
    for (const Caption& caption : Captions) {
        auto* label = new QLabel(QString::fromUtf8(caption.text), column);
        label->setObjectName(QString::fromLatin1(caption.name));
        label->setFont(font);
        label->setStyleSheet(QStringLiteral("color: #00ff00; background: transparent;"));
        label->setGeometry(caption.box);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    m_points = makeSurface(column, "Picture2", QPoint(272, 72), QSize(217, 41));
    m_level = makeSurface(column, "Picture3", QPoint(272, 176), QSize(81, 49));
    m_high = makeSurface(column, "Picture6", QPoint(392, 176), QSize(81, 49));
    m_lines = makeSurface(column, "Picture5", QPoint(272, 296), QSize(89, 49));
    m_preview = makeSurface(column, "Picture4", QPoint(296, 408), QSize(185, 81));
}

void MainWindow::buildMenu() {
    m_fileMenu = menuBar()->addMenu(QStringLiteral("Datei"));
    m_fileMenu->setObjectName(QStringLiteral("rte"));
    m_quickStart = addItem(m_fileMenu, "ss", QStringLiteral("Schnellstart"));
    m_startItem = addItem(m_fileMenu, "fgsfg", QString::fromUtf8(StartCaption));
    addSeparator(m_fileMenu, "hgdjd");
    QAction* highscore = addItem(m_fileMenu, "Highscore", QStringLiteral("HighScore"));
    addSeparator(m_fileMenu, "dsg");
    QAction* quit = addItem(m_fileMenu, "ertet", QStringLiteral("Beenden"));

    m_optionsMenu = menuBar()->addMenu(QStringLiteral("Optionen"));
    m_optionsMenu->setObjectName(QStringLiteral("zrtz"));
    QAction* font =
        addItem(m_optionsMenu, "hgfghf", QStringLiteral("Brixolan Schrift Schema auswählen"));
    QAction* stones =
        addItem(m_optionsMenu, "vv", QStringLiteral("Brixolan Stein Schema auswählen"));
    addSeparator(m_optionsMenu, "strich");
    QAction* uninstall = addItem(m_optionsMenu, "deinstall", QStringLiteral("Deinstallieren"));

    m_helpMenu = menuBar()->addMenu(QStringLiteral("?"));
    m_helpMenu->setObjectName(QStringLiteral("hfg"));
    QAction* info = addItem(m_helpMenu, "infodat", QStringLiteral("InfoDatei anzeigen"));
    addSeparator(m_helpMenu, "hgj");
    QAction* about = addItem(m_helpMenu, "dgfds", QStringLiteral("Info"));

    connect(m_quickStart, &QAction::triggered, this, [this] { m_game.quickStart(); });
    connect(m_startItem, &QAction::triggered, this, [this] { m_game.startItemClicked(); });
    connect(highscore, &QAction::triggered, this, &MainWindow::showHighscore);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    connect(font, &QAction::triggered, this, &MainWindow::showFontScheme);
    connect(stones, &QAction::triggered, this, &MainWindow::showStoneScheme);
    connect(uninstall, &QAction::triggered, this, &MainWindow::startUninstaller);
    connect(info, &QAction::triggered, this, &MainWindow::showInfoFile);
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::placeControls() {
    const QSize wellSize = m_well->surfaceSize();
    m_wellFrame->setGeometry(QRect(WellPosition, wellSize + QSize(2 * WellBorder, 2 * WellBorder)));
    // A well from larger stone bitmaps moves the right column over rather than covering it.
    const int shift = std::max(0, m_wellFrame->geometry().right() + 1 - DesignWellRight);
    m_rightColumn->move(shift, 0);
    const QSize client(DesignClientSize.width() + shift,
                       std::max(DesignClientSize.height(), m_wellFrame->geometry().bottom() + 5));
    centralWidget()->setFixedSize(client);
    setFixedSize(client.width(), client.height() + menuBar()->sizeHint().height());
}

void MainWindow::runTick() {
    // Most ticks draw the very tiles the screen already shows (a stone falls every few ticks
    // only); putting the same picture on the screen again would be the tick's largest cost.
    m_inTick = true;
    m_game.tick();
    m_inTick = false;
    if (!m_shownTilesValid || m_tiles != m_shownTiles)
        m_well->refresh();
    m_shownTiles.swap(m_tiles);
    m_shownTilesValid = true;
}

void MainWindow::refreshWellOutsideTick() {
    if (m_inTick)
        return;
    m_well->refresh();
    m_shownTilesValid = false;
}

void MainWindow::formActivate() { m_game.activate(); }

void MainWindow::returnToMainWindow() {
    setEnabled(true);
    if (!isVisible())
        return;
    raise();
    activateWindow();
    m_well->setFocus(Qt::ActiveWindowFocusReason);
    formActivate();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_well &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int code = virtualKeyCode(key->key());
        if (event->type() == QEvent::KeyPress) {
            if (code >= 0)
                m_game.keyDown(code);
        } else if (!key->isAutoRepeat() && code >= 0) {
            // X11 sends a held key as release/press pairs; only a real release lets go.
            m_game.keyUp(code);
        }
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program, whatever else is open.
    m_timer.stop();
    event->accept();
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

// --- GameView: timer, menu, windows -------------------------------------------------------

void MainWindow::setTimerRunning(bool running) {
    if (running)
        m_timer.start();
    else
        m_timer.stop();
}

void MainWindow::setStartItemCaption(const std::string& caption) {
    m_startItem->setText(QString::fromStdString(caption));
}

void MainWindow::setQuickStartEnabled(bool enabled) { m_quickStart->setEnabled(enabled); }

void MainWindow::setOptionsEnabled(bool enabled) {
    m_optionsMenu->menuAction()->setEnabled(enabled);
    m_optionsMenu->setEnabled(enabled);
}

void MainWindow::setMainWindowEnabled(bool enabled) { setEnabled(enabled); }

void MainWindow::showNewGameDialog() {
    // Our windows stand alone: a child of the disabled main window would be disabled too.
    auto* dialog = new NewGameDialog(m_game, *this);
    dialog->show();
}

void MainWindow::showHighscoreWindow() {
    HighscoreWindow::open(m_game.state(), m_folder, m_dialogs, *this);
}

void MainWindow::reportDrawFailure() {
    m_timer.stop();
    m_dialogs.message(this,
                      QStringLiteral("Nicht genügend Speicher - beenden sie Tasks aus dem SysTray "
                                     "und probieren sie erneut !!!"),
                      QStringLiteral("Fehler"), MessageIcon::None);
    m_dialogs.endProgramNow();
}

void MainWindow::showHighscore() {
    setEnabled(false);
    showHighscoreWindow();
}

void MainWindow::showAbout() {
    setEnabled(false);
    (new AboutWindow(*this))->show();
}

void MainWindow::showFontScheme() {
    setEnabled(false);
    (new FontSchemeDialog(m_folder, m_resources, m_dialogs, *m_wait, *this))->show();
}

void MainWindow::showStoneScheme() {
    setEnabled(false);
    (new StoneSchemeDialog(m_folder, m_resources, m_dialogs, *m_wait, *this))->show();
}

void MainWindow::showInfoFile() {
    const QString path = m_folder.path(QStringLiteral("info.txt"));
    if (!QFileInfo(path).isFile() || !m_dialogs.openUrl(QUrl::fromLocalFile(path))) {
        m_dialogs.message(this,
                          QStringLiteral("Die Informationsdatei \"%1\" konnte nicht geöffnet "
                                         "werden.")
                              .arg(path),
                          QStringLiteral("Fehler"), MessageIcon::Warning);
    }
}

void MainWindow::startUninstaller() {
    const QString path = m_folder.path(QStringLiteral("uninstall"));
    if (!QFileInfo(path).isExecutable() || !m_dialogs.startDetached(path)) {
        m_dialogs.message(this,
                          QStringLiteral("Das Deinstallationsprogramm \"%1\" konnte nicht "
                                         "gestartet werden.")
                              .arg(path),
                          QStringLiteral("Fehler"), MessageIcon::Warning);
        return;
    }
    close();
}

} // namespace brixolan

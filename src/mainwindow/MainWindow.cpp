// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindow.h"

#include "AboutWindow.h"
#include "BrixolanVersion.h"
#include "DigitSchemeDialog.h"
#include "GameScreen.h"
#include "HeldKeyFilter.h"
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
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace brixolan {

namespace {

const QString StartCaption = QStringLiteral("Spiel starten");
const QString AbortCaption = QStringLiteral("Spiel abbrechen");

QAction* addItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

/// The application's style, but the menu bar never takes the keyboard by itself.
class MenuBarStyle : public QProxyStyle {
public:
    explicit MenuBarStyle(QObject* parent)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
        setParent(parent);
    }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        return hint == SH_MenuBar_AltKeyNavigation
                   ? 0
                   : QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

void addSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

/// The first item of the menu that a key can act on, if any.
QAction* firstUsableItem(const QMenu& menu) {
    const QList<QAction*> items = menu.actions();
    const auto first = std::find_if(items.begin(), items.end(), [](const QAction* item) {
        return item->isEnabled() && item->isVisible() && !item->isSeparator();
    });
    return first == items.end() ? nullptr : *first;
}

} // namespace

MainWindow::MainWindow(ProgramFolder folder, DialogServices& dialogs, Random& random, Clock& clock,
                       QWidget* parent)
    : QMainWindow(parent), m_folder(std::move(folder)), m_dialogs(dialogs),
      m_screen(new GameScreen(this)), m_game(*m_screen, random, clock), m_timer(new QTimer(this)),
      m_splash(std::make_unique<SplashWindow>()) {
    setObjectName(QStringLiteral("SpielMain"));
    setCentralWidget(m_screen);
    connect(m_screen, &GameScreen::gameEnded, this, &MainWindow::gameOver);
    connect(m_screen, &GameScreen::drawingFailed, this, &MainWindow::reportDrawFailure);
    setWindowTitle(QStringLiteral("Brixolan " BRIXOLAN_VERSION " Release"));
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(50);
    connect(m_timer, &QTimer::timeout, this, &MainWindow::tick);
    QCoreApplication::instance()->installEventFilter(new HeldKeyFilter(this));
    // The desktop ends the session: close as the close box does, so open windows save.
    connect(qApp, &QGuiApplication::commitDataRequest, this, &QWidget::close);
}

MainWindow::~MainWindow() = default;

WaitWindow& MainWindow::waitWindow() {
    if (!m_wait)
        m_wait = std::make_unique<WaitWindow>();
    return *m_wait;
}

void MainWindow::buildMenu() {
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("Datei"));
    fileMenu->setObjectName(QStringLiteral("rte"));
    m_quickStart = addItem(fileMenu, "ss", QStringLiteral("Schnellstart"));
    m_startItem = addItem(fileMenu, "fgsfg", StartCaption);
    addSeparator(fileMenu, "hgdjd");
    QAction* highscore = addItem(fileMenu, "Highscore", QStringLiteral("HighScore"));
    addSeparator(fileMenu, "dsg");
    QAction* quit = addItem(fileMenu, "ertet", QStringLiteral("Beenden"));

    m_optionsMenu = menuBar()->addMenu(QStringLiteral("Optionen"));
    m_optionsMenu->setObjectName(QStringLiteral("zrtz"));
    QAction* digits =
        addItem(m_optionsMenu, "hgfghf", QStringLiteral("Brixolan Schrift Schema auswählen"));
    QAction* stones =
        addItem(m_optionsMenu, "vv", QStringLiteral("Brixolan Stein Schema auswählen"));
    addSeparator(m_optionsMenu, "strich");
    QAction* uninstall = addItem(m_optionsMenu, "deinstall", QStringLiteral("Deinstallieren"));

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("?"));
    helpMenu->setObjectName(QStringLiteral("hfg"));
    QAction* info = addItem(helpMenu, "infodat", QStringLiteral("InfoDatei anzeigen"));
    addSeparator(helpMenu, "hgj");
    QAction* about = addItem(helpMenu, "dgfds", QStringLiteral("Info"));

    connect(m_quickStart, &QAction::triggered, this, &MainWindow::quickStart);
    connect(m_startItem, &QAction::triggered, this, &MainWindow::startOrAbort);
    connect(highscore, &QAction::triggered, this, [this] { showHighscore(false); });
    connect(quit, &QAction::triggered, this, &QWidget::close);
    connect(digits, &QAction::triggered, this, &MainWindow::showDigitScheme);
    connect(stones, &QAction::triggered, this, &MainWindow::showStoneScheme);
    connect(uninstall, &QAction::triggered, this, &MainWindow::startUninstaller);
    connect(info, &QAction::triggered, this, &MainWindow::showInfoFile);
    connect(about, &QAction::triggered, this, [this] { openWindow(new AboutWindow(this)); });

    // F10 opens the first menu, as elsewhere on the desktop; the captions carry no mnemonics.
    auto* openMenu = new QAction(this);
    openMenu->setObjectName(QStringLiteral("F10"));
    openMenu->setShortcut(Qt::Key_F10);
    addAction(openMenu);
    connect(openMenu, &QAction::triggered, this, [this, fileMenu] {
        menuBar()->setActiveAction(fileMenu->menuAction());
        // Opened by a key, the menu starts on its first item, as Left and Right open the next
        // one, so that Return alone acts.
        if (QAction* first = firstUsableItem(*fileMenu))
            fileMenu->setActiveAction(first);
    });
    // A menu closed with Escape (or a lone Alt) would put the keyboard on the menu bar, and the
    // arrows would drive its highlight instead of the stone: it stays with the well.
    menuBar()->setStyle(new MenuBarStyle(menuBar()));
}

void MainWindow::placeControls() {
    // The screen fits what the desktop leaves free beside title bar, borders and menu bar.
    QSize available = screen() ? screen()->availableGeometry().size() : QSize();
    const QSize decoration = frameGeometry().size() - size();
    available -= decoration.isEmpty() ? AssumedDecoration : decoration;
    available.rheight() -= menuBar()->sizeHint().height();
    const QSize client = m_screen->layOut(available);
    setFixedSize(client.width(), client.height() + menuBar()->sizeHint().height());
}

void MainWindow::updateControls() {
    const bool running = m_game.running();
    m_startItem->setText(running ? AbortCaption : StartCaption);
    m_optionsMenu->menuAction()->setEnabled(!running);
    m_quickStart->setEnabled(!running && !m_quickStartHeld);
    if (running != m_timer->isActive()) {
        if (running)
            m_timer->start();
        else
            m_timer->stop();
    }
}

void MainWindow::activate() {
    m_game.activate();
    updateControls();
}

void MainWindow::startOrAbort() {
    if (m_game.running()) {
        m_game.abort();
        m_quickStartHeld = false;
        updateControls();
        return;
    }
    m_quickStartHeld = true;
    updateControls();
    auto* dialog = new NewGameDialog(PointsPerStartHeight, this);
    // Connected before openWindow: the choice reaches the game before the activation that
    // starts it.
    connect(dialog, &QDialog::finished, this, [this, dialog](int result) {
        if (result == QDialog::Accepted) {
            const NewGameDialog::Choice choice = dialog->choice();
            m_game.acceptNewGame(choice.level, choice.height, choice.points);
        } else if (result == NewGameDialog::Withdrawn) {
            m_game.cancelNewGame();
        }
    });
    openWindow(dialog);
}

void MainWindow::quickStart() {
    m_game.quickStart();
    updateControls();
}

void MainWindow::gameOver() {
    m_quickStartHeld = false;
    updateControls();
    showHighscore(true);
}

void MainWindow::openWindow(QDialog* window, bool modal) {
    connect(window, &QDialog::finished, this, [this] {
        // Back from one of our windows: this one becomes the active window and runs its
        // activation, which starts a game while one is wanted.
        if (m_closing || !isVisible())
            return;
        raise();
        activateWindow();
        m_screen->well()->setFocus(Qt::ActiveWindowFocusReason);
        activate();
    });
    if (modal)
        window->open();
    else
        window->show();
}

void MainWindow::showHighscore(bool afterGame) {
    if (m_highscore) {
        if (!afterGame) {
            m_highscore->showFile();
            m_highscore->raise();
            m_highscore->activateWindow();
            return;
        }
        // The open table saves before the new one reads the file; its end must not run the
        // activation, which would start a game with the result still unoffered.
        m_highscore->disconnect(this);
        m_highscore->close();
    }
    // Taken whatever the table makes of it: the result is offered once.
    std::optional<ResultOffer> offer;
    if (const std::optional<Game::Offer> taken = m_game.takeOffer())
        offer = ResultOffer{taken->score};
    m_highscore = HighscoreWindow::open(offer, m_folder, m_dialogs, this);
    if (!m_highscore)
        return;
    // After a cancelled name the table stays open beside a usable main window.
    openWindow(m_highscore, !m_highscore->nameCancelled());
}

void MainWindow::showDigitScheme() {
    auto* dialog = new DigitSchemeDialog(m_folder, m_dialogs, waitWindow(), false, this);
    connect(dialog, &SchemeDialog::applied, this, &MainWindow::reloadGraphics);
    openWindow(dialog);
}

void MainWindow::showStoneScheme() {
    auto* dialog = new StoneSchemeDialog(m_folder, m_dialogs, waitWindow(), false, this);
    connect(dialog, &SchemeDialog::applied, this, &MainWindow::reloadGraphics);
    openWindow(dialog);
}

void MainWindow::reloadGraphics() {
    waitWindow().showNow();
    if (!m_screen->loadBitmaps(m_folder))
        m_dialogs.endProgramNow(nullptr,
                                QStringLiteral("Das Programm konnte wichtige Grafikdateien nicht "
                                               "finden . \r\n\r\n-Überprüfen sie ob alle "
                                               "Dateien aus dem ZIP Archiv entzippt sind ."),
                                QStringLiteral("Dateien nicht gefunden !"), MessageIcon::None);
    m_wait->hide();
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
    // An install puts its uninstall script among the game's files (the player's folder gets a
    // copy); a build tree never has one.
    if (!QFileInfo::exists(path)) {
        m_dialogs.message(this,
                          QStringLiteral("Diese Kopie von Brixolan ist nicht installiert: Sie "
                                         "läuft aus ihrem Build-Verzeichnis. Es gibt nichts zu "
                                         "deinstallieren."),
                          QStringLiteral("Deinstallieren"), MessageIcon::Information);
        return;
    }
    if (!m_dialogs.ask(this,
                       QStringLiteral("Soll Brixolan wirklich deinstalliert werden?\n\nDas "
                                      "Programm wird beendet und mit allen installierten Dateien "
                                      "entfernt. Ihre Highscores und Einstellungen bleiben "
                                      "erhalten."),
                       QStringLiteral("Deinstallieren")))
        return;
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

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool well = watched == m_screen->well();
    if (well && event->type() == QEvent::FocusOut) {
        // Whatever takes the keyboard gets the releases too: nothing stays held for the game.
        for (int code = 0; code < KeyCount; ++code)
            m_game.keyUp(code);
    }
    if (well && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int code = virtualKeyCode(key->key());
        if (code >= 0 && event->type() == QEvent::KeyPress)
            m_game.keyDown(code);
        // X11 sends a held key as release/press pairs; only a real release lets go.
        else if (code >= 0 && !key->isAutoRepeat())
            m_game.keyUp(code);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::reportDrawFailure() {
    m_timer->stop();
    m_dialogs.endProgramNow(this,
                            QStringLiteral("Nicht genügend Speicher - beenden sie Tasks aus dem "
                                           "SysTray und probieren sie erneut !!!"),
                            QStringLiteral("Fehler"), MessageIcon::None);
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != this && modal->isVisible()) {
        modal->raise();
        modal->activateWindow();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program, whatever else is open; open windows close
    // (and save) on the way, while the game stays stopped: a save's warning waits for the
    // player, and the game must not end behind it.
    m_closing = true;
    m_timer->stop();
    event->accept();
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

} // namespace brixolan

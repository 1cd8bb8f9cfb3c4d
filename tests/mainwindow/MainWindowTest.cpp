// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as the player meets it: start-up, the menu through a game's life, what the
// well and the displays show tick by tick, and the windows it opens.
#include "MainWindow.h"
#include "FakeDialogServices.h"
#include "Geometry.h"
#include "GraphicsFiles.h"
#include "ModalAnswers.h"
#include "ObjectNames.h"
#include "SchemeDialog.h"
#include "ScriptedRandom.h"
#include "Surface.h"
#include "TestFiles.h"
#include "TestGraphics.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSessionManager>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace brixolan;
using namespace brixolan::fakes;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeDialogServices dialogs;
    ScriptedRandom random{{0.0}};
    FixedClock clock;
    std::unique_ptr<MainWindow> window;

    void SetUp() override { writeTestGraphics(dir.path()); }
    void TearDown() override {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget != window.get() && qobject_cast<QDialog*>(widget))
                widget->close();
        window.reset();
    }

    bool start(QSize screen = QSize(1024, 768)) {
        window = std::make_unique<MainWindow>(ProgramFolder(dir.path()), dialogs, random, clock);
        try {
            window->startUp(screen);
        } catch (const ProgramEnded&) {
            return false;
        }
        window->show();
        window->activate();
        return true;
    }
    template <typename T = QWidget> T* find(const char* name) {
        return window->findChild<T*>(QLatin1String(name));
    }
    void trigger(const char* action) { find<QAction>(action)->trigger(); }
    /// The menu, the timer and the four displays as digits (points level lines high), e.g.
    /// "Spiel starten|ss|zrtz 000000000 00 000 0".
    QString menuAndDisplays() {
        QString seen =
            find<QAction>(object_name::NewGameItem)->text() +
            (find<QAction>(object_name::QuickStartItem)->isEnabled() ? "|ss" : "") +
            (find<QMenu>(object_name::OptionsMenu)->menuAction()->isEnabled() ? "|zrtz" : "") +
            (find<QTimer>(object_name::GameTimer)->isActive() ? "|timer" : "");
        for (const char* name : {"Picture2", "Picture3", "Picture5", "Picture6"}) {
            const Surface* surface = find<Surface>(name);
            seen += ' ';
            for (int x = 12; x < surface->surfaceSize().width(); x += 25)
                for (int digit = 0; digit < 10; ++digit)
                    if (surface->image().pixelColor(x, 21) == digitColor(digit))
                        seen += QString::number(digit);
        }
        return seen;
    }
    QList<QDialog*> shown(const char* name) {
        QList<QDialog*> windows;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == QLatin1String(name) && widget->isVisible())
                windows << qobject_cast<QDialog*>(widget);
        return windows;
    }
    QDialog* openWindow(const char* name) { return shown(name).value(0); }
    void key(int qtKey, bool press, bool autoRepeat = false, QWidget* to = nullptr,
             quint64 time = 0) {
        QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, qtKey, Qt::NoModifier,
                        QString(), autoRepeat);
        event.setTimestamp(time);
        QApplication::sendEvent(to ? to : find("Picture1"), &event);
    }
    /// The well as it reached the screen, written as the engine writes it: '.' black, a tile's
    /// letter, '?' else.
    std::string shownWell() {
        QApplication::processEvents(); // the window puts its changes on the screen
        const QImage screen = window->screen()->grabWindow(window->winId()).toImage();
        const auto* well = find<Surface>("Picture1");
        std::string text;
        for (int row = 0; row < WellRows; ++row, text += '\n')
            for (int column = 0; column < WellColumns; ++column) {
                const QRect shown = well->shownRect(QRect(25 * column, 25 * row, 25, 25));
                const QColor colour = screen.pixelColor(well->mapTo(window.get(), shown.center()));
                char cell = colour == Qt::black ? '.' : '?';
                for (const StoneKind& kind : StoneKinds)
                    if (colour == stoneColor(kind.code))
                        cell = kind.letter;
                text += cell;
            }
        return text;
    }
    int whiteAcrossTheMiddle() {
        const QImage well = find<Surface>("Picture1")->image();
        int white = 0;
        for (int x = 0; x < well.width(); ++x)
            white += well.pixelColor(x, well.height() / 2) == Qt::white;
        return white;
    }
    /// Presses the key and runs up to `ticks` ticks of the game with it held.
    void holdFor(int qtKey, int ticks) {
        key(qtKey, true);
        for (int tick = 0; tick < ticks && window->game().running(); ++tick)
            window->tick();
    }
    /// Starts a quick game and plays up to `ticks` ticks with each arrow and Space held in turn,
    /// the well on the screen compared with the engine's before every tick.
    void playComparingTheWell(int ticks) {
        trigger(object_name::QuickStartItem);
        const int keys[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Space};
        for (int tick = 0; tick < ticks && window->game().running(); ++tick) {
            ASSERT_EQ(shownWell(), wellText(window->game().picture())) << "tick " << tick;
            if (tick % 7 == 0 || tick % 7 == 6) // each key held for a few ticks
                key(keys[tick / 7 % 5], tick % 7 == 0);
            window->tick();
        }
    }
    /// Holds Space until the game ends by stacking stones; false if it never does.
    bool playToGameOver() {
        holdFor(Qt::Key_Space, 20000);
        key(Qt::Key_Space, false);
        return !window->game().running();
    }
};

TEST_F(MainWindowTest, startsIdleOnScreensFrom800x600) {
    EXPECT_FALSE(start({799, 600}));
    EXPECT_FALSE(start({800, 599}));
    ASSERT_TRUE(start({800, 600}));
    EXPECT_EQ(dialogs.messages.size(), 2u); // one for each screen too small
    EXPECT_EQ(menuAndDisplays(), "Spiel starten|ss|zrtz 000000000 00 000 0");
    // The captions keep their 24 points (narrowed to fit their boxes: the fit is checked with
    // the stones of every size).
    for (const char* name : {"Label2", "Label3", "Label4", "Label5", "Label6"})
        EXPECT_EQ(find<QLabel>(name)->font().pointSizeF(), 24.0) << name;
}

TEST_F(MainWindowTest, menuAndTimerFollowTheGameFromDialogToGameOver) {
    ASSERT_TRUE(start());
    trigger(object_name::NewGameItem);
    QDialog* dialog = openWindow(object_name::NewGameWindow);
    ASSERT_TRUE(dialog && dialog->isModal());
    // The quick start is off while the dialog is open.
    EXPECT_EQ(menuAndDisplays(), "Spiel starten|zrtz 000000000 00 000 0");
    dialog->findChild<QPushButton*>("Command1")->click(); // Abbrechen
    trigger(object_name::NewGameItem);
    dialog = openWindow(object_name::NewGameWindow);
    dialog->findChild<QScrollBar*>("HScroll1")->setValue(9);
    dialog->findChild<QScrollBar*>("HScroll2")->setValue(3);
    dialog->findChild<QPushButton*>("Command2")->click();            // Starten
    EXPECT_EQ(find<QTimer>(object_name::GameTimer)->interval(), 50); // the game's tick
    window->tick();
    EXPECT_EQ(menuAndDisplays(), "Spiel abbrechen|timer 000004500 09 000 3");
    trigger(object_name::NewGameItem); // abort
    EXPECT_EQ(menuAndDisplays(), "Spiel starten|ss|zrtz 000000000 00 000 0");
    trigger(object_name::QuickStartItem); // repeats the dialog's choice
    window->tick();
    EXPECT_EQ(menuAndDisplays(), "Spiel abbrechen|timer 000004500 09 000 3");
    EXPECT_EQ(whiteAcrossTheMiddle(), 0); // "Kein Spiel" is gone
    ASSERT_TRUE(playToGameOver());
    EXPECT_EQ(menuAndDisplays(), "Spiel starten|ss|zrtz 000000000 00 000 0");
}

// Every tick the screen shows exactly the engine's well and falling stone: the window puts
// only changed cells on the screen, and none may be missed.
TEST_F(MainWindowTest, theWellOnScreenIsTheGameTickByTick) {
    random = ScriptedRandom({0.1, 0.7, 0.3, 0.9, 0.5, 0.2, 0.6});
    ASSERT_TRUE(start());
    playComparingTheWell(20000);
    // "Game Over" alone, also the proof that the game ended.
    EXPECT_EQ(shownWell().find_first_not_of(".?\n"), std::string::npos);
}

// New bitmaps (a scheme applied) reach every cell shown, also the cells the screen would not
// draw again because the game did not change them; an idle well keeps its text.
TEST_F(MainWindowTest, newBitmapsRedrawTheWholeWell) {
    ASSERT_TRUE(start());
    const auto load = [this](const QColor& stones) { // invalid: each stone its test colour
        for (const GraphicsFile& file : GraphicsFiles)
            if (file.kind == GraphicKind::Stone)
                writeSolidBitmap(dir.path() + '/' + file.path, {25, 25},
                                 stones.isValid() ? stones : stoneColor(file.element));
        trigger(object_name::StoneSchemeItem); // the window reloads when a scheme is applied
        auto* scheme = qobject_cast<SchemeDialog*>(openWindow(object_name::StoneSchemeWindow));
        emit scheme->applied();
        scheme->close();
    };
    load(QColor(200, 100, 50));           // the cells of the game below are drawn in it
    EXPECT_GT(whiteAcrossTheMiddle(), 3); // "Kein Spiel"
    trigger(object_name::QuickStartItem);
    holdFor(Qt::Key_Space, 40);
    load(QColor());
    const std::string shown = shownWell(); // the timer may tick meanwhile
    EXPECT_EQ(shown, wellText(window->game().picture()));
    trigger("hgfghf"); // the digits' scheme opens from the menu as the stones' does
    EXPECT_TRUE(openWindow(object_name::DigitSchemeWindow));
}

// X11 repeats a held key as release and press pairs; only a real release lets go, or the
// keyboard going elsewhere (a menu, another program), which then gets the release.
TEST_F(MainWindowTest, aHeldArrowMovesEveryTickUntilReallyReleased) {
    ASSERT_TRUE(start());
    trigger(object_name::QuickStartItem);
    const auto columnAfterATick = [this] {
        window->tick();
        return window->game().state().SteinX[0];
    };
    const int entry = columnAfterATick();
    holdFor(Qt::Key_Left, 1);
    key(Qt::Key_Left, false, true); // a tick can come between the two halves of a repeat
    window->tick();
    key(Qt::Key_Left, true, true);
    key(Qt::Key_Left, false);
    EXPECT_EQ(columnAfterATick(), entry - 2);
    holdFor(Qt::Key_Left, 1);
    QFocusEvent away(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(find("Picture1"), &away);
    EXPECT_EQ(columnAfterATick(), entry - 3);
    // Fast keys reach a window just closed, such as the menu Return chose from: there a press
    // holds nothing, also if the key went down there before, and its repeats act in the well.
    // Nothing acts in the closed window.
    QLineEdit closed;
    closed.show();
    key(Qt::Key_Right, true, false, &closed);
    key(Qt::Key_Left, true, false, &closed);
    closed.hide();
    key(Qt::Key_Right, true, false, &closed);
    key(Qt::Key_Right, true, true);
    EXPECT_EQ(columnAfterATick(), entry - 2);
    QTest::keyClick(&closed, Qt::Key_X);
    EXPECT_EQ(closed.text(), QString());
    // Left went down in the window before it closed, and repeats as X11 sends it when busy: a
    // release for the closed window, a press of the same time for the well. Not for the game.
    key(Qt::Key_Right, false);
    key(Qt::Key_Left, false, false, &closed, 9);
    key(Qt::Key_Left, true, false, nullptr, 9);
    EXPECT_EQ(columnAfterATick(), entry - 2);
}

// Closing one of our windows hands the activation back, and the game goes on: only "Starten"
// and the quick start start one. While the window is open it stays in front of the main window,
// also when a compositor raises and activates the blocked main window.
TEST_F(MainWindowTest, aWindowFromTheMenuStaysInFrontAndTheGameGoesOn) {
    ASSERT_TRUE(start());
    trigger(object_name::QuickStartItem);
    holdFor(Qt::Key_Down, 10);
    const int row = window->game().state().SteinY[0];
    ASSERT_GT(row, 0);
    trigger("dgfds");
    QDialog* about = openWindow(object_name::AboutWindow);
    // Down went down in the well: its repeats, as X11 sends them when busy (a release and a
    // press of one time), are withheld from the new window, and so is its release.
    struct : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            count += event->type() == QEvent::KeyRelease || event->type() == QEvent::KeyPress;
            return false;
        }
    } keys;
    about->installEventFilter(&keys);
    key(Qt::Key_Down, false, false, about, 7);
    key(Qt::Key_Down, true, false, about, 7);
    key(Qt::Key_Down, false, false, about, 8);
    EXPECT_EQ(keys.count, 0);
    QApplication::setActiveWindow(window.get());
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), about);
    about->close();
    window->tick(); // a restart would bring a new stone in at the top
    EXPECT_GE(window->game().state().SteinY[0], row);
    // Closing the main window closes an open window on the way: the game stays stopped.
    trigger("dgfds");
    window->close();
    EXPECT_FALSE(find<QTimer>(object_name::GameTimer)->isActive());
}

// After a cancelled name the table stays open beside a usable window. It is the only one:
// the menu brings it to the front, and a new game's table replaces it after it has saved.
// The desktop's session end closes it and the main window as the close box does.
TEST_F(MainWindowTest, thereIsOneHighscoreWindowAndNoEntryIsLost) {
    QByteArray lowScores;
    for (int place = 8; place >= 1; --place)
        lowScores += "Alt\r\n" + QByteArray::number(place) + "\r\n";
    putFile(dir.path() + "/score.sre", lowScores);
    ASSERT_TRUE(start());
    trigger(object_name::QuickStartItem);
    trigger("Highscore"); // a look during the game keeps the game's entry
    openWindow(object_name::HighscoreWindow)->close();
    ASSERT_TRUE(playToGameOver()); // no name
    EXPECT_EQ(dialogs.inputs.size(), 1);
    QDialog* first = openWindow(object_name::HighscoreWindow);
    ASSERT_TRUE(first && !first->isModal());
    // On this screen there is no room beside the main window: it hides least of the well.
    EXPECT_EQ(first->frameGeometry().right(), window->screen()->availableGeometry().right());
    // Another copy saves meanwhile: brought to the front, the table shows the file.
    putFile(dir.path() + "/score.sre", "Andere\r\n9\r\n" + lowScores.chopped(8));
    trigger("Highscore");
    EXPECT_EQ(shown(object_name::HighscoreWindow), QList<QDialog*>{first});
    EXPECT_EQ(first->findChild<QLabel*>("NameNN_1")->text(), "Andere");
    dialogs.inputAnswers = {QStringLiteral("Zweiter")};
    trigger(object_name::QuickStartItem);
    ASSERT_TRUE(playToGameOver());
    ASSERT_EQ(shown(object_name::HighscoreWindow).size(), 1);
    QSessionManager* session = qApp->findChild<QSessionManager*>();
    ASSERT_TRUE(session);
    emit qApp->commitDataRequest(*session);
    EXPECT_EQ(shown(object_name::HighscoreWindow).size() + window->isVisible(), 0);
    EXPECT_TRUE(bytesOf(dir.path() + "/score.sre").startsWith("Zweiter\r\n"));
}

TEST_F(MainWindowTest, theRepairLoopAsksForStonesThenDigits) {
    writeSchemeSources(dir.path());
    QFile::remove(dir.path() + "/Grafiken/SteinA.bmp");
    QFile::remove(dir.path() + "/Grafiken/0.bmp");
    QStringList asked;
    const auto apply = [&asked](QWidget* dialog) {
        asked << dialog->objectName(); // "Schema auswählen" or "Übernehmen"
        const bool stones = dialog->objectName() == object_name::StoneSchemeWindow;
        dialog->findChild<QPushButton*>(stones ? "Command1" : "Command2")->click();
    };
    whenModal(apply, 2);
    ASSERT_TRUE(start());
    EXPECT_EQ(asked, QStringList({object_name::StoneSchemeWindow, object_name::DigitSchemeWindow}));
}

// Larger stone bitmaps make a larger well. Where the window would not fit the screen, all of
// it is shown smaller in proportion, in whole pixels a cell, and the well is still the game's.
TEST_F(MainWindowTest, stonesTooLargeForTheScreenShowTheWholeWindowInProportion) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_EQ(area.size(), QSize(800, 600));
    for (const int side : {25, 30, 60, 168, 200}) {
        SCOPED_TRACE(side);
        for (const GraphicsFile& file : GraphicsFiles)
            if (file.kind == GraphicKind::Stone)
                writeSolidBitmap(dir.path() + '/' + file.path, {side, side},
                                 stoneColor(file.element));
        ASSERT_TRUE(start());
        // It fits the screen and leaves room for the title bar a window manager adds, unknown
        // before it is shown.
        const QSize decorated = window->size() + MainWindow::AssumedDecoration;
        EXPECT_TRUE(decorated.boundedTo(area.size()) == decorated);
        // The pixels of one cell, and of ten in a row: whole pixels, the same in every cell.
        const int cell = find<Surface>("Picture1")->shownRect(QRect(0, 0, 25, 25)).width();
        for (const Surface* surface : window->findChildren<Surface*>()) { // Picture1 to 6
            EXPECT_EQ(surface->shownRect(QRect(0, 0, 250, 25)).width(), 10 * cell)
                << surface->objectName().toStdString();
            // Inside the window: the well's frame holds Picture1, the right column beside it the
            // others, so a frame or a column out of its place shows here.
            EXPECT_TRUE(window->rect().contains(
                QRect(surface->mapTo(window.get(), QPoint()), surface->size())));
        }
        // The captions stand inside the window, narrowed to fit their boxes.
        for (const char* name : {"Label2", "Label3", "Label4", "Label5", "Label6"}) {
            const QLabel* caption = find<QLabel>(name);
            EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->width());
            EXPECT_TRUE(window->rect().contains(
                QRect(caption->mapTo(window.get(), QPoint()), caption->size())))
                << name;
        }
        playComparingTheWell(60);
    }
}

// Tiles set the surfaces' sizes: 4000-pixel stones asked for a well of 40000 x 80000 pixels
// (12.8 GB), now held to 4096 a side; 1-pixel tiles give a well of 10 x 20 pixels, in which
// the 25-pixel cells fall outside. Either way the game runs.
TEST_F(MainWindowTest, tinyAndHugeTilesStartAGameOnBoundedSurfaces) {
    random = ScriptedRandom({0.1, 0.5, 0.9, 0.3, 0.7});
    for (const auto& [side, well] : {std::pair{1, QSize(10, 20)}, {4000, QSize(4096, 4096)}}) {
        for (const char* name : {"Grafiken/SteinA.bmp", "Grafiken/0.bmp"})
            writeSolidBitmap(dir.filePath(name), QSize(side, side), Qt::cyan);
        ASSERT_TRUE(start());
        EXPECT_EQ(find<Surface>("Picture1")->surfaceSize(), well);
        EXPECT_EQ(find<Surface>("Picture2")->image().pixelColor(0, 0), QColor(Qt::cyan));
        trigger(object_name::QuickStartItem);
        for (int n = 0; n < (side == 1 ? 20000 : 100) && window->game().running(); ++n)
            window->tick();
        EXPECT_EQ(window->game().state().GameOver, side == 1);
    }
}

// The table after a cancelled name stands beside the main window: right, else left, else at
// the screen's right edge, where it hides least of the well.
TEST(Placement, aWindowStandsBesideTheMainWindowWhereTheScreenHasRoom) {
    const QRect main(600, 100, 510, 540);
    for (const auto& [area, expected] : {std::pair{QRect(0, 0, 1600, 900), QPoint(1110, 100)},
                                         {QRect(0, 0, 1200, 900), QPoint(193, 100)},
                                         {QRect(500, 0, 800, 500), QPoint(893, 50)}})
        EXPECT_EQ(besidePosition(main, QSize(407, 450), area), expected) << area.width();
    EXPECT_EQ(twipsRect(7, 8, 22, 23), QRect(0, 1, 1, 2)); // 15 twips a pixel, to the nearest
}

// Without an uninstall script beside the files (a build tree) there is nothing to remove; with
// one, the player is asked first and "Nein", the preselected answer, starts nothing.
TEST_F(MainWindowTest, aMissingInfoFileIsReportedAndUninstallingAsksFirst) {
    ASSERT_TRUE(start());
    trigger("infodat");
    trigger("deinstall");
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("info.txt"));
    EXPECT_TRUE(dialogs.messages[1].text.contains("nicht installiert"));
    const QString script = dir.filePath("uninstall");
    putFile(script, "#!/bin/sh\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    trigger("deinstall");
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.startedPrograms.isEmpty() && window->isVisible());
    dialogs.questionAnswers = {true};
    trigger("deinstall");
    EXPECT_EQ(dialogs.startedPrograms, QStringList{script});
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

// On a screen with two device pixels per logical pixel a bitmap's pixel becomes a block of
// 2 x 2, never blended. A window moved there from a plain screen gets images made for it, once,
// and everything shown is drawn on them again: the well's text, a game's cells, the displays
// and the preview.
TEST_F(MainWindowTest, onAScreenOfAnotherPixelRatioAllIsDrawnAgainByWholePixels) {
    const QList<QScreen*> screens = QApplication::screens();
    if (screens.size() < 2 || screens[1]->devicePixelRatio() != 2)
        GTEST_SKIP() << "needs a second screen with two device pixels per logical pixel";
    QImage stone(25, 25, QImage::Format_RGB888);
    stone.fill(Qt::red);
    for (int pixel = 0; pixel < 25 * 25; pixel += 2) // a checkerboard: 25 is odd
        stone.setPixelColor(pixel % 25, pixel / 25, Qt::blue);
    for (const char* letter : {"A", "B", "C", "D", "E", "F", "G"})
        stone.save(dir.path() + "/Grafiken/Stein" + letter + ".bmp", "BMP");
    ASSERT_TRUE(start());
    const auto moveTo = [this](const QScreen* screen) {
        window->move(screen->geometry().topLeft() + QPoint(20, 20));
        QApplication::processEvents();
        window->repaint();
    };
    moveTo(screens[1]);
    EXPECT_GT(whiteAcrossTheMiddle(), 6); // "Kein Spiel"

    moveTo(screens[0]);
    trigger(object_name::QuickStartItem);
    find<QTimer>(object_name::GameTimer)->stop(); // the ticks come from here
    holdFor(Qt::Key_Space, 60);
    QList<QImage> doubled; // each pixel shown here as a block of 2 x 2
    for (Surface* surface : window->findChildren<Surface*>())
        doubled << surface->grab().toImage().scaled(surface->size() * 2);
    moveTo(screens[1]);
    const qint64 made = find<Surface>("Picture1")->image().cacheKey();
    for (Surface* surface : window->findChildren<Surface*>()) {
        const std::string name = surface->objectName().toStdString();
        EXPECT_EQ(surface->image().devicePixelRatio(), 2) << name;
        EXPECT_EQ(surface->grab().toImage(), doubled.takeFirst()) << name;
    }
    EXPECT_EQ(find<Surface>("Picture1")->image().cacheKey(), made) << "made anew at every paint";
}

} // namespace

#include "FakeDialogServices.h"
#include "KeyCodes.h"
#include "MainWindow.h"
#include "ScriptedRandom.h"
#include "Surface.h"
#include "TestGraphics.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace brixolan;
using namespace brixolan::fakes;

namespace {

QWidget* openWindow(const char* name) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(name) && widget->isVisible())
            return widget;
    return nullptr;
}

void closeOpenWindows(MainWindow* keep) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != keep && widget->isVisible() && widget->objectName() != "Form4")
            widget->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool isBlack(const QColor& color) { return color == QColor(Qt::black); }

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    FakeDialogServices m_dialogs;
    ScriptedRandom m_random;
    FixedClock m_clock;
    std::unique_ptr<MainWindow> m_window;

    MainWindow& startUp(QSize screen = QSize(1024, 768)) {
        m_window = std::make_unique<MainWindow>(ProgramFolder(m_dir->path()), m_dialogs, m_random,
                                                m_clock);
        if (m_window->formLoad(screen)) {
            m_window->show();
            m_window->formActivate();
        }
        return *m_window;
    }

    QAction* action(const char* name) { return m_window->findChild<QAction*>(name); }
    QMenu* menu(const char* name) { return m_window->findChild<QMenu*>(name); }

    void expectDigits(brixolan::Display display, const QString& digits) {
        Surface* surface = m_window->surface(display);
        QCOMPARE(surface->surfaceSize(), QSize(25 * int(digits.size()), 42));
        for (int cell = 0; cell < digits.size(); ++cell)
            QCOMPARE(surface->colorAt(QPoint(25 * cell + 12, 21)),
                     digitColor(digits.at(cell).digitValue()));
    }

    void expectIdleMenu() {
        QCOMPARE(action("fgsfg")->text(), QStringLiteral("Spiel starten"));
        QVERIFY(action("ss")->isEnabled());
        QVERIFY(menu("zrtz")->menuAction()->isEnabled());
        QVERIFY(!m_window->timer().isActive());
    }

    void expectRunningMenu() {
        QCOMPARE(action("fgsfg")->text(), QStringLiteral("Spiel abbrechen"));
        QVERIFY(!action("ss")->isEnabled());
        QVERIFY(!menu("zrtz")->menuAction()->isEnabled());
        QVERIFY(m_window->timer().isActive());
        QCOMPARE(m_window->timer().interval(), 50);
    }

    /// The well on screen equals the engine's well and falling stone, cell by cell.
    void expectWellMatchesGame() {
        const GameState& state = m_window->game().state();
        std::array<std::array<int, WellColumns>, WellRows> expected{};
        for (int row = 0; row < WellRows; ++row)
            for (int column = 0; column < WellColumns; ++column)
                expected[row][column] = state.Spielfeld[row][column];
        if (m_window->game().stoneInPlay())
            for (int k = 0; k < 4; ++k)
                if (state.SteinY[k] >= 0 && state.SteinY[k] < WellRows)
                    expected[state.SteinY[k]][state.SteinX[k]] = state.SteinTyp;
        for (int row = 0; row < WellRows; ++row)
            for (int column = 0; column < WellColumns; ++column) {
                const QColor shown = m_window->well()->colorAt(QPoint(25 * column + 12, 25 * row + 12));
                const int code = expected[row][column];
                if (code == 0)
                    QVERIFY2(isBlack(shown), qPrintable(QStringLiteral("cell %1,%2").arg(row).arg(column)));
                else
                    QVERIFY2(shown == stoneColor(code), qPrintable(QStringLiteral("cell %1,%2").arg(row).arg(column)));
            }
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        writeTestGraphics(m_dir->path());
        m_dialogs = FakeDialogServices();
        m_random = ScriptedRandom({0.0});
    }

    void cleanup() {
        closeOpenWindows(m_window.get());
        m_window.reset();
    }

    void startUpShowsZeroDisplaysAndKeinSpielCentred() {
        startUp();
        QCOMPARE(m_window->well()->surfaceSize(), QSize(250, 500));
        expectDigits(brixolan::Display::Points, QStringLiteral("000000000"));
        expectDigits(brixolan::Display::Level, QStringLiteral("00"));
        expectDigits(brixolan::Display::Lines, QStringLiteral("000"));
        expectDigits(brixolan::Display::High, QStringLiteral("0"));
        expectIdleMenu();

        // The white text sits in the middle of the black well.
        const QImage& image = m_window->well()->image();
        QRect text;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) > 128)
                    text |= QRect(x, y, 1, 1);
        QVERIFY(!text.isEmpty());
        const qreal ratio = image.devicePixelRatio();
        QVERIFY(qAbs(text.center().x() / ratio - 125) <= 3);
        QVERIFY(qAbs(text.center().y() / ratio - 250) <= 8);
        QVERIFY(text.width() / ratio > 60);
        QVERIFY(m_dialogs.messages.empty());
    }

    void screenCheckPassesAt800x600AndEndsBelow() {
        QVERIFY(startUp(QSize(800, 600)).isVisible());
        cleanup();
        init();
        startUp(QSize(799, 600));
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_dialogs.endRequests, 1);
        QCOMPARE(m_dialogs.messages.size(), std::size_t(1));
        QCOMPARE(m_dialogs.messages[0].title, QStringLiteral("Fehler !"));
        QVERIFY(m_dialogs.messages[0].text.startsWith(
            QStringLiteral("Sie besitzen leider nicht die nötige Auflösung")));
        cleanup();
        init();
        startUp(QSize(800, 599));
        QCOMPARE(m_dialogs.endRequests, 1);
    }

    void drawPadsWithZerosAndCutsLongTexts() {
        startUp();
        m_window->draw(QStringLiteral("42"), brixolan::Display::Lines, 3);
        expectDigits(brixolan::Display::Lines, QStringLiteral("042"));
        m_window->draw(QStringLiteral("1234"), brixolan::Display::Lines, 3);
        expectDigits(brixolan::Display::Lines, QStringLiteral("123"));
        m_window->draw(QStringLiteral("987654321"), brixolan::Display::Points, 9);
        expectDigits(brixolan::Display::Points, QStringLiteral("987654321"));
    }

    void previewShowsTheNextStoneInItsEntryShape() {
        startUp();
        m_window->drawStein(1); // the bar: one row of four
        Surface* preview = m_window->preview();
        QCOMPARE(preview->surfaceSize(), QSize(100, 50));
        for (int column = 0; column < 4; ++column) {
            QCOMPARE(preview->colorAt(QPoint(25 * column + 12, 12)), stoneColor(13));
            QVERIFY(isBlack(preview->colorAt(QPoint(25 * column + 12, 37))));
        }
        m_window->clearPreview();
        m_window->drawStein(7); // no such kind: nothing drawn
        QVERIFY(isBlack(preview->colorAt(QPoint(12, 12))));
    }

    void quickStartRunsAndAbortReturnsToIdle() {
        startUp();
        action("ss")->trigger();
        expectRunningMenu();
        m_window->runTick();
        expectWellMatchesGame();
        QCOMPARE(m_window->well()->colorAt(QPoint(5 * 25 + 12, 12)), stoneColor(2));

        action("fgsfg")->trigger();
        expectIdleMenu();
        expectDigits(brixolan::Display::Points, QStringLiteral("000000000"));
        expectDigits(brixolan::Display::High, QStringLiteral("0"));
        QVERIFY(isBlack(m_window->preview()->colorAt(QPoint(12, 12))));
        QVERIFY(!m_window->game().state().Spiel);
    }

    void newGameDialogValuesReachTheGame() {
        startUp();
        action("fgsfg")->trigger();
        QVERIFY(!action("ss")->isEnabled());
        QWidget* dialog = openWindow("Form1");
        QVERIFY(dialog);
        QVERIFY(!m_window->isEnabled());
        dialog->findChild<QScrollBar*>("HScroll1")->setValue(5);
        dialog->findChild<QScrollBar*>("HScroll2")->setValue(3);
        dialog->findChild<QPushButton*>("Command2")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QVERIFY(m_window->isEnabled());
        expectRunningMenu();
        const GameState& state = m_window->game().state();
        QCOMPARE(state.Level, 5);
        QCOMPARE(state.DefaultLevel, 5);
        QCOMPARE(state.High, 3);
        QCOMPARE(state.Punkte, std::int64_t(4500));
        expectDigits(brixolan::Display::Level, QStringLiteral("05"));
        expectDigits(brixolan::Display::High, QStringLiteral("3"));
        m_window->runTick();
        expectDigits(brixolan::Display::Points, QStringLiteral("000004500"));
        expectWellMatchesGame();

        // Quick start repeats the dialog's choice.
        action("fgsfg")->trigger();
        action("ss")->trigger();
        QCOMPARE(m_window->game().state().Level, 5);
        QCOMPARE(m_window->game().state().Punkte, std::int64_t(4500));
    }

    void cancellingTheDialogLeavesQuickStartDisabled() {
        startUp();
        action("fgsfg")->trigger();
        QWidget* dialog = openWindow("Form1");
        QVERIFY(dialog);
        dialog->findChild<QPushButton*>("Command1")->click();
        QVERIFY(m_window->isEnabled());
        QVERIFY(!action("ss")->isEnabled());
        QCOMPARE(action("fgsfg")->text(), QStringLiteral("Spiel starten"));
        QVERIFY(!m_window->timer().isActive());
    }

    void keysFollowTheKeyboardAndIgnoreAutoRepeatedReleases() {
        startUp();
        action("ss")->trigger();
        Surface* well = m_window->well();
        QTest::keyPress(well, Qt::Key_Right);
        QCOMPARE(m_window->game().state().Tasten[39], 1);
        QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(well, &repeatRelease);
        QCOMPARE(m_window->game().state().Tasten[39], 1);
        QTest::keyRelease(well, Qt::Key_Right);
        QCOMPARE(m_window->game().state().Tasten[39], 0);
        QTest::keyPress(well, Qt::Key_Control);
        QCOMPARE(m_window->game().state().Tasten[17], 1);
    }

    void keyCodesAreTheClassicOnes() {
        QCOMPARE(virtualKeyCode(Qt::Key_Space), 32);
        QCOMPARE(virtualKeyCode(Qt::Key_Control), 17);
        QCOMPARE(virtualKeyCode(Qt::Key_Left), 37);
        QCOMPARE(virtualKeyCode(Qt::Key_Up), 38);
        QCOMPARE(virtualKeyCode(Qt::Key_Right), 39);
        QCOMPARE(virtualKeyCode(Qt::Key_Down), 40);
        QCOMPARE(virtualKeyCode(Qt::Key_A), 65);
        QCOMPARE(virtualKeyCode(Qt::Key_Z), 90);
        QCOMPARE(virtualKeyCode(Qt::Key_0), 48);
        QCOMPARE(virtualKeyCode(Qt::Key_9), 57);
        QCOMPARE(virtualKeyCode(Qt::Key_Adiaeresis), -1);
    }

    void keysInEveryStateDoNoHarm() {
        // Before start-up, with no game, and after game over.
        m_window = std::make_unique<MainWindow>(ProgramFolder(m_dir->path()), m_dialogs, m_random,
                                                m_clock);
        QTest::keyPress(m_window->well(), Qt::Key_Space);
        QTest::keyRelease(m_window->well(), Qt::Key_Space);
        QVERIFY(m_window->formLoad(QSize(1024, 768)));
        m_window->show();
        QTest::keyPress(m_window->well(), Qt::Key_Down);
        m_window->runTick();
        QVERIFY(!m_window->timer().isActive());
        QCOMPARE(m_window->game().state().Punkte, std::int64_t(0));
    }

    void switchingApplicationsDoesNotRestartTheGame() {
        startUp();
        action("ss")->trigger();
        for (int n = 0; n < 15; ++n)
            m_window->runTick();
        const std::string before = m_window->game().wellText();
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(m_window.get(), &activate);
        QCOMPARE(m_window->game().wellText(), before);
        QVERIFY(m_window->game().stoneInPlay());
    }

    void closingTheAboutWindowDuringAGameRestartsIt() {
        startUp();
        action("ss")->trigger();
        for (int n = 0; n < 15; ++n)
            m_window->runTick();
        QVERIFY(m_window->game().stoneInPlay());
        action("dgfds")->trigger();
        QVERIFY(!m_window->isEnabled());
        QWidget* about = openWindow("Form3");
        QVERIFY(about);
        about->findChild<QPushButton*>("Command1")->click();
        QVERIFY(m_window->isEnabled());
        QVERIFY(!m_window->game().stoneInPlay()); // a fresh start waits for its first stone
        QVERIFY(m_window->timer().isActive());
    }

    void aWholeGameByKeysEndsInTheHighscoreTable() {
        startUp();
        m_dialogs.inputAnswers.push_back(QStringLiteral("Tester"));
        action("ss")->trigger();
        int ticks = 0;
        while (m_window->timer().isActive() && ticks < 5000) {
            // Hold space: the square piles up in the middle until the well is full.
            QTest::keyPress(m_window->well(), Qt::Key_Space);
            m_window->runTick();
            ++ticks;
            if (m_window->timer().isActive())
                expectWellMatchesGame();
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY(!m_window->timer().isActive());
        QCOMPARE(action("fgsfg")->text(), QStringLiteral("Spiel starten"));
        expectDigits(brixolan::Display::Points, QStringLiteral("000000000"));
        QVERIFY(!m_window->isEnabled());
        QWidget* highscore = openWindow("Form2");
        QVERIFY(highscore);
        const std::int64_t score = m_window->game().state().PunkteInList;
        QVERIFY(score > 0);

        highscore->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_window->isEnabled());
        expectIdleMenu();
        QVERIFY(!m_window->game().state().Spiel);
        QFile file(m_dir->path() + QStringLiteral("/score.sre"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        // A small score reaches no place against the initial table; the table is written all the same.
        QVERIFY(content.startsWith("NoBody\r\n200000\r\n"));
        QCOMPARE(content.count("\r\n"), 16);
    }

    void gameOverOfferedScoreGoesIntoTheFile() {
        startUp();
        m_dialogs.inputAnswers.push_back(QStringLiteral("Jürgen"));
        action("ss")->trigger();
        m_window->runTick();
        // A big score for this game, then a well whose next stone ends it.
        m_window->game().state().SteinPunkte = 150000;
        // Full up to row 2 but for the last column, so no row is ever complete.
        for (int column = 0; column + 1 < WellColumns; ++column)
            for (int row = 2; row < WellRows; ++row)
                m_window->game().state().Spielfeld[row][column] = 1;
        QTest::keyPress(m_window->well(), Qt::Key_Space);
        for (int n = 0; n < 200 && m_window->timer().isActive(); ++n)
            m_window->runTick();
        QVERIFY(!m_window->timer().isActive());
        QWidget* highscore = openWindow("Form2");
        QVERIFY(highscore);
        QCOMPARE(m_dialogs.inputs.size(), std::size_t(1));
        QVERIFY(m_dialogs.inputs[0].prompt.contains(QStringLiteral("Platz 4 ")));
        highscore->close();
        QFile file(m_dir->path() + QStringLiteral("/score.sre"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.at(6), QByteArray("J\xFCrgen\r"));
    }

    /// Answers the scheme dialogs that start-up opens, in order, and records which came.
    QStringList repairStartUp(int answers) {
        for (int n = 1; n <= 7; ++n)
            writeSolidBitmap(m_dir->path() + QStringLiteral("/scr/%1.bmp").arg(n), QSize(25, 25),
                             stoneColor(n));
        for (int d = 0; d < 10; ++d)
            for (const char* set : {"old", "new"})
                writeSolidBitmap(m_dir->path() + QStringLiteral("/scr/%1/%2.bmp").arg(set).arg(d),
                                 QSize(25, 42), digitColor(d));
        QStringList seen;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (QWidget* stones = openWindow("Form6"); stones && stones->isEnabled()) {
                seen << QStringLiteral("Form6");
                stones->findChild<QPushButton*>("Command1")->click();
            } else if (QWidget* digits = openWindow("Form5"); digits && digits->isEnabled()) {
                seen << QStringLiteral("Form5");
                QVERIFY(!digits->findChild<QPushButton*>("Command3")->isEnabled());
                digits->findChild<QPushButton*>("Command2")->click();
            }
            if (seen.size() >= answers)
                answer.stop();
        });
        answer.start(10);
        startUp();
        return seen;
    }

    void startUpRepairsMissingStonesFirstThenDigits() {
        QFile::remove(m_dir->path() + QStringLiteral("/Grafiken/SteinA.bmp"));
        QFile::remove(m_dir->path() + QStringLiteral("/Grafiken/0.bmp"));
        QCOMPARE(repairStartUp(2), QStringList({QStringLiteral("Form6"), QStringLiteral("Form5")}));
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_window->well()->surfaceSize(), QSize(250, 500));
        // The digits came from the new set with the default colour, pure red: unchanged here.
        expectDigits(brixolan::Display::Points, QStringLiteral("000000000"));
        QVERIFY(QFile::exists(m_dir->path() + QStringLiteral("/Brixolan.dat")));
    }

    void startUpWithOneDigitMissingOpensTheFontDialog() {
        QFile::remove(m_dir->path() + QStringLiteral("/Grafiken/5.bmp"));
        QCOMPARE(repairStartUp(1), QStringList({QStringLiteral("Form5")}));
        QVERIFY(m_window->isVisible());
        QVERIFY(QFile::exists(m_dir->path() + QStringLiteral("/Grafiken/5.bmp")));
    }

    void infoFileAndUninstallerFailuresAreReportedAndTheGameGoesOn() {
        startUp();
        action("infodat")->trigger();
        QCOMPARE(m_dialogs.messages.size(), std::size_t(1)); // no info.txt in the folder
        QFile info(m_dir->path() + QStringLiteral("/info.txt"));
        QVERIFY(info.open(QIODevice::WriteOnly));
        info.close();
        action("infodat")->trigger();
        QCOMPARE(m_dialogs.openedUrls.size(), std::size_t(1));
        QVERIFY(m_dialogs.openedUrls[0].isLocalFile());
        QCOMPARE(m_dialogs.messages.size(), std::size_t(1));

        action("deinstall")->trigger();
        QCOMPARE(m_dialogs.messages.size(), std::size_t(2));
        QVERIFY(m_window->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

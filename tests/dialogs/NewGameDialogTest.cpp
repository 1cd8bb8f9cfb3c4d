#include "NewGameDialog.h"
#include "AboutWindow.h"
#include "FakeMainWindowLink.h"
#include "Game.h"
#include "NullGameView.h"
#include "ScriptedRandom.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace brixolan;
using namespace brixolan::fakes;

class NewGameDialogTest : public QObject {
    Q_OBJECT
    NullGameView m_view;
    ScriptedRandom m_random;
    FixedClock m_clock;
    std::unique_ptr<Game> m_game;
    FakeMainWindowLink m_link;
    QPointer<NewGameDialog> m_dialog;

    GameState& state() { return m_game->state(); }
    /// Level, DefaultLevel, High, Points and i as the game holds them.
    QString values() {
        const GameState& s = state();
        return QStringLiteral("%1 %2 %3 %4 %5")
            .arg(s.Level)
            .arg(s.DefaultLevel)
            .arg(s.High)
            .arg(s.Points)
            .arg(s.i);
    }
    QString label(const char* name) { return m_dialog->findChild<QLabel*>(name)->text(); }
    QScrollBar* bar(const char* name) { return m_dialog->findChild<QScrollBar*>(name); }
    void click(const char* button) { m_dialog->findChild<QPushButton*>(button)->click(); }

private slots:
    void init() {
        m_game = std::make_unique<Game>(m_view, m_random, m_clock);
        m_link = FakeMainWindowLink();
        m_link.enabled = true;
        m_dialog = new NewGameDialog(*m_game, m_link);
        m_dialog->show();
    }
    void cleanup() { delete m_dialog; }

    void untouchedBarsStartAGameAtZero() {
        QVERIFY(!m_link.enabled);
        state().Points = 1500;
        state().i = 9;
        click("Command2");
        QVERIFY(state().Spiel);
        QCOMPARE(values(), "0 0 0 0 0");
        QVERIFY(!m_dialog->isVisible() && m_link.enabled);
        QCOMPARE(m_link.returns, 1);
    }

    void pointsFollowTheReleasedHeightAloneAndReachTheGame() {
        bar("HScroll1")->setSliderDown(true);
        bar("HScroll1")->setSliderPosition(5);
        QCOMPARE(label("Label2"), "0"); // not while the thumb is dragged
        bar("HScroll1")->setSliderDown(false);
        QCOMPARE(label("Label2"), "5");
        bar("HScroll2")->setValue(6);
        QCOMPARE(label("Label6"), "9000");
        bar("HScroll1")->setValue(9);
        QCOMPARE(label("Label6"), "9000");
        bar("HScroll2")->setValue(4);
        bar("HScroll2")->setValue(0);
        QCOMPARE(label("Label6"), "0");
        bar("HScroll2")->setValue(7); // beyond the bar: stays at 6
        click("Command2");
        QCOMPARE(values(), "9 9 6 9000 0");
    }

    void cancelOrCloseBoxLeavesTheStartValues_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("Abbrechen") << true;
        QTest::newRow("close box") << false;
    }
    void cancelOrCloseBoxLeavesTheStartValues() {
        QFETCH(bool, cancel);
        m_game->acceptNewGame(4, 1, 1500);
        state().DefaultLevel = 3;
        state().i = 9;
        bar("HScroll1")->setValue(8);
        cancel ? click("Command1") : void(m_dialog->close());
        m_dialog->close(); // a second close hands back nothing more
        QCOMPARE(state().Spiel, !cancel);
        QCOMPARE(values(), "4 3 1 1500 9");
        QVERIFY(m_link.enabled);
        QCOMPARE(m_link.returns, 1);
    }

    void aboutWindowShowsTheVersionAndClosesWithOk() {
        FakeMainWindowLink link;
        QPointer<AboutWindow> about = new AboutWindow(link);
        about->show();
        QCOMPARE(about->windowTitle(), "VTQ Brixolan 1.65 Release Info");
        QCOMPARE(about->findChild<QLabel*>("Label2")->text(), "v1.65 Release");
        about->findChild<QPushButton*>("Command1")->click();
        QVERIFY(!about->isVisible());
        QCOMPARE(link.returns, 1);
        delete about;
    }
};

QTEST_MAIN(NewGameDialogTest)
#include "NewGameDialogTest.moc"

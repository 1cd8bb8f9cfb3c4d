#include "HighscoreWindow.h"
#include "FakeDialogServices.h"
#include "FakeMainWindowLink.h"
#include "Game.h"
#include "ScoreFile.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLibrary>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace brixolan;
using fakes::FakeDialogServices;
using fakes::FakeMainWindowLink;

namespace {

const QString Prompt4 = QStringLiteral("Wow ! Sie können sich auf Platz 4 in der Highscore "
                                       "eintragen ! Geben sie bitte ihren Namen ein :");

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// One opening of the window on a fresh program folder, the way the main window does it.
struct Session {
    QTemporaryDir dir;
    GameState state;
    FakeDialogServices dialogs;
    FakeMainWindowLink main;
    QPointer<HighscoreWindow> window;

    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    void writeScores(const QByteArray& bytes) const {
        QFile file(path("score.sre"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void afterGame(std::int64_t result) {
        state.Spiel = true;
        state.PunkteInList = result;
        state.HasPunkteInList = true;
    }
    HighscoreWindow* open() {
        main.enabled = false;
        window = HighscoreWindow::open(state, ProgramFolder(dir.path()), dialogs, main);
        return window;
    }
    template <typename T = QLabel> T* control(const QString& name) const {
        return window ? window->findChild<T*>(name) : nullptr;
    }
    QString text(const QString& name) const { return control(name)->text(); }
    ScoreEntry place(int n) const {
        return {text(QStringLiteral("NameNN_%1").arg(n)), text(QStringLiteral("ScorEE_%1").arg(n))};
    }
    void clickOk() {
        QTest::mouseClick(control<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

} // namespace

class HighscoreWindowTest : public QObject {
    Q_OBJECT

private slots:
    void resultRanksAboveTheBestSmallerScore_data() {
        QTest::addColumn<qint64>("result");
        QTest::addColumn<int>("place");
        QTest::newRow("beats all") << qint64(200001) << 1;
        QTest::newRow("equal to the best ranks below it") << qint64(200000) << 2;
        QTest::newRow("between 140000 and 160000") << qint64(150000) << 4;
        QTest::newRow("equal to the last beats nothing") << qint64(40000) << 0;
        QTest::newRow("zero") << qint64(0) << 0;
    }
    void resultRanksAboveTheBestSmallerScore() {
        QFETCH(qint64, result);
        QFETCH(int, place);
        Session s;
        s.afterGame(result);
        s.dialogs.inputAnswers = {QStringLiteral("Anna")};
        QVERIFY(s.open());
        QCOMPARE(s.dialogs.inputs.size(), std::size_t(place > 0 ? 1 : 0));
        if (place > 0)
            QCOMPARE(s.place(place), (ScoreEntry{"Anna", QString::number(result)}));
        QCOMPARE(s.state.Spiel, false);
        QCOMPARE(s.text("Label7"), QString::number(result));
        // Banner and button stay in their places whether a place was reached or not.
        QVERIFY(s.control("Picture1")->isVisible());
        QCOMPARE(s.control<QPushButton>("Command1")->y(), 360);
    }

    void newEntryShiftsLowerPlacesAndIsSavedThenShownFromTheMenu() {
        Session s;
        s.afterGame(150000);
        s.dialogs.inputAnswers = {QStringLiteral("Anna")};
        QVERIFY(s.open());
        QCOMPARE(s.dialogs.inputs.at(0).prompt, Prompt4);
        QCOMPARE(s.dialogs.inputs.at(0).title, QStringLiteral("Highscore"));
        QCOMPARE(s.dialogs.inputs.at(0).proposed, QStringLiteral("Default"));
        const QStringList scores = {"200000", "180000", "160000", "150000",
                                    "140000", "120000", "100000", "60000"};
        for (int n = 1; n <= ScorePlaces; ++n)
            QCOMPARE(s.place(n).score, scores.at(n - 1));
        const int tallHeight = s.window->height();
        QVERIFY(!s.main.enabled);
        s.clickOk();
        QVERIFY(s.window.isNull());
        QCOMPARE(s.main.returns, 1);

        // Opened from the menu: the saved table only, in the short window.
        s.state.Spiel = false;
        QVERIFY(s.open());
        QCOMPARE(s.place(4), (ScoreEntry{"Anna", "150000"}));
        QVERIFY(!s.control("Label6")->isVisible() && !s.control("Label7")->isVisible());
        QVERIFY(!s.control("Picture1")->isVisible());
        QCOMPARE(s.control<QPushButton>("Command1")->y(), 296);
        QVERIFY(s.window->height() < tallHeight);
    }

    void cancellingKeepsTheTableAndHidesTheBanner() {
        Session s;
        s.afterGame(190000);
        QVERIFY(s.open());
        QCOMPARE(s.dialogs.inputs.size(), std::size_t(1));
        QCOMPARE(s.place(2), (ScoreEntry{"NoBody", "180000"}));
        QCOMPARE(s.state.Spiel, false);
        QVERIFY(s.main.enabled); // at once, not only at closing
        QCOMPARE(s.main.returns, 0);
        QVERIFY(!s.control("Picture1")->isVisible());
        QCOMPARE(s.control<QPushButton>("Command1")->y(), 296);
    }

    void firstGameRunningAndNoFileShowsTheInitialTableAndCreatesIt() {
        Session s;
        s.state.Spiel = true; // opened from the menu before any game has ended
        QVERIFY(s.open());
        QCOMPARE(s.place(8), (ScoreEntry{"NoBody", "40000"}));
        QCOMPARE(s.text("Label7"), QString());
        QVERIFY(s.control("Label6")->isVisible());
        QVERIFY(s.dialogs.inputs.empty());
        QCOMPARE(s.state.Spiel, false);
        s.clickOk();
        QCOMPARE(readBytes(s.path("score.sre")), encodeScoreFile(initialScoreTable()));
        QVERIFY(!QFile::exists(s.path("score.sre.bak")));
    }

    void incompleteFileIsKeptAsBackupAndReplaced() {
        Session s;
        const QByteArray tenLines = "A\r\n1\r\nB\r\n2\r\nC\r\n3\r\nD\r\n4\r\nE\r\n5\r\n";
        s.writeScores(tenLines);
        QVERIFY(s.open());
        QCOMPARE(s.place(1), (ScoreEntry{"NoBody", "200000"}));
        s.clickOk();
        QVERIFY(s.dialogs.messages.empty());
        QCOMPARE(readBytes(s.path("score.sre.bak")), tenLines);
        QCOMPARE(readBytes(s.path("score.sre")), encodeScoreFile(initialScoreTable()));
    }

    void badScoreLineIsReportedBackedUpAndReset() {
        Session s;
        ScoreTable damaged = initialScoreTable();
        damaged[4].score = QStringLiteral("abc");
        const QByteArray old = encodeScoreFile(damaged);
        s.writeScores(old);
        s.afterGame(150000);
        QVERIFY(!s.open());
        QCOMPARE(s.dialogs.messages.size(), std::size_t(1));
        QCOMPARE(s.dialogs.messages[0].title, QStringLiteral("Fehler : 13"));
        QCOMPARE(s.dialogs.messages[0].text,
                 QStringLiteral("Ein Fehler beim Laden der Hishscore ist aufgetreten : "
                                "Typen unverträglich"));
        QVERIFY(s.dialogs.inputs.empty());
        QCOMPARE(readBytes(s.path("score.sre.bak")), old);
        QCOMPARE(readBytes(s.path("score.sre")), encodeScoreFile(initialScoreTable()));
        QVERIFY(s.main.enabled);
        // Left set, the flag would start a new game when the main window is activated.
        QCOMPARE(s.state.Spiel, false);
    }

    void failedSaveWarnsAndKeepsTheOldFile() {
        Session s;
        const QByteArray old = encodeScoreFile(initialScoreTable());
        s.writeScores(old);
        s.afterGame(150000);
        s.dialogs.inputAnswers = {QStringLiteral("Anna")};
        QVERIFY(s.open());
        // A link in the file's place, put there while the window was open, is refused.
        QVERIFY(QFile::rename(s.path("score.sre"), s.path("real.sre")));
        QVERIFY(QFile::link(s.path("real.sre"), s.path("score.sre")));
        s.clickOk();
        QCOMPARE(s.dialogs.messages.size(), std::size_t(1));
        QVERIFY(s.dialogs.messages[0].text.contains(QStringLiteral("nicht gespeichert")));
        QCOMPARE(readBytes(s.path("score.sre")), old);
        QCOMPARE(s.main.returns, 1);
    }

    void unreadableFileThatCannotBeBackedUpIsLeftAlone() {
        Session s;
        QVERIFY(QDir(s.dir.path()).mkdir(QStringLiteral("score.sre")));
        QVERIFY(!s.open());
        QCOMPARE(s.dialogs.messages.size(), std::size_t(2));
        QCOMPARE(s.dialogs.messages[0].title, QStringLiteral("Fehler : 75"));
        QVERIFY(QFileInfo(s.path("score.sre")).isDir());
        QVERIFY(s.main.enabled);
    }

    void bannerWithoutTheScoreCodeLibraryDoesNothing() {
        Session s;
        s.afterGame(975);
        QVERIFY(s.open());
        QTest::mouseClick(s.control("Picture1"), Qt::LeftButton);
        QVERIFY(s.dialogs.openedUrls.empty());
        QVERIFY(s.window);
    }

    void bannerOpensTheScorePageWithTheEncodedResult() {
#ifndef BRIXOLAN_EKS_LIBRARY
        QSKIP("the score-code library is not built");
#else
        Session s;
        QVERIFY(QFile::copy(QStringLiteral(BRIXOLAN_EKS_LIBRARY), s.path("libeks.so")));
        s.afterGame(975);
        QVERIFY(s.open());
        QTest::mouseClick(s.control("Picture1"), Qt::LeftButton);
        QTest::mouseClick(s.control("Picture1"), Qt::LeftButton);
        QCOMPARE(s.dialogs.openedUrls.size(), std::size_t(2));
        const QString address = s.dialogs.openedUrls[0].toString(QUrl::FullyEncoded);
        const QString base = QStringLiteral("https://score.brixolan.example/score.php?punkte=");
        QVERIFY2(address.startsWith(base), qPrintable(address));
        const QString code = address.mid(base.size());
        QVERIFY(QRegularExpression(QStringLiteral("^[A-Za-z0-9_-]+$")).match(code).hasMatch());

        // The code carries the plain code of the result.
        using Decode = long (*)(const char*, const char*, char*, std::size_t);
        char plain[64] = {};
        const auto decode = Decode(QLibrary::resolve(s.path("libeks.so"), "EKSDecode"));
        QVERIFY(decode && decode(qPrintable(code), "qupwdzk47", plain, sizeof plain) > 0);
        QCOMPARE(QByteArray(plain), QByteArray("bxl16|975|21|"));
#endif
    }
};

QTEST_MAIN(HighscoreWindowTest)
#include "HighscoreWindowTest.moc"

// Odd but legal input: unusual names, scores at the 32-bit limits, files with other line ends,
// and bitmaps far smaller or larger than the game's own.
#include "FakeDialogServices.h"
#include "FakeMainWindowLink.h"
#include "FontSchemeDialog.h"
#include "GTestPrinting.h"
#include "Game.h"
#include "HighscoreWindow.h"
#include "MainWindow.h"
#include "ResourceStore.h"
#include "SchemeFolder.h"
#include "ScoreFile.h"
#include "ScriptedRandom.h"
#include "Surface.h"
#include "TestGraphics.h"
#include "TextCodec.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

using namespace brixolan;
using namespace brixolan::fakes;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

/// The highscore window on its own folder, opened and closed as the main window does.
struct HighscoreSession {
    QTemporaryDir dir;
    GameState state;
    FakeDialogServices dialogs;
    FakeMainWindowLink link;
    QPointer<HighscoreWindow> window;

    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    HighscoreWindow* open() {
        window = HighscoreWindow::open(state, ProgramFolder(dir.path()), dialogs, link);
        return window;
    }
    HighscoreWindow* openAfterGame(std::int64_t result, const QString& name) {
        state.Spiel = true;
        state.PunkteInList = result;
        state.HasPunkteInList = true;
        dialogs.inputAnswers = {name};
        return open();
    }
    void close() {
        if (window)
            window->findChild<QPushButton*>("Command1")->click();
    }
    ScoreEntry place(int n) const {
        return {window->findChild<QLabel*>(QStringLiteral("NameNN_%1").arg(n))->text(),
                window->findChild<QLabel*>(QStringLiteral("ScorEE_%1").arg(n))->text()};
    }
};

QByteArray scoreFile(const QStringList& lines, const char* lineEnd = "\r\n") {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += toCp1252(line) + lineEnd;
    return bytes;
}

QStringList tableLines(const std::vector<const char*>& scores) {
    QStringList lines;
    for (std::size_t n = 0; n < scores.size(); ++n)
        lines << QStringLiteral("P%1").arg(n + 1) << QLatin1String(scores[n]);
    return lines;
}

const std::vector<const char*> LimitScores = {"2147483647", "1000", "900", "800",
                                              "700",        "600",  "0",   "-2147483648"};

} // namespace

struct OddName {
    const char* label;
    QString typed;
    QString stored; ///< as the table shows it after the file was read back
};

class OddNames : public ::testing::TestWithParam<OddName> {};

TEST_P(OddNames, areStoredAsTypedOrWithQuestionMarksForWhatTheCodePageLacks) {
    HighscoreSession session;
    ASSERT_NE(session.openAfterGame(190000, GetParam().typed), nullptr);
    EXPECT_EQ(session.place(2).name, GetParam().typed);
    session.close();

    const QByteArray file = bytesOf(session.path("score.sre"));
    EXPECT_EQ(file.count("\r\n"), 16);
    EXPECT_TRUE(
        file.startsWith("NoBody\r\n200000\r\n" + toCp1252(GetParam().stored) + "\r\n190000\r\n"));

    HighscoreSession again;
    writeBytes(again.path("score.sre"), file);
    ASSERT_NE(again.open(), nullptr);
    EXPECT_EQ(again.place(2), (ScoreEntry{GetParam().stored, QStringLiteral("190000")}));
    EXPECT_EQ(again.place(8), (ScoreEntry{QStringLiteral("NoBody"), QStringLiteral("60000")}));
    again.close();
    EXPECT_EQ(bytesOf(again.path("score.sre")), file);
}

INSTANTIATE_TEST_SUITE_P(
    Highscore, OddNames,
    ::testing::Values(OddName{"umlauts", QStringLiteral("Jürgen Größe-Übel"),
                              QStringLiteral("Jürgen Größe-Übel")},
                      // A name of blanks counts as a name.
                      OddName{"blanksOnly", QStringLiteral("   "), QStringLiteral("   ")},
                      OddName{"tenThousandCharacters", QString(10000, QLatin1Char('W')),
                              QString(10000, QLatin1Char('W'))},
                      OddName{"codePageSpecials", QStringLiteral("€uro ‚Zitat‘ Œuvre"),
                              QStringLiteral("€uro ‚Zitat‘ Œuvre")},
                      OddName{"outsideTheCodePage", QStringLiteral("名前 😀 Ωmega"),
                              QStringLiteral("?? ? ?mega")}),
    [](const auto& test) { return std::string(test.param.label); });

TEST(ScoreLimits, resultsRankAgainstScoresAtTheSigned32BitLimits) {
    struct Case {
        std::int64_t result;
        int place; // 0: none offered
        const char* lastScore;
    };
    // Equal to a stored score ranks below it.
    const Case cases[] = {{std::numeric_limits<std::int32_t>::max(), 2, "0"},
                          {-2147483647, 8, "-2147483647"},
                          {std::numeric_limits<std::int32_t>::min(), 0, "-2147483648"}};
    for (const Case& c : cases) {
        HighscoreSession session;
        writeBytes(session.path("score.sre"), scoreFile(tableLines(LimitScores)));
        ASSERT_NE(session.openAfterGame(c.result, QStringLiteral("Grenze")), nullptr);
        ASSERT_TRUE(session.dialogs.messages.empty());
        ASSERT_EQ(session.dialogs.inputs.size(), c.place == 0 ? 0u : 1u) << c.result;
        if (c.place > 0) {
            EXPECT_TRUE(session.dialogs.inputs[0].prompt.contains(
                QStringLiteral("Platz %1 in").arg(c.place)));
            EXPECT_EQ(session.place(c.place),
                      (ScoreEntry{QStringLiteral("Grenze"), QString::number(c.result)}));
        }
        session.close();
        HighscoreSession again;
        writeBytes(again.path("score.sre"), bytesOf(session.path("score.sre")));
        ASSERT_NE(again.open(), nullptr);
        EXPECT_EQ(again.place(1).score, "2147483647");
        EXPECT_EQ(again.place(8).score, c.lastScore);
        again.close();
    }
}

// One past the limit cannot be compared as a 32-bit value: the classic overflow (error 6) is
// reported, and the file that caused it is kept as the backup, so nothing is lost.
TEST(ScoreLimits, aStoredScoreOnePastTheLimitIsReportedAndTheFileKeptAsBackup) {
    HighscoreSession session;
    const QByteArray file =
        scoreFile(tableLines({"2147483648", "5", "4", "3", "2", "1", "0", "-1"}));
    writeBytes(session.path("score.sre"), file);
    EXPECT_EQ(session.openAfterGame(100, QStringLiteral("X")), nullptr);
    ASSERT_EQ(session.dialogs.messages.size(), 1u);
    EXPECT_EQ(session.dialogs.messages[0].title, "Fehler : 6");
    EXPECT_EQ(bytesOf(session.path("score.sre.bak")), file);
    EXPECT_EQ(bytesOf(session.path("score.sre")), encodeScoreFile(initialScoreTable()));
    EXPECT_FALSE(session.state.Spiel);
    EXPECT_EQ(session.link.returns, 1);
}

TEST(ScoreLineEnds, aFileWithoutCarriageReturnsCountsAsIncompleteAndIsKeptAsBackup) {
    HighscoreSession session;
    const QByteArray file = scoreFile(tableLines(LimitScores), "\n");
    writeBytes(session.path("score.sre"), file);
    ASSERT_NE(session.open(), nullptr);
    EXPECT_TRUE(session.dialogs.messages.empty());
    EXPECT_EQ(session.place(1), initialScoreTable()[0]);
    session.close();
    EXPECT_EQ(bytesOf(session.path("score.sre")), encodeScoreFile(initialScoreTable()));
    EXPECT_EQ(bytesOf(session.path("score.sre.bak")), file);
}

TEST(ScoreLineEnds, carriageReturnsAloneAMissingLastEndAndExtraLinesAreRead) {
    const QStringList lines = tableLines(LimitScores);
    QByteArray withoutLastEnd = scoreFile(lines);
    withoutLastEnd.chop(2);
    const QByteArray variants[] = {scoreFile(lines, "\r"), withoutLastEnd,
                                   scoreFile(lines + QStringList{"Zeile 17", "Zeile 18"})};
    for (const QByteArray& file : variants) {
        HighscoreSession session;
        writeBytes(session.path("score.sre"), file);
        ASSERT_NE(session.open(), nullptr);
        EXPECT_TRUE(session.dialogs.messages.empty());
        EXPECT_EQ(session.place(1), (ScoreEntry{"P1", "2147483647"}));
        EXPECT_EQ(session.place(8), (ScoreEntry{"P8", "-2147483648"}));
        session.close();
        // Rewritten completely: 16 lines with CR LF, lines after the 16th dropped.
        EXPECT_EQ(bytesOf(session.path("score.sre")), scoreFile(lines));
        EXPECT_FALSE(QFile::exists(session.path("score.sre.bak")));
    }
}

// A lone LF inside a name line does not end the line; it is shown and saved as a blank.
TEST(ScoreLineEnds, aLoneLineFeedStaysInsideTheNameAndIsSavedAsABlank) {
    HighscoreSession session;
    QStringList lines = tableLines(LimitScores);
    lines[0] = QStringLiteral("Vor\nNach");
    writeBytes(session.path("score.sre"), scoreFile(lines));
    ASSERT_NE(session.open(), nullptr);
    EXPECT_EQ(session.place(1).name, "Vor\nNach");
    session.close();
    EXPECT_TRUE(bytesOf(session.path("score.sre")).startsWith("Vor Nach\r\n2147483647\r\n"));
}

TEST(SettingsLineEnds, lineFeedsAMissingLastEndAndExtraLinesAreReadAndTheFileKept) {
    const QByteArray variants[] = {"VERSION 1.55\n 0 \n 65280 \n", "VERSION 1.55\r\n 0 \r\n 65280",
                                   "VERSION 1.55\r\n 0 \r\n 65280 \r\n 1 \r\n 255 \r\nmehr\r\n",
                                   "VERSION 1.55\r 0 \r 65280 \r"};
    for (const QByteArray& file : variants) {
        SchemeDialogFixture<FontSchemeDialog> fixture;
        fixture.reset();
        fixture.folder->writeBytes("Brixolan.dat", file);
        fixture.open();
        EXPECT_EQ(fixture.dialog->findChild<QListWidget*>("List1")->currentRow(), 0) << file.data();
        EXPECT_EQ(fixture.dialog->swatchColour(), named::Green) << file.data();
        EXPECT_EQ(fixture.folder->bytes("Brixolan.dat"), file);
        fixture.click("Command3");
    }
}

// The store takes any size the check accepts; only the top-left cell is ever copied, and a
// source smaller than the cell copies what it has.
TEST(BitmapSizes, oneByOneAndFourThousandSquareLoadAndCopyTheirTopLeftCell) {
    QTemporaryDir dir;
    writeTestGraphics(dir.path());
    writeSolidBitmap(dir.filePath("Grafiken/SteinB.bmp"), QSize(1, 1), Qt::magenta);
    writeSolidBitmap(dir.filePath("Grafiken/SteinC.bmp"), QSize(4000, 4000), Qt::cyan);
    writeSolidBitmap(dir.filePath("Grafiken/7.bmp"), QSize(4000, 4000), Qt::yellow);
    ResourceStore store;
    const std::array<int, 17> results = store.loadAll(ProgramFolder(dir.path()));
    for (const int result : results)
        EXPECT_EQ(result, 1);
    ASSERT_NE(store.resHdc(2), nullptr);
    EXPECT_EQ(store.resHdc(2)->size(), QSize(1, 1));
    ASSERT_NE(store.resHdc(13), nullptr);
    EXPECT_EQ(store.resHdc(13)->size(), QSize(4000, 4000));

    Surface well;
    well.setSurfaceSize(QSize(100, 100));
    EXPECT_TRUE(well.copyCell(*store.resHdc(2), QSize(25, 25), QPoint(0, 0)));
    EXPECT_TRUE(well.copyCell(*store.resHdc(13), QSize(25, 25), QPoint(50, 50)));
    EXPECT_EQ(well.colorAt(QPoint(0, 0)), QColor(Qt::magenta));
    EXPECT_EQ(well.colorAt(QPoint(1, 1)), QColor(Qt::black));
    EXPECT_EQ(well.colorAt(QPoint(74, 74)), QColor(Qt::cyan));
    EXPECT_EQ(well.colorAt(QPoint(75, 75)), QColor(Qt::black));
}

namespace {

/// The main window started on `folder` with the fakes, as the program starts it.
struct StartedGame {
    FakeDialogServices dialogs;
    ScriptedRandom random{{0.1, 0.5, 0.9, 0.3, 0.7}};
    FixedClock clock;
    std::unique_ptr<MainWindow> window;

    explicit StartedGame(const QString& folder) {
        window = std::make_unique<MainWindow>(ProgramFolder(folder), dialogs, random, clock);
        window->timer().blockSignals(true);
        if (window->formLoad(QSize(1024, 768))) {
            window->show();
            window->formActivate();
        }
    }
    /// Quick start, then ticks until the game is over or `ticks` have run.
    int play(int ticks) {
        window->findChild<QAction*>("ss")->trigger();
        int ran = 0;
        for (; ran < ticks && window->timer().isActive(); ++ran)
            window->runTick();
        return ran;
    }
};

} // namespace

// Surfaces follow the bitmaps' sizes: a 4000-pixel stone asked for a 40000 x 80000 well
// (12.8 GB) and 4000-pixel digits for 36000-pixel displays. They are held to 4096 a side.
TEST(BitmapSizes, fourThousandPixelStonesAndDigitsStartAGameOnBoundedSurfaces) {
    QTemporaryDir dir;
    writeTestGraphics(dir.path());
    writeSolidBitmap(dir.filePath("Grafiken/SteinA.bmp"), QSize(4000, 4000), Qt::cyan);
    writeSolidBitmap(dir.filePath("Grafiken/0.bmp"), QSize(4000, 4000), Qt::yellow);
    StartedGame game(dir.path());
    ASSERT_TRUE(game.window->isVisible());
    for (Surface* surface : {game.window->well(), game.window->surface(Display::Points)}) {
        EXPECT_LE(surface->surfaceSize().width(), Surface::MaxSurfaceSide);
        EXPECT_LE(surface->surfaceSize().height(), Surface::MaxSurfaceSide);
        EXPECT_FALSE(surface->image().isNull());
    }
    EXPECT_EQ(game.window->surface(Display::Points)->colorAt(QPoint(12, 20)), QColor(Qt::yellow));
    EXPECT_GT(game.play(300), 0);
    EXPECT_EQ(game.dialogs.endRequests, 0);
}

// The classic sizes the well from the stone bitmap: 1 x 1 pixel stones give a well of 10 x 20
// pixels in which the 25-pixel cells fall outside; the game still runs and ends normally.
TEST(BitmapSizes, oneByOnePixelBitmapsGiveATinyWellAndTheGameStillRuns) {
    QTemporaryDir dir;
    writeTestGraphics(dir.path());
    for (const GraphicsFile& file : GraphicsFiles)
        writeSolidBitmap(dir.filePath(QLatin1String(file.relativePath)), QSize(1, 1), Qt::red);
    StartedGame game(dir.path());
    ASSERT_TRUE(game.window->isVisible());
    EXPECT_EQ(game.window->well()->surfaceSize(), QSize(10, 20));
    const int ticks = game.play(20000);
    EXPECT_FALSE(game.window->timer().isActive()) << "no game over within " << ticks << " ticks";
    EXPECT_TRUE(game.window->game().state().GameOver);
    EXPECT_EQ(game.dialogs.endRequests, 0);
}

// A damaged "score.sre" of gigabytes without a line end (zeros from a broken disk, say) was
// read whole, and copied whole for the backup: gigabytes of memory, or the end of the game.
// Only the first few megabytes are read now, the table starts afresh, and the file that
// cannot be backed up stays untouched, with a German message.
TEST(ScoreFileSize, aHugeFileWithoutLineEndsIsReadInPartAndLeftUntouched) {
    HighscoreSession session;
    constexpr qint64 Huge = qint64(3) << 30;
    {
        QFile file(session.path("score.sre"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(Huge)); // sparse: no disk space, all zeros
    }
    ASSERT_NE(session.open(), nullptr);
    EXPECT_EQ(session.place(1), initialScoreTable()[0]);
    session.close();
    EXPECT_EQ(QFileInfo(session.path("score.sre")).size(), Huge);
    EXPECT_FALSE(QFile::exists(session.path("score.sre.bak")));
    ASSERT_EQ(session.dialogs.messages.size(), 1u);
    EXPECT_TRUE(session.dialogs.messages[0].text.contains("nicht gesichert werden"));
    EXPECT_EQ(session.link.returns, 1);
}

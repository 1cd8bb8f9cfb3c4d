// SPDX-License-Identifier: GPL-3.0-or-later
// The table of the eight best: reading and ranking scores, the file's bytes, and the window
// that offers a result, shows names as typed and hands the result to the score page.
#include "FakeDialogServices.h"
#include "HighscoreWindow.h"
#include "ModalAnswers.h"
#include "ScoreCode.h"
#include "ScoreFile.h"
#include "TestFiles.h"
#include "eks.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace brixolan;
using namespace brixolan::fakes;

namespace {

TEST(ScoreTable, scoresReadAsSigned32BitIntegers) {
    const std::pair<const char*, int> scores[] = {{" \t-42  ", -42},
                                                  {"+2147483647", 2147483647},
                                                  {"2147483648", -6},
                                                  {"abc", -13},
                                                  {"1.5", -13}};
    for (const auto& [text, expected] : scores) {
        const ScoreValue parsed = parseScore(QString::fromLatin1(text));
        EXPECT_EQ(parsed.error ? -parsed.error->number : parsed.value, expected) << text;
    }
}

TEST(ScoreFile, linesEndAtCarriageReturnsAndANameIsAnyTextWithoutOne) {
    QByteArray lines;
    for (int place = 1; place <= ScorePlaces; ++place)
        lines += QString("P%1\r\n%2\r\n").arg(place).arg(900 - 100 * place).toLatin1();
    // Each file's first name and last score; nothing where it is no table.
    const std::pair<QByteArray, QString> files[] = {
        {lines, "P1|100"}, {"A\nB\r\n" + lines.mid(4), "A\nB|100"}, {lines.chopped(5), ""}};
    for (const auto& [bytes, expected] : files) {
        const ScoreFileContent content = parseScoreFile(bytes);
        const auto* table = std::get_if<ScoreTable>(&content);
        EXPECT_EQ(table ? (*table)[0].name + '|' + (*table)[7].score : "", expected)
            << bytes.data();
    }
    // Code page 1252; what it lacks becomes '?', a line break in a name a blank.
    ScoreTable table = initialScoreTable();
    table[0].name = "Jürgen Größe €";
    table[1].name = "Łódź 😀";
    table[2].name = "Zeile\r\nUmbruch";
    EXPECT_TRUE(encodeScoreFile(table).startsWith("J\xFCrgen Gr\xF6\xDF"
                                                  "e \x80\r\n200000\r\n?\xF3"
                                                  "d? ?\r\n180000\r\nZeile  Umbruch\r\n"));
}

// The plain code sums the digits. The first buffer holds 255 characters and the NUL; a longer
// code is fetched again, whole.
TEST(ScoreCode, sumsTheDigitsAndComesWholeAroundTheFirstBuffersSize) {
    EXPECT_EQ(plainScoreCode("100"), "bxl16|100|1|"); // 975's code: the banner's test pins it
    for (const char* none : {"Kein Spiel", "9:", "/0"})
        EXPECT_FALSE(plainScoreCode(none)) << none;
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(BRIXOLAN_EKS_LIBRARY, dir.filePath("libeks.so")));
    ScoreEncoder encoder(dir.path());
    for (const int length : {189, 190, 191}) { // codes of 255, 256 and 258 characters
        const QString plain(length, 'x');
        const QByteArray code = encoder.encode(plain).value_or("").toLatin1();
        char back[256] = {};
        EXPECT_EQ(EKSDecode(code.constData(), ScoreCodeKey, back, sizeof back), length);
        EXPECT_EQ(QString(back), plain);
    }
}

struct HighscoreWindowTest : ::testing::Test {
    QTemporaryDir dir;
    ProgramFolder folder{dir.path()};
    FakeDialogServices dialogs;
    QWidget main;

    /// A game over with `score` (none: no game has ended yet) and the window it opens.
    HighscoreWindow* afterGame(std::optional<std::int64_t> score) {
        return HighscoreWindow::open(ResultOffer{score}, folder, dialogs, &main);
    }
    /// The table from the menu: nothing offered.
    HighscoreWindow* look() { return HighscoreWindow::open(std::nullopt, folder, dialogs, &main); }
    QByteArray score() { return bytesOf(dir.filePath("score.sre")); }
    static QString label(QWidget* window, const QString& name) {
        return window->findChild<QLabel*>(name)->text();
    }
    static bool shown(QWidget* window, const char* name) {
        return !window->findChild<QWidget*>(name)->isHidden();
    }
};

// The entry is in the file as soon as the name is confirmed, before the window shows (and so
// before its banner can call the score-code library); closing writes the table again, with the
// entry once. The name box shows a '?' for what the file's code page lacks, as it is kept.
// Another copy saved Anna while the name box was open: the table shows both entries, each at
// its place in the file, not the table read at game over.
TEST_F(HighscoreWindowTest, aResultIsOfferedOnceAndItsEntrySavedWhenTheNameIsConfirmed) {
    dialogs.inputAnswers = {QString::fromUtf8("J\u00FCrgen\u0141\xF0\x9F\x98\x80")};
    dialogs.onInput = [this] { ASSERT_TRUE(saveScores(folder, ScoreEntry{"Anna", "170000"})); };
    HighscoreWindow* window = afterGame(150000);
    ASSERT_EQ(dialogs.inputs.size(), 1);
    EXPECT_TRUE(dialogs.inputs[0].contains("Platz 4 in der Highscore"));
    EXPECT_EQ(label(window, "NameNN_3") + label(window, "NameNN_5") + label(window, "ScorEE_6"),
              "AnnaJürgen??140000");
    EXPECT_TRUE(shown(window, "Picture1") && shown(window, "Label7") && !window->nameCancelled());
    EXPECT_FALSE(window->isVisible());
    const QByteArray confirmed = score();
    EXPECT_TRUE(confirmed.contains("Anna\r\n170000\r\nNoBody\r\n160000\r\nJ\xFCrgen??\r\n150000"
                                   "\r\nNoBody\r\n140000"));
    window->accept();
    EXPECT_EQ(score(), confirmed);
}

// No name: the table stays beside a usable main window, without banner, unchanged.
// No result yet (the table opened during the first game): nothing to rank, nothing stored.
TEST_F(HighscoreWindowTest, aCancelledNameOrAMissingResultEntersNothing) {
    std::unique_ptr<HighscoreWindow> cancelled(afterGame(150000));
    EXPECT_TRUE(cancelled->nameCancelled() && !shown(cancelled.get(), "Picture1"));
    std::unique_ptr<HighscoreWindow> none(afterGame(std::nullopt));
    EXPECT_EQ(dialogs.inputs.size(), 1);
    EXPECT_TRUE(label(none.get(), "Label7").isEmpty() && shown(none.get(), "Picture1"));
    none->accept();
    EXPECT_EQ(score(), encodeScoreFile(initialScoreTable()));
    // From the menu over an existing file: only the table.
    std::unique_ptr<HighscoreWindow> menu(look());
    EXPECT_FALSE(shown(menu.get(), "Label7") || shown(menu.get(), "Picture1"));
    // After a game over an existing file, the result shows again, also one that ranks nowhere.
    const std::unique_ptr<HighscoreWindow> low(afterGame(1));
    EXPECT_TRUE(shown(low.get(), "Label7"));
}

// The real boxes: the name box shows what the file keeps, typed or pasted; Return
// answers a question "Nein".
TEST(RealDialogs, keepTheNameToTheFileAndTheKeyboardOnTheSafeButton) {
    QtDialogServices real;
    whenModal([](QWidget* box) {
        auto* edit = box->findChild<QLineEdit*>();
        QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("\u0141"));
        QApplication::sendEvent(edit, &typed);
        edit->insert(QString::fromUtf8("ukasz \xF0\x9F\x98\x80x")); // as pasted
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(real.input(nullptr, "Name", "Highscore", "", InputText::FileLine), "?ukasz ?x");
    QString focused;
    whenModal([&focused](QWidget* box) {
        focused = box->focusWidget() ? box->focusWidget()->property("text").toString() : "";
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_FALSE(real.ask(nullptr, "Wirklich?", "Deinstallieren"));
    EXPECT_EQ(focused, "Nein");
}

// Names from the file are text, never markup: a colour tag shows as typed. One wider than its
// column ends in "…", not in half a letter; a score is never cut.
TEST_F(HighscoreWindowTest, namesAreShownExactlyAsStored) {
    ScoreTable table = initialScoreTable();
    table[0].name = "<font color=#f0f>X";
    table[2].name = "Maximilian Alexander von Wittelsbach";
    table[3].score = "-2147483648"; // the widest score the file takes
    putFile(dir.filePath("score.sre"), encodeScoreFile(table));
    std::unique_ptr<HighscoreWindow> window(look());
    const auto at = [&window](const QString& name) { return window->findChild<QLabel*>(name); };
    const auto fits = [](const QLabel* label) {
        return label->fontMetrics().horizontalAdvance(label->text()) <= label->width();
    };
    EXPECT_EQ(at("NameNN_1")->text(), table[0].name);
    EXPECT_TRUE(at("NameNN_3")->text().endsWith(u'…') && fits(at("NameNN_3")));
    EXPECT_TRUE(at("ScorEE_4")->text() == table[3].score && fits(at("ScorEE_4")));
    // Row under row between the title and the points, each name beside its score.
    int above = at("Label1")->geometry().bottom();
    for (int place = 1; place <= 8; ++place) {
        const QRect row = at(QString("NameNN_%1").arg(place))->geometry();
        EXPECT_TRUE(row.top() > above && row.top() == at(QString("ScorEE_%1").arg(place))->y())
            << place;
        above = row.bottom();
    }
    EXPECT_LT(above, at("Label6")->y());
    const QWidget* ok = window->findChild<QWidget*>("Command1"); // no strip below "OK"
    EXPECT_LT(window->height() - ok->geometry().bottom(), 27);
    const QImage shown = at("NameNN_1")->grab().toImage();
    for (int x = 0; x < shown.width(); ++x)
        for (int y = 0; y < shown.height(); ++y)
            ASSERT_NE(shown.pixelColor(x, y), QColor(255, 0, 255));
}

// A score that is no number: the player is told, the file is kept as score.sre.bak and the
// initial table takes its place. A table that reads well again (the failure passed) stays.
TEST_F(HighscoreWindowTest, aDamagedTableIsReportedKeptAsBackupAndReplaced) {
    ScoreTable own = initialScoreTable();
    own[0] = {"Eigen", "7"};
    putFile(dir.filePath("score.sre"), encodeScoreFile(own));
    ASSERT_TRUE(replaceDamagedScores(folder).ok());
    EXPECT_TRUE(score().startsWith("Eigen\r\n7\r\n") &&
                !QFile::exists(dir.filePath("score.sre.bak")));
    QByteArray damaged = encodeScoreFile(initialScoreTable());
    damaged.replace("60000", "abc");
    putFile(dir.filePath("score.sre"), damaged);
    ASSERT_TRUE(saveScores(folder, std::nullopt)); // shown from the menu and closed: as it was
    EXPECT_EQ(score(), damaged);
    EXPECT_EQ(afterGame(975), nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Fehler : 13");
    EXPECT_EQ(score(), encodeScoreFile(initialScoreTable()));
    EXPECT_EQ(bytesOf(dir.filePath("score.sre.bak")), damaged);
}

// A table that cannot be saved (here: a file size limit): the old file stays, the player is
// told once, at closing, also when the window is closed again meanwhile (a game over behind
// the warning). An entry whose save failed at confirmation is saved by the closing.
TEST_F(HighscoreWindowTest, aFailedSaveKeepsTheOldFileAndSaysSo) {
    putFile(dir.filePath("score.sre"), encodeScoreFile(initialScoreTable()));
    dialogs.inputAnswers = {"Neu", "Wieder"};
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{100, limit.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);
    HighscoreWindow* first = afterGame(150000);
    int warnings = 0;
    dialogs.onMessage = [&](const auto&) {
        if (warnings++ == 0)
            first->reject(); // as closing it does
    };
    first->accept();
    dialogs.onMessage = nullptr;
    HighscoreWindow* retried = afterGame(150000);
    retried->showFile(); // brought to the front: the entry not yet saved stays shown
    EXPECT_EQ(label(retried, "NameNN_4"), "Wieder");
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "Highscore");
    EXPECT_EQ(score(), encodeScoreFile(initialScoreTable()));
    retried->accept();
    EXPECT_TRUE(score().contains("Wieder\r\n150000\r\nNoBody\r\n140000")) << score().data();
}

// By mouse, or by keyboard alone: the window opens on "OK", Tab brings the keyboard (and a
// focus frame) to the banner, where Space and Return act once per press, not per repeat.
TEST_F(HighscoreWindowTest, theBannerHandsTheEncodedResultToTheScorePage) {
    ASSERT_TRUE(QFile::copy(BRIXOLAN_EKS_LIBRARY, dir.filePath("libeks.so")));
    std::unique_ptr<HighscoreWindow> window(afterGame(975));
    QWidget* banner = window->findChild<QWidget*>("Picture1");
    QTest::mouseClick(banner, Qt::LeftButton);
    QTest::mouseClick(banner, Qt::LeftButton, {}, QPoint(1, 1)); // beside the picture
    // "bxl16|975|21|" in the code the score-code library's own test pins.
    EXPECT_EQ(dialogs.openedUrls, std::vector<QUrl>{QUrl("https://score.brixolan.example/"
                                                         "score.php?punkte=p0Hn55l-t4dYEQcXkrAY")});
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    // The focus frame stands in the few pixels around the picture, in the highlight colour, or
    // in white where a dark theme's would not show on black.
    const auto edge = [banner] {
        return banner->grab().toImage().pixelColor(1, banner->height() / 2);
    };
    QPalette theme = window->palette();
    theme.setColor(QPalette::Highlight, QColor(0x30, 0x2f, 0x2e));
    window->setPalette(theme);
    EXPECT_NE(edge(), QColor(Qt::white));
    EXPECT_EQ(QApplication::focusWidget(), window->findChild<QWidget*>("Command1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), banner);
    EXPECT_EQ(edge(), QColor(Qt::white));
    QTest::keyClick(banner, Qt::Key_Space);
    QTest::keyClick(banner, Qt::Key_Return);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(banner, &repeat);
    EXPECT_EQ(dialogs.openedUrls.size(), 3u);
    EXPECT_TRUE(window->isVisible());
    // Without a browser the player gets the address to copy.
    dialogs.openUrlSucceeds = false;
    QTest::mouseClick(banner, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(
        dialogs.messages[0].text.contains(dialogs.openedUrls.back().toString(QUrl::FullyEncoded)));
}

// A FIFO in the library's place is passed over, not opened: the click returns, and no library
// from elsewhere stands in for it. A library claiming a code of 10^12 characters made the game
// allocate it and abort. (The FIFO comes first: a library once loaded is found by its name.)
TEST_F(HighscoreWindowTest, aPipeOrALibraryClaimingAnEndlessCodeOpensNoPage) {
    const QString library = dir.filePath("libeks.so");
    for (const bool pipe : {true, false}) {
        QFile::remove(library);
        ASSERT_TRUE(pipe ? ::mkfifo(QFile::encodeName(library).constData(), 0600) == 0
                         : QFile::copy(BRIXOLAN_STAND_IN_EKS, library));
        std::unique_ptr<HighscoreWindow> window(afterGame(975));
        ::alarm(10); // a hang ends the test program
        QTest::mouseClick(window->findChild<QWidget*>("Picture1"), Qt::LeftButton);
        ::alarm(0);
        EXPECT_TRUE(dialogs.openedUrls.empty()) << pipe;
    }
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The new-game dialog from the keyboard, and the two scheme dialogs: the bitmaps and the
// settings file they write, what they tell the player, and the repair case at start-up.
#include "DigitSchemeDialog.h"
#include "FakeDialogServices.h"
#include "NewGameDialog.h"
#include "StoneSchemeDialog.h"
#include "TestFiles.h"
#include "TestGraphics.h"
#include "WaitWindow.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <vector>

using namespace brixolan;
using namespace brixolan::fakes;

namespace {

/// Shows the window and waits until it is the active one, with the keyboard.
bool showActive(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// The dialog from the keyboard alone. Right and Up raise a bar, Left and Down lower it, as
// the bar is drawn; Return starts the game anywhere but on a focused "Abbrechen", which
// withdraws the wish for one; Escape closes the dialog and leaves all as it was. Tab order:
// level bar, "Abbrechen", "Starten", height bar.
TEST(NewGameDialog, isWorkedWithTheKeyboardAlone) {
    const std::map<char, Qt::Key> keys = {
        {'<', Qt::Key_Left},   {'>', Qt::Key_Right},   {'^', Qt::Key_Up},     {'v', Qt::Key_Down},
        {'T', Qt::Key_Tab},    {'B', Qt::Key_Backtab}, {'U', Qt::Key_PageUp}, {'E', Qt::Key_End},
        {'R', Qt::Key_Return}, {'X', Qt::Key_Escape}};
    // Keys in, then Label2 Label3 Label6 before the last key, how it ended and with what.
    const std::pair<std::string, const char*> rows[] = {
        {"<>>^v^R", "3 0 0 | Starten 3 0 0"},
        {"UTTT>>><^vR", "5 2 3000 | Starten 5 2 3000"},
        {"ETTTEBR", "9 6 9000 | Starten 9 6 9000"},
        {"ETR", "9 0 0 | Abbrechen"},
        {">X", "1 0 0 | zu"},
    };
    for (const auto& [typed, expected] : rows) {
        const QPointer<NewGameDialog> dialog = new NewGameDialog(1500);
        ASSERT_TRUE(showActive(dialog));
        QString shown;
        for (const char key : typed) {
            shown.clear();
            for (const char* label : {"Label2", "Label3", "Label6"})
                shown += dialog->findChild<QLabel*>(label)->text() + ' ';
            QTest::keyClick(QApplication::focusWidget(), keys.at(key));
        }
        // Closed, the dialog lives on until the event loop deletes it.
        const auto [level, height, points] = dialog->choice();
        // By result: rejected (Escape), accepted ("Starten"), withdrawn ("Abbrechen").
        const QStringList ended = {
            "zu", QString("Starten %1 %2 %3").arg(level).arg(height).arg(points), "Abbrechen"};
        EXPECT_EQ((shown + "| " + ended.value(dialog->result())).toStdString(), expected);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(dialog.isNull()) << expected; // the dialog closed
    }
}

// The focused bar is marked; with the style's plain bar the focus could not be seen.
TEST(NewGameDialog, showsWhichBarHasTheFocus) {
    NewGameDialog dialog(1500);
    ASSERT_TRUE(showActive(&dialog));
    auto* bar = dialog.findChild<QWidget*>("HScroll2");
    bar->setFocus();
    const QImage focused = bar->grab().toImage();
    dialog.findChild<QWidget*>("Command1")->setFocus();
    EXPECT_NE(bar->grab().toImage(), focused);
}

// A program folder with scheme sources that carry a key colour inside, in column 0 and in
// row 0, and a colour one step from the key.
struct SchemeTest : ::testing::Test {
    QTemporaryDir dir;
    ProgramFolder folder{dir.path()};
    FakeDialogServices dialogs;
    WaitWindow wait;
    std::vector<bool> waitShownAtMessage;

    static constexpr QPoint Inside{6, 6}, Column0{0, 5}, Row0{5, 0}, Near{7, 7}, Centre{12, 12};
    static constexpr std::array<BgrColor, 8> Keys = {
        0,          named::Green, named::Red,     named::Blue,
        named::Red, named::Cyan,  named::Magenta, 0x1E140A};

    void SetUp() override {
        writeTestGraphics(dir.path());
        QDir().mkpath(path("scr/old"));
        QDir().mkpath(path("scr/new"));
        for (int n = 1; n <= 7; ++n) {
            QImage source(25, 25, QImage::Format_RGB888);
            source.fill(QColor(9 * n, 9, 9));
            for (const QPoint at : {Inside, Column0, Row0, n == 7 ? Centre : Inside})
                source.setPixelColor(at, toQColor(Keys[n]));
            source.setPixelColor(Near, toQColor(Keys[n] ^ 1));
            source.save(path("scr/%1.bmp").arg(n), "BMP");
        }
        for (const char* set : {"old", "new"})
            for (int digit = 0; digit < 10; ++digit) {
                QImage source(25, 42, QImage::Format_RGB888);
                source.fill(set[0] == 'o' ? Qt::black : Qt::darkGray);
                source.setPixelColor(0, 0, Qt::red);
                source.setPixelColor(24, 41, Qt::red);
                source.setPixelColor(5, 5, QColor(254, 0, 0));
                source.save(path("scr/%1/%2.bmp").arg(set).arg(digit), "BMP");
            }
        dialogs.onMessage = [this](const auto&) { waitShownAtMessage.push_back(wait.isVisible()); };
    }
    QString path(const QString& relative) { return dir.filePath(relative); }
    BgrColor pixel(const QString& file, QPoint at) {
        return bgrOfPixel(QImage(path(file)).pixel(at));
    }
};

TEST_F(SchemeTest, eachStoneSchemeRecoloursItsKeyButNeverColumnOrRowZero) {
    for (int scheme = 0; scheme < 8; ++scheme) {
        StoneSchemeDialog dialog(folder, dialogs, wait, false);
        QSignalSpy applied(&dialog, &SchemeDialog::applied);
        dialog.findChild<QListWidget*>("List1")->setCurrentRow(scheme);
        dialog.findChild<QPushButton*>("Command1")->click();
        ASSERT_EQ(applied.size(), 1);
        for (int k = 0; k < KindCount; ++k) {
            const QString file = QString("Grafiken/Stein%1.bmp").arg(QChar('A' + k));
            const BgrColor key = Keys[scheme == 0 ? k + 1 : scheme];
            // Red, blue, green, yellow, cyan, magenta, orange for SteinA to SteinG.
            constexpr std::array<BgrColor, 7> Colours = {255,      16711680, 65280, 65535,
                                                         16776960, 16711935, 33023};
            const std::array shown = {pixel(file, scheme == 7 ? Centre : Inside),
                                      pixel(file, Column0), pixel(file, Row0), pixel(file, Near)};
            EXPECT_EQ(shown, (std::array{scheme == 0 ? key : Colours[k], key, key, key ^ 1}))
                << scheme << " " << k;
        }
    }
    ASSERT_EQ(dialogs.messages.size(), 8u);
    EXPECT_EQ(dialogs.messages[0].text, "Es wird nun ein neues Steinschema verwendet.");
    EXPECT_FALSE(wait.isVisible());
}

// The previews follow the list from the keyboard: building one never takes the focus away.
// The list shows whole rows.
TEST_F(SchemeTest, theStoneListKeepsTheFocusWhilePreviewsAreBuiltAndShowsWholeRows) {
    StoneSchemeDialog dialog(folder, dialogs, wait, false);
    ASSERT_TRUE(showActive(&dialog));
    auto* list = dialog.findChild<QListWidget*>("List1");
    for (int press = 0; press < 3; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QApplication::processEvents(); // as between two real key presses
    }
    EXPECT_EQ(list->currentRow(), 3);
    EXPECT_EQ(QApplication::focusWidget(), list);
    EXPECT_EQ(list->viewport()->height() % list->sizeHintForRow(0), 0);
}

// A dark or high-contrast theme may give black for highlighted text: the captions the dialogs
// draw in it on their black background stay readable; a colour that shows is the theme's own.
TEST_F(SchemeTest, captionsInTheThemesColourStayReadableOnBlack) {
    const QPalette before = QApplication::palette();
    QPalette theme = before;
    theme.setColor(QPalette::HighlightedText, Qt::black);
    QApplication::setPalette(theme);
    const DigitSchemeDialog digits(folder, dialogs, wait, false);
    const StoneSchemeDialog stones(folder, dialogs, wait, false);
    QApplication::setPalette(before);
    for (const QDialog* dialog : std::initializer_list<const QDialog*>{&digits, &stones})
        EXPECT_EQ(dialog->findChild<QLabel*>("Label1")->palette().color(QPalette::WindowText),
                  QColor(Qt::white));
    EXPECT_EQ(visibleOnBlack(QColor(0x30, 0x8c, 0xc6)), QColor(0x30, 0x8c, 0xc6));
}

TEST_F(SchemeTest, theDigitSchemeRecoloursPureRedOnlyAndRecordsTheChoice) {
    DigitSchemeDialog dialog(folder, dialogs, wait, false);
    // A missing settings file is written with the defaults when the dialog opens.
    EXPECT_EQ(bytesOf(path("Brixolan.dat")), "VERSION 1.55\r\n 1 \r\n 255 \r\n");
    dialog.findChild<QListWidget*>("List1")->setCurrentRow(0);
    dialogs.colorAnswers = {QColor(Qt::blue), std::nullopt}; // then cancelled: stays blue
    // The colour button twice, then the one that applies.
    for (const char* button : {"Command1", "Command1", "Command2"})
        dialog.findChild<QPushButton*>(button)->click();
    EXPECT_EQ(bytesOf(path("Brixolan.dat")), "VERSION 1.55\r\n 0 \r\n 16711680 \r\n");
    // Of each digit: the two red corners, the near red and the old set's background.
    QString shown;
    for (int digit = 0; digit < 10; ++digit)
        for (const QPoint at : {QPoint(0, 0), QPoint(24, 41), QPoint(5, 5), QPoint(9, 9)})
            shown += QString::number(pixel(QString("Grafiken/%1.bmp").arg(digit), at)) + ' ';
    EXPECT_EQ(shown, QString("%1 %1 254 0 ").arg(named::Blue).repeated(10));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Es wird nun ein neues Schriftschema verwendet");
    EXPECT_EQ(waitShownAtMessage, std::vector<bool>{true}); // it stays until the new set is in use
}

// The settings file read in free format; anything it cannot hold becomes the defaults.
TEST(DigitSettings, areReadInFreeFormatOrFallBackToTheDefaults) {
    const std::pair<QByteArray, QString> table[] = {
        {"VERSION 1.55\r\n 0 \r\n 65280 \r\n", "VERSION 1.55 0 65280"},
        {"X,1,16711680", "X 1 16711680"},
        {"V\n0\n255", "V 0 255"},
        {"V\r0\r255\rmore\r\n", "V 0 255"},
        {"VERSION 1.55\r\n", ""},
        {"V\r\n 2 \r\n 255 ", ""},
        {"V\r\n 1 \r\n 16777215 ", "V 1 16777215"},
        {"V\r\n 0.5 \r\n 255 ", ""},
        {"V\r\n neu \r\n 255 ", ""},
    };
    for (const auto& [bytes, expected] : table) {
        const std::optional<DigitSettings> read = parseSettings(bytes);
        const QString shown =
            read ? QString("%1 %2 %3").arg(read->version).arg(int(read->digitSet)).arg(read->colour)
                 : QString();
        EXPECT_EQ(shown, expected) << bytes.toStdString();
    }
    // Read from the file, which stays as it is.
    QTemporaryDir dir;
    for (const QByteArray file : {"VERSION 1.55\n 0 \n 65280", "V\r 0 \r 65280 \r\n 1 \r\n"}) {
        putFile(dir.filePath("Brixolan.dat"), file);
        EXPECT_EQ(readSettingsOrDefaults(ProgramFolder(dir.path())).colour, named::Green);
        EXPECT_EQ(bytesOf(dir.filePath("Brixolan.dat")), file);
    }
}

// A source that is missing or damaged: the player learns which, nothing is written, and the
// dialog stays for another choice (another scheme has other sources). At start-up, where there
// is no game without graphics, closing it then ends the program, and the message says so.
TEST_F(SchemeTest, aBrokenSourceIsNamedAndChangesNothing) {
    putFile(path("scr/3.bmp"), "kaputt");
    const QByteArray before = bytesOf(path("Grafiken/SteinA.bmp"));
    for (const bool atStartUp : {false, true}) {
        dialogs.messages.clear();
        StoneSchemeDialog dialog(folder, dialogs, wait, atStartUp);
        dialog.show();
        dialog.findChild<QListWidget*>("List1")->setCurrentRow(3);
        dialog.findChild<QPushButton*>("Command1")->click();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].text.contains("3.bmp"));
        EXPECT_EQ(dialogs.messages[0].text.contains("wird Brixolan beendet"), atStartUp);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(bytesOf(path("Grafiken/SteinA.bmp")), before);
        dialog.reject();
        EXPECT_EQ(dialog.result(), atStartUp ? SchemeDialog::NotApplied : QDialog::Rejected);
    }
    EXPECT_EQ(waitShownAtMessage, (std::vector<bool>{false, false})); // never over a message
    // At start-up the digit scheme is the only way on.
    const DigitSchemeDialog digits(folder, dialogs, wait, true);
    EXPECT_FALSE(digits.findChild<QPushButton*>("Command3")->isEnabled());
}

} // namespace

#include "FontSchemeDialog.h"
#include "SchemeFolder.h"

#include <QListWidget>
#include <QtTest>

using namespace brixolan;
using namespace brixolan::fakes;

class FontSchemeTest : public QObject, SchemeDialogFixture<FontSchemeDialog> {
    Q_OBJECT
    QListWidget* list() { return dialog->findChild<QListWidget*>("List1"); }
    QColor swatch() {
        return dialog->findChild<QWidget*>("Picture1")->palette().color(QPalette::Window);
    }
    void applyInBlue() {
        dialogs.colorAnswers = {QColor(Qt::blue)};
        click("Command1");
        click("Command2");
    }

private slots:
    void init() { reset(); }
    void cleanup() { reset(); }

    void settingsFileIsReadOrReplacedByTheDefaults_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QByteArray>("after");
        const QByteArray defaults("VERSION 1.55\r\n 1 \r\n 255 \r\n");
        const QByteArray oldGreen("VERSION 1.55\r\n 0 \r\n 65280 \r\n");
        QTest::newRow("missing") << QByteArray() << "Neue Schrift" << QColor(Qt::red) << defaults;
        QTest::newRow("old, green") << oldGreen << "Alte Schrift" << QColor(Qt::green) << oldGreen;
        QTest::newRow("free format") << QByteArray("X,0,16711680") << "Alte Schrift"
                                     << QColor(Qt::blue) << QByteArray("X,0,16711680");
        const char* bad[] = {"VERSION 1.55\r\n",  "V\r\n 2 \r\n 255 \r\n", "V\r\n 1 \r\n 16777216 ",
                             "V\r\n 1 \r\n-255 ", "V\r\n neu \r\n 255 ",   "V\r\n 0.5 \r\n 255 "};
        for (int n = 0; n < 6; ++n)
            QTest::addRow("bad %d", n)
                << QByteArray(bad[n]) << "Neue Schrift" << QColor(Qt::red) << defaults;
    }
    void settingsFileIsReadOrReplacedByTheDefaults() {
        QFETCH(QByteArray, content);
        QFETCH(QString, entry);
        QFETCH(QColor, colour);
        QFETCH(QByteArray, after);
        if (!content.isEmpty())
            folder->writeBytes("Brixolan.dat", content);
        open();
        QCOMPARE(list()->count(), 2);
        QCOMPARE(list()->currentItem()->text(), entry);
        QCOMPARE(swatch(), colour);
        QCOMPARE(folder->bytes("Brixolan.dat"), after);
    }

    void applyingOldDigitsInBlueWritesExactlyAndRedraws() {
        open();
        list()->setCurrentRow(0);
        dialogs.colorAnswers = {QColor(Qt::green), std::nullopt}; // cancelled: stays green
        click("Command1");
        click("Command1");
        QCOMPARE(swatch(), QColor(Qt::green));
        applyInBlue();
        QCOMPARE(folder->bytes("Brixolan.dat"), "VERSION 1.55\r\n 0 \r\n 16711680 \r\n");
        for (int digit = 0; digit < 10; ++digit) {
            const QImage image = folder->image(QStringLiteral("Grafiken/%1.bmp").arg(digit));
            for (const QPoint& stroke : OldStrokes)
                QCOMPARE(colourAt(image, stroke), named::Blue);
            QCOMPARE(colourAt(image, DigitNearRed), 0x0000FEu);
            QCOMPARE(colourAt(image, NewStrokes[2]), digitBackground(true));
        }
        QCOMPARE(dialogs.messages.size(), 1u);
        QCOMPARE(dialogs.messages[0].text, "Es wird nun ein neues Schriftschema verwendet");
        QCOMPARE(dialogs.messages[0].title, "Brixolan");
        QVERIFY(dialogs.messages[0].icon == MessageIcon::None);
        QCOMPARE(colourAt(*store.resHdc(DigitElement(9)), OldStrokes[1]), named::Blue);
        QCOMPARE(link.digitRefreshes, 1);
        QCOMPARE(link.returns, 1);
        QVERIFY(!dialog->isVisible() && !wait->isVisible());
    }

    void lowerCaseSettingsFileIsTheOneFile() {
        folder->writeBytes("brixolan.dat", "VERSION 1.55\r\n 0 \r\n 65280 \r\n");
        open();
        QCOMPARE(list()->currentRow(), 0);
        applyInBlue();
        QCOMPARE(folder->bytes("brixolan.dat"), "VERSION 1.55\r\n 0 \r\n 16711680 \r\n");
        QVERIFY(!QFile::exists(folder->path("Brixolan.dat")));
    }

    void duringStartUpCancelIsDisabledAndTheReloadLeftToStartUp() {
        link.visible = false;
        store.loadAll(folder->folder());
        open();
        QVERIFY(!dialog->findChild<QPushButton*>("Command3")->isEnabled());
        click("Command2");
        QCOMPARE(folder->image("Grafiken/0.bmp"), folder->image("scr/new/0.bmp"));
        QCOMPARE(store.resCount(), 0);
        QCOMPARE(link.digitRefreshes + link.returns, 0);
    }

    void missingDigitSourceIsNamedAndNothingChanges() {
        QFile::remove(folder->path("scr/new/8.bmp"));
        open();
        const QByteArray settings = folder->bytes("Brixolan.dat");
        const auto before = folder->grafiken();
        bool waitCoversMessage = true;
        dialogs.onMessage = [&](const auto&) { waitCoversMessage = wait->isVisible(); };
        applyInBlue();
        QVERIFY(!waitCoversMessage);
        QCOMPARE(dialogs.messages.size(), 1u);
        QVERIFY(dialogs.messages[0].text.contains(QDir::toNativeSeparators("scr/new/8.bmp")));
        QCOMPARE(folder->grafiken(), before);
        QCOMPARE(folder->bytes("Brixolan.dat"), settings);
        QVERIFY(dialog->isVisible() && dialog->isEnabled());
        QCOMPARE(link.digitRefreshes, 0);
    }
};

QTEST_MAIN(FontSchemeTest)
#include "FontSchemeTest.moc"

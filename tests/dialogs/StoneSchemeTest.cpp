#include "SchemeFolder.h"
#include "StoneSchemeDialog.h"

#include <QListWidget>
#include <QtTest>

using namespace brixolan;
using namespace brixolan::fakes;

class StoneSchemeTest : public QObject, SchemeDialogFixture<StoneSchemeDialog> {
    Q_OBJECT
    void open(int scheme) {
        SchemeDialogFixture::open()->findChild<QListWidget*>("List1")->setCurrentRow(scheme);
    }
    QImage written(int k) { return folder->image(stoneTargetPath(k)); }

private slots:
    void init() { reset(); }
    void cleanup() { reset(); }

    void standardSchemeWritesTheSevenSourcesUnchangedAndReloads() {
        open(0);
        click("Command1");
        for (int k = 0; k < StoneCount; ++k)
            QCOMPARE(written(k), folder->image(stoneSourcePath(k + 1)));
        QCOMPARE(dialogs.messages.size(), 1u);
        QCOMPARE(dialogs.messages[0].text, "Es wird nun ein neues Steinschema verwendet.");
        QCOMPARE(dialogs.messages[0].title, "Änderungen !!!");
        QVERIFY(dialogs.messages[0].icon == MessageIcon::Information);
        QCOMPARE(*store.resHdc(17), written(6).convertToFormat(QImage::Format_RGB32));
        QVERIFY(!dialog->isVisible() && !wait->isVisible());
        QCOMPARE(link.returns, 1);
    }

    void eachSchemeReplacesItsKeyOutsideColumnAndRowZero_data() {
        QTest::addColumn<int>("scheme");
        for (int scheme = 1; scheme <= 7; ++scheme)
            QTest::addRow("%s", StoneSchemes[scheme].entry) << scheme;
    }
    void eachSchemeReplacesItsKeyOutsideColumnAndRowZero() {
        QFETCH(int, scheme);
        const BgrColor key = SourceKeys[scheme];
        open(scheme);
        click("Command1");
        for (int k = 0; k < StoneCount; ++k) {
            const QImage tile = written(k);
            QCOMPARE(colourAt(tile, scheme == 7 ? Centre : KeyInside), SteinColours[k]);
            QCOMPARE(colourAt(tile, KeyInColumn0), key);
            QCOMPARE(colourAt(tile, KeyInRow0), key);
            QCOMPARE(colourAt(tile, NearKey), nearColour(key));
            QCOMPARE(colourAt(tile, Background), sourceBackground(scheme));
        }
    }

    void duringStartUpAllSevenAreWrittenAndTheReloadLeftToStartUp() {
        link.visible = false;
        QDir(folder->path("Grafiken")).removeRecursively();
        store.loadAll(folder->folder());
        open(2);
        click("Command1");
        for (int k = 0; k < StoneCount; ++k)
            QCOMPARE(colourAt(written(k), KeyInside), SteinColours[k]);
        QCOMPARE(store.resCount(), 0);
        QCOMPARE(link.returns, 0);
    }

    void cancelAfterBrowsingLeavesGrafiken() {
        const auto before = folder->grafiken();
        open(3);
        dialog->findChild<QListWidget*>("List1")->setCurrentRow(7);
        click("Command2");
        QCOMPARE(folder->grafiken(), before);
        QCOMPARE(link.returns, 1);
    }

    void aBadSourceOrTargetIsNamedAndNothingChanges_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("file");
        QTest::newRow("missing source") << "remove"
                                        << "scr/3.bmp";
        QTest::newRow("unreadable source") << "garble"
                                           << "scr/5.bmp";
        QTest::newRow("folder in target's place") << "folder"
                                                  << "Grafiken/SteinE.bmp";
    }
    void aBadSourceOrTargetIsNamedAndNothingChanges() {
        QFETCH(QString, action);
        QFETCH(QString, file);
        QFile::remove(folder->path(file));
        if (action == "garble")
            folder->writeBytes(file, "BM no bitmap");
        if (action == "folder")
            QDir().mkpath(folder->path(file));
        const auto before = folder->grafiken();
        store.loadAll(folder->folder());
        bool waitCoversMessage = true;
        dialogs.onMessage = [&](const auto&) { waitCoversMessage = wait->isVisible(); };
        open(0);
        click("Command1");
        QCOMPARE(dialogs.messages.size(), 1u);
        const QString name = QDir::toNativeSeparators(file.section(".bmp", 0, 0) + ".bmp");
        QVERIFY2(dialogs.messages[0].text.contains(name), qPrintable(dialogs.messages[0].text));
        QVERIFY(!waitCoversMessage);
        QCOMPARE(folder->grafiken(), before);
        QVERIFY(dialog->isVisible() && dialog->isEnabled());
        QCOMPARE(store.resCount(), 17);
    }
};

QTEST_MAIN(StoneSchemeTest)
#include "StoneSchemeTest.moc"

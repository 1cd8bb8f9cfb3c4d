// Prints how long the schemes take, from the click to the reloaded store, and where the time
// goes. The figures are for reading, not asserted: machines and disks differ.
#include "AtomicWrite.h"
#include "FontSchemeDialog.h"
#include "SchemeFiles.h"
#include "SchemeFolder.h"
#include "StoneSchemeDialog.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace brixolan;
using namespace brixolan::fakes;

class SchemeTimingTest : public QObject {
    Q_OBJECT
    static constexpr int Runs = 15;
    std::vector<double> m_ms;

    template <typename Work> void time(Work work) {
        QElapsedTimer clock;
        clock.start();
        work();
        m_ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    void report(const char* what) {
        std::sort(m_ms.begin(), m_ms.end());
        qInfo("%-32s median %7.2f ms, fastest %7.2f ms", what, m_ms[m_ms.size() / 2], m_ms[0]);
        m_ms.clear();
    }

private slots:
    void schemesFromClickToReloadedStore() {
        SchemeFolder folder;
        ResourceStore store;
        FakeDialogServices dialogs;
        FakeMainWindowLink link;
        WaitWindow wait;
        StoneSchemeDialog browse(folder.folder(), store, dialogs, wait, link);
        browse.show();
        for (int run = 0; run < Runs; ++run)
            time([&] { browse.findChild<QListWidget*>("List1")->setCurrentRow(1 + run % 7); });
        report("stone preview (list click)");
        for (int run = 0; run < Runs; ++run) {
            auto* stones = new StoneSchemeDialog(folder.folder(), store, dialogs, wait, link);
            stones->show();
            time([&] { stones->findChild<QPushButton*>("Command1")->click(); });
        }
        report("stone scheme applied");
        for (int run = 0; run < Runs; ++run) {
            auto* digits = new FontSchemeDialog(folder.folder(), store, dialogs, wait, link);
            digits->show();
            time([&] { digits->findChild<QPushButton*>("Command2")->click(); });
        }
        report("font scheme applied");
        QCOMPARE(link.digitRefreshes, Runs);
        QCOMPARE(store.resCount(), 17);
        QCOMPARE(dialogs.endRequests, 0);

        std::vector<SchemeFile> files;
        for (int run = 0; run < Runs; ++run) {
            time([&] {
                const auto digits = buildDigitScheme(folder.folder(), DigitSet::Old, named::Blue);
                files.clear();
                for (int digit = 0; digit < DigitCount; ++digit)
                    files.push_back({digitTargetPath(digit), encodeBitmap(digits.images[digit])});
            });
        }
        report("  of it: read, recolour, encode");
        for (int run = 0; run < Runs; ++run)
            time([&] { QVERIFY(writeSchemeFiles(folder.folder(), files).ok()); });
        report("  of it: ten synced writes");
        for (int run = 0; run < Runs; ++run)
            time([&] { reloadGrafiken(store, folder.folder(), dialogs, wait); });
        report("  of it: reload of the store");
    }
};

QTEST_MAIN(SchemeTimingTest)
#include "SchemeTimingTest.moc"

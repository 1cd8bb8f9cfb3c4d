#include "AtomicWrite.h"
#include "BitmapCheck.h"
#include "FakeDialogServices.h"
#include "ProgramFolder.h"
#include "ResourceStore.h"
#include "TestGraphics.h"
#include "WaitWindow.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace brixolan;
using brixolan::fakes::FakeDialogServices;

namespace {

QByteArray bitmapBytes(QSize size) {
    QImage image(size, QImage::Format_RGB888);
    image.fill(Qt::red);
    return encodeBitmap(image);
}

void putLe32(QByteArray& bytes, int at, quint32 value) {
    for (int n = 0; n < 4; ++n)
        bytes[at + n] = char((value >> (8 * n)) & 0xFF);
}

} // namespace

TEST(BitmapCheck, acceptsOrdinaryBitmapsFromOnePixelUp) {
    EXPECT_TRUE(isPlausibleBitmap(bitmapBytes(QSize(25, 25))));
    EXPECT_TRUE(isPlausibleBitmap(bitmapBytes(QSize(1, 1))));
    EXPECT_TRUE(isPlausibleBitmap(bitmapBytes(QSize(393, 57))));
}

TEST(BitmapCheck, rejectsDamagedHeaders) {
    const QByteArray good = bitmapBytes(QSize(25, 42));

    QByteArray magic = good;
    magic[0] = 'X';
    EXPECT_FALSE(isPlausibleBitmap(magic));

    EXPECT_FALSE(isPlausibleBitmap(good.left(good.size() - 10))); // pixel data cut short
    EXPECT_FALSE(isPlausibleBitmap(good.left(20)));                // header cut short

    QByteArray offset = good;
    putLe32(offset, 10, quint32(good.size() + 100)); // pixel data outside the file
    EXPECT_FALSE(isPlausibleBitmap(offset));

    QByteArray huge = good;
    putLe32(huge, 18, 100000); // width beyond any sane tile
    EXPECT_FALSE(isPlausibleBitmap(huge));

    QByteArray depth = good;
    depth[28] = 7; // no such bit depth
    EXPECT_FALSE(isPlausibleBitmap(depth));

    QByteArray header = good;
    putLe32(header, 14, 41); // no such header size
    EXPECT_FALSE(isPlausibleBitmap(header));
}

TEST(ResourceStore, loadsTheTableAndReportsEachFile) {
    QTemporaryDir dir;
    fakes::writeTestGraphics(dir.path());
    QFile::remove(dir.path() + QStringLiteral("/Grafiken/5.bmp"));
    QFile garbage(dir.path() + QStringLiteral("/Grafiken/SteinG.bmp"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a bitmap at all");
    garbage.close();

    ResourceStore store;
    const std::array<int, 17> results = store.loadAll(ProgramFolder(dir.path()));
    std::array<int, 17> expected{};
    expected.fill(1);
    expected[7] = 0;  // 5.bmp missing
    expected[16] = 0; // SteinG.bmp unreadable
    EXPECT_EQ(results, expected);
    EXPECT_EQ(store.resCount(), 17);
    ASSERT_NE(store.resHdc(13), nullptr);
    EXPECT_EQ(store.resHdc(13)->pixelColor(12, 12), fakes::stoneColor(13));
    EXPECT_EQ(store.resHdc(DigitElement(9))->size(), QSize(25, 42));
    EXPECT_EQ(store.resHdc(DigitElement(5)), nullptr);
    EXPECT_EQ(store.resHdc(0), nullptr);
    EXPECT_EQ(store.resHdc(18), nullptr);
    EXPECT_EQ(store.resHdc(-1), nullptr);
}

TEST(ResourceStore, failedLoadKeepsTheElementAndUnloadEmptiesAll) {
    QTemporaryDir dir;
    fakes::writeTestGraphics(dir.path());
    ResourceStore store;
    store.loadAll(ProgramFolder(dir.path()));
    EXPECT_EQ(store.loadBild(1, dir.path() + QStringLiteral("/missing.bmp")), 0);
    ASSERT_NE(store.resHdc(1), nullptr);
    EXPECT_EQ(store.resHdc(1)->pixelColor(0, 0), fakes::stoneColor(1));

    store.unloadAllRes();
    EXPECT_EQ(store.resCount(), 0);
    EXPECT_EQ(store.resHdc(1), nullptr);
    store.unloadAllRes(); // on an empty store too
    EXPECT_EQ(store.resCount(), 0);
}

TEST(ReloadGraphics, allPresentLeavesTheStoreFullAndSaysNothing) {
    QTemporaryDir dir;
    fakes::writeTestGraphics(dir.path());
    ResourceStore store;
    FakeDialogServices dialogs;
    WaitWindow wait;
    reloadGrafiken(store, ProgramFolder(dir.path()), dialogs, wait);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.endRequests, 0);
    EXPECT_EQ(store.resCount(), 17);
    EXPECT_FALSE(wait.isVisible());
}

TEST(ReloadGraphics, aMissingFileEndsTheProgramWithOneMessage) {
    QTemporaryDir dir;
    fakes::writeTestGraphics(dir.path());
    QFile::remove(dir.path() + QStringLiteral("/Grafiken/9.bmp"));
    ResourceStore store;
    FakeDialogServices dialogs;
    WaitWindow wait;
    reloadGrafiken(store, ProgramFolder(dir.path()), dialogs, wait);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Dateien nicht gefunden !"));
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Das Programm konnte wichtige Grafikdateien nicht finden . \r\n\r\n"
                             "-Überprüfen sie ob alle Dateien aus dem ZIP Archiv entzippt sind ."));
    EXPECT_EQ(dialogs.endRequests, 1);
    EXPECT_EQ(store.resCount(), 17); // every load ran before the check
}

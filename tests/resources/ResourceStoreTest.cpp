#include "ResourceStore.h"
#include "AtomicWrite.h"
#include "BitmapCheck.h"
#include "FakeDialogServices.h"
#include "ProgramFolder.h"
#include "TestGraphics.h"
#include "WaitWindow.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace brixolan;

namespace {

QByteArray le(quint32 value, int size = 4) {
    QByteArray bytes;
    for (int n = 0; n < size; ++n)
        bytes += char((value >> (8 * n)) & 0xFF);
    return bytes;
}

} // namespace

TEST(BitmapCheck, takesOrdinaryBitmapsAndRefusesDamagedHeaders) {
    QImage image(25, 42, QImage::Format_RGB888);
    image.fill(Qt::red);
    const QByteArray good = encodeBitmap(image);
    EXPECT_EQ(decodeBitmap(good).size(), QSize(25, 42));
    // Magic, cut short, pixels outside the file, 100000 wide, 7 bits, header of 41 bytes,
    // run-length coded 24 bits.
    for (const QByteArray& bad :
         {"X" + good.mid(1), good.chopped(10), good.left(20),
          QByteArray(good).replace(10, 4, le(quint32(good.size() + 100))),
          QByteArray(good).replace(18, 4, le(100000)), QByteArray(good).replace(28, 1, "\7"),
          QByteArray(good).replace(14, 4, le(41)), QByteArray(good).replace(30, 1, "\1")})
        EXPECT_FALSE(isPlausibleBitmap(bad)) << bad.left(40).toHex().constData();
}

// Every load runs before the check; one missing file ends the program with one message.
TEST(ResourceStore, loadsTheTableAndAMissingFileEndsTheProgramWithOneMessage) {
    QTemporaryDir dir;
    fakes::writeTestGraphics(dir.path());
    QFile::remove(dir.filePath("Grafiken/5.bmp"));
    ResourceStore store;
    fakes::FakeDialogServices dialogs;
    WaitWindow wait;
    reloadGrafiken(store, ProgramFolder(dir.path()), dialogs, wait);
    EXPECT_EQ(store.resCount(), 17);
    EXPECT_EQ(store.resHdc(13)->pixelColor(12, 12), fakes::stoneColor(13));
    EXPECT_EQ(store.resHdc(DigitElement(9))->size(), QSize(25, 42));
    for (const int none : {DigitElement(5), 0, 18, -1})
        EXPECT_EQ(store.resHdc(none), nullptr) << none;
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Dateien nicht gefunden !"));
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Das Programm konnte wichtige Grafikdateien nicht finden . \r\n\r\n"
                             "-Überprüfen sie ob alle Dateien aus dem ZIP Archiv entzippt sind ."));
    EXPECT_EQ(dialogs.endRequests, 1);
    // A failed load leaves the element as it was.
    EXPECT_EQ(store.loadBild(1, dir.filePath("missing.bmp")), 0);
    EXPECT_EQ(store.resHdc(1)->pixelColor(0, 0), fakes::stoneColor(1));
}

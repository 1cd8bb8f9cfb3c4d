// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResourceStore.h"
#include "BitmapCodec.h"
#include "ProgramFolder.h"
#include "TestGraphics.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace brixolan;

namespace {

QByteArray le(quint32 value, int size = 4) {
    const quint32 little = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char*>(&little), size);
}

/// A 4 x 2 run-length bitmap of 8 or 4 bits. Its palette is white but for entry 1, red, so a
/// pixel left unwritten shows as white (or anything), never as the black expected.
QByteArray runLengthBitmap(int bits, const QByteArray& stream) {
    QByteArray palette;
    for (int n = 0; n < 1 << bits; ++n)
        palette += le(n == 1 ? 0xFF0000 : 0xFFFFFF);
    return "BM" + le(0) + le(0) + le(54 + quint32(palette.size())) + le(40) + le(4) + le(2) +
           le(1, 2) + le(quint32(bits), 2) + le(bits == 8 ? 1 : 2) + QByteArray(20, 0) + palette +
           stream;
}

/// The picture's pixels from the top left: R red, W white, . black.
std::string pixels(const QImage& image) {
    std::string text;
    for (int n = 0; n < image.width() * image.height(); ++n) {
        const QRgb p = image.pixel(n % image.width(), n / image.width()) & 0xFFFFFF;
        text += p == 0xFF0000 ? 'R' : p == 0xFFFFFF ? 'W' : p == 0 ? '.' : '?';
    }
    return text;
}

} // namespace

TEST(BitmapCodec, takesOrdinaryBitmapsAndRefusesDamagedHeaders) {
    QImage image(25, 42, QImage::Format_RGB888);
    image.fill(Qt::red);
    const QByteArray good = encodeBitmap(image);
    EXPECT_EQ(decodeBitmap(good).size(), QSize(25, 42));
    // Magic, cut short, pixels outside the file, 100000 wide, 7 bits, header of 41 bytes,
    // run-length coded 24 bits, 1 bit whose pixels would run past the end after the palette,
    // run-length of 4 bits on 8 bits, 257 colours.
    for (const QByteArray& bad :
         {"X" + good.mid(1), good.chopped(10), good.left(20),
          QByteArray(good).replace(10, 4, le(quint32(good.size() + 100))),
          QByteArray(good).replace(18, 4, le(100000)), QByteArray(good).replace(28, 1, "\7"),
          QByteArray(good).replace(14, 4, le(41)), QByteArray(good).replace(30, 1, "\1"),
          QByteArray(good).replace(28, 1, "\1").left(54 + 4 * 42),
          runLengthBitmap(8, QByteArray::fromHex("0001")).replace(30, 1, "\2"),
          runLengthBitmap(8, QByteArray::fromHex("0001")).replace(46, 4, le(257))})
        EXPECT_FALSE(isPlausibleBitmap(bad)) << bad.left(40).toHex().constData();
}

// Run-length bitmaps can skip pixels: a jump, a line or the picture ended early, the data cut
// short. The image decoder left them unwritten (memory's garbage on the screen); they are black.
TEST(BitmapCodec, pixelsARunLengthBitmapSkipsAreBlack) {
    const std::tuple<int, QByteArray, std::string> cases[] = {
        {8, QByteArray::fromHex("0101 00020200 0101 0000 0001"), "....R..R"},
        {8, QByteArray::fromHex("0003 01000100 0000 0400 0001"), "WWWWRWR."},
        {4, QByteArray::fromHex("0410 0000 00020101"), "....RWRW"},
        {4, QByteArray::fromHex("0003 1110 0001"), "....RRR."},
        {8, QByteArray::fromHex("0201"), "....RR.."}};
    for (const auto& [bits, stream, expected] : cases)
        EXPECT_EQ(pixels(decodeBitmap(runLengthBitmap(bits, stream))), expected)
            << stream.toHex().constData();
}

// Every file is loaded, the first missing one in table order is named.
TEST(ResourceStore, loadsAllSeventeenAndNamesTheFirstMissingOne) {
    QTemporaryDir dir;
    fakes::writeTestGraphics(dir.path());
    QFile::remove(dir.filePath("Grafiken/5.bmp"));
    QFile::remove(dir.filePath("Grafiken/SteinG.bmp"));
    ResourceStore store;
    const BitmapLoad loaded = store.loadAll(ProgramFolder(dir.path()));
    ASSERT_FALSE(loaded);
    EXPECT_STREQ(loaded.missing().path, "Grafiken/5.bmp");
    EXPECT_EQ(store.image(13)->pixelColor(12, 12), fakes::stoneColor(13));
    EXPECT_EQ(store.image(digitElement(9))->size(), QSize(25, 42));
    for (const int none : {digitElement(5), 17, 0, 18, -1})
        EXPECT_EQ(store.image(none), nullptr) << none;
    fakes::writeTestGraphics(dir.path());
    EXPECT_TRUE(store.loadAll(ProgramFolder(dir.path())));
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The bitmaps the generator draws, read back as the game reads them. The generator draws into a
// fresh folder here: the program folder's own copies may already carry a player's scheme.
#include "BitmapCodec.h"
#include "ResourceStore.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace brixolan;

namespace {

/// A picture as the game reads it; bitmaps must be 24-bit files, as other tools read them.
QImage picture(const QString& relative, QSize size) {
    static QTemporaryDir folder;
    static const bool drawn = QProcess::execute(BRIXOLAN_ART_TOOL, {folder.path()}) == 0;
    QFile file(folder.filePath(relative));
    const QByteArray header = file.open(QIODevice::ReadOnly) ? file.read(30) : QByteArray();
    EXPECT_TRUE(drawn && (relative.endsWith(".png") || header.endsWith(QByteArray("\x18\0", 2))))
        << relative.toStdString() << ": no 24-bit bitmap";
    const QImage image = readPictureFile(file.fileName());
    EXPECT_EQ(image.size(), size) << relative.toStdString();
    return image.convertToFormat(QImage::Format_ARGB32);
}

/// How many pixels satisfy `test(x, y, pixel)`.
template <typename Test> int count(const QImage& image, Test test) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += test(x, y, image.pixel(x, y));
    return n;
}

constexpr QSize Stone(25, 25), Digit(25, 42);
constexpr QRgb Red = qRgb(255, 0, 0);

} // namespace

// A scheme replaces a source's key colour by the stone's own, but not in column 0 and row 0
// (the joint): the key fills the body, misses the joint and has no near shades, which would
// stay as specks. The seventh scheme takes the centre's colour as its key.
TEST(StoneSources, keyFillsTheBodyButNeverTheJoint) {
    const QRgb keys[] = {0x00FF00, 0xFF0000, 0x0000FF, 0xFF0000, 0x00FFFF, 0xFF00FF};
    for (int n = 1; n <= 7; ++n) {
        const QImage stone = picture(QString("scr/%1.bmp").arg(n), Stone);
        const QRgb key = n == 7 ? stone.pixel(12, 12) : keys[n - 1];
        const auto distance = [key](QRgb p) {
            return std::abs(qRed(p) - qRed(key)) + std::abs(qGreen(p) - qGreen(key)) +
                   std::abs(qBlue(p) - qBlue(key));
        };
        EXPECT_GE(count(stone, [&](int, int, QRgb p) { return distance(p) == 0; }), 200) << n;
        const auto nearOrInJoint = [&](int x, int y, QRgb p) {
            return distance(p) < 60 && (distance(p) > 0 || x == 0 || y == 0);
        };
        EXPECT_EQ(count(stone, nearOrInJoint), 0) << n;
    }
}

// Digits are recoloured by replacing pure red; any other reddish tint would keep its colour.
TEST(DigitSources, arePureRedOnGrey) {
    for (int n = 0; n < 20; ++n) {
        const QString file = QString("scr/%1/%2.bmp").arg(n < 10 ? "old" : "new").arg(n % 10);
        const QImage digit = picture(file, Digit);
        EXPECT_GE(count(digit, [](int, int, QRgb p) { return p == Red; }), 60);
        const auto tinted = [](int, int, QRgb p) {
            return p != Red && (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p));
        };
        EXPECT_EQ(count(digit, tinted), 0) << file.toStdString();
    }
}

TEST(DefaultGraphicsAndPictures, haveTheirSizesAndTheCursorItsHotSpot) {
    for (const GraphicsFile& file : GraphicsFiles)
        picture(file.path, file.kind == GraphicKind::Stone ? Stone : Digit);
    picture("pics/banner.bmp", QSize(393, 57));
    for (int n = 1; n <= 4; ++n)
        picture(QString("pics/deko%1.bmp").arg(n), Stone);
    for (const int side : {32, 48, 64, 128})
        picture(QString(side == 32 ? "pics/icon.png" : "pics/brixolan-%1.png").arg(side),
                QSize(side, side));
    const QImage cursor = picture("pics/cursor.png", QSize(32, 32));
    EXPECT_EQ(qAlpha(cursor.pixel(0, 0)), 0);
    EXPECT_GT(qAlpha(cursor.pixel(12, 1)), 128); // the finger tip is where the click lands
    EXPECT_LT(qAlpha(cursor.pixel(12, 0)), 64);
}

// The bitmaps the generator draws, read back as the game reads them. The generator draws into a
// fresh folder here: the program folder's own copies may already carry a player's scheme.

#include "BitmapCheck.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QString>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string_view>
#include <vector>

using brixolan::readBitmapFile;

namespace {

const QString& drawnFolder() {
    static QTemporaryDir folder;
    static const bool drawn = [] {
        return QProcess::execute(QStringLiteral(BRIXOLAN_ART_TOOL), {folder.path()}) == 0;
    }();
    EXPECT_TRUE(drawn) << "the generator failed";
    static const QString path = folder.path();
    return path;
}

QString programFile(const QString& relative) {
    // Copied beside the program at build time rather than drawn.
    if (relative == QLatin1String("info.txt") || relative.endsWith(QLatin1String(".svg")))
        return QStringLiteral(BRIXOLAN_PROGRAM_FOLDER "/") + relative;
    return drawnFolder() + QLatin1Char('/') + relative;
}

/// Loads a bitmap the way the game does and insists on a 24-bit file of the given size.
QImage bitmap(const QString& relative, QSize size) {
    QFile file(programFile(relative));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relative.toStdString();
    const QByteArray header = file.read(30);
    EXPECT_EQ(header.size(), 30) << relative.toStdString();
    if (header.size() == 30) {
        EXPECT_EQ(int(header[28]), 24) << relative.toStdString() << ": bits per pixel";
    }
    const QImage image = readBitmapFile(programFile(relative));
    EXPECT_EQ(image.size(), size) << relative.toStdString();
    return image.convertToFormat(QImage::Format_RGB32);
}

QString stoneSource(int n) {
    return QStringLiteral("scr/%1.bmp").arg(n);
}

bool nearButNot(QRgb pixel, QRgb key) {
    const int distance = std::abs(qRed(pixel) - qRed(key)) + std::abs(qGreen(pixel) - qGreen(key)) +
                         std::abs(qBlue(pixel) - qBlue(key));
    return distance > 0 && distance < 60;
}

constexpr QSize Stone(25, 25);
constexpr QSize Digit(25, 42);

} // namespace

TEST(StoneSources, keyFillsTheBodyButNeverTheJointAndHasNoNearShades) {
    const QRgb keys[] = {qRgb(0, 255, 0),
                         qRgb(255, 0, 0),
                         qRgb(0, 0, 255),
                         qRgb(255, 0, 0),
                         qRgb(0, 255, 255),
                         qRgb(255, 0, 255),
                         0};
    for (int n = 1; n <= 7; ++n) {
        const QImage stone = bitmap(stoneSource(n), Stone);
        // The seventh scheme takes whatever colour the centre has as its key.
        const QRgb key = n == 7 ? stone.pixel(12, 12) : keys[n - 1];
        int body = 0;
        for (int y = 0; y < Stone.height(); ++y)
            for (int x = 0; x < Stone.width(); ++x) {
                const QRgb pixel = stone.pixel(x, y) | 0xFF000000u;
                if (x == 0 || y == 0)
                    EXPECT_NE(pixel, key) << "scr/" << n << " joint at " << x << "," << y;
                else if (pixel == key)
                    ++body;
                EXPECT_FALSE(nearButNot(pixel, key)) << "scr/" << n << " at " << x << "," << y;
            }
        EXPECT_GE(body, 200) << "scr/" << n << ": too little of the stone takes the scheme colour";
    }
}

TEST(StoneSources, everyStoneHasItsOwnLook) {
    for (int a = 1; a <= 7; ++a)
        for (int b = a + 1; b <= 7; ++b)
            EXPECT_NE(bitmap(stoneSource(a), Stone), bitmap(stoneSource(b), Stone))
                << "scr/" << a << " and scr/" << b;
}

TEST(DigitSources, strokesArePureRedWithoutReddishShades) {
    for (const char* set : {"old", "new"}) {
        for (int d = 0; d <= 9; ++d) {
            const QImage digit = bitmap(QStringLiteral("scr/%1/%2.bmp").arg(set).arg(d), Digit);
            int red = 0;
            for (int y = 0; y < Digit.height(); ++y)
                for (int x = 0; x < Digit.width(); ++x) {
                    const QRgb p = digit.pixel(x, y);
                    if (p == qRgb(255, 0, 0))
                        ++red;
                    else // any other tint would keep its red when the digits are recoloured
                        EXPECT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p))
                            << set << "/" << d << " at " << x << "," << y;
                }
            EXPECT_GE(red, 60) << set << "/" << d;
            EXPECT_EQ(digit.pixel(0, 0), qRgb(0, 0, 0)) << set << "/" << d;
        }
    }
}

TEST(DigitSources, tenDistinctDigitsInEachSet) {
    for (const char* set : {"old", "new"})
        for (int a = 0; a <= 9; ++a)
            for (int b = a + 1; b <= 9; ++b)
                EXPECT_NE(bitmap(QStringLiteral("scr/%1/%2.bmp").arg(set).arg(a), Digit),
                          bitmap(QStringLiteral("scr/%1/%2.bmp").arg(set).arg(b), Digit))
                    << set << ": " << a << " and " << b;
}

TEST(DigitSources, oldDigitsLightTheSevenSegmentsOfTheirNumber) {
    // Middles of the segments a (top), b, c (right), d (bottom), e, f (left), g (middle).
    constexpr QPoint middles[] = {{12, 5}, {19, 13}, {19, 28}, {12, 36},
                                  {5, 28}, {5, 13},  {12, 21}};
    constexpr const char* lit[] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                   "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    for (int d = 0; d <= 9; ++d) {
        const QImage digit = bitmap(QStringLiteral("scr/old/%1.bmp").arg(d), Digit);
        for (int s = 0; s < 7; ++s) {
            const bool on = std::string_view(lit[d]).find(char('a' + s)) != std::string_view::npos;
            EXPECT_EQ(digit.pixel(middles[s]) == qRgb(255, 0, 0), on)
                << d << ": segment " << char('a' + s);
        }
    }
}

/// Regions of background that the strokes close in: what tells 0 from 7 or 8 from 3.
int enclosedRegions(const QImage& digit) {
    const int w = digit.width();
    const int h = digit.height();
    std::vector<int> seen(std::size_t(w * h), 0);
    const auto ink = [&](int x, int y) { return digit.pixel(x, y) == qRgb(255, 0, 0); };
    const auto flood = [&](int x0, int y0) {
        std::vector<QPoint> todo{{x0, y0}};
        seen[std::size_t(y0 * w + x0)] = 1;
        while (!todo.empty()) {
            const QPoint p = todo.back();
            todo.pop_back();
            for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                const QPoint q = p + step;
                if (q.x() < 0 || q.y() < 0 || q.x() >= w || q.y() >= h || ink(q.x(), q.y()) ||
                    seen[std::size_t(q.y() * w + q.x())])
                    continue;
                seen[std::size_t(q.y() * w + q.x())] = 1;
                todo.push_back(q);
            }
        }
    };
    flood(0, 0); // the cell's corner is background outside every digit
    int regions = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!ink(x, y) && !seen[std::size_t(y * w + x)]) {
                ++regions;
                flood(x, y);
            }
    return regions;
}

TEST(DigitSources, newDigitsCloseTheirLoopsAndNoOthers) {
    constexpr int loops[] = {1, 0, 0, 0, 1, 0, 1, 0, 2, 1};
    for (int d = 0; d <= 9; ++d)
        EXPECT_EQ(enclosedRegions(bitmap(QStringLiteral("scr/new/%1.bmp").arg(d), Digit)), loops[d])
            << d;
}

TEST(DefaultGraphics, areTheStandardStonesAndTheNewDigitsInRed) {
    for (int n = 1; n <= 7; ++n) {
        const QString target = QStringLiteral("Grafiken/Stein%1.bmp").arg(QChar('A' + n - 1));
        EXPECT_EQ(bitmap(target, Stone), bitmap(stoneSource(n), Stone)) << target.toStdString();
    }
    for (int d = 0; d <= 9; ++d)
        EXPECT_EQ(bitmap(QStringLiteral("Grafiken/%1.bmp").arg(d), Digit),
                  bitmap(QStringLiteral("scr/new/%1.bmp").arg(d), Digit))
            << d;
}

TEST(Pictures, haveTheirSizesAndTheCursorPointsWithItsHotSpot) {
    bitmap("pics/banner.bmp", QSize(393, 57));
    for (int n = 1; n <= 4; ++n)
        bitmap(QStringLiteral("pics/deko%1.bmp").arg(n), Stone);

    const QImage cursor(programFile("pics/cursor.png"));
    ASSERT_EQ(cursor.size(), QSize(32, 32));
    EXPECT_TRUE(cursor.hasAlphaChannel());
    EXPECT_EQ(qAlpha(cursor.pixel(0, 0)), 0);
    EXPECT_GT(qAlpha(cursor.pixel(12, 1)), 128); // the finger tip is where the click lands
    EXPECT_EQ(qAlpha(cursor.pixel(12, 0)) < 64, true);

    for (const auto& [file, side] : {std::pair{"pics/icon.png", 32},
                                     {"pics/brixolan-48.png", 48},
                                     {"pics/brixolan-64.png", 64},
                                     {"pics/brixolan-128.png", 128}})
        EXPECT_EQ(QImage(programFile(file)).size(), QSize(side, side)) << file;
    EXPECT_TRUE(QFile::exists(programFile("pics/brixolan.svg")));
    EXPECT_TRUE(QFile::exists(programFile("info.txt")));
}

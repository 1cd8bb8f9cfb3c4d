// SPDX-License-Identifier: GPL-3.0-or-later
// brixolan-art: writes the game's own bitmaps beside the program at build time.
//
//   brixolan-art <program folder>
//
// scr/ holds the scheme sources the appearance dialogs recolour, Grafiken/ the default set
// (standard stones, new digits in red), pics/ the highscore window's pictures and the icon.

#include "Digits.h"
#include "GraphicsFiles.h"
#include "Pictures.h"
#include "Stones.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <cstdio>

namespace {

bool save(const QImage& image, const QString& path, const char* format) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !image.save(path, format)) {
        std::fprintf(stderr, "brixolan-art: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The game and other tools read 24-bit files; Format_RGB888 is written that way.
bool saveBmp(const art::Canvas& canvas, const QString& path) {
    return save(canvas.toRgb888(), path, "BMP");
}

bool savePng(const art::Canvas& canvas, const QString& path) {
    return save(canvas.toArgb32(), path, "PNG");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: brixolan-art <program folder>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]) + '/';
    bool ok = true;

    using brixolan::GraphicKind;
    // The default set under Grafiken is the standard stones and the new digits in red.
    for (int k = 0; k < brixolan::KindCount; ++k) {
        const art::Canvas stone = art::drawStone(k + 1);
        ok &= saveBmp(stone, root + brixolan::StoneSources[std::size_t(k)]);
        ok &= saveBmp(stone, root + brixolan::graphicsFile(GraphicKind::Stone, k).path);
    }
    for (int d = 0; d < brixolan::DigitCount; ++d) {
        const art::Canvas digitOld = art::drawDigit(art::DigitStyle::Segments, d);
        const art::Canvas digitNew = art::drawDigit(art::DigitStyle::Rounded, d);
        ok &= saveBmp(digitOld, root + brixolan::DigitSources[0][std::size_t(d)]);
        ok &= saveBmp(digitNew, root + brixolan::DigitSources[1][std::size_t(d)]);
        ok &= saveBmp(digitNew, root + brixolan::graphicsFile(GraphicKind::Digit, d).path);
    }

    ok &= saveBmp(art::drawBanner(), root + "pics/banner.bmp");
    for (int n = 1; n <= 4; ++n)
        ok &= saveBmp(art::drawDecoration(n), root + QStringLiteral("pics/deko%1.bmp").arg(n));
    ok &= savePng(art::drawCursor(), root + "pics/cursor.png");
    ok &= savePng(art::drawIcon(32), root + "pics/icon.png");
    for (const int size : {48, 64, 128})
        ok &= savePng(art::drawIcon(size), root + QStringLiteral("pics/brixolan-%1.png").arg(size));
    return ok ? 0 : 1;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "SchemePixels.h"

namespace brixolan {

void replaceColour(QImage& image, BgrColor key, BgrColor replacement, int firstColumn,
                   int firstRow) {
    if (image.isNull())
        return;
    if (image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    const QRgb from = pixelOfBgr(key) & 0x00FFFFFFu;
    const QRgb to = pixelOfBgr(replacement);
    for (int y = firstRow; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = firstColumn; x < image.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == from)
                line[x] = to;
        }
    }
}

std::optional<BgrColor> centreColour(const QImage& tile) {
    constexpr int Centre = 12;
    if (!tile.valid(Centre, Centre))
        return std::nullopt;
    return bgrOfPixel(tile.pixel(Centre, Centre));
}

} // namespace brixolan

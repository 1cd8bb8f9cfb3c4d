// SPDX-License-Identifier: GPL-3.0-or-later
#include "SchemeSources.h"

#include "BitmapCodec.h"
#include "ProgramFolder.h"
#include "SchemePixels.h"

#include <QDir>

namespace brixolan {

namespace {

/// A source as 32-bit RGB; a file that is missing or no readable bitmap is listed instead.
QImage readSource(const ProgramFolder& folder, const char* relative, QStringList& missing) {
    const QString path = folder.path(QString::fromLatin1(relative));
    QImage image = readBitmapFile(path);
    if (image.isNull()) {
        missing << QDir::toNativeSeparators(path);
        return {};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

SchemeImages<KindCount> buildStoneScheme(const ProgramFolder& folder, int scheme) {
    SchemeImages<KindCount> result;
    if (scheme < 0 || scheme >= int(StoneSchemes.size()))
        return result;
    const StoneScheme& chosen = StoneSchemes[std::size_t(scheme)];
    // A recoloured scheme takes one source for all seven stones; each copy is recoloured.
    const QImage shared =
        chosen.rule == KeyRule::None
            ? QImage()
            : readSource(folder, StoneSources[std::size_t(chosen.source - 1)], result.missing);
    for (int k = 0; k < KindCount; ++k) {
        QImage tile = chosen.rule == KeyRule::None
                          ? readSource(folder, StoneSources[std::size_t(k)], result.missing)
                          : shared;
        std::optional<BgrColor> key;
        if (chosen.rule == KeyRule::Fixed)
            key = chosen.key;
        else if (chosen.rule == KeyRule::Centre)
            key = centreColour(tile);
        if (key)
            colorStone(tile, *key, StoneColours[std::size_t(k)]);
        result.images[std::size_t(k)] = std::move(tile);
    }
    return result;
}

SchemeImages<DigitCount> buildDigitScheme(const ProgramFolder& folder, DigitSet set,
                                          BgrColor colour) {
    SchemeImages<DigitCount> result;
    for (int digit = 0; digit < DigitCount; ++digit) {
        QImage image =
            readSource(folder, DigitSources[std::size_t(set)][std::size_t(digit)], result.missing);
        colorDigit(image, colour);
        result.images[std::size_t(digit)] = std::move(image);
    }
    return result;
}

} // namespace brixolan

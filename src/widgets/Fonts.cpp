// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <cmath>

namespace brixolan {

namespace {

// A family the machine lacks costs fontconfig a sorted list of all its fonts whenever a size or
// stretch of the font is made. Qt takes the first family it has, the later ones standing in for
// glyphs that one lacks; asking for the list from that family on chooses the same.
QStringList fromFirstInstalled(const QStringList& families) {
    QStringList installed;
    for (const QString& family : QFontDatabase::families())
        installed << family.left(family.indexOf(QLatin1String(" ["))); // without the foundry
    for (qsizetype first = 0; first < families.size(); ++first) {
        if (installed.contains(families[first], Qt::CaseInsensitive))
            return families.mid(first);
    }
    return families;
}

QFont withFamilies(const QStringList& families, qreal pointSize) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace

QFont captionFont(qreal pointSize) {
    // A squared terminal face stands in for the technical caption font; it has the umlauts.
    static const QStringList families =
        fromFirstInstalled({QStringLiteral("Westminster"), QStringLiteral("IBM 3270"),
                            QStringLiteral("DejaVu Sans Mono")});
    return withFamilies(families, pointSize);
}

QFont comicFont(qreal pointSize) {
    static const QStringList families =
        fromFirstInstalled({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"),
                            QStringLiteral("DejaVu Sans")});
    return withFamilies(families, pointSize);
}

QFont sansSerifFont(qreal pointSize) {
    static const QStringList families =
        fromFirstInstalled({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
    return withFamilies(families, pointSize);
}

QFont condensedToFit(QFont font, const QString& text, int width) {
    const int natural = QFontMetrics(font).horizontalAdvance(text);
    if (natural <= width || natural == 0)
        return font;
    // Stretch is a percentage of the natural width; glyph advances round, so step down until
    // it really fits.
    for (int stretch = int(std::floor(100.0 * width / natural)); stretch > 1; --stretch) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(text) <= width)
            break;
    }
    return font;
}

} // namespace brixolan

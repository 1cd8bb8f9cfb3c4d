#include "Fonts.h"

#include <QFontMetrics>
#include <QStringList>
#include <cmath>

namespace brixolan {

namespace {
QFont withFamilies(const QStringList& families, qreal pointSize) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    return font;
}
} // namespace

QFont captionFont(qreal pointSize) {
    // A squared terminal face stands in for the technical caption font; it has the umlauts.
    return withFamilies({QStringLiteral("Westminster"), QStringLiteral("IBM 3270"),
                         QStringLiteral("DejaVu Sans Mono")},
                        pointSize);
}

QFont comicFont(qreal pointSize) {
    return withFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"),
                         QStringLiteral("DejaVu Sans")},
                        pointSize);
}

QFont sansSerifFont(qreal pointSize) {
    return withFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")},
                        pointSize);
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

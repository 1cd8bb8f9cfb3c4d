#include "Fonts.h"

#include <QStringList>

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

} // namespace brixolan

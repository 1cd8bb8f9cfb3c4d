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
    // A squared, technical face in the spirit of the original caption font.
    QFont font = withFamilies({QStringLiteral("Westminster"), QStringLiteral("Comic Neue"),
                               QStringLiteral("DejaVu Sans")},
                              pointSize);
    return font;
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

// SPDX-License-Identifier: GPL-3.0-or-later
// The game's three faces on a Debian system with the font packages the Debian package depends
// on: each resolves to its free look-alike (or the original, where a machine has it) and has
// the German letters the texts use.
#include "Fonts.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>
#include <tuple>

using namespace brixolan;

class FontsTest : public QObject {
    Q_OBJECT

private slots:
    // Caption: the squared terminal face; comic: Comic Neue; sans serif: DejaVu Sans. A caption
    // too wide for its box is narrowed until it really fits.
    void eachFaceIsItsOriginalOrItsLookAlikeAndACondensedCaptionFitsEveryWidth() {
        const std::tuple<QFont, QString, QString> faces[] = {
            {captionFont(24), "Westminster", "IBM 3270"},
            {comicFont(20), "Comic Sans MS", "Comic Neue"},
            {sansSerifFont(8.25), "MS Sans Serif", "DejaVu Sans"}};
        const QString text = QStringLiteral("Spiel abbrechen: Höhe, Level, Punkte");
        for (const auto& [font, original, standIn] : faces) {
            const QString family = QFontInfo(font).family();
            QVERIFY2(family == original || family == standIn,
                     qPrintable(original + " became " + family + ", not " + standIn));
            for (const QChar letter : QStringLiteral("äöüÄÖÜß"))
                QVERIFY2(QFontMetrics(font).inFont(letter),
                         qPrintable(family + " lacks " + letter));
            const int natural = QFontMetrics(font).horizontalAdvance(text);
            for (int width = natural / 3; width < natural; ++width)
                QVERIFY(QFontMetrics(condensedToFit(font, text, width)).horizontalAdvance(text) <=
                        width);
        }
    }
};

QTEST_MAIN(FontsTest)
#include "FontsTest.moc"

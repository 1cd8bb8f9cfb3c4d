// SPDX-License-Identifier: GPL-3.0-or-later
// The game's three faces on a Debian system with the font packages the Debian package depends
// on: each resolves to its free look-alike (or the original, where a machine has it) and has
// the German letters the texts use.
#include "Fonts.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

using namespace brixolan;

class FontsTest : public QObject {
    Q_OBJECT

private:
    static void expectFace(const QFont& font, const QString& original, const QString& standIn) {
        const QString family = QFontInfo(font).family();
        QVERIFY2(family == original || family == standIn,
                 qPrintable(original + " became " + family + ", not " + standIn));
        for (const QChar letter : QStringLiteral("äöüÄÖÜß"))
            QVERIFY2(QFontMetrics(font).inFont(letter), qPrintable(family + " lacks " + letter));
    }

private slots:
    // Caption: the squared terminal face; comic: Comic Neue; sans serif: DejaVu Sans.
    void eachFaceIsItsOriginalOrItsLookAlike() {
        expectFace(captionFont(24), "Westminster", "IBM 3270");
        expectFace(comicFont(20), "Comic Sans MS", "Comic Neue");
        expectFace(sansSerifFont(8.25), "MS Sans Serif", "DejaVu Sans");
    }
    // A caption too wide for its box is narrowed until it really fits.
    void aCondensedCaptionFitsEveryWidth() {
        for (const QFont& font : {captionFont(24), comicFont(20), sansSerifFont(8.25)}) {
            const QString text = QStringLiteral("Spiel abbrechen: Höhe, Level, Punkte");
            const int natural = QFontMetrics(font).horizontalAdvance(text);
            for (int width = natural / 3; width < natural; ++width)
                QVERIFY(QFontMetrics(condensedToFit(font, text, width)).horizontalAdvance(text) <=
                        width);
        }
    }
};

QTEST_MAIN(FontsTest)
#include "FontsTest.moc"

#include "TextCodec.h"

#include <gtest/gtest.h>

using namespace brixolan;

TEST(Cp1252, umlautsAndEuroRoundTripAsSingleBytes) {
    const QString text = QStringLiteral("Jürgen Größe € „x“");
    const QByteArray bytes = toCp1252(text);
    EXPECT_EQ(bytes, QByteArray("J\xFCrgen Gr\xF6\xDF" "e \x80 \x84x\x93"));
    EXPECT_EQ(fromCp1252(bytes), text);
}

TEST(Cp1252, charactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
    EXPECT_EQ(toCp1252(QStringLiteral("a\u4E2Db")), QByteArray("a?b"));
    // A character beyond the basic plane is one '?', not two.
    EXPECT_EQ(toCp1252(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QByteArray("x?y"));
}

TEST(CrLines, crLfAndLoneCrEndLinesButLoneLfDoesNot) {
    EXPECT_EQ(splitCrLines(QStringLiteral("a\r\nb\rc\nd\r\n")),
              QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c\nd")}));
}

TEST(CrLines, lastLineMayLackItsEndAndEmptyLinesCount) {
    EXPECT_EQ(splitCrLines(QStringLiteral("a\r\n\r\nlast")),
              QStringList({QStringLiteral("a"), QString(), QStringLiteral("last")}));
    EXPECT_TRUE(splitCrLines(QString()).isEmpty());
}

TEST(CrLines, joinWritesCrLfAfterEveryLine) {
    EXPECT_EQ(joinCrLfLines({QStringLiteral("x"), QString()}), QStringLiteral("x\r\n\r\n"));
}

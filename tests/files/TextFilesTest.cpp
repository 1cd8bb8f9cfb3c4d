// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextCodec.h"

#include <gtest/gtest.h>
#include <numeric>

using namespace brixolan;

TEST(Cp1252, holdsEachCharacterInOneByteAndEveryByteReadsBackAsItself) {
    // Every character the code page puts at 0x80..0x9F, in byte order.
    const QString text = QStringLiteral("Jürgen Größe €‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ");
    EXPECT_EQ(toCp1252(text), QByteArray("J\xFCrgen Gr\xF6\xDF"
                                         "e \x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C"
                                         "\x8E\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C"
                                         "\x9E\x9F"));
    // One '?' per character outside the code page, also beyond the basic plane.
    EXPECT_EQ(toCp1252(QString::fromUtf8("a\u4E2Db x\xF0\x9F\x98\x80y")), QByteArray("a?b x?y"));
    // What a name box for such a file keeps: the same '?', accents composed, no line break.
    EXPECT_EQ(keepFileLineCharacters(QString::fromUtf8("\u0141e\u0301\xF0\x9F\x98\x80\r\n€?")),
              QString::fromUtf8("?é?€?"));
    // An unchanged file is written as it was read, the five bytes the code page lacks included.
    QByteArray all(256, '\0');
    std::iota(all.begin(), all.end(), '\0');
    EXPECT_EQ(toCp1252(fromCp1252(all)), all);
}

// (The score file's tests read and write the lines of whole files; a last line without a line
// end is kept only here.)
TEST(CrLines, crLfAndLoneCrEndLinesButLoneLfDoesNot) {
    EXPECT_EQ(splitCrLines(QStringLiteral("a\r\nb\rc\nd\r\n\r\nlast")),
              QStringList({"a", "b", "c\nd", "", "last"}));
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The score-code library as the score server meets it: codes that travel in an address, read
// back only with the right key and only when untouched.
#include "eks.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr const char* Key = "qupwdzk47";
constexpr int32_t Mode = -1;
constexpr const char* Plain = "bxl16|975|21|";
constexpr std::string_view Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

std::string encode(const std::string& plain, const char* key = Key) {
    char out[256] = {};
    const long length = EKSEncode(plain.c_str(), key, &Mode, out, sizeof out);
    return length < 0 ? std::string("<refused>") : std::string(out, std::size_t(length));
}

std::optional<std::string> decode(const std::string& code, const char* key = Key) {
    char out[256];
    const long length = EKSDecode(code.c_str(), key, out, sizeof out);
    return length < 0 ? std::nullopt : std::optional(std::string(out, std::size_t(length)));
}

// Codes travel in an address: they need no escaping, and read back only with the right key and
// only when untouched. Any other character anywhere, inside the alphabet or not, is refused. In
// the last one of all codes but the first this also sets the bits after the last whole byte,
// which are zero in the one code a block has: that changes no byte, and is still refused.
TEST(ScoreCode, codesNeedNoEscapingAndReadBackOnlyWithTheRightKeyAndUntouched) {
    for (const std::string plain :
         {Plain, "bxl16||0|", "bxl16|10|1|", "bxl16|2147483647|46|", ""}) {
        const std::string code = encode(plain);
        EXPECT_EQ(code.find_first_not_of(Alphabet), std::string::npos) << code;
        EXPECT_EQ(decode(code), plain) << code;
        EXPECT_EQ(decode(code, "qupwdzk48"), std::nullopt) << code;
        for (std::size_t at = 0; at < code.size(); ++at)
            for (const char replacement : std::string(Alphabet) + "+") {
                std::string changed = code;
                changed[at] = replacement;
                EXPECT_TRUE(changed == code || !decode(changed)) << changed;
            }
    }
    // A changed format would make every code sent so far unreadable to the server.
    const std::string code = encode(Plain);
    EXPECT_EQ(code, "p0Hn55l-t4dYEQcXkrAY");
    for (const std::string& bad :
         {code + "A", code.substr(1), code + "==", std::string(), std::string("AA")})
        EXPECT_EQ(decode(bad), std::nullopt) << bad;
}

// The format is linear: the bit-wise sum of the codes of a, b and c of one length is the
// code of a ^ b ^ c. So a code can be forged with a valid check around a NUL, which no C
// string holds: it is refused.
TEST(ScoreCode, aForgedCodeWithANulInsideIsRefused) {
    const auto sum = [](std::string a, const std::string& b, const std::string& c) {
        for (std::size_t at = 0; at < a.size(); ++at)
            a[at] = Alphabet[Alphabet.find(a[at]) ^ Alphabet.find(b[at]) ^ Alphabet.find(c[at])];
        return a;
    };
    const std::string abc = encode("abc"), axc = encode("axc");
    EXPECT_EQ(decode(sum(abc, axc, encode("ayc"))), "acc"); // 'b' ^ 'x' ^ 'y' is 'c'
    EXPECT_EQ(decode(sum(abc, axc, encode(std::string{'a', 'x' ^ 'b', 'c'}))), std::nullopt);
}

TEST(ScoreCode, onlyModeMinusOneAndRoomForTheWholeCodeGiveACode) {
    char out[64];
    for (const int32_t mode : {0, 1, -2})
        EXPECT_EQ(EKSEncode(Plain, Key, &mode, out, sizeof out), -1) << mode;
    for (const long refused :
         {EKSEncode(nullptr, Key, &Mode, out, 64), EKSEncode(Plain, nullptr, &Mode, out, 64),
          EKSEncode(Plain, Key, nullptr, out, 64), EKSEncode(Plain, Key, &Mode, nullptr, 64),
          EKSDecode(nullptr, Key, out, 64), EKSDecode("AAAA", nullptr, out, 64),
          EKSDecode(encode(Plain).c_str(), Key, nullptr, 64)})
        EXPECT_EQ(refused, -1);
    // One byte short: the length it needs, an empty text, and nothing of the code.
    const std::string code = encode(Plain);
    std::string tooSmall(code.size(), 'x');
    EXPECT_EQ(EKSEncode(Plain, Key, &Mode, tooSmall.data(), code.size()), long(code.size()));
    EXPECT_EQ(tooSmall, '\0' + std::string(code.size() - 1, 'x'));
}

} // namespace

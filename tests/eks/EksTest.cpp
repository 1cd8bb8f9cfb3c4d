#include "eks.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

constexpr const char* Key = "qupwdzk47";
constexpr int32_t Mode = -1;

/// Encodes with a buffer of the size the library asks for; an empty text stands for failure.
std::string encode(const std::string& plain, const char* key = Key) {
    char probe[1];
    const long needed = EKSEncode(plain.c_str(), key, &Mode, probe, 0);
    if (needed < 0)
        return {};
    std::string out(std::size_t(needed) + 1, '\0');
    EXPECT_EQ(EKSEncode(plain.c_str(), key, &Mode, out.data(), out.size()), needed);
    out.resize(std::size_t(needed));
    return out;
}

/// The decoded plain text, or nothing when the library rejects the code.
std::optional<std::string> decode(const std::string& code, const char* key = Key) {
    char out[256];
    const long length = EKSDecode(code.c_str(), key, out, sizeof out);
    if (length < 0)
        return std::nullopt;
    EXPECT_LT(length, long(sizeof out));
    return std::string(out, std::size_t(length));
}

bool urlSafe(const std::string& code) {
    return code.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                  "0123456789-_") == std::string::npos;
}

} // namespace

TEST(ScoreCode, plainCodesRoundTripThroughUrlSafeCodes) {
    for (const std::string plain : {"bxl16|975|21|", "bxl16|0|0|", "bxl16||0|", "bxl16|100|1|",
                                    "bxl16|2147483647|46|", "", "x"}) {
        const std::string code = encode(plain);
        EXPECT_TRUE(urlSafe(code)) << code;
        EXPECT_EQ(decode(code), plain) << code;
    }
}

TEST(ScoreCode, codeOfTheGamesPlainCodeStaysFixedForTheServer) {
    // A changed format would make every code sent so far unreadable; this pins it.
    EXPECT_EQ(encode("bxl16|975|21|"), "p0Hn55l-t4dYEQcXkrAY");
    EXPECT_EQ(encode("bxl16|975|21|").size(), std::size_t((13 + 2) * 4 + 2) / 3);
}

TEST(ScoreCode, theKeyChangesTheCodeAndAWrongKeyIsRejected) {
    const std::string code = encode("bxl16|975|21|");
    EXPECT_NE(encode("bxl16|975|21|", "qupwdzk48"), code);
    EXPECT_EQ(decode(code, "qupwdzk48"), std::nullopt);
    EXPECT_EQ(decode(code, ""), std::nullopt);
}

TEST(ScoreCode, everySingleChangedCharacterIsRejected) {
    const std::string code = encode("bxl16|975|21|");
    for (std::size_t at = 0; at < code.size(); ++at)
        for (const char replacement : {'A', 'z', '5', '-', '_'}) {
            if (code[at] == replacement)
                continue;
            std::string tampered = code;
            tampered[at] = replacement;
            EXPECT_EQ(decode(tampered), std::nullopt) << tampered;
        }
}

TEST(ScoreCode, malformedCodesAreRejected) {
    const std::string code = encode("bxl16|975|21|");
    EXPECT_EQ(decode(code + "A"), std::nullopt); // a length base64 cannot have
    EXPECT_EQ(decode(code.substr(0, code.size() - 1)), std::nullopt);
    EXPECT_EQ(decode(code + "="), std::nullopt); // padding is not part of the code
    EXPECT_EQ(decode(code.substr(0, 5) + "+" + code.substr(6)), std::nullopt);
    EXPECT_EQ(decode(""), std::nullopt); // too short to hold the check
    EXPECT_EQ(decode("AA"), std::nullopt);
}

TEST(ScoreCode, onlyModeMinusOneAndNonNullArgumentsAreAccepted) {
    char out[64];
    for (const int32_t mode : {0, 1, -2}) {
        EXPECT_EQ(EKSEncode("bxl16|975|21|", Key, &mode, out, sizeof out), -1) << mode;
    }
    EXPECT_EQ(EKSEncode("bxl16|975|21|", Key, nullptr, out, sizeof out), -1);
    EXPECT_EQ(EKSEncode(nullptr, Key, &Mode, out, sizeof out), -1);
    EXPECT_EQ(EKSEncode("bxl16|975|21|", nullptr, &Mode, out, sizeof out), -1);
    EXPECT_EQ(EKSEncode("bxl16|975|21|", Key, &Mode, nullptr, 0), -1);
    EXPECT_EQ(EKSDecode(nullptr, Key, out, sizeof out), -1);
    EXPECT_EQ(EKSDecode("AAAA", nullptr, out, sizeof out), -1);
    EXPECT_EQ(EKSDecode("AAAA", Key, nullptr, 0), -1);
}

TEST(ScoreCode, aTooSmallBufferGetsTheNeededLengthAndNoPartialCode) {
    const std::string code = encode("bxl16|975|21|");
    const long length = long(code.size());
    std::string out(code.size(), 'x'); // one short: no room for the NUL
    EXPECT_EQ(EKSEncode("bxl16|975|21|", Key, &Mode, out.data(), out.size()), length);
    EXPECT_EQ(out[0], '\0');
    EXPECT_EQ(out.find(code.substr(0, 4)), std::string::npos);

    std::string exact(code.size() + 1, 'x');
    EXPECT_EQ(EKSEncode("bxl16|975|21|", Key, &Mode, exact.data(), exact.size()), length);
    EXPECT_EQ(std::string(exact.c_str()), code);

    char plain[13]; // "bxl16|975|21|" has 13 characters
    EXPECT_EQ(EKSDecode(code.c_str(), Key, plain, sizeof plain), 13);
    EXPECT_EQ(plain[0], '\0');
}

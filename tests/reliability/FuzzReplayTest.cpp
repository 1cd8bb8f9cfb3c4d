// The fuzzers' checks in the ordinary suite: every seed and every input that once broke a
// promise, and a short run of mutated seeds, so a compiler other than clang (and the
// sanitizer build) exercise the same readers.
#include "BitmapCheck.h"
#include "Environment.h"
#include "FuzzTargets.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace brixolan;
using brixolan::reliability::fromEnvironment;

namespace {

struct Target {
    const char* name;
    std::string (*check)(const QByteArray&);
};

const Target Targets[] = {{"score_file", fuzz::checkScoreFile},
                          {"settings", fuzz::checkSettings},
                          {"bitmap", fuzz::checkBitmap}};

QStringList inputsIn(const QString& folder) {
    QStringList paths;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

QString fuzzFolder(const char* kind, const char* target) {
    return QStringLiteral(BRIXOLAN_FUZZ_DIR "/%1/%2")
        .arg(QLatin1String(kind), QLatin1String(target));
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Runs the check on a buffer of exactly the input's size, as the fuzzer hands it over, so
/// that the sanitizer build sees any read past its end.
std::string checkExactly(const Target& target, const QByteArray& bytes) {
    const std::vector<char> exact(bytes.begin(), bytes.end());
    return target.check(QByteArray::fromRawData(exact.data(), qsizetype(exact.size())));
}

/// One to four of the edits a fuzzer makes: flipped bits, telling bytes and numbers,
/// insertions, cuts and repeats.
QByteArray mutate(QByteArray bytes, std::mt19937& random) {
    static const char Telling[] = {0,    1,   0x7F, char(0x80), char(0xFF), '\r',
                                   '\n', ' ', ',',  '-',        '9'};
    static const std::int32_t Numbers[] = {0, 1, -1, 25, 8192, 8193, 65535, INT32_MAX, INT32_MIN};
    const auto below = [&](qsizetype n) { return n <= 0 ? 0 : qsizetype(random() % quint64(n)); };
    for (int round = 1 + int(random() % 4); round > 0; --round) {
        const qsizetype at = below(bytes.size());
        switch (random() % 7) {
        case 0:
            if (!bytes.isEmpty())
                bytes[at] = char(bytes[at] ^ (1 << (random() % 8)));
            break;
        case 1:
            if (!bytes.isEmpty())
                bytes[at] = Telling[random() % sizeof Telling];
            break;
        case 2:
            for (int n = 1 + int(random() % 8); n > 0; --n)
                bytes.insert(at, char(random()));
            break;
        case 3:
            bytes.remove(at, 1 + below(16));
            break;
        case 4:
            bytes.truncate(below(bytes.size() + 1));
            break;
        case 5: {
            // Header fields sit in the first 64 bytes; aim there most of the time.
            const qsizetype field =
                random() % 4 != 0 ? below(std::min<qsizetype>(bytes.size(), 64)) : at;
            const std::int32_t value = Numbers[random() % std::size(Numbers)];
            for (int k = 0; k < 4 && field + k < bytes.size(); ++k)
                bytes[field + k] = char((std::uint32_t(value) >> (8 * k)) & 0xFF);
            break;
        }
        default:
            bytes.insert(below(bytes.size() + 1), bytes.mid(at, 1 + below(32)));
            break;
        }
    }
    return bytes;
}

} // namespace

class Replay : public ::testing::TestWithParam<Target> {};

TEST_P(Replay, everySeedAndEveryRegressionInputKeepsEveryPromise) {
    const QStringList seeds = inputsIn(fuzzFolder("corpus", GetParam().name));
    ASSERT_GE(seeds.size(), 10) << "seed corpus missing";
    for (const QString& path : seeds + inputsIn(fuzzFolder("regressions", GetParam().name))) {
        const std::string problem = checkExactly(GetParam(), bytesOf(path));
        EXPECT_TRUE(problem.empty()) << path.toStdString() << ": " << problem;
    }
}

TEST_P(Replay, mutatedSeedsKeepEveryPromise) {
    std::vector<QByteArray> seeds;
    for (const QString& path : inputsIn(fuzzFolder("corpus", GetParam().name)))
        seeds.push_back(bytesOf(path));
    ASSERT_FALSE(seeds.empty());
    std::mt19937 random(std::uint32_t(fromEnvironment("BRIXOLAN_SEED", 1965)));
    const int runs = fromEnvironment("BRIXOLAN_MUTATIONS", 20000);
    for (int run = 0; run < runs; ++run) {
        const QByteArray input = mutate(seeds[random() % seeds.size()], random);
        const std::string problem = checkExactly(GetParam(), input);
        ASSERT_TRUE(problem.empty()) << problem << " for input (hex) " << input.toHex().data();
    }
}

INSTANTIATE_TEST_SUITE_P(Fuzzers, Replay, ::testing::ValuesIn(Targets),
                         [](const auto& test) { return std::string(test.param.name); });

// Seeds that stop at the check would leave the decoder unfuzzed. The hand-made seeds are the
// named "*.bmp" files; the fuzzer's own additions (named by their hash) may be anything.
TEST(BitmapSeeds, theHandMadeOnesPassTheCheckAndDecode) {
    int handMade = 0;
    for (const QString& path : inputsIn(fuzzFolder("corpus", "bitmap"))) {
        if (!path.endsWith(QLatin1String(".bmp")))
            continue;
        ++handMade;
        const QByteArray bytes = bytesOf(path);
        EXPECT_TRUE(isPlausibleBitmap(bytes)) << path.toStdString();
        EXPECT_FALSE(QImage::fromData(bytes, "BMP").isNull()) << path.toStdString();
    }
    EXPECT_GE(handMade, 10);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The fuzzers' checks in the ordinary suite, on every seed and every input that once broke a
// promise, so that gcc, the sanitizer build and valgrind exercise the same readers. New inputs
// come from `make fuzz`.
#include "FuzzTargets.h"

#include "TestFiles.h"
#include <QDirIterator>

#include <gtest/gtest.h>
#include <vector>

using namespace brixolan::fuzz;

class Replay : public ::testing::TestWithParam<std::pair<const char*, decltype(&checkBitmap)>> {};

TEST_P(Replay, everySeedAndEveryRegressionInputKeepsEveryPromise) {
    int inputs = 0;
    for (const char* kind : {"/corpus/", "/regressions/"}) {
        for (QDirIterator it(BRIXOLAN_FUZZ_DIR + (kind + QString(GetParam().first)), QDir::Files);
             it.hasNext(); ++inputs) {
            const QString input = it.next();
            // Exactly the input's size, as the fuzzer hands it over: a read past its end shows.
            const QByteArray bytes = brixolan::fakes::bytesOf(input);
            const std::vector<char> exact(bytes.begin(), bytes.end());
            EXPECT_EQ(GetParam().second(QByteArray::fromRawData(exact.data(), bytes.size())), "")
                << input.toStdString();
        }
    }
    EXPECT_GT(inputs, 0) << "no seeds";
}

INSTANTIATE_TEST_SUITE_P(Fuzzers, Replay,
                         ::testing::Values(std::pair{"score_file", &checkScoreFile},
                                           std::pair{"settings", &checkSettings},
                                           std::pair{"bitmap", &checkBitmap},
                                           std::pair{"simulator", &checkSimulator},
                                           std::pair{"journal", &checkJournal}),
                         [](const auto& test) { return std::string(test.param.first); });

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFolder.h"
#include "ReadFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace brixolan;

// Existing names are found whatever their case; new ones keep the spelling given.
TEST(ProgramFolder, findsExistingNamesWhateverTheirCase) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("grafiken"));
    QFile file(dir.path() + QStringLiteral("/brixolan.dat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const ProgramFolder folder(dir.path() + QStringLiteral("/"));
    EXPECT_EQ(folder.root(), dir.path());
    EXPECT_EQ(folder.path(QStringLiteral("Brixolan.dat")), dir.path() + "/brixolan.dat");
    EXPECT_EQ(folder.path(QStringLiteral("Grafiken/SteinA.bmp")),
              dir.path() + "/grafiken/SteinA.bmp");
    EXPECT_EQ(folder.path(QStringLiteral("score.sre")), dir.path() + "/score.sre");
    EXPECT_TRUE(folder.fileExists(QStringLiteral("BRIXOLAN.DAT")));
    EXPECT_TRUE(folder.folderExists(QStringLiteral("GRAFIKEN")));
    EXPECT_FALSE(folder.fileExists(QStringLiteral("Grafiken")));
    EXPECT_TRUE(folder.removeFile(QStringLiteral("score.sre")));
    EXPECT_TRUE(folder.makeFolder(QStringLiteral("Pics/A")) && folder.folderExists("pics/a"));
}

// Each reader's limit: the largest accepted bitmap (8192 x 8192, 32 bits, headers and palette),
// 4 MiB of highscores, 64 KiB of settings. A file of that size is read, one byte more is
// refused, also where reading stops only at line ends and the size is not judged beforehand.
TEST(ReadFile, eachLimitTakesAFileOfItsSizeAndRefusesOneByteMore) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("file"));
    const std::pair<ReadLimit, qint64> limits[] = {
        {{read_limit::Picture}, qint64(8192) * 8192 * 4 + 4096},
        {{read_limit::ScoreFile, 16}, 4 << 20},
        {{read_limit::Settings}, 64 << 10}};
    for (const auto& [limit, bytes] : limits) {
        for (const qint64 size : {bytes, bytes + 1}) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(size)); // sparse
            file.close();
            const FileBytes read = readFile(path, limit);
            EXPECT_EQ(read.problem, size > bytes ? ReadProblem::TooLarge : ReadProblem::None)
                << size;
            EXPECT_EQ(read.bytes ? read.bytes.value().size() : -1, size > bytes ? -1 : size);
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFolder.h"

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

// SPDX-License-Identifier: GPL-3.0-or-later
// Odd input the readers take in their stride: a huge score file, and special files (a FIFO, a
// device) under the names of the game's files.
#include "BitmapCodec.h"
#include "DigitSettings.h"
#include "FakeDialogServices.h"
#include "HighscoreWindow.h"
#include "ProgramFolder.h"
#include "ResourceStore.h"
#include "ScoreFile.h"
#include "TestFiles.h"
#include "TestGraphics.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace brixolan;
using namespace brixolan::fakes;

// Gigabytes of zeros without a line end were read whole, and copied whole for the backup: only
// the first megabytes are read, and the file that cannot be backed up stays as it is.
TEST(ScoreFileSize, aHugeFileWithoutLineEndsIsReadInPartAndLeftUntouched) {
    QTemporaryDir dir;
    QFile file(dir.filePath("score.sre"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(qint64(3) << 30)); // sparse
    const ScoreFileContent content = readScoreFile(ProgramFolder(dir.path()));
    // Not missing, so it is backed up before it is replaced.
    EXPECT_TRUE(std::holds_alternative<IncompleteScoreFile>(content));
    const Outcome saved = saveScores(ProgramFolder(dir.path()), std::nullopt).outcome();
    EXPECT_TRUE(saved.message().contains("zu groß")) << saved.message().toStdString();
    EXPECT_EQ(QFileInfo(dir.filePath("score.sre")).size(), qint64(3) << 30);
}

// A FIFO under a file's name blocked the game for ever, and a link to /dev/zero or /dev/urandom
// was read until memory ran out. Each is refused at once, as the damaged file it stands for.
TEST(SpecialFiles, areRefusedAtOnceAsTheDamagedFilesTheyStandFor) {
    for (const char* kind : {"FIFO", "/dev/zero", "/dev/urandom"}) {
        QTemporaryDir dir;
        writeTestGraphics(dir.path());
        for (const char* name : {"Grafiken/SteinA.bmp", "icon.png", "score.sre", "Brixolan.dat"}) {
            const QString path = dir.filePath(name);
            QFile::remove(path);
            ASSERT_TRUE(kind[0] == 'F' ? ::mkfifo(QFile::encodeName(path), 0600) == 0
                                       : QFile::link(kind, path));
        }
        const ProgramFolder folder(dir.path());
        EXPECT_STREQ(ResourceStore().loadAll(folder).missing().path, "Grafiken/SteinA.bmp");
        EXPECT_TRUE(readPictureFile(dir.filePath("icon.png")).isNull());
        FakeDialogServices dialogs; // no table is shown; the player reads why
        EXPECT_EQ(HighscoreWindow::open(std::nullopt, folder, dialogs, nullptr), nullptr);
        EXPECT_EQ(dialogs.messages.at(0).title, "Fehler : 75");
        EXPECT_FALSE(saveScores(folder, std::nullopt)); // nothing is written over it either
        EXPECT_EQ(readSettingsOrDefaults(folder).colour, DigitSettings().colour);
    }
}

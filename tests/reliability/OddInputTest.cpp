// SPDX-License-Identifier: GPL-3.0-or-later
// Odd input the readers take in their stride: unusual names, scores at the 32-bit limits, other
// line ends, bitmaps far smaller or larger than the game's own, a huge score file, and special
// files (a FIFO, a device) under the names of the game's files.
#include "BitmapCodec.h"
#include "DigitSettings.h"
#include "FakeDialogServices.h"
#include "HighscoreWindow.h"
#include "MainWindow.h"
#include "ObjectNames.h"
#include "ResourceStore.h"
#include "ScoreFile.h"
#include "ScriptedRandom.h"
#include "Surface.h"
#include "TestFiles.h"
#include "TestGraphics.h"

#include <QAction>
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
    const Outcome saved = saveScores(ProgramFolder(dir.path()), std::nullopt);
    EXPECT_TRUE(saved.message().contains("zu groß")) << saved.message().toStdString();
    EXPECT_EQ(QFileInfo(dir.filePath("score.sre")).size(), qint64(3) << 30);
}

TEST(SettingsLineEnds, lineFeedsLoneCrsAMissingLastEndAndExtraLinesAreReadAndTheFileKept) {
    for (const QByteArray file :
         {"VERSION 1.55\n 0 \n 65280", "VERSION 1.55\r 0 \r 65280 \r\n 1 \r\n"}) {
        QTemporaryDir dir;
        putFile(dir.filePath("Brixolan.dat"), file);
        const DigitSettings read = readSettingsOrDefaults(ProgramFolder(dir.path()));
        EXPECT_TRUE(read.digitSet == DigitSet::Old && read.colour == named::Green) << file.data();
        EXPECT_EQ(bytesOf(dir.filePath("Brixolan.dat")), file);
    }
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

// Tiles set the surfaces' sizes: 4000-pixel stones asked for a well of 40000 x 80000 pixels
// (12.8 GB), now held to 4096 a side; 1-pixel tiles give a well of 10 x 20 pixels, in which
// the 25-pixel cells fall outside. Either way the game runs.
TEST(BitmapSizes, tinyAndHugeTilesStartAGameOnBoundedSurfaces) {
    for (const int side : {1, 4000}) {
        QTemporaryDir dir;
        writeTestGraphics(dir.path());
        for (const char* name : {"Grafiken/SteinA.bmp", "Grafiken/0.bmp"})
            writeSolidBitmap(dir.filePath(name), QSize(side, side), Qt::cyan);
        FakeDialogServices dialogs;
        ScriptedRandom random{{0.1, 0.5, 0.9, 0.3, 0.7}};
        FixedClock clock;
        MainWindow window(ProgramFolder(dir.path()), dialogs, random, clock);
        window.startUp(QSize(1024, 768));
        window.show();
        const auto* well = window.findChild<Surface*>("Picture1");
        const auto* points = window.findChild<Surface*>("Picture2");
        EXPECT_EQ(well->surfaceSize(), side == 1 ? QSize(10, 20) : QSize(4096, 4096));
        EXPECT_LE(points->surfaceSize().width(), Surface::MaxSurfaceSide);
        EXPECT_EQ(points->image().pixelColor(0, 0), QColor(Qt::cyan));
        window.findChild<QAction*>(object_name::QuickStartItem)->trigger();
        for (int n = 0; n < (side == 1 ? 20000 : 100) && window.game().running(); ++n)
            window.tick();
        EXPECT_EQ(window.game().state().GameOver, side == 1);
    }
}

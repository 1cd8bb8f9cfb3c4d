// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicWrite.h"
#include "ErrorTexts.h"
#include "ProgramFolder.h"
#include "ReadFile.h"
#include "TestFiles.h"

#include <clocale>
#include <cstring>
#include <gtest/gtest.h>

using namespace brixolan;

// Existing names are found whatever their case; new ones keep the spelling given.
TEST(ProgramFolder, findsExistingNamesWhateverTheirCase) {
    QTemporaryDir dir;
    fakes::putFile(dir.filePath("grafiken/brixolan.dat"), "");
    fakes::putFile(dir.filePath("brixolan.dat"), "");
    const ProgramFolder folder(dir.path() + "/");
    EXPECT_EQ(folder.root(), dir.path());
    EXPECT_EQ(folder.path("Brixolan.dat"), dir.filePath("brixolan.dat"));
    EXPECT_EQ(folder.path("Grafiken/SteinA.bmp"), dir.filePath("grafiken/SteinA.bmp"));
    EXPECT_TRUE(folder.folderExists("GRAFIKEN"));
    EXPECT_TRUE(folder.makeFolder("Pics/A") && folder.folderExists("pics/a"));
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
            const FileBytes read = readFile(path, limit);
            EXPECT_EQ(read.problem, size > bytes ? ReadProblem::TooLarge : ReadProblem::None)
                << size;
            EXPECT_EQ(read.bytes ? read.bytes.value().size() : -1, size > bytes ? -1 : size);
        }
    }
    // Read to the last line end wanted: whatever follows, however large, is not judged.
    QFile lines(path);
    ASSERT_TRUE(lines.open(QIODevice::WriteOnly) && lines.write(QByteArray(16, '\r')) == 16 &&
                lines.resize((4 << 20) + 1)); // resizing writes out what was written
    const FileBytes read = readFile(path, {read_limit::ScoreFile, 16});
    EXPECT_EQ(read.bytes ? read.bytes.value() : "refused", QByteArray(16, '\r'));
}

// German texts for system errors, also in the messages of real failures under the locale in
// force (files.errorLocales runs it under C).
TEST(ErrorTexts, savingAndReadingErrorsHaveGermanTextsAndARareOneItsNumber) {
    const std::pair<int, const char*> rows[] = {
        {ENOSPC, "kein Platz mehr"}, {EDQUOT, "Speicherkontingent"},
        {EROFS, "schreibgeschützt"}, {EACCES, "Zugriff verweigert"},
        {ENOENT, "nicht gefunden"},  {EFBIG, "Dateigrößen-Grenze"},
        {EIO, "Ein-/Ausgabefehler"}, {EHWPOISON, "Systemfehler Nummer 133"}};
    for (const auto& [error, text] : rows)
        EXPECT_TRUE(errorText(error).contains(QString::fromUtf8(text))) << error;

    // Under C the system's own text was English, under tr_TR Turkish.
    const char* locale = std::setlocale(LC_ALL, "");
    if (locale == nullptr)
        GTEST_SKIP() << "the locale of the environment is not installed";
    QTemporaryDir dir;
    const QString tooLong = dir.filePath(QString(300, QLatin1Char('n')));
    const QString system = QString::fromLocal8Bit(std::strerror(ENAMETOOLONG));
    for (const QString& message :
         {saveFile(dir.path(), tooLong, "x").message(), readFile(tooLong, {100}).bytes.message()})
        EXPECT_TRUE(message.contains("Der Dateiname ist zu lang") && !message.contains(system))
            << locale << ": " << message.toStdString();
    std::setlocale(LC_ALL, "C");
}

#include "AtomicWrite.h"
#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace brixolan;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writePlain(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

} // namespace

TEST(ProgramFolder, findsExistingNamesWhateverTheirCase) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("grafiken"));
    writePlain(dir.path() + QStringLiteral("/brixolan.dat"), "x");
    const ProgramFolder folder(dir.path() + QStringLiteral("/"));
    EXPECT_EQ(folder.root(), dir.path());
    EXPECT_EQ(folder.path(QStringLiteral("Brixolan.dat")), dir.path() + "/brixolan.dat");
    EXPECT_EQ(folder.path(QStringLiteral("Grafiken/SteinA.bmp")),
              dir.path() + "/grafiken/SteinA.bmp");
    EXPECT_TRUE(folder.fileExists(QStringLiteral("BRIXOLAN.DAT")));
    EXPECT_TRUE(folder.folderExists(QStringLiteral("GRAFIKEN")));
    EXPECT_FALSE(folder.fileExists(QStringLiteral("Grafiken")));
}

TEST(ProgramFolder, newNamesKeepTheirSpellingAndRemoveIsQuietForMissingFiles) {
    QTemporaryDir dir;
    const ProgramFolder folder(dir.path());
    EXPECT_EQ(folder.path(QStringLiteral("score.sre")), dir.path() + "/score.sre");
    EXPECT_TRUE(folder.removeFile(QStringLiteral("score.sre")));
    EXPECT_TRUE(folder.makeFolder(QStringLiteral("Grafiken")));
    EXPECT_TRUE(folder.folderExists(QStringLiteral("Grafiken")));
}

TEST(AtomicWrite, replacesTheFileAndLeavesNoTemporary) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/score.sre");
    writePlain(path, "old");
    QString error;
    ASSERT_TRUE(writeFileAtomically(path, "new", &error)) << error.toStdString();
    EXPECT_EQ(readAll(path), QByteArray("new"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("score.sre")});
}

TEST(AtomicWrite, failureKeepsTheOldFileAndNamesItInGerman) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/score.sre");
    writePlain(path, "old");
    // A folder where the temporary file should go makes the write fail on any account.
    QDir(dir.path()).mkdir(QStringLiteral("score.sre") + QLatin1String(TemporarySuffix));
    QString error;
    EXPECT_FALSE(writeFileAtomically(path, "new", &error));
    EXPECT_EQ(readAll(path), QByteArray("old"));
    EXPECT_TRUE(error.contains(QStringLiteral("konnte nicht geschrieben werden")));
    EXPECT_TRUE(error.contains(QStringLiteral("score.sre")));
    EXPECT_FALSE(error.contains(QLatin1String(TemporarySuffix))); // the player's name for it
}

TEST(AtomicBatch, aFailingMemberReplacesNothing) {
    QTemporaryDir dir;
    const QString first = dir.path() + QStringLiteral("/a.bmp");
    const QString second = dir.path() + QStringLiteral("/b.bmp");
    writePlain(first, "old a");
    writePlain(second, "old b");
    QDir(dir.path()).mkdir(QStringLiteral("b.bmp") + QLatin1String(TemporarySuffix));
    {
        AtomicBatch batch;
        batch.add(first, "new a");
        batch.add(second, "new b");
        EXPECT_FALSE(batch.commit());
    }
    EXPECT_EQ(readAll(first), QByteArray("old a"));
    EXPECT_EQ(readAll(second), QByteArray("old b"));
    EXPECT_FALSE(QFile::exists(first + QLatin1String(TemporarySuffix)));
}

TEST(AtomicBatch, staleTemporariesAreRemovedAtStartUp) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("Grafiken"));
    writePlain(dir.path() + QStringLiteral("/Grafiken/SteinA.bmp") + TemporarySuffix, "torn");
    writePlain(dir.path() + QStringLiteral("/score.sre") + TemporarySuffix, "torn");
    writePlain(dir.path() + QStringLiteral("/score.sre"), "kept");
    EXPECT_EQ(removeStaleTemporaries(dir.path()), 2);
    EXPECT_EQ(readAll(dir.path() + QStringLiteral("/score.sre")), QByteArray("kept"));
}

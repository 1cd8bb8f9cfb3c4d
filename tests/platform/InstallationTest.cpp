#include "Installation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace brixolan;

namespace {

void writeFile(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(Installation, aBuildTreeRunKeepsItsFilesBesideTheProgram) {
    QTemporaryDir tree;
    QDir(tree.path()).mkpath(QStringLiteral("bin/scr"));
    const auto folder = prepareProgramFolder(tree.path() + "/bin", tree.path() + "/home");
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(folder->root(), tree.path() + "/bin");
    EXPECT_FALSE(QDir(tree.path() + "/home").exists());
}

TEST(Installation, anInstalledRunFillsThePlayersFolderAndNeverOverwritesIt) {
    QTemporaryDir prefix;
    const QString data = prefix.path() + "/share/games/brixolan";
    writeFile(data + "/scr/1.bmp", "source");
    writeFile(data + "/Grafiken/SteinA.bmp", "default");
    writeFile(data + "/info.txt", "guide");
    QDir(prefix.path()).mkpath(QStringLiteral("games"));
    const QString home = prefix.path() + "/home";
    writeFile(home + "/brixolan/Grafiken/SteinA.bmp", "player's scheme");

    const auto folder = prepareProgramFolder(prefix.path() + "/games", home);
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(folder->root(), home + "/brixolan");
    EXPECT_EQ(readFile(home + "/brixolan/scr/1.bmp"), QByteArray("source"));
    EXPECT_EQ(readFile(home + "/brixolan/info.txt"), QByteArray("guide"));
    EXPECT_EQ(readFile(home + "/brixolan/Grafiken/SteinA.bmp"), QByteArray("player's scheme"));
    EXPECT_TRUE(QFileInfo(home + "/brixolan/scr/1.bmp").isWritable());
}

TEST(Installation, anUnusableDataHomeIsReportedInGerman) {
    QTemporaryDir prefix;
    QDir(prefix.path()).mkpath(QStringLiteral("share/games/brixolan"));
    QDir(prefix.path()).mkpath(QStringLiteral("games"));
    writeFile(prefix.path() + "/home", "a file where the folder should be");
    QString error;
    EXPECT_FALSE(prepareProgramFolder(prefix.path() + "/games", prefix.path() + "/home", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("konnte nicht angelegt werden")));
}

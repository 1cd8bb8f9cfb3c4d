#include "Installation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace brixolan;

namespace {

QByteArray bytes(const QString& path, const QByteArray& write = {}) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!write.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(write) == write.size())
        return write;
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

} // namespace

TEST(Installation, theProgramFolderIsBesideABuildTreeRunOrThePlayersOwnFilledWithRegularFiles) {
    QTemporaryDir prefix;
    const QString games = prefix.filePath("games"), data = prefix.filePath("share/games/brixolan/");
    const QString own = prefix.filePath("home/brixolan/");
    bytes(data + "scr/1.bmp", "source");
    bytes(data + "Grafiken/SteinA.bmp", "default");
    ASSERT_EQ(::mkfifo(QFile::encodeName(data + "pipe"), 0644), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", data + "zero"));
    bytes(own + "Grafiken/SteinA.bmp", "player's scheme");
    QDir().mkpath(games + "/scr");
    EXPECT_EQ(prepareProgramFolder(games, prefix.filePath("home")).value().root(), games);
    QDir(games).rmdir("scr");

    EXPECT_EQ(prepareProgramFolder(games, prefix.filePath("home")).value().root(), own.chopped(1));
    EXPECT_EQ(bytes(own + "scr/1.bmp"), "source");
    EXPECT_TRUE(QFileInfo(own + "scr/1.bmp").isWritable());
    EXPECT_EQ(bytes(own + "Grafiken/SteinA.bmp"), "player's scheme");
    EXPECT_FALSE(QFileInfo::exists(own + "pipe") || QFileInfo::exists(own + "zero"));

    // No folder where one must be made: a German message.
    QString error;
    EXPECT_FALSE(prepareProgramFolder(games, own + "scr/1.bmp", &error));
    EXPECT_TRUE(error.contains("konnte nicht angelegt werden")) << error.toStdString();
}

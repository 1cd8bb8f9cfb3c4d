// SPDX-License-Identifier: GPL-3.0-or-later
#include "Installation.h"

#include "TestFiles.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace brixolan;
using namespace brixolan::fakes;

namespace {} // namespace

TEST(Installation, theProgramFolderIsBesideABuildTreeRunOrThePlayersOwnFilledWithRegularFiles) {
    QTemporaryDir prefix;
    const QString games = prefix.filePath("games"), data = prefix.filePath("share/games/brixolan/");
    const QString own = prefix.filePath("home/brixolan/");
    putFile(data + "scr/1.bmp", "source");
    putFile(data + "Grafiken/SteinA.bmp", "default");
    ASSERT_EQ(::mkfifo(QFile::encodeName(data + "pipe"), 0644), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", data + "zero"));
    putFile(own + "Grafiken/SteinA.bmp", "player's scheme");
    QDir().mkpath(games + "/scr");
    EXPECT_EQ(prepareProgramFolder(games, prefix.filePath("home")).value().root(), games);
    QDir(games).rmdir("scr");

    EXPECT_EQ(prepareProgramFolder(games, prefix.filePath("home")).value().root(), own.chopped(1));
    EXPECT_EQ(bytesOf(own + "scr/1.bmp"), "source");
    EXPECT_TRUE(QFileInfo(own + "scr/1.bmp").isWritable());
    EXPECT_EQ(bytesOf(own + "Grafiken/SteinA.bmp"), "player's scheme");
    EXPECT_FALSE(QFileInfo::exists(own + "pipe") || QFileInfo::exists(own + "zero"));

    // No folder where one must be made, or no home folder at all: a German message.
    QString error;
    EXPECT_FALSE(prepareProgramFolder(games, own + "scr/1.bmp", &error));
    EXPECT_TRUE(error.contains("konnte nicht angelegt werden")) << error.toStdString();
    EXPECT_FALSE(prepareProgramFolder(games, QString(), &error));
    EXPECT_TRUE(error.contains("kein Home-Ordner")) << error.toStdString();
}

// Without HOME the player's folder became "//.local/share/brixolan".
TEST(Installation, withoutHomeThePasswordDatabaseKnowsTheHomeFolder) {
    const QByteArray home = qgetenv("HOME"), dataHome = qgetenv("XDG_DATA_HOME");
    qunsetenv("HOME");
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(xdgDataHome().toStdString(),
              std::string(::getpwuid(::getuid())->pw_dir) + "/.local/share");
    if (::getuid() == 0 && ::getpwuid(54321) == nullptr) { // a user the database does not know
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(::setuid(54321) == 0 && xdgDataHome().isEmpty() ? 0 : 1);
        int status = -1;
        ::waitpid(child, &status, 0);
        EXPECT_EQ(status, 0);
    }
    qputenv("HOME", home);
    if (!dataHome.isEmpty())
        qputenv("XDG_DATA_HOME", dataHome);
}

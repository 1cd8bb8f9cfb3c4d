// SPDX-License-Identifier: GPL-3.0-or-later
#include "Installation.h"

#include "TestFiles.h"

#include <QDirIterator>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>

using namespace brixolan;
using namespace brixolan::fakes;

namespace {

// A bitmap file as far as its header goes: "BM" and its own length.
QByteArray wholeBitmap(char fill, int size) {
    QByteArray bytes(size, fill);
    bytes.replace(0, 6, QByteArray("BM") + QByteArray(1, char(size)) + QByteArray(3, '\0'));
    return bytes;
}

// The installed files that the player's folder lacks or holds with other bytes.
QStringList differing(const QString& installed, const QString& own) {
    QStringList names;
    for (QDirIterator it(installed, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString relative = QDir(installed).relativeFilePath(it.next());
        if (bytesOf(own + relative) != bytesOf(it.filePath()))
            names << relative;
    }
    names.sort(); // the iterator's order is the file system's
    return names;
}

} // namespace

// A first start on a full disk once committed empty copies that no later start replaced (a full
// disk itself: odd_places_test.sh). Now a later start repairs an empty or cut-off copy, or one
// not executable as installed, but keeps the player's scheme: a bitmap as long as its header
// says or longer, or a file as long as the installed one; and it writes nothing through a link.
TEST(Installation, theProgramFolderIsBesideABuildTreeRunOrThePlayersOwnFilledWithRegularFiles) {
    QTemporaryDir prefix;
    const QString games = prefix.filePath("games"), data = prefix.filePath("share/games/brixolan/");
    const QString own = prefix.filePath("home/brixolan/");
    putFile(data + "scr/1.bmp", "source");
    putFile(data + "scr/2.bmp", "source");
    for (const char* stone : {"SteinA", "SteinB", "SteinC", "SteinD"})
        putFile(data + "Grafiken/" + stone + ".bmp", wholeBitmap('d', 200));
    ASSERT_EQ(::mkfifo(QFile::encodeName(data + "pipe"), 0644), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", data + "zero"));
    ASSERT_TRUE(QFile::link(data + "lost", data + "info.txt")); // the player's copy serves
    putFile(own + "info.txt", "the player's copy");
    putFile(own + "scr/1.bmp", "");
    putFile(own + "scr/2.bmp.k2.brx-tmp", ""); // left by a start killed while it copied
    putFile(own + "scr/2.bmp.sicher", "");
    putFile(own + "Grafiken/SteinA.bmp", "BM");
    putFile(own + "Grafiken/SteinB.bmp", wholeBitmap('p', 90)); // the player's scheme
    putFile(own + "Grafiken/SteinC.bmp", QByteArray(200, 'p')); // as long as the default
    putFile(own + "Grafiken/SteinD.bmp", wholeBitmap('p', 90) + "pad");
    putFile(data + "uninstall", "#!/bin/sh");
    ::chmod(QFile::encodeName(data + "uninstall"), 0555);
    putFile(own + "uninstall", "#!/bin/sh"); // its mode not yet set when a start was killed
    putFile(data + "pics/banner.bmp", "the game's");
    putFile(prefix.filePath("elsewhere/banner.bmp"), "the player's");
    ASSERT_TRUE(QFile::link(prefix.filePath("elsewhere"), own + "pics"));
    QDir().mkpath(games + "/scr");
    const ProgramFolder buildTree = prepareProgramFolder(games, prefix.filePath("home")).value();
    EXPECT_EQ(buildTree.root() + buildTree.libraryFolder(), games + games);
    QDir(games).rmdir("scr");

    const mode_t mask = ::umask(077);
    const ProgramFolder installed = prepareProgramFolder(games, prefix.filePath("home")).value();
    ::umask(mask);
    EXPECT_EQ(installed.root() + " " + installed.libraryFolder(),
              own.chopped(1) + " " + prefix.filePath("lib/games/brixolan"));
    EXPECT_EQ(differing(data, own).join(" ").toStdString(),
              "Grafiken/SteinB.bmp Grafiken/SteinC.bmp Grafiken/SteinD.bmp pics/banner.bmp");
    // The player's rights: the umask's for a new copy, the old copy's for one replaced.
    struct stat copy {};
    EXPECT_TRUE(::stat(QFile::encodeName(own + "scr/2.bmp"), &copy) == 0 &&
                (copy.st_mode & 0777) == 0600);
    EXPECT_TRUE(::stat(QFile::encodeName(own + "uninstall"), &copy) == 0 &&
                (copy.st_mode & 0777) == 0755);
    EXPECT_EQ(QDir(own + "scr").entryList({"2.bmp.*"}), QStringList("2.bmp.sicher"));
    EXPECT_FALSE(QFileInfo::exists(own + "pipe") || QFileInfo::exists(own + "zero"));

    // No folder where one must be made, or no home folder at all: a German message.
    EXPECT_TRUE(prepareProgramFolder(games, own + "scr/1.bmp")
                    .message()
                    .contains("konnte nicht angelegt werden"));
    EXPECT_TRUE(prepareProgramFolder(games, QString()).message().contains("kein Home-Ordner"));
}

// Without HOME the player's folder became "//.local/share/brixolan".
TEST(Installation, withoutHomeThePasswordDatabaseKnowsTheHomeFolderAndOddNamesAreRefused) {
    const QByteArray home = qgetenv("HOME"), dataHome = qgetenv("XDG_DATA_HOME");
    qunsetenv("HOME");
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(xdgDataHome().value().toStdString(),
              std::string(::getpwuid(::getuid())->pw_dir) + "/.local/share");
    if (::getuid() == 0 && ::getpwuid(54321) == nullptr) { // a user the database does not know
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(::setuid(54321) == 0 && xdgDataHome() && xdgDataHome().value().isEmpty() ? 0
                                                                                             : 1);
        int status = -1;
        ::waitpid(child, &status, 0);
        EXPECT_EQ(status, 0);
    }
    // A HOME with a Latin-1 byte made a look-alike folder "Ren\uFFFD" and used it; a relative one
    // would put the player's folder into the working folder. Rows: HOME, XDG_DATA_HOME, the
    // data home or the message.
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"/home/Ren\xc3\xa9", "", "/home/Ren\xc3\xa9/.local/share"},
        {"/home/Ren\xe9", "", "HOME \"/home/Ren\\xe9\" hat einen Namen, der kein gültiges UTF-8"},
        {"/home/x", "/data/Ren\xe9/\xc3\xa9", "XDG_DATA_HOME \"/data/Ren\\xe9/\xc3\xa9\""},
        {"home", "", "\"home\" ist kein absoluter Pfad"}};
    for (const auto& [homeName, dataName, expected] : rows) {
        qputenv("HOME", homeName);
        qputenv("XDG_DATA_HOME", dataName);
        const Result<QString> found = xdgDataHome();
        const QString text = found ? found.value() : found.message();
        EXPECT_TRUE(found.ok() == (expected[0] == '/') &&
                    text.contains(QString::fromUtf8(expected)))
            << homeName << ": " << text.toStdString();
    }
    // A run from the build tree (as this test's) keeps its files beside it, whatever HOME says.
    EXPECT_TRUE(prepareProgramFolder().ok());
    qputenv("HOME", home);
    qputenv("XDG_DATA_HOME", dataHome);
}

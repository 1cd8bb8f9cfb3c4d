// SPDX-License-Identifier: GPL-3.0-or-later
// Saves under faults, crashes, limits and a second running copy of the game: each set of files
// one save replaces is afterwards all old or all new, a failed save keeps the old files and
// says so in German, and the next start (recoverUnfinishedSaves) leaves nothing behind.
#include "AtomicWrite.h"
#include "ProgramFolder.h"
#include "SaveSets.h"
#include "TestFiles.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QLockFile>
#include <QProcess>
#include <cstring>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace brixolan;
using namespace brixolan::reliability;
using namespace brixolan::fakes;

// Names in failure messages as text.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString Score = QStringLiteral("score");
const QString Scheme = QStringLiteral("scheme");
const QString Worker = QStringLiteral(BRIXOLAN_SAVE_WORKER);
const QString LockName = QStringLiteral("Brixolan.brx-lock");

/// A program folder with generation 0 of every file either save replaces.
struct Folder : QTemporaryDir {
    Folder() {
        for (const QString& file : filesOf(Score) + filesOf(Scheme))
            if (!contentOf(file, 0).isEmpty())
                putFile(filePath(file), contentOf(file, 0));
    }
    qsizetype holding(const QString& kind, int generation) const {
        return std::ranges::count_if(filesOf(kind), [&](const QString& file) {
            return bytesOf(filePath(file)) == contentOf(file, generation);
        });
    }
    std::string held(const QString& kind) const {
        const qsizetype all = filesOf(kind).size();
        return holding(kind, 0) == all ? "old" : holding(kind, 1) == all ? "new" : "mixed";
    }
    /// Whatever stands here besides the game's files and its lock.
    QStringList strays() const {
        QStringList found;
        QDirIterator it(path(), QDir::Files | QDir::System | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << QDir(path()).relativeFilePath(it.next());
        for (const QString& file : filesOf(Score) + filesOf(Scheme) + QStringList{LockName})
            found.removeAll(file);
        return found;
    }
};

/// In a worker's child, as root: the unprivileged user, in none of root's groups.
void becomeNobody() {
    if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
        ::_exit(77);
}

/// The worker's lines: "ok" or "failed <message>", then the trace of its file operations.
QList<QByteArray> run(
    const QStringList& arguments, const std::function<void()>& inChild = [] {}) {
    QProcess worker;
    worker.setChildProcessModifier(inChild);
    worker.start(Worker, arguments);
    EXPECT_TRUE(worker.waitForFinished(20000));
    return worker.exitStatus() == QProcess::CrashExit ? QList<QByteArray>{"killed", ""}
                                                      : worker.readAllStandardOutput().split('\n');
}

/// `data` saved to `path` in a batch of its own, as a scheme is saved; the lock taken without
/// waiting.
Outcome saveInBatch(const QString& root, const QString& path, const QByteArray& data) {
    const Result<FolderLock> lock = FolderLock::take(root, root, 0);
    if (!lock)
        return lock.outcome();
    AtomicBatch batch(lock.value());
    batch.add(path, data);
    return batch.commit();
}

/// A file's permission bits and its group, as "640 65534".
QString rightsOf(const QByteArray& path) {
    struct stat status {};
    ::stat(path.constData(), &status);
    return QString::number(status.st_mode & 0777, 8) + ' ' + QString::number(status.st_gid);
}

/// What in a trace of file operations breaks the order that makes a save durable: each written
/// file synced ('s', 'q') before the next file is opened ('o') or anything is renamed or linked
/// into place ('r', 'l'); the folder synced ('d') after a rename or link before anything is
/// removed ('u'), so the old copies and the journal go only once the new names are on disk.
/// Each rule: after every operation of the first set, the next one of the second set must be
/// of the third; none at all leaves the save unsynced.
std::string durabilityFault(const QByteArray& trace) {
    const std::string ops = trace.toStdString();
    const std::tuple<const char*, const char*, const char*, std::string> rules[] = {
        {"w", "sqorl", "sq", "written file not synced"},
        {"rl", "du", "d", "removal before the folder is synced"}};
    for (const auto& [after, next, good, fault] : rules)
        for (auto at = ops.find_first_of(after); at != ops.npos;
             at = ops.find_first_of(after, at + 1)) {
            const auto found = ops.find_first_of(next, at + 1);
            if (found == ops.npos)
                return "save ends unsynced";
            if (!std::strchr(good, ops[found]))
                return fault + " at " + std::to_string(found + 1);
        }
    return "";
}

} // namespace

// Each save once for every file operation it makes, with that operation failing, writing only
// half, or the process killed just before it; and the batch on a file system that cannot swap.
class EveryStep : public ::testing::TestWithParam<std::tuple<const char*, const char*>> {};

TEST_P(EveryStep, leavesEverySetAllOldOrAllNewAndReportsEveryFailure) {
    const QStringList setting = QString::fromLatin1(std::get<0>(GetParam())).split(' ');
    const QString kind = setting[0];
    const QString action = QString::fromLatin1(std::get<1>(GetParam()));
    const Folder counting;
    const QByteArray trace = run(QStringList{kind, counting.path()} + setting.mid(1)).value(1);
    ASSERT_EQ(counting.held(kind), "new") << trace.toStdString();
    EXPECT_EQ(durabilityFault(trace), "") << trace.toStdString();
    for (qsizetype step = 1; step <= trace.size(); ++step) {
        const Folder folder;
        const QString fault = QStringLiteral("BRIXOLAN_FAULT=%1:%2").arg(action).arg(step);
        const QString message =
            QString::fromUtf8(run(QStringList{kind, folder.path(), fault} + setting.mid(1))[0]);
        SCOPED_TRACE(QStringLiteral("%1 of %2: %3").arg(fault, trace, message).toStdString());
        const bool failed = message.startsWith(QLatin1String("failed"));
        // Failing, the save names a file or folder of the game's and the injected error (no
        // space left) in a German message.
        EXPECT_TRUE(failed ? message.contains(folder.path()) && message.contains("nicht") &&
                                 message.contains("kein Platz mehr frei")
                           : message == QLatin1String(action == "kill" ? "killed" : "ok"));
        // Only unlinks, QSaveFile's own sync after ours (or of the lock file, the first three
        // steps), its link under another new name and the sync after the batch's journal is
        // gone may fail without failing the save.
        const char failing = action == QLatin1String("fail") ? trace[step - 1] : 'u';
        const char before = step > 1 ? trace[step - 2] : 'o';
        const bool repeatedSync = failing == 'q' && (before == 's' || step <= 3);
        EXPECT_EQ(failed, failing != 'u' && !repeatedSync && !(failing == 'd' && before == 'u') &&
                              !(failing == 'l' && before == 'l'));
        // Only a failed sync of the folder after a single file's rename leaves the new content,
        // and then the message says so.
        if (action != QLatin1String("kill")) {
            EXPECT_EQ(folder.held(kind),
                      failed && !message.contains(QLatin1String("wurde ersetzt")) ? "old" : "new");
        }
        // Another running copy saves a batch before the next start: it first completes one cut
        // short, whose journal its own would replace. (A lock left empty by a copy killed as it
        // took it is a save in progress for a while: then nothing was written, and the other
        // copy is told so.)
        const Outcome other =
            saveInBatch(folder.path(), folder.filePath("score.sre"), contentOf("score.sre", 0));
        EXPECT_TRUE(other || other.message().contains("speichert gerade"));
        EXPECT_NE(folder.held(kind), "mixed");
        // The next start.
        EXPECT_TRUE(recoverUnfinishedSaves(folder.path()).ok());
        EXPECT_EQ(folder.held(kind == Score ? Scheme : Score), "old");
        EXPECT_EQ(folder.strays(), QStringList());
    }
}

INSTANTIATE_TEST_SUITE_P(Saves, EveryStep,
                         ::testing::Combine(::testing::Values("score", "scheme"),
                                            ::testing::Values("fail", "short", "kill")));
INSTANTIATE_TEST_SUITE_P(WithoutSwap, EveryStep,
                         ::testing::Combine(::testing::Values("scheme BRIXOLAN_NO_SWAP=1"),
                                            ::testing::Values("fail", "kill")));

// A link put at a new file's name just before the save creates it is never written through.
TEST(TemporaryNames, aLinkAtTheNewNameIsNeverWrittenThrough) {
    for (const QString& kind : {Score, Scheme}) {
        const Folder folder;
        putFile(folder.filePath("victim"), "keep");
        EXPECT_EQ(run({kind, folder.path(), "BRIXOLAN_PLANT=" + folder.filePath("victim")})[0],
                  "ok");
        EXPECT_EQ(bytesOf(folder.filePath("victim")), "keep");
        EXPECT_EQ(folder.held(kind), "new");
        EXPECT_GT(folder.strays().size(), 1) << "no link was planted";
        EXPECT_TRUE(recoverUnfinishedSaves(folder.path()).ok());
        EXPECT_EQ(folder.strays(), QStringList{"victim"});
    }
}

// A file-size limit (ulimit -f) must not end the game: the save fails as on a full disk.
TEST(Unwritable, aSchemeBeyondTheFileSizeLimitKeepsEveryOldFileAndNamesTheFile) {
    const Folder folder;
    const QByteArray result = run({Scheme, folder.path()}, [] {
        const rlimit limit{1000, 1000}; // the lock fits, no bitmap does
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(77);
    })[0];
    EXPECT_TRUE(result.contains(folder.filePath("Grafiken/0.bmp").toUtf8() +
                                "\" konnte nicht geschrieben werden"))
        << result.toStdString();
    EXPECT_EQ(folder.held(Scheme), "old");
    EXPECT_EQ(folder.strays(), QStringList());
}

// A copy that starts while another is in the middle of a batch leaves that batch alone, and
// the other copy completes it.
TEST(StartUp, leavesTheSaveOfAnotherRunningCopyAlone) {
    const Folder folder;
    const QByteArray trace = run({Scheme, Folder().path()}).value(1);
    QProcess saving; // paused at its first rename, with its new files and journal written
    saving.start(Worker, {Scheme, folder.path(),
                          QStringLiteral("BRIXOLAN_FAULT=pause:%1").arg(trace.indexOf('r') + 1)});
    ASSERT_TRUE(saving.waitForReadyRead(10000));
    const QStringList waiting = folder.strays();
    ASSERT_GT(waiting.size(), filesOf(Scheme).size());
    EXPECT_TRUE(recoverUnfinishedSaves(folder.path()).ok());
    EXPECT_EQ(folder.strays(), waiting);
    saving.write("\n");
    ASSERT_TRUE(saving.waitForFinished(10000));
    EXPECT_TRUE(saving.readAllStandardOutput().contains("ok"));
    EXPECT_EQ(folder.held(Scheme), "new");
    EXPECT_EQ(folder.strays(), QStringList());
}

// A folder, FIFO or link at a target is named and refused before anything is written.
class Obstacle : public ::testing::TestWithParam<std::tuple<const char*, const char*>> {};

TEST_P(Obstacle, isNamedAndNothingIsMoved) {
    const QString target = QString::fromLatin1(std::get<0>(GetParam()));
    const QByteArray obstacle = std::get<1>(GetParam());
    const Folder folder;
    const QString path = folder.filePath(target);
    QFile::remove(path);
    if (target == QLatin1String("score.sre.bak"))
        putFile(folder.filePath("score.sre"), "short"); // no table: kept as the backup first
    if (obstacle == "folder")
        putFile(path + "/inside", "x");
    else if (obstacle == "fifo")
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    else
        ASSERT_TRUE(QFile::link(folder.filePath("Grafiken/0.bmp"), path));
    const QString kind = target.startsWith(Score) ? Score : Scheme;
    const QStringList before = folder.strays();
    const QByteArray result = run({kind, folder.path()})[0];
    EXPECT_TRUE(result.startsWith("failed") && result.contains(path.toUtf8())) << result.data();
    const bool journal = target.endsWith(QLatin1String("journal")); // names no file of the save
    EXPECT_EQ(folder.holding(kind, 0), filesOf(kind).size() - !journal); // all but the obstacle
    EXPECT_EQ(folder.strays(), before);
    const QFileInfo still(path); // the obstacle itself stays as it was
    const bool fifo = still.exists() && !still.isFile() && !still.isDir();
    EXPECT_EQ(still.isSymLink() ? "link" : still.isDir() ? "folder" : fifo ? "fifo" : "", obstacle);
}

INSTANTIATE_TEST_SUITE_P(EveryTarget, Obstacle,
                         ::testing::Combine(::testing::Values("score.sre", "score.sre.bak",
                                                              "Brixolan.dat", "Grafiken/3.bmp",
                                                              "Brixolan.brx-journal"),
                                            ::testing::Values("folder", "fifo", "link")));

// A journal left at a start: the batch it names is completed (also as an editor saves it, with
// CR LF), or the journal is set aside with one message (one naming a target twice is not the
// game's own, nor one past 1 MiB); where it cannot be set aside it is removed. A link never
// leads the start out of the folder, neither to complete a batch nor to sweep, nor into another
// program folder below.
TEST(StartUp, completesTheGamesOwnJournalAndNeverFollowsALinkedGraphicsFolder) {
    const QByteArray line = QCryptographicHash::hash("new", QCryptographicHash::Sha256).toHex() +
                            "\tGrafiken/SteinB.bmp.k1.brx-tmp\tGrafiken/SteinB.bmp";
    for (const char* layout : {"LF", "CR LF", "linked", "twice", "blocked", "padded"}) {
        const QTemporaryDir game, elsewhere;
        const bool linked = layout[0] == 'l';
        const bool refused = layout[0] != 'L' && layout[0] != 'C';
        if (layout[0] == 'b') // the name a refused journal is set aside under
            QDir().mkpath(game.filePath("Brixolan.brx-journal.beiseite/x"));
        const QString art = linked ? elsewhere.filePath("art") : game.filePath("Grafiken");
        putFile(art + "/SteinB.bmp", "old");
        putFile(art + "/SteinB.bmp.k1.brx-tmp", "new");
        putFile(game.filePath("alt/score.sre.k3.brx-tmp"), "a save of a copy in a folder below");
        ASSERT_TRUE(!linked || QFile::link(art, game.filePath("Grafiken")));
        putFile(game.filePath("Brixolan.brx-journal"),
                line + (layout[0] == 'C' ? "\r\n" : "\n") +
                    (layout[0] == 'p'     ? QByteArray(1 << 20, '\n').chopped(line.size())
                     : refused && !linked ? line
                                          : QByteArray()));
        const Outcome first = recoverUnfinishedSaves(game.path());
        EXPECT_EQ(first.ok(), !refused) << layout;
        EXPECT_EQ(first.message().contains("Verknüpfung"), linked) << layout;
        EXPECT_EQ(bytesOf(art + "/SteinB.bmp"), refused ? "old" : "new") << layout;
        EXPECT_EQ(QFileInfo::exists(art + "/SteinB.bmp.k1.brx-tmp"), linked) << layout;
        EXPECT_EQ(QDir(art).count(), linked ? 4 : 3) << layout; // nothing like "SteinB.bmp\r"
        EXPECT_TRUE(QFile::exists(game.filePath("alt/score.sre.k3.brx-tmp"))) << layout;
        EXPECT_TRUE(recoverUnfinishedSaves(game.path()).ok()) << layout;
    }
}

// A saved file keeps the permissions and the group the player gave it (a group may share the
// table); a batch takes no file the next start could not check. An empty lock file, as a copy
// leaves it that has only just begun to save, is a save in progress for half a minute: the save
// is refused and says so. A lock no copy holds is taken over, though it names a living process
// (in a sandbox the next copy has the same number), but not one of another machine (flock may
// not reach it); one the player may not remove (another user's, in a shared folder) is named as
// such.
TEST(Saves, aReplacedFileKeepsItsPermissionsAndOnlyALockNoCopyHoldsIsTakenOver) {
    const QTemporaryDir game;
    for (const char* file : {"score.sre", "Brixolan.dat"}) {
        const QByteArray path = QFile::encodeName(game.filePath(file));
        putFile(path, "old");
        ASSERT_EQ(::chmod(path, 0240), 0); // read back, it gets the owner's read right
        const gid_t group = ::chown(path, uid_t(-1), 65534) == 0 ? 65534 : ::getegid();
        const auto save = file[0] == 's' ? saveFile : saveInBatch;
        ASSERT_TRUE(save(game.path(), path, "new").ok());
        EXPECT_EQ(rightsOf(path), "640 " + QString::number(group)) << file;
    }
    // A file no start after a crash would read whole to check it.
    const Outcome huge = saveInBatch(game.path(), game.filePath("Grafiken/SteinA.bmp"),
                                     QByteArray((64 << 20) + 1, 'n'));
    EXPECT_TRUE(huge.message().endsWith("größer als 64 MiB"));
    EXPECT_FALSE(QFile::exists(game.filePath("Grafiken")));
    // A batch's temporary may wait for its journal, whatever case its folder is spelt in.
    putFile(game.filePath("grafiken/0.bmp.k1.brx-tmp"), "");
    removeLeftoversOf(FolderLock::take(game.path(), game.path()).value(),
                      game.filePath("grafiken/0.bmp"));
    EXPECT_TRUE(QFile::exists(game.filePath("grafiken/0.bmp.k1.brx-tmp")));
    // The message of taking the lock where one with these lines stands, empty when it is taken.
    const auto takeOver = [&](const QByteArray& lines) {
        putFile(game.filePath(LockName), lines);
        return FolderLock::take(game.path(), game.filePath("score.sre"), 0).message();
    };
    EXPECT_TRUE(takeOver("").contains("ein anderes laufendes Brixolan speichert gerade"));
    EXPECT_NE(takeOver("1\nbrixolan\nanderer-rechner\n"), "");
    QLockFile own(game.filePath("own"));
    ASSERT_TRUE(own.tryLock(0));
    EXPECT_EQ(takeOver(bytesOf(game.filePath("own"))), "");
    // A save waits while another copy holds the lock, and goes ahead once it is free.
    QLockFile other(game.filePath(LockName));
    ASSERT_TRUE(other.tryLock(0));
    std::thread freed([&other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.unlock();
    });
    EXPECT_TRUE(saveFile(game.path(), game.filePath("score.sre"), "later").ok());
    freed.join();
    if (::geteuid() == 0) {
        const Folder shared;
        ::chmod(QFile::encodeName(shared.path()).constData(), 0755);
        putFile(shared.filePath(LockName), bytesOf(game.filePath("own")));
        const QByteArray result = run({Score, shared.path()}, becomeNobody)[0];
        EXPECT_TRUE(result.contains("eines beendeten Brixolan kann nicht entfernt werden"))
            << result.data();
        // A player outside the file's group: the new file's group gets what everyone has.
        const Folder open;
        const QByteArray score = QFile::encodeName(open.filePath("score.sre"));
        ASSERT_EQ(::chmod(QFile::encodeName(open.path()), 0777) | ::chown(score, 65534, 0) |
                      ::chmod(score, 0664),
                  0);
        EXPECT_EQ(run({Score, open.path()}, becomeNobody)[0], "ok");
        EXPECT_EQ(rightsOf(score), "644 65534");
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicWrite.h"

#include "ErrorTexts.h"
#include "GameFiles.h"
#include "GraphicsFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brixolan {

namespace {

const QString LockName = QStringLiteral("Brixolan.brx-lock");
const QString JournalName = QStringLiteral("Brixolan.brx-journal");
// Where a journal that could not be completed is set aside, so that it is reported once.
const QString SetAsideName = QStringLiteral("Brixolan.brx-journal.beiseite");
const QString TemporarySuffix = QStringLiteral(".brx-tmp");
const QString Unchanged = QStringLiteral(". Die bisherige Datei bleibt unverändert.");
// Far above any journal of the game's batches (18 short lines).
constexpr qint64 MaxJournalBytes = 1024 * 1024;
// Qt writes a few short lines into a lock file: its process, program, host and boot.
constexpr qint64 MaxLockBytes = 4096;
// Far above any file a batch writes; a larger file at a temporary name is not a new one.
constexpr qint64 MaxBatchFileBytes = 64 * 1024 * 1024;

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString describe(const QString& path, const QString& reason) {
    return QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: %2")
        .arg(native(path), reason);
}

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

QString hashOf(const QByteArray& data) {
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
}

// Beside `target`, a name no save has used: temporary names are never shared, neither between
// the files of a batch nor between running copies.
QString freshName(const QString& target) {
    const quint64 random = QRandomGenerator::system()->generate64();
    return target + QLatin1Char('.') + QString::number(random, 36) + TemporarySuffix;
}

// Whether `name` has the form freshName gives a temporary of `target`: a journal repeats the
// target's spelling exactly, the sweep finds the name whatever case the folder gave it.
bool isTemporaryOf(const QString& name, const QString& target, Qt::CaseSensitivity sameCase) {
    static const QRegularExpression marked(QStringLiteral("^\\.[0-9a-z]{1,13}\\.brx-tmp$"));
    return name.size() > target.size() && name.startsWith(target, sameCase) &&
           marked.match(name.mid(target.size())).hasMatch();
}

// The files a batch replaces (the scheme dialogs' bitmaps and settings), relative to the
// program folder: the only targets a journal may name.
QStringList batchTargets() {
    QStringList targets{QLatin1String(SettingsFileName)};
    for (const GraphicsFile& file : GraphicsFiles)
        targets << QLatin1String(file.path);
    return targets;
}

// A failed sync of a folder is a failed save; a file system that cannot sync folders at all
// (EINVAL) keeps its renames anyway.
Outcome syncFolder(const QString& folder) {
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int error = fd < 0 ? errno : 0;
    if (fd >= 0 && ::fsync(fd) != 0 && errno != EINVAL)
        error = errno;
    if (fd >= 0)
        ::close(fd);
    if (error == 0)
        return {};
    return Outcome::failure(
        QStringLiteral("Der Ordner \"%1\" konnte nicht auf den Datenträger geschrieben werden: %2")
            .arg(native(folder), errorText(error)));
}

Outcome syncFolders(const std::vector<QString>& paths) {
    QStringList folders;
    for (const QString& path : paths) {
        const QString folder = QFileInfo(path).absolutePath();
        if (!folders.contains(folder))
            folders << folder;
    }
    for (const QString& folder : folders) {
        if (const Outcome synced = syncFolder(folder); !synced)
            return synced;
    }
    return {};
}

// The rights and group of the file a save replaces, for the new one: a group may share the
// table. The owner may always read it, or the game could not load what it saved. Where the
// player may not give the new file that group, its group gets no more than everyone has.
int keepRightsOf(const struct stat& old, int fd) {
    mode_t mode = (old.st_mode & 0777) | S_IRUSR;
    if (::fchown(fd, uid_t(-1), old.st_gid) != 0)
        mode = (mode & ~mode_t(S_IRWXG)) | ((mode & S_IRWXO) << 3);
    return ::fchmod(fd, mode) == 0 ? 0 : errno;
}

// Created exclusively and never through a link, so nothing that already stands under the
// name is written into; written in full and synced.
Result<QString> writeTemporary(const QString& target, const QByteArray& data) {
    struct stat old {};
    const bool replaces = ::lstat(encoded(target).constData(), &old) == 0 && S_ISREG(old.st_mode);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString name = freshName(target);
        const int fd = ::open(encoded(name).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return Outcome::failure(describe(target, errorText(errno)));
        qsizetype done = 0;
        int error = replaces ? keepRightsOf(old, fd) : 0;
        while (error == 0 && done < data.size()) {
            const ssize_t n = ::write(fd, data.constData() + done, std::size_t(data.size() - done));
            if (n > 0)
                done += n;
            else if (n == 0)
                error = EIO;
            else if (errno != EINTR)
                error = errno;
        }
        if (error == 0 && ::fsync(fd) != 0)
            error = errno;
        if (::close(fd) != 0 && error == 0)
            error = errno;
        if (error == 0)
            return name;
        ::unlink(encoded(name).constData());
        return Outcome::failure(describe(target, errorText(error)));
    }
    return Outcome::failure(
        describe(target, QStringLiteral("kein freier Name für eine neue Datei")));
}

bool exchange(const QString& a, const QString& b) {
    return ::renameat2(AT_FDCWD, encoded(a).constData(), AT_FDCWD, encoded(b).constData(),
                       RENAME_EXCHANGE) == 0;
}

bool move(const QString& from, const QString& to) {
    return std::rename(encoded(from).constData(), encoded(to).constData()) == 0;
}

void remove(const QString& path) {
    ::unlink(encoded(path).constData());
}

// A new file under a marked name of its own, renamed over the target. (A save file of Qt's
// would be named like a player's copy, "score.sre.Backup", and could not be swept safely.)
Outcome writeReplacing(const QString& path, const QByteArray& data) {
    const Result<QString> written = writeTemporary(path, data);
    if (!written)
        return written.outcome();
    if (move(written.value(), path))
        return {};
    const int error = errno;
    remove(written.value());
    return Outcome::failure(describe(path, errorText(error)));
}

QString lockProblem(const QLockFile& lock, int error) {
    switch (lock.error()) {
    case QLockFile::LockFailedError:
        return QStringLiteral("ein anderes laufendes Brixolan speichert gerade in diesem Ordner");
    case QLockFile::PermissionError:
        return QStringLiteral("der Ordner ist schreibgeschützt");
    default:
        return QStringLiteral("die Sperrdatei \"%1\" konnte nicht angelegt werden: %2")
            .arg(native(lock.fileName()), errorText(error));
    }
}

// A file descriptor, closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int fd() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }

private:
    int m_fd;
};

// Up to `limit` bytes; nothing when the read fails.
std::optional<QByteArray> readUpTo(int fd, qint64 limit) {
    QByteArray bytes;
    char buffer[65536];
    while (bytes.size() < limit) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        bytes.append(buffer, qsizetype(n));
    }
    return bytes;
}

// The hash of a regular file of a size a batch writes, as the journal writes it; empty for
// anything else.
QByteArray hashOfFile(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > MaxBatchFileBytes)
        return {};
    const std::optional<QByteArray> bytes = readUpTo(fd, MaxBatchFileBytes + 1);
    return bytes ? hashOf(*bytes).toLatin1() : QByteArray();
}

// One line of a journal: a new file waiting under `temporary` for its swap with `target`, both
// plain names inside `folder` ("" for the program folder itself).
struct JournalLine {
    QByteArray hash;
    QString folder;
    QString temporary;
    QString target;
};

// The journal as a batch writes it: per file the new content's hash, the temporary name and the
// target, tab-separated. A journal with any other line is not the game's own (crafted, damaged
// or foreign), and nothing it names is touched.
std::optional<std::vector<JournalLine>> parseJournal(const QByteArray& bytes) {
    static const QRegularExpression hash(QStringLiteral("^[0-9a-f]{64}$"));
    const QStringList allowed = batchTargets();
    QStringList seen;
    std::vector<JournalLine> lines;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1); // an editor's line end
        if (line.isEmpty())
            continue;
        if (std::any_of(line.begin(), line.end(),
                        [](char c) { return c != '\t' && (c < 0x20 || c > 0x7e); }))
            return std::nullopt;
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 3)
            return std::nullopt;
        const QString temporary = QString::fromLatin1(fields[1]);
        const QString target = QString::fromLatin1(fields[2]);
        if (!hash.match(QString::fromLatin1(fields[0])).hasMatch() ||
            !allowed.contains(target, Qt::CaseInsensitive) ||
            seen.contains(target, Qt::CaseInsensitive) ||
            !isTemporaryOf(temporary, target, Qt::CaseSensitive))
            return std::nullopt;
        seen << target;
        const qsizetype slash = target.lastIndexOf(QLatin1Char('/'));
        lines.push_back({fields[0], slash < 0 ? QString() : target.left(slash),
                         temporary.mid(slash + 1), target.mid(slash + 1)});
    }
    return lines;
}

// Every new file still waiting under its temporary name (its content matches the journal) is
// renamed over its target; any other file there holds an old content that was already swapped
// out. Each folder is opened without following a link and every name is looked up in it, so
// nothing outside the program folder is reached. Returns what stood in the way, or nothing.
QString applyJournal(int rootFd, const QString& root, const std::vector<JournalLine>& lines) {
    QString problem;
    for (const JournalLine& line : lines) {
        const QString folderPath =
            line.folder.isEmpty() ? root : root + QLatin1Char('/') + line.folder;
        const Descriptor folder(line.folder.isEmpty()
                                    ? ::fcntl(rootFd, F_DUPFD_CLOEXEC, 0)
                                    : ::openat(rootFd, line.folder.toLatin1().constData(),
                                               O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!folder) {
            if (errno != ENOENT) // a folder that is gone holds no new file
                problem = errno == ELOOP || errno == ENOTDIR
                              ? QStringLiteral("\"%1\" ist kein Ordner, sondern eine Verknüpfung "
                                               "oder Datei")
                                    .arg(native(folderPath))
                              : QStringLiteral("der Ordner \"%1\" konnte nicht geöffnet werden: %2")
                                    .arg(native(folderPath), errorText(errno));
            continue;
        }
        const QByteArray temporary = line.temporary.toLatin1();
        const QByteArray target = line.target.toLatin1();
        QByteArray found;
        if (const Descriptor waiting(::openat(folder.fd(), temporary.constData(),
                                              O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
            waiting)
            found = hashOfFile(waiting.fd());
        if (found != line.hash) {
            ::unlinkat(folder.fd(), temporary.constData(), 0);
        } else if (::renameat(folder.fd(), temporary.constData(), folder.fd(),
                              target.constData()) != 0) {
            problem =
                QStringLiteral("die Datei \"%1\" konnte nicht ersetzt werden: %2")
                    .arg(native(folderPath + QLatin1Char('/') + line.target), errorText(errno));
        } else {
            ::fsync(folder.fd());
        }
    }
    return problem;
}

// The unfinished batch the journal names, completed. A journal that is not the game's own or
// cannot be completed is set aside and reported, once: the next start does not find it again.
// A link, folder or FIFO at the journal's name is none the game made and is left alone.
Outcome completeBatch(const QString& root) {
    const Descriptor rootFd(::open(encoded(root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!rootFd)
        return {};
    const QByteArray journalName = JournalName.toLatin1();
    const Descriptor journal(::openat(rootFd.fd(), journalName.constData(),
                                      O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    const int openError = errno;
    if (!journal && (openError == ENOENT || openError == ELOOP))
        return {};
    struct stat status {};
    if (journal && (::fstat(journal.fd(), &status) != 0 || !S_ISREG(status.st_mode)))
        return {};
    const std::optional<QByteArray> bytes =
        journal ? readUpTo(journal.fd(), MaxJournalBytes + 1) : std::nullopt;
    const std::optional<std::vector<JournalLine>> lines =
        bytes && bytes->size() <= MaxJournalBytes ? parseJournal(*bytes) : std::nullopt;
    const QString problem =
        lines ? applyJournal(rootFd.fd(), root, *lines)
              : QStringLiteral("sein Protokoll \"%1\" ist unlesbar, beschädigt oder stammt nicht "
                               "von Brixolan")
                    .arg(native(root + QLatin1Char('/') + JournalName));
    if (problem.isEmpty()) {
        ::unlinkat(rootFd.fd(), journalName.constData(), 0);
        ::fsync(rootFd.fd());
        return {};
    }
    const bool setAside = ::renameat(rootFd.fd(), journalName.constData(), rootFd.fd(),
                                     SetAsideName.toLatin1().constData()) == 0;
    const bool removed = !setAside && ::unlinkat(rootFd.fd(), journalName.constData(), 0) == 0;
    ::fsync(rootFd.fd());
    return Outcome::failure(
        QStringLiteral("Ein unterbrochenes Speichern eines Schemas konnte nicht abgeschlossen "
                       "werden: %1. Einige Grafiken können noch die bisherigen sein; wählen sie "
                       "das Schema bei Bedarf erneut.")
            .arg(problem) +
        (setAside ? QStringLiteral(" Das Protokoll liegt jetzt unter \"%1\".")
                        .arg(native(root + QLatin1Char('/') + SetAsideName))
         : removed ? QString()
                   : QStringLiteral(" Das Protokoll konnte nicht entfernt werden.")));
}

// Removes what saves cut short left in the folder: only names of the form freshName gives a
// temporary of one of `targets`, never a player's copy such as "score.sre.sicher".
void sweepFolder(int folderFd, const QStringList& targets,
                 const std::vector<std::pair<QString, QStringList>>& subfolders = {}) {
    DIR* dir = ::fdopendir(::fcntl(folderFd, F_DUPFD_CLOEXEC, 0));
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (std::any_of(targets.begin(), targets.end(), [&](const QString& target) {
                return isTemporaryOf(name, target, Qt::CaseInsensitive);
            })) {
            ::unlinkat(folderFd, entry->d_name, 0);
            continue;
        }
        for (const auto& [folder, files] : subfolders) {
            if (name.compare(folder, Qt::CaseInsensitive) != 0)
                continue;
            const Descriptor inside(
                ::openat(folderFd, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            if (inside)
                sweepFolder(inside.fd(), files);
        }
    }
    ::closedir(dir);
}

// The temporary files of the saves cut short, in the program folder and the folders of the
// batches (entered without following a link).
void sweepTemporaries(const QString& root) {
    QStringList targets{JournalName};
    for (const char* name : FilesSavedAlone)
        targets << QLatin1String(name);
    std::vector<std::pair<QString, QStringList>> subfolders;
    for (const QString& target : batchTargets()) {
        const qsizetype slash = target.lastIndexOf(QLatin1Char('/'));
        if (slash < 0) {
            targets << target;
            continue;
        }
        const QString folder = target.left(slash);
        auto known = std::find_if(subfolders.begin(), subfolders.end(),
                                  [&](const auto& entry) { return entry.first == folder; });
        if (known == subfolders.end())
            known = subfolders.insert(subfolders.end(), {folder, {}});
        known->second << target.mid(slash + 1);
    }
    const Descriptor rootFd(::open(encoded(root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (rootFd)
        sweepFolder(rootFd.fd(), targets, subfolders);
}

// Qt keeps a lock it cannot remove, and one whose process number lives again (a sandbox numbers
// processes anew): no running copy holds it when its flock is free. Only a lock of this machine
// is judged so, since flock may not reach across a network, and only one whose lines are
// written: a copy creates the file, takes the flock, then writes them. An empty lock is left to
// Qt's half minute: a copy stopped before its flock would otherwise wake to save beside the one
// that took the lock over. The message names a lock that stays.
Outcome removeAbandonedLock(const QLockFile& lock) {
    qint64 pid = 0;
    QString host, program;
    if (!lock.getLockInfo(&pid, &host, &program) || host != QSysInfo::machineHostName())
        return {};
    const QByteArray path = encoded(lock.fileName());
    const Descriptor fd(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat opened {};
    struct stat named {};
    if (!fd || ::flock(fd.fd(), LOCK_EX | LOCK_NB) != 0 || ::fstat(fd.fd(), &opened) != 0 ||
        ::lstat(path.constData(), &named) != 0 || opened.st_ino != named.st_ino ||
        ::unlink(path.constData()) == 0)
        return {};
    return Outcome::failure(
        QStringLiteral("die Sperrdatei \"%1\" eines beendeten Brixolan kann nicht entfernt "
                       "werden: %2")
            .arg(native(lock.fileName()), errorText(errno)));
}

} // namespace

FolderLock::FolderLock(QString root, std::unique_ptr<QLockFile> file)
    : m_root(std::move(root)), m_file(std::move(file)) {}
FolderLock::FolderLock(FolderLock&&) noexcept = default;
FolderLock& FolderLock::operator=(FolderLock&&) noexcept = default;
FolderLock::~FolderLock() = default;

Result<FolderLock> FolderLock::take(const QString& root, const QString& target, int waitMs) {
    auto file = std::make_unique<QLockFile>(root + QLatin1Char('/') + LockName);
    // A folder there would look like a lock held for ever. Qt reads a lock file whole, and the
    // one it marks a stale lock's removal with: a pipe there stops the game, a huge file fills
    // its memory.
    const QString path = file->fileName();
    if (const Outcome refused =
            checkTargets({path, path + QStringLiteral(".rmlock")}, MaxLockBytes);
        !refused)
        return refused;
    errno = 0;
    bool locked = file->tryLock(waitMs);
    if (!locked && file->error() == QLockFile::LockFailedError) {
        if (const Outcome removed = removeAbandonedLock(*file); !removed)
            return Outcome::failure(describe(target, removed.message()));
        locked = file->tryLock(0);
    }
    if (!locked)
        return Outcome::failure(describe(target, lockProblem(*file, errno)));
    return FolderLock(root, std::move(file));
}

Outcome checkTargets(const QStringList& paths, qint64 maxBytes) {
    for (const QString& path : paths) {
        struct stat status {};
        if (::lstat(encoded(path).constData(), &status) != 0) {
            if (errno == ENOENT)
                continue;
            return Outcome::failure(describe(path, errorText(errno)));
        }
        if (S_ISREG(status.st_mode) && status.st_size <= maxBytes)
            continue;
        const QString what = S_ISREG(status.st_mode)   ? QStringLiteral("eine zu große Datei")
                             : S_ISDIR(status.st_mode) ? QStringLiteral("ein Ordner")
                             : S_ISLNK(status.st_mode) ? QStringLiteral("eine Verknüpfung")
                                                       : QStringLiteral("keine gewöhnliche Datei");
        return Outcome::failure(
            QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: an ihrer Stelle steht "
                           "%2. Bitte entfernen oder umbenennen.")
                .arg(native(path), what));
    }
    return {};
}

void removeLeftoversOf(const FolderLock& lock, const QString& path) {
    const QFileInfo target(path);
    if (batchTargets().contains(QDir(lock.root()).relativeFilePath(path), Qt::CaseInsensitive))
        return;
    const Descriptor folder(
        ::open(encoded(target.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder)
        sweepFolder(folder.fd(), {target.fileName()});
}

Outcome replaceFile(const FolderLock&, const QString& path, const QByteArray& data) {
    if (const Outcome refused = checkTargets({path}); !refused)
        return refused;
    if (const Outcome written = writeReplacing(path, data); !written)
        return Outcome::failure(written.message() + Unchanged);
    if (const Outcome synced = syncFolder(QFileInfo(path).absolutePath()); !synced)
        return Outcome::failure(QStringLiteral("Die Datei \"%1\" wurde ersetzt, ist aber nicht "
                                               "sicher gespeichert. %2")
                                    .arg(native(path), synced.message()));
    return {};
}

Outcome saveFile(const QString& root, const QString& path, const QByteArray& data) {
    const Result<FolderLock> lock = FolderLock::take(root, path);
    if (!lock)
        return lock.outcome();
    return replaceFile(lock.value(), path, data);
}

AtomicBatch::~AtomicBatch() {
    if (m_partlyApplied)
        return; // the next start completes the batch from what waits under these names
    for (const Entry& entry : m_entries) {
        if (!entry.temporary.isEmpty())
            remove(entry.temporary);
    }
}

void AtomicBatch::add(const QString& path, QByteArray data) {
    m_entries.push_back({path, std::move(data), {}, {}, Step::None});
}

Outcome AtomicBatch::commit() {
    // The journal's name too: what stands there is none of the game's, refused before anything
    // is written and left as it is.
    const QString journalPath = QDir(m_lock.root()).filePath(JournalName);
    QStringList targets{journalPath};
    for (const Entry& entry : m_entries) {
        targets << entry.path;
        // A start after a crash must check each new file against the journal, and reads no
        // more than this of a file anyone could have put there.
        if (entry.data.size() > MaxBatchFileBytes)
            return Outcome::failure(describe(
                entry.path,
                QStringLiteral("sie wäre größer als %1 MiB").arg(MaxBatchFileBytes >> 20)));
    }
    if (const Outcome refused = checkTargets(targets); !refused)
        return refused;
    // The journal of a copy that died in the middle of a batch is completed first: this batch's
    // journal takes its name, and the batch it names would stay half done for good.
    if (const Outcome completed = completeBatch(m_lock.root()); !completed)
        return completed;
    if (const Outcome written = writeNewFiles(); !written)
        return written;
    // From here on a crash leaves the journal, and the next start completes the batch.
    if (const Outcome journalled = writeJournal(journalPath); !journalled) {
        remove(journalPath);
        return journalled;
    }
    return finish(journalPath, swapAll());
}

Outcome AtomicBatch::writeNewFiles() {
    for (Entry& entry : m_entries) {
        Result<QString> written = writeTemporary(entry.path, entry.data);
        if (!written)
            return written.outcome();
        entry.temporary = written.value();
    }
    return {};
}

Outcome AtomicBatch::writeJournal(const QString& journalPath) const {
    const QDir root(m_lock.root());
    QByteArray journal;
    for (const Entry& entry : m_entries)
        journal += hashOf(entry.data).toLatin1() + '\t' +
                   root.relativeFilePath(entry.temporary).toUtf8() + '\t' +
                   root.relativeFilePath(entry.path).toUtf8() + '\n';
    if (const Outcome written = writeReplacing(journalPath, journal); !written)
        return written;
    return syncFolder(root.path());
}

// Each new file is swapped with its target in one step where the file system can, so the old
// content waits under the temporary name and a failure swaps it back.
Outcome AtomicBatch::swapAll() {
    for (Entry& entry : m_entries) {
        if (exchange(entry.temporary, entry.path)) {
            entry.step = Step::Swapped;
            continue;
        }
        // No target yet, or a file system that cannot swap: an old file is renamed aside first.
        const int error = errno;
        if (error == ENOENT || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP) {
            entry.aside = freshName(entry.path);
            const bool aside = error != ENOENT && move(entry.path, entry.aside);
            if (aside)
                entry.step = Step::MovedAside;
            if ((aside || errno == ENOENT) && move(entry.temporary, entry.path)) {
                entry.step = aside ? Step::MovedAside : Step::Created;
                continue;
            }
        }
        return Outcome::failure(
            describe(entry.path, QStringLiteral("Umbenennen fehlgeschlagen: ") + errorText(errno)));
    }
    std::vector<QString> paths;
    for (const Entry& entry : m_entries)
        paths.push_back(entry.path);
    return syncFolders(paths);
}

Outcome AtomicBatch::finish(const QString& journalPath, const Outcome& swapped) {
    if (!swapped && !undo()) {
        m_partlyApplied = true;
        return Outcome::failure(swapped.message() +
                                QStringLiteral(" Einige Dateien sind bereits ersetzt; die übrigen "
                                               "folgen beim nächsten Start."));
    }
    // The journal goes first: without it, whatever waits under a temporary name is removed,
    // the new contents after a failure and the old ones after success.
    remove(journalPath);
    static_cast<void>(syncFolder(m_lock.root()));
    for (const Entry& entry : m_entries) {
        if (swapped && entry.step == Step::MovedAside)
            remove(entry.aside);
    }
    return swapped;
}

bool AtomicBatch::undo() {
    bool restored = true;
    for (auto entry = m_entries.rbegin(); entry != m_entries.rend(); ++entry) {
        switch (entry->step) {
        case Step::None:
            break;
        case Step::Swapped:
            restored = exchange(entry->temporary, entry->path) && restored;
            break;
        case Step::Created:
            restored = move(entry->path, entry->temporary) && restored;
            break;
        case Step::MovedAside:
            restored = move(entry->aside, entry->path) && restored;
            break;
        }
    }
    return restored;
}

Outcome recoverUnfinishedSaves(const QString& root) {
    // Without waiting: a copy that holds the lock is saving, and its files are its own.
    const Result<FolderLock> lock = FolderLock::take(root, root, 0);
    if (!lock)
        return {};
    const Outcome completed = completeBatch(root);
    sweepTemporaries(root);
    return completed;
}

void ignoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicWrite.h"

#include "ErrorTexts.h"
#include "GameFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brixolan {

namespace {

const QString LockName = QStringLiteral("Brixolan.brx-lock");
const QString JournalName = QStringLiteral("Brixolan.brx-journal");
const QString TemporarySuffix = QStringLiteral(".brx-tmp");
const QString Unchanged = QStringLiteral(". Die bisherige Datei bleibt unverändert.");
// Far above any journal of the game's batches (17 short lines).
constexpr qint64 MaxJournalBytes = 1024 * 1024;

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString systemError(int error) {
    return errorText(error);
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
            .arg(native(folder), systemError(error)));
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

// Created exclusively and never through a link, so nothing that already stands under the
// name is written into; written in full and synced.
Result<QString> writeTemporary(const QString& target, const QByteArray& data) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString name = freshName(target);
        const int fd = ::open(encoded(name).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return Outcome::failure(describe(target, systemError(errno)));
        qsizetype done = 0;
        int error = 0;
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
        return Outcome::failure(describe(target, systemError(error)));
    }
    return Outcome::failure(
        describe(target, QStringLiteral("kein freier Name für eine neue Datei")));
}

// QSaveFile writes a new file of its own (unnamed until the commit) and renames it over the
// target; its own sync ignores failures, so the file is synced and checked here first.
Outcome writeReplacing(const QString& path, const QByteArray& data) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.flush() ||
        ::fsync(file.handle()) != 0) {
        const int error = errno;
        file.cancelWriting();
        return Outcome::failure(describe(path, systemError(error)));
    }
    if (!file.commit())
        return Outcome::failure(describe(path, systemError(errno)));
    return {};
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

QString lockProblem(const QLockFile& lock, int error) {
    switch (lock.error()) {
    case QLockFile::LockFailedError:
        return QStringLiteral("ein anderes laufendes Brixolan speichert gerade in diesem Ordner");
    case QLockFile::PermissionError:
        return QStringLiteral("der Ordner ist schreibgeschützt");
    default:
        return QStringLiteral("die Sperrdatei \"%1\" konnte nicht angelegt werden: %2")
            .arg(native(lock.fileName()), systemError(error));
    }
}

// The unfinished batch the journal names, completed: every new file still waiting under its
// temporary name (its content matches the journal) is renamed over its target; any other
// file there holds an old content that was already swapped out.
Outcome completeBatch(const QString& root) {
    const QString journalPath = root + QLatin1Char('/') + JournalName;
    const QFileInfo journal(journalPath);
    if (!journal.isFile() || journal.isSymLink())
        return {};
    QFile file(journalPath);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::failure(QStringLiteral("Die Datei \"%1\" konnte nicht gelesen werden: %2")
                                    .arg(native(journalPath), systemError(errno)));
    const QList<QByteArray> lines = file.read(MaxJournalBytes).split('\n');
    std::vector<QString> targets;
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 3)
            continue;
        const QString temporary = root + QLatin1Char('/') + QString::fromUtf8(fields[1]);
        const QString target = root + QLatin1Char('/') + QString::fromUtf8(fields[2]);
        QFile waiting(temporary);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        const QFileInfo info(temporary);
        const bool isNew = info.isFile() && !info.isSymLink() &&
                           waiting.open(QIODevice::ReadOnly) && hash.addData(&waiting) &&
                           hash.result().toHex() == fields[0];
        waiting.close();
        if (isNew && !move(temporary, target))
            return Outcome::failure(
                QStringLiteral("Ein unterbrochenes Speichern konnte nicht abgeschlossen werden. "
                               "Die Datei \"%1\" konnte nicht ersetzt werden: %2")
                    .arg(native(target), systemError(errno)));
        if (!isNew)
            remove(temporary);
        targets.push_back(target);
    }
    if (const Outcome synced = syncFolders(targets); !synced)
        return synced;
    remove(journalPath);
    return syncFolder(root);
}

} // namespace

FolderLock::FolderLock(QString root, std::unique_ptr<QLockFile> file)
    : m_root(std::move(root)), m_file(std::move(file)) {}
FolderLock::FolderLock(FolderLock&&) noexcept = default;
FolderLock& FolderLock::operator=(FolderLock&&) noexcept = default;
FolderLock::~FolderLock() = default;

Result<FolderLock> FolderLock::take(const QString& root, const QString& target, int waitMs) {
    auto file = std::make_unique<QLockFile>(root + QLatin1Char('/') + LockName);
    // A folder there would look like a lock held for ever.
    if (const Outcome refused = checkTargets({file->fileName()}); !refused)
        return refused;
    errno = 0;
    if (!file->tryLock(waitMs))
        return Outcome::failure(describe(target, lockProblem(*file, errno)));
    return FolderLock(root, std::move(file));
}

Outcome checkTargets(const QStringList& paths) {
    for (const QString& path : paths) {
        struct stat status {};
        if (::lstat(encoded(path).constData(), &status) != 0) {
            if (errno == ENOENT)
                continue;
            return Outcome::failure(describe(path, systemError(errno)));
        }
        if (S_ISREG(status.st_mode))
            continue;
        const QString what = S_ISDIR(status.st_mode)   ? QStringLiteral("ein Ordner")
                             : S_ISLNK(status.st_mode) ? QStringLiteral("eine Verknüpfung")
                                                       : QStringLiteral("keine gewöhnliche Datei");
        return Outcome::failure(
            QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: an ihrer Stelle steht "
                           "%2. Bitte entfernen oder umbenennen.")
                .arg(native(path), what));
    }
    return {};
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
    QStringList targets;
    for (const Entry& entry : m_entries)
        targets << entry.path;
    if (const Outcome refused = checkTargets(targets); !refused)
        return refused;
    QByteArray journal;
    const QDir root(m_lock.root());
    for (Entry& entry : m_entries) {
        Result<QString> written = writeTemporary(entry.path, entry.data);
        if (!written)
            return written.outcome();
        entry.temporary = written.value();
        journal += hashOf(entry.data).toLatin1() + '\t' +
                   root.relativeFilePath(entry.temporary).toUtf8() + '\t' +
                   root.relativeFilePath(entry.path).toUtf8() + '\n';
    }
    // From here on a crash leaves the journal, and the next start completes the batch.
    const QString journalPath = root.filePath(JournalName);
    Outcome journalled = checkTargets({journalPath});
    journalled = journalled ? writeReplacing(journalPath, journal) : journalled;
    if (journalled)
        journalled = syncFolder(root.path());
    if (!journalled) {
        remove(journalPath);
        return journalled;
    }
    // Each new file is swapped with its target in one step where the file system can, so the
    // old content waits under the temporary name and a failure swaps it back.
    Outcome outcome;
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
        outcome = Outcome::failure(describe(
            entry.path, QStringLiteral("Umbenennen fehlgeschlagen: ") + systemError(errno)));
        break;
    }
    if (outcome) {
        std::vector<QString> paths;
        for (const Entry& entry : m_entries)
            paths.push_back(entry.path);
        outcome = syncFolders(paths);
    }
    if (!outcome && !undo()) {
        m_partlyApplied = true;
        return Outcome::failure(outcome.message() +
                                QStringLiteral(" Einige Dateien sind bereits ersetzt; die übrigen "
                                               "folgen beim nächsten Start."));
    }
    // The journal goes first: without it, whatever waits under a temporary name is removed,
    // the new contents after a failure and the old ones after success.
    remove(journalPath);
    static_cast<void>(syncFolder(root.path()));
    for (Entry& entry : m_entries) {
        if (outcome && entry.step == Step::MovedAside)
            remove(entry.aside);
    }
    return outcome;
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
    if (const Outcome completed = completeBatch(root); !completed)
        return completed;
    QDirIterator it(root, {QStringLiteral("*") + TemporarySuffix},
                    QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        remove(it.next());
    // QSaveFile names its new file "<target>.XXXXXX" (six letters) just before the rename.
    static const QRegularExpression qtTemporary(QStringLiteral("^[A-Za-z]{6}$"));
    QStringList names{JournalName};
    for (const char* name : FilesSavedAlone)
        names << QLatin1String(name);
    QDir folder(root);
    for (const QString& name : names) {
        for (const QString& found : folder.entryList({name + QStringLiteral(".??????")},
                                                     QDir::Files | QDir::System | QDir::Hidden)) {
            if (qtTemporary.match(found.right(6)).hasMatch())
                remove(folder.filePath(found));
        }
    }
    return {};
}

void ignoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Outcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <limits>
#include <memory>
#include <vector>

class QLockFile;

namespace brixolan {

/// The lock of a program folder, held by every save from before its first write to after its
/// last, and by the start-up repair (recoverUnfinishedSaves). Two running copies of the game
/// therefore never write at the same time, and a start-up never touches the temporary files or
/// the batch of a save in progress: every temporary file it finds while holding the lock
/// belongs to a copy that died. A lock left by a dead copy is stale and taken over.
class FolderLock {
public:
    /// Waits up to `waitMs` for the lock of `root`. The message names `target`, the file the
    /// player wanted to save.
    static Result<FolderLock> take(const QString& root, const QString& target, int waitMs = 5000);

    FolderLock(FolderLock&&) noexcept;
    FolderLock& operator=(FolderLock&&) noexcept;
    ~FolderLock();

    const QString& root() const { return m_root; }

private:
    FolderLock(QString root, std::unique_ptr<QLockFile> file);
    QString m_root;
    std::unique_ptr<QLockFile> m_file;
};

/// Refuses anything at a target's name that a save would move aside or write through: only a
/// regular file (never through a link) of at most `maxBytes`, or nothing, may stand there. The
/// message names it.
Outcome checkTargets(const QStringList& paths,
                     qint64 maxBytes = std::numeric_limits<qint64>::max());

/// Removes the temporary files that copies of `path` cut short left beside it (only names of
/// the form the saves give them); under the lock no save of it is under way. Nothing for a
/// file of a batch: its temporaries may wait for a journal, which the start completes.
void removeLeftoversOf(const FolderLock& lock, const QString& path);

/// Replaces one file: a new file under a name of its own, written, synced, renamed over the
/// target, and the folder synced. A failure before the rename leaves the old file; a failure of
/// the folder's sync after it is reported as well, with the new content in place. The new
/// file keeps the replaced one's permissions and group.
Outcome replaceFile(const FolderLock& lock, const QString& path, const QByteArray& data);

/// Takes the folder's lock and replaces one file.
Outcome saveFile(const QString& root, const QString& path, const QByteArray& data);

/// Several files replaced as one step. Every new file is written and synced first; then a
/// journal of the batch is saved, the files are swapped with their targets, the folders synced
/// and the journal removed. A failure before the journal is gone swaps every file back, so a
/// failed batch has changed nothing; a batch cut short by a crash is completed at the next
/// start (recoverUnfinishedSaves), so the set is always all old or all new. That start completes
/// only the files a scheme writes (the bitmaps of the graphics table and "Brixolan.dat"): a
/// journal naming anything else is set aside.
class AtomicBatch {
public:
    explicit AtomicBatch(const FolderLock& lock) : m_lock(lock) {}
    AtomicBatch(const AtomicBatch&) = delete;
    AtomicBatch& operator=(const AtomicBatch&) = delete;
    ~AtomicBatch(); // removes temporary files that were not committed

    void add(const QString& path, QByteArray data);
    /// Refuses unusable targets before anything is written (checkTargets), then writes all.
    Outcome commit();
    /// After a failed commit: some files could not be swapped back; the next start completes
    /// the batch.
    bool partlyApplied() const { return m_partlyApplied; }

private:
    enum class Step { None, Swapped, Created, MovedAside };
    struct Entry {
        QString path;
        QByteArray data;
        QString temporary;
        QString aside;
        Step step = Step::None;
    };
    // The phases of a commit.
    Outcome writeNewFiles();
    Outcome writeJournal(const QString& journalPath) const;
    Outcome swapAll();
    Outcome finish(const QString& journalPath, const Outcome& swapped);
    bool undo();

    const FolderLock& m_lock;
    std::vector<Entry> m_entries;
    bool m_partlyApplied = false;
};

/// At start-up, before anything is read: completes a batch that a crash cut short, then
/// removes the temporary files that saves cut short left, those of batches and those of the
/// FilesSavedAlone (only names of the form the saves give them). Does nothing while another
/// running copy holds the folder's lock: its saves are its own. The journal is input like any
/// file: only the names a batch writes are acted on, inside the folder and never through a
/// link. A journal that is not the game's own or cannot be completed is set aside, and the
/// German message says so once.
Outcome recoverUnfinishedSaves(const QString& root);

/// A file-size limit (ulimit -f) kills a process that writes past it with SIGXFSZ. Ignored,
/// the write fails with EFBIG instead, and the save reports it like a full disk.
void ignoreFileSizeSignal();

} // namespace brixolan

#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

namespace brixolan {

/// Replaces the file at `path` with `data` atomically: a crash or a full disk leaves the old
/// file or the new one, never a torn one. On failure `error` gets a German description.
bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr);

/// The image as a 24-bit Windows bitmap file.
QByteArray encodeBitmap(const QImage& image);

/// Several files replaced as one step: every new file is written and synced first, and only
/// when all of them are complete are they renamed over the old ones. A failure while writing
/// leaves every old file untouched, and so does a failing rename: the files already replaced
/// are swapped back (where the file system cannot swap, the message says that some were
/// replaced).
class AtomicBatch {
public:
    AtomicBatch() = default;
    AtomicBatch(const AtomicBatch&) = delete;
    AtomicBatch& operator=(const AtomicBatch&) = delete;
    ~AtomicBatch(); // removes temporary files that were not committed

    void add(const QString& path, QByteArray data);
    /// Writes all, then renames all. On failure `error` names the file in German.
    bool commit(QString* error = nullptr);

private:
    struct Entry {
        QString path;
        QString temporary;
        QByteArray data;
    };
    std::vector<Entry> m_entries;
};

/// Suffix of the temporary files of an unfinished save.
inline constexpr const char* TemporarySuffix = ".brx-tmp";

/// Removes temporary files of unfinished saves below `folder` (left behind by a crash).
int removeStaleTemporaries(const QString& folder);

/// A file-size limit (ulimit -f) kills a process that writes past it with SIGXFSZ. Ignored,
/// the write fails with EFBIG instead, and the save reports it like a full disk.
void ignoreFileSizeSignal();

} // namespace brixolan

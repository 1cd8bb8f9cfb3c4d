#include "AtomicWrite.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace brixolan {

namespace {

QString describe(const QString& path, const QString& reason) {
    return QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

// Writes `data` to `path` and syncs it; a failure is reported under the name of `target`,
// the file the player knows.
bool writeAndSync(const QString& path, const QString& target, const QByteArray& data,
                  QString* error) {
    // Whatever lies under the temporary name (left by a crash, or a link to another file) is
    // removed, never written through: the temporary file is always a new one.
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (error)
            *error = describe(target, file.errorString());
        return false;
    }
    if (file.write(data) != data.size() || !file.flush() || ::fsync(file.handle()) != 0) {
        if (error)
            *error = describe(target, file.errorString());
        file.close();
        QFile::remove(path);
        return false;
    }
    file.close();
    return true;
}

} // namespace

bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error) {
    AtomicBatch batch;
    batch.add(path, data);
    return batch.commit(error);
}

QByteArray encodeBitmap(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return bytes;
}

AtomicBatch::~AtomicBatch() {
    for (const Entry& entry : m_entries)
        QFile::remove(entry.temporary);
}

void AtomicBatch::add(const QString& path, QByteArray data) {
    m_entries.push_back({path, path + QLatin1String(TemporarySuffix), std::move(data)});
}

bool AtomicBatch::commit(QString* error) {
    for (const Entry& entry : m_entries) {
        if (!writeAndSync(entry.temporary, entry.path, entry.data, error))
            return false;
    }
    // Each new file is swapped with its target in one step where the file system can, so the
    // old content waits under the temporary name: a rename failing half-way through the batch
    // swaps the earlier ones back, and the batch has changed nothing.
    enum class Step { Swapped, Created, Replaced };
    std::vector<Step> done;
    for (const Entry& entry : m_entries) {
        const QByteArray from = QFile::encodeName(entry.temporary);
        const QByteArray to = QFile::encodeName(entry.path);
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) ==
            0) {
            done.push_back(Step::Swapped);
            continue;
        }
        // No target yet, or a file system that cannot swap: a plain rename(2), which still
        // replaces the target in one step.
        const int swapError = errno;
        const bool plain = swapError == ENOENT || swapError == EINVAL || swapError == ENOSYS ||
                           swapError == EOPNOTSUPP;
        if (plain && std::rename(from.constData(), to.constData()) == 0) {
            done.push_back(swapError == ENOENT ? Step::Created : Step::Replaced);
            continue;
        }
        bool restored = true;
        for (std::size_t n = done.size(); n-- > 0;) {
            const QByteArray earlier = QFile::encodeName(m_entries[n].path);
            const QByteArray old = QFile::encodeName(m_entries[n].temporary);
            if (done[n] == Step::Swapped)
                restored = ::renameat2(AT_FDCWD, old.constData(), AT_FDCWD, earlier.constData(),
                                       RENAME_EXCHANGE) == 0 &&
                           restored;
            else if (done[n] == Step::Created)
                restored = ::unlink(earlier.constData()) == 0 && restored;
            else
                restored = false;
        }
        if (error)
            *error = describe(entry.path, restored ? QStringLiteral("Umbenennen fehlgeschlagen")
                                                   : QStringLiteral("Umbenennen fehlgeschlagen; "
                                                                    "andere Dateien wurden bereits "
                                                                    "ersetzt"));
        return false;
    }
    // The swapped-out old contents.
    for (const Entry& entry : m_entries)
        QFile::remove(entry.temporary);
    // Make the renames themselves durable, once per folder.
    QStringList folders;
    for (const Entry& entry : m_entries) {
        const QString folder = QFileInfo(entry.path).absolutePath();
        if (!folders.contains(folder))
            folders << folder;
    }
    for (const QString& folder : folders) {
        if (FILE* dir = std::fopen(QFile::encodeName(folder).constData(), "r")) {
            ::fsync(fileno(dir));
            std::fclose(dir);
        }
    }
    m_entries.clear();
    return true;
}

int removeStaleTemporaries(const QString& folder) {
    int removed = 0;
    QDirIterator it(folder, {QStringLiteral("*") + QLatin1String(TemporarySuffix)}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        if (QFile::remove(it.next()))
            ++removed;
    }
    return removed;
}

void ignoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace brixolan

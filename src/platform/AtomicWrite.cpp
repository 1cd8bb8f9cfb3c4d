#include "AtomicWrite.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>
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
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
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
    for (const Entry& entry : m_entries) {
        // rename(2) replaces the target in one step; the old file stays until then.
        if (std::rename(QFile::encodeName(entry.temporary).constData(),
                        QFile::encodeName(entry.path).constData()) != 0) {
            if (error)
                *error = describe(entry.path, QStringLiteral("Umbenennen fehlgeschlagen"));
            return false;
        }
    }
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

} // namespace brixolan

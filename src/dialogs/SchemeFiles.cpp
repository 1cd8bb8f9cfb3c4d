// SPDX-License-Identifier: GPL-3.0-or-later
#include "SchemeFiles.h"

#include "AtomicWrite.h"
#include "BitmapCodec.h"
#include "ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

namespace brixolan {

namespace {
const QString NothingChanged = QStringLiteral("Das Schema wurde nicht übernommen; die "
                                              "bisherigen Grafiken bleiben unverändert.");
} // namespace

Outcome writeSchemeFiles(const ProgramFolder& folder, const std::vector<SchemeFile>& files) {
    const auto notApplied = [](const Outcome& why) {
        return Outcome::failure(why.message() + QStringLiteral("\n\n") + NothingChanged);
    };
    const Result<FolderLock> lock = FolderLock::take(
        folder.root(), files.empty() ? folder.root() : folder.path(files.front().relativePath));
    if (!lock)
        return notApplied(lock.outcome());
    AtomicBatch batch(lock.value());
    for (const SchemeFile& file : files) {
        const QString parent = QFileInfo(file.relativePath).path();
        if (parent != QLatin1String(".") && !folder.makeFolder(parent))
            return Outcome::failure(
                QStringLiteral("Der Ordner \"%1\" konnte nicht angelegt werden.\n\n%2")
                    .arg(QDir::toNativeSeparators(folder.path(parent)), NothingChanged));
        batch.add(folder.path(file.relativePath), file.bytes);
    }
    // Every target is checked before anything is written: a folder, link or FIFO in a file's
    // place is named, and nothing is moved.
    const Outcome committed = batch.commit();
    return committed || batch.partlyApplied() ? committed : notApplied(committed);
}

Result<std::vector<SchemeFile>> graphicsFiles(GraphicKind kind, std::span<const QImage> images,
                                              const QStringList& missing) {
    if (!missing.isEmpty())
        return Outcome::failure(missingSourcesMessage(missing));
    std::vector<SchemeFile> files;
    for (std::size_t index = 0; index < images.size(); ++index)
        files.push_back({QString::fromLatin1(graphicsFile(kind, int(index)).path),
                         encodeBitmap(images[index])});
    return files;
}

QString missingSourcesMessage(const QStringList& paths) {
    const QString intro = paths.size() == 1
                              ? QStringLiteral("Die Schema-Vorlage fehlt oder ist keine lesbare "
                                               "Bitmap-Datei:")
                              : QStringLiteral("Diese Schema-Vorlagen fehlen oder sind keine "
                                               "lesbaren Bitmap-Dateien:");
    return intro + QStringLiteral("\n\n") + paths.join(QLatin1Char('\n')) + QStringLiteral("\n\n") +
           NothingChanged;
}

} // namespace brixolan

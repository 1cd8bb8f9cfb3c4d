#include "SchemeFiles.h"

#include "AtomicWrite.h"
#include "ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

namespace brixolan {

namespace {
const QString NothingChanged = QStringLiteral("Das Schema wurde nicht übernommen; die "
                                              "bisherigen Grafiken bleiben unverändert.");
} // namespace

Outcome writeSchemeFiles(const ProgramFolder& folder, const std::vector<SchemeFile>& files) {
    AtomicBatch batch;
    for (const SchemeFile& file : files) {
        const QString parent = QFileInfo(file.relativePath).path();
        if (parent != QLatin1String(".") && !folder.makeFolder(parent))
            return Outcome::failure(
                QStringLiteral("Der Ordner \"%1\" konnte nicht angelegt werden.\n\n%2")
                    .arg(QDir::toNativeSeparators(folder.path(parent)), NothingChanged));
        const QString path = folder.path(file.relativePath);
        // A folder in the file's place would only fail at the renames, after earlier files
        // had already been replaced; refuse before anything is written.
        if (QFileInfo(path).isDir())
            return Outcome::failure(
                QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: an ihrer Stelle "
                               "steht ein Ordner.\n\n%2")
                    .arg(QDir::toNativeSeparators(path), NothingChanged));
        batch.add(path, file.bytes);
    }
    QString error;
    if (!batch.commit(&error))
        return Outcome::failure(error + QStringLiteral("\n\n") + NothingChanged);
    return {};
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

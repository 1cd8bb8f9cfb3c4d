// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GraphicsFiles.h"
#include "Outcome.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <span>
#include <vector>

namespace brixolan {

class ProgramFolder;

/// One file a scheme writes, relative to the program folder.
struct SchemeFile {
    QString relativePath;
    QByteArray bytes;
};

/// Replaces all files as one step under the folder's lock (AtomicBatch): a failure leaves every
/// old file as it was, a crash leaves the set for the next start to complete. Missing folders
/// are created. On failure a German message naming the file.
Outcome writeSchemeFiles(const ProgramFolder& folder, const std::vector<SchemeFile>& files);

/// The built bitmaps as the files of `kind` they replace, in order; with a source missing, the
/// message that names it instead.
Result<std::vector<SchemeFile>> graphicsFiles(GraphicKind kind, std::span<const QImage> images,
                                              const QStringList& missing);

/// The German message for scheme sources that are missing or no readable bitmaps.
QString missingSourcesMessage(const QStringList& paths);

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Outcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
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

/// The German message for scheme sources that are missing or no readable bitmaps.
QString missingSourcesMessage(const QStringList& paths);

} // namespace brixolan

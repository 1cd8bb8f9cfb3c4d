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

/// Replaces all files as one step: every new file is written first and only then are they
/// renamed over the old ones, so a failure leaves every old file as it was. Missing folders
/// are created. A failure carries the German message naming the file.
Outcome writeSchemeFiles(const ProgramFolder& folder, const std::vector<SchemeFile>& files);

/// The German message for scheme sources that are missing or no readable bitmaps.
QString missingSourcesMessage(const QStringList& paths);

} // namespace brixolan

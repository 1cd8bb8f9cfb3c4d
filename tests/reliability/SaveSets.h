// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SchemeFiles.h"
#include "ScoreFile.h"

#include <QStringList>

namespace brixolan::reliability {

/// The files one save replaces: "score.sre" alone ("score"), or the digit scheme's batch
/// across Grafiken and the program folder ("scheme").
inline QStringList filesOf(const QString& kind) {
    QStringList files;
    for (int digit = 0; digit < 10; ++digit)
        files << QStringLiteral("Grafiken/%1.bmp").arg(digit);
    return kind == QLatin1String("score") ? QStringList{QStringLiteral("score.sre")}
                                          : files << QStringLiteral("Brixolan.dat");
}

/// The entry the score save adds; it earns place 4 of the initial table.
inline const ScoreEntry NewEntry{QStringLiteral("Neu"), QStringLiteral("150000")};

/// What `file` holds before the save (generation 0) and after it (1). Before it, the last digit
/// is missing, as when the scheme dialogs repair a folder.
inline QByteArray contentOf(const QString& file, int generation) {
    if (generation == 0 && file.endsWith(QLatin1String("9.bmp")))
        return {};
    ScoreTable table = initialScoreTable();
    if (generation == 1)
        insertEntry(table, 4, NewEntry);
    return file == QLatin1String("score.sre")
               ? encodeScoreFile(table)
               : QStringLiteral("%1:%2;").arg(file).arg(generation).toUtf8().repeated(100);
}

} // namespace brixolan::reliability

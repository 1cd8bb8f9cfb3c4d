// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoreFile.h"

#include "AtomicWrite.h"
#include "ProgramFolder.h"
#include "ReadFile.h"
#include "TextCodec.h"

#include <QFileInfo>
#include <QStringList>

namespace brixolan {

namespace {
constexpr int ScoreLines = 2 * ScorePlaces;
} // namespace

ScoreFileContent parseScoreFile(const QByteArray& bytes) {
    const QStringList lines = splitCrLines(fromCp1252(bytes));
    // The classic "input past end of file": silently the initial table.
    if (lines.size() < ScoreLines)
        return IncompleteScoreFile{};
    ScoreTable table;
    for (int place = 0; place < ScorePlaces; ++place)
        table[place] = {lines.at(2 * place), lines.at(2 * place + 1)};
    return table;
}

ScoreFileContent readScoreFile(const ProgramFolder& folder) {
    const FileBytes file =
        readFile(folder.path(QLatin1String(ScoreFileName)), {read_limit::ScoreFile, ScoreLines});
    switch (file.problem) {
    case ReadProblem::None:
        break;
    case ReadProblem::Missing:
        return NoScoreFile{};
    case ReadProblem::TooLarge:
        // Megabytes without 16 line ends: as incomplete as a short file.
        return IncompleteScoreFile{};
    case ReadProblem::Denied:
        return UnreadableScoreFile{scoreError(error_number::PermissionDenied)};
    case ReadProblem::NotAFile:
        return UnreadableScoreFile{scoreError(error_number::PathFileAccess)};
    case ReadProblem::Failed:
        return UnreadableScoreFile{scoreError(error_number::DeviceIo)};
    }
    return parseScoreFile(file.bytes.value());
}

QByteArray encodeScoreFile(const ScoreTable& table) {
    const auto oneLine = [](QString text) {
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return text;
    };
    QStringList lines;
    for (const ScoreEntry& entry : table) {
        lines.append(oneLine(entry.name));
        lines.append(oneLine(entry.score));
    }
    return toCp1252(joinCrLfLines(lines));
}

namespace {

// Copies the present "score.sre" to "score.sre.bak" (replacing an older backup). Fails when
// the file cannot be read or is larger than any table (it then stays as it is).
Outcome backupScoreFile(const FolderLock& lock, const ProgramFolder& folder) {
    const FileBytes file =
        readFile(folder.path(QLatin1String(ScoreFileName)), {read_limit::ScoreFile});
    if (!file.bytes)
        return file.bytes.outcome();
    return replaceFile(lock, folder.path(QLatin1String(ScoreBackupName)), file.bytes.value());
}

// Writes the table as it stands in the file now, with `added` put in where its score ranks. A
// file that is no table, or holds a score that is no number where one must be ranked (with an
// entry, or `rankingAll` after a failed opening), is kept as the backup and the initial table
// takes its place.
Result<ScoreTable> storeScores(const ProgramFolder& folder, const std::optional<ScoreEntry>& added,
                               bool rankingAll) {
    const QString path = folder.path(QLatin1String(ScoreFileName));
    const auto notSaved = [](const Outcome& why) {
        return Outcome::failure(QStringLiteral("Die Highscore konnte nicht gespeichert werden.\n") +
                                why.message());
    };
    const Result<FolderLock> lock = FolderLock::take(folder.root(), path);
    if (!lock)
        return notSaved(lock.outcome());
    // Read only a regular file: a FIFO would block, a folder or link must not be replaced.
    if (const Outcome refused = checkTargets({path}); !refused)
        return notSaved(refused);
    const ScoreFileContent content = readScoreFile(folder);
    const ScoreValue result = added ? parseScore(added->score) : ScoreValue{};
    const ScoreTable* read = std::get_if<ScoreTable>(&content);
    ScoreTable table = read ? *read : ScoreTable{};
    if (!read || ((added || rankingAll) && rankResult(table, result.value).error)) {
        table = initialScoreTable();
        if (!std::holds_alternative<NoScoreFile>(content)) {
            const QString backup = folder.path(QLatin1String(ScoreBackupName));
            if (const Outcome refused = checkTargets({backup}); !refused)
                return notSaved(refused);
            if (const Outcome kept = backupScoreFile(lock.value(), folder); !kept)
                return Outcome::failure(QStringLiteral("Die bisherige Highscore-Datei konnte "
                                                       "nicht gesichert werden und bleibt deshalb "
                                                       "unverändert.\n") +
                                        kept.message());
        }
    }
    if (added && !result.error)
        insertEntry(table, rankResult(table, result.value).place, *added);
    if (const Outcome saved = replaceFile(lock.value(), path, encodeScoreFile(table)); !saved)
        return notSaved(saved);
    return table;
}

} // namespace

Result<ScoreTable> saveScores(const ProgramFolder& folder, const std::optional<ScoreEntry>& added) {
    return storeScores(folder, added, false);
}

Outcome replaceDamagedScores(const ProgramFolder& folder) {
    return storeScores(folder, std::nullopt, true).outcome();
}

} // namespace brixolan

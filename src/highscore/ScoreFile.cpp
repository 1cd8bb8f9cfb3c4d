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
    ScoreFileContent content;
    if (lines.size() < ScoreLines)
        return content; // the classic "input past end of file": silently the initial table
    content.status = ScoreFileStatus::Read;
    for (int place = 0; place < ScorePlaces; ++place)
        content.table[place] = {lines.at(2 * place), lines.at(2 * place + 1)};
    return content;
}

ScoreFileContent readScoreFile(const ProgramFolder& folder) {
    const FileBytes file =
        readFile(folder.path(QLatin1String(ScoreFileName)), {read_limit::ScoreFile, ScoreLines});
    ScoreFileContent failed;
    failed.status = ScoreFileStatus::Failed;
    failed.fileExists = true;
    switch (file.problem) {
    case ReadProblem::None:
        break;
    case ReadProblem::Missing:
        return {};
    case ReadProblem::TooLarge: {
        // Megabytes without 16 line ends: as incomplete as a short file.
        ScoreFileContent incomplete;
        incomplete.fileExists = true;
        return incomplete;
    }
    case ReadProblem::Denied:
        failed.error = scoreError(error_number::PermissionDenied);
        return failed;
    case ReadProblem::NotAFile:
        failed.error = scoreError(error_number::PathFileAccess);
        return failed;
    case ReadProblem::Failed:
        failed.error = scoreError(error_number::DeviceIo);
        return failed;
    }
    ScoreFileContent content = parseScoreFile(file.bytes.value());
    content.fileExists = true;
    return content;
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

bool writeScoreFile(const ProgramFolder& folder, const ScoreTable& table, QString* error) {
    return writeFileAtomically(folder.path(QLatin1String(ScoreFileName)), encodeScoreFile(table),
                               error);
}

bool backupScoreFile(const ProgramFolder& folder, QString* error) {
    const FileBytes file =
        readFile(folder.path(QLatin1String(ScoreFileName)), {read_limit::ScoreFile});
    if (!file.bytes) {
        if (error)
            *error = file.bytes.message();
        return false;
    }
    return writeFileAtomically(folder.path(QLatin1String(ScoreBackupName)), file.bytes.value(),
                               error);
}

Outcome saveScores(const ProgramFolder& folder, const std::optional<ScoreEntry>& added) {
    const ScoreFileContent content = readScoreFile(folder);
    ScoreTable table = initialScoreTable();
    bool damaged = content.fileExists;
    if (content.status == ScoreFileStatus::Read) {
        table = content.table;
        damaged = false;
    }
    if (added) {
        Ranking ranking = rankResult(table, parseScore(added->score).value);
        if (ranking.error) {
            table = initialScoreTable();
            damaged = content.fileExists;
            ranking = rankResult(table, parseScore(added->score).value);
        }
        insertEntry(table, ranking.place, *added);
    }
    QString error;
    if (damaged && !backupScoreFile(folder, &error))
        return Outcome::failure(QStringLiteral("Die bisherige Highscore-Datei konnte nicht "
                                               "gesichert werden und bleibt deshalb unverändert.\n") +
                                error);
    if (!writeScoreFile(folder, table, &error))
        return Outcome::failure(QStringLiteral("Die Highscore konnte nicht gespeichert werden; die "
                                               "bisherige Datei bleibt erhalten.\n") +
                                error);
    return {};
}

Outcome replaceDamagedScores(const ProgramFolder& folder) {
    QString error;
    if (QFileInfo::exists(folder.path(QLatin1String(ScoreFileName))) &&
        !backupScoreFile(folder, &error))
        return Outcome::failure(QStringLiteral("Die bisherige Highscore-Datei konnte nicht "
                                               "gesichert werden und bleibt deshalb unverändert.\n") +
                                error);
    if (!writeScoreFile(folder, initialScoreTable(), &error))
        return Outcome::failure(QStringLiteral("Die Highscore konnte nicht gespeichert werden; die "
                                               "bisherige Datei bleibt erhalten.\n") +
                                error);
    return {};
}

} // namespace brixolan

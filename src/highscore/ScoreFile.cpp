#include "ScoreFile.h"

#include "AtomicWrite.h"
#include "ProgramFolder.h"
#include "TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace brixolan {

namespace {
constexpr int ScoreLines = 2 * ScorePlaces;
constexpr qint64 ReadChunk = 64 * 1024;
// Far above any table (eight names of 10,000 characters are 80 KB); a damaged file of
// gigabytes without line ends is read no further, nor copied.
constexpr qint64 MaxScoreFileBytes = 4 * 1024 * 1024;
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
    const QString path = folder.path(QLatin1String(ScoreFileName));
    const QFileInfo info(path);
    if (!info.exists())
        return {};

    ScoreFileContent failed;
    failed.status = ScoreFileStatus::Failed;
    failed.fileExists = true;
    if (info.isDir()) {
        failed.error = scoreError(error_number::PathFileAccess);
        return failed;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        failed.error = scoreError(file.error() == QFileDevice::PermissionsError
                                      ? error_number::PermissionDenied
                                      : error_number::PathFileAccess);
        return failed;
    }
    QByteArray bytes;
    qsizetype lineEnds = 0;
    while (lineEnds < ScoreLines && bytes.size() < MaxScoreFileBytes) {
        const QByteArray chunk = file.read(ReadChunk);
        if (chunk.isEmpty()) {
            if (file.error() != QFileDevice::NoError) {
                failed.error = scoreError(error_number::DeviceIo);
                return failed;
            }
            break;
        }
        lineEnds += chunk.count('\r');
        bytes += chunk;
    }
    ScoreFileContent content = parseScoreFile(bytes);
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
    QFile file(folder.path(QLatin1String(ScoreFileName)));
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly) && file.size() > MaxScoreFileBytes) {
        if (error)
            *error = QStringLiteral("Die Datei \"%1\" ist mit %2 Bytes zu groß für eine "
                                    "Highscore-Datei.")
                         .arg(QDir::toNativeSeparators(file.fileName()))
                         .arg(file.size());
        return false;
    }
    if (file.isOpen())
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Die Datei \"%1\" konnte nicht gelesen werden: %2")
                         .arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
        return false;
    }
    return writeFileAtomically(folder.path(QLatin1String(ScoreBackupName)), bytes, error);
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

} // namespace brixolan

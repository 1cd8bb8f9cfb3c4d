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

namespace {

// Copies the present "score.sre" to "score.sre.bak" (replacing an older backup). Fails when
// the file cannot be read or is larger than any table (it then stays as it is).
Outcome backupScoreFile(const FolderLock& lock, const ProgramFolder& folder) {
    QFile file(folder.path(QLatin1String(ScoreFileName)));
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly) && file.size() > MaxScoreFileBytes)
        return Outcome::failure(QStringLiteral("Die Datei \"%1\" ist mit %2 Bytes zu groß für "
                                               "eine Highscore-Datei.")
                                    .arg(QDir::toNativeSeparators(file.fileName()))
                                    .arg(file.size()));
    if (file.isOpen())
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError)
        return Outcome::failure(
            QStringLiteral("Die Datei \"%1\" konnte nicht gelesen werden: %2")
                .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
    return replaceFile(lock, folder.path(QLatin1String(ScoreBackupName)), bytes);
}

} // namespace

Outcome saveScores(const ProgramFolder& folder, const std::optional<ScoreEntry>& added) {
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
    ScoreTable table = content.table;
    if (content.status != ScoreFileStatus::Read || rankResult(table, result.value).error) {
        table = initialScoreTable();
        if (content.fileExists) {
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
    return {};
}

} // namespace brixolan

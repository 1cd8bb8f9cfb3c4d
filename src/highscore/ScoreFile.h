#pragma once

#include "Outcome.h"
#include "ScoreTable.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace brixolan {

class ProgramFolder;

inline constexpr const char* ScoreFileName = "score.sre";
/// The last damaged or incomplete "score.sre" that a fresh table replaced.
inline constexpr const char* ScoreBackupName = "score.sre.bak";

/// "score.sre": 16 lines in code page 1252, name and score of places 1 to 8 in turn.
/// A line ends at CR (with an LF right after it belonging to that end); a lone LF ends no
/// line; the last line may lack its end; lines after the 16th are never read.
enum class ScoreFileStatus {
    Read,   ///< 16 lines were read into `table`
    NoFile, ///< missing, or fewer than 16 lines: the game starts from the initial table
    Failed, ///< the file could not be read; `error` says why
};

struct ScoreFileContent {
    ScoreFileStatus status = ScoreFileStatus::NoFile;
    ScoreTable table{};
    /// Something named "score.sre" exists; replacing it without a backup would lose it.
    bool fileExists = false;
    ScoreError error{};
};

/// Reads "score.sre" from `folder`. Stops reading after the 16th line end, so a huge file
/// costs no more than its first lines, and after 4 MB in any case.
ScoreFileContent readScoreFile(const ProgramFolder& folder);

/// The parser alone: the file's bytes to a table, Read or NoFile.
ScoreFileContent parseScoreFile(const QByteArray& bytes);

/// The table as file bytes: 16 lines, each ended by CR LF, in code page 1252 ('?' for
/// characters it lacks). A line break inside a name would shift every later line, so CR and
/// LF become blanks.
QByteArray encodeScoreFile(const ScoreTable& table);

/// Replaces "score.sre" atomically; the old file stays when this fails. `error` gets a German
/// description.
bool writeScoreFile(const ProgramFolder& folder, const ScoreTable& table, QString* error);

/// Copies the present "score.sre" to "score.sre.bak" (replacing an older backup). False, with
/// a German description, when the file cannot be read, is larger than 4 MB (no table is; it
/// stays as it is), or the copy cannot be written.
bool backupScoreFile(const ProgramFolder& folder, QString* error);

/// After a table that could not be read: keeps "score.sre" as "score.sre.bak" and writes the
/// initial table in its place.
Outcome replaceDamagedScores(const ProgramFolder& folder);

/// Saves the table as the highscore window closes: reads "score.sre" as it is now, puts
/// `added` in at the place its score earns there, and writes it back. A file that is no table
/// is kept as "score.sre.bak" and replaced by the initial table.
Outcome saveScores(const ProgramFolder& folder, const std::optional<ScoreEntry>& added);

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameFiles.h"
#include "Outcome.h"
#include "ScoreTable.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>

namespace brixolan {

class ProgramFolder;

/// "score.sre": 16 lines in code page 1252, name and score of places 1 to 8 in turn.
/// A line ends at CR (with an LF right after it belonging to that end); a lone LF ends no
/// line; the last line may lack its end; lines after the 16th are never read.

/// No file of that name: the game starts from the initial table, and nothing is lost when one is
/// written.
struct NoScoreFile {
    friend bool operator==(NoScoreFile, NoScoreFile) = default;
};
/// A file with fewer than 16 lines (the classic "input past end of file"): the game starts from
/// the initial table, and the file is kept as the backup before it is replaced.
struct IncompleteScoreFile {
    friend bool operator==(IncompleteScoreFile, IncompleteScoreFile) = default;
};
/// A file that could not be read, and why.
struct UnreadableScoreFile {
    ScoreError error;
    friend bool operator==(const UnreadableScoreFile&, const UnreadableScoreFile&) = default;
};
/// What reading "score.sre" found: its table, or what stands in its place.
using ScoreFileContent =
    std::variant<ScoreTable, NoScoreFile, IncompleteScoreFile, UnreadableScoreFile>;

/// Reads "score.sre" from `folder`. Stops reading after the 16th line end, so a huge file
/// costs no more than its first lines, and after 4 MB in any case (then it is incomplete).
ScoreFileContent readScoreFile(const ProgramFolder& folder);

/// The parser alone: the file's bytes to a table, or incomplete.
ScoreFileContent parseScoreFile(const QByteArray& bytes);

/// The table as file bytes: 16 lines, each ended by CR LF, in code page 1252 ('?' for
/// characters it lacks). A line break inside a name would shift every later line, so CR and
/// LF become blanks.
QByteArray encodeScoreFile(const ScoreTable& table);

/// Saves the table when the highscore window closes. Under the folder's lock, so that no other
/// running copy writes in between, "score.sre" is read anew and only `added`, the entry this
/// window took, is inserted at the place its score earns now (the best place whose stored
/// score is strictly smaller; none, and it is not inserted). Without an entry the file is
/// written anew as read. A file that is no table at that moment (fewer than 16 lines,
/// unreadable, or a score that is no number where the entry must be ranked) is first kept as
/// "score.sre.bak" and replaced by the initial table with the entry. Returns the table as
/// written, which holds what other copies saved meanwhile; on failure the German message, and
/// the old file then stays as it was.
Result<ScoreTable> saveScores(const ProgramFolder& folder, const std::optional<ScoreEntry>& added);

/// After a table that could not be read or ranked at opening: a file that is still no table, or
/// holds a score that is no number, is kept as "score.sre.bak" and the initial table takes its
/// place. One that reads well now (the failure passed: too many open files, say) stays.
Outcome replaceDamagedScores(const ProgramFolder& folder);

} // namespace brixolan

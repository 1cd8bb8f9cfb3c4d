// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace brixolan {

inline constexpr int ScorePlaces = 8;

/// One place of the table, both fields exactly as shown and stored (the score is text).
struct ScoreEntry {
    QString name;
    QString score;

    friend bool operator==(const ScoreEntry&, const ScoreEntry&) = default;
};

/// Places 1 to 8, best first: element 0 is place 1.
using ScoreTable = std::array<ScoreEntry, ScorePlaces>;

/// The table a new installation starts with: eight "NoBody" from 200000 down to 40000.
ScoreTable initialScoreTable();

/// A failure with the classic run-time error number and its German description.
struct ScoreError {
    int number = 0;
    QString description;

    friend bool operator==(const ScoreError&, const ScoreError&) = default;
};

namespace error_number {
inline constexpr int Overflow = 6;
inline constexpr int TypeMismatch = 13;
inline constexpr int DeviceIo = 57;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccess = 75;
} // namespace error_number

/// The error `number` with its German description.
ScoreError scoreError(int number);

/// Reads a stored score as a signed 32-bit integer: optional blanks, an optional sign, decimal
/// digits, optional blanks. Anything else is a type mismatch (13); digits beyond the 32-bit
/// range are an overflow (6).
struct ScoreValue {
    std::int32_t value = 0;
    std::optional<ScoreError> error;
};
ScoreValue parseScore(const QString& text);

/// The place a result reaches: the best place whose stored score is strictly smaller, so a
/// result equal to a stored score ranks below it; 0 when it beats none. No result (no game has
/// ended yet) counts as 0. Conversion errors are reported in the order the classic loop met
/// them: place 8 first, each stored score before the result.
struct Ranking {
    int place = 0;
    std::optional<ScoreError> error;
};
Ranking rankResult(const ScoreTable& table, std::optional<std::int64_t> result);

/// Puts an entry at `place` (1 to 8); the places below move down and the old place 8 drops out.
void insertEntry(ScoreTable& table, int place, const ScoreEntry& entry);

/// A result entered into the table: the place it reached (0: none), the entry made there (none
/// when the player gave no name), or the error that stopped the ranking.
struct Entering {
    int place = 0;
    std::optional<ScoreEntry> entry;
    std::optional<ScoreError> error;
};
/// Ranks `result`; where it reaches a place, asks for the name and, when one is given, puts it
/// there with the result.
Entering enterResult(ScoreTable& table, std::int64_t result,
                     const std::function<QString(int place)>& askName);

} // namespace brixolan

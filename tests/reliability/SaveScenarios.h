#pragma once

#include "ProgramFolder.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <optional>

namespace brixolan::reliability {

/// The saves the game makes, each through the same call the game uses.
enum class SaveKind {
    Score,      ///< "score.sre" as the highscore window writes it
    Settings,   ///< "Brixolan.dat" alone, as the defaults are written
    Bitmaps,    ///< all seventeen bitmaps under Grafiken in one batch
    FontScheme, ///< the ten digits and "Brixolan.dat" in one batch, as the font scheme does
};
inline constexpr SaveKind AllKinds[] = {SaveKind::Score, SaveKind::Settings, SaveKind::Bitmaps,
                                        SaveKind::FontScheme};

const char* kindName(SaveKind kind);
std::optional<SaveKind> kindFromName(const QString& name);

/// Every file any save writes, relative to the program folder.
QStringList allSavedFiles();
/// The files one save of `kind` replaces.
QStringList filesOf(SaveKind kind);

/// The bytes that generation `generation` puts into `relative`. Every generation differs from
/// the next in every file, so a file can be traced to the save that wrote it, and a torn or
/// mixed file matches none.
QByteArray contentOf(const QString& relative, std::int64_t generation);

/// Saves generation `generation` of `kind`; false with the German message on failure.
bool save(SaveKind kind, const ProgramFolder& folder, std::int64_t generation, QString* error);

/// Writes generation `generation` of every file directly (the state before a test).
void writeAll(const QString& root, std::int64_t generation);

/// The generation each file holds, by matching its bytes against `candidates`; no value for a
/// file that is missing or matches none (torn).
std::map<QString, std::optional<std::int64_t>>
identify(const QString& root, const std::map<QString, std::vector<std::int64_t>>& candidates);

/// Temporary files of unfinished saves below `root`.
QStringList temporariesBelow(const QString& root);

} // namespace brixolan::reliability

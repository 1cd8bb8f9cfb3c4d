// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ProgramFolder.h"

#include <QString>
#include <optional>

namespace brixolan {

/// Where the installed, read-only data lies relative to the executable's folder.
inline constexpr const char* InstalledDataPath = "../share/games/brixolan";

/// Chooses the folder this run keeps its files in. Run from the build tree (the executable's
/// folder holds `scr`), that is the executable's folder. Installed system-wide, it is the
/// player's own `<dataHome>/brixolan`, filled from the installed data with whatever it lacks
/// (the player's scores, settings and bitmaps are never overwritten; only regular files are
/// copied). No value, with a German `error`, when `dataHome` is empty or that folder cannot be
/// made.
std::optional<ProgramFolder> prepareProgramFolder(const QString& executableFolder,
                                                  const QString& dataHome,
                                                  QString* error = nullptr);

/// $XDG_DATA_HOME, or ~/.local/share when it is unset or not absolute; without HOME the home
/// folder comes from the password database. Empty when the user has no home folder at all.
QString xdgDataHome();

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Outcome.h"
#include "ProgramFolder.h"

#include <QString>

namespace brixolan {

/// Where the installed, read-only data lies relative to the executable's folder.
inline constexpr const char* InstalledDataPath = "../share/games/brixolan";
/// Where the installed score-code library lies relative to the executable's folder.
inline constexpr const char* InstalledLibraryPath = "../lib/games/brixolan";

/// Chooses the folder this run keeps its files in. Run from the build tree (the executable's
/// folder holds `scr`), that is the executable's folder. Installed system-wide, it is the
/// player's own `<dataHome>/brixolan`, filled from the installed data with whatever it lacks,
/// and its library folder the installed one. Each copy is saved as every file of the game is,
/// so a full disk leaves no torn copy, and a copy that is missing or not the size of the
/// installed file is copied again at the next start; the player's scores, settings and scheme
/// bitmaps are never overwritten (a scheme bitmap only when it is torn), and only regular files
/// are copied. The German message when `dataHome` is empty or that folder cannot be made or
/// filled.
Result<ProgramFolder> prepareProgramFolder(const QString& executableFolder,
                                           const QString& dataHome);

/// The same for this run: the running executable's folder and xdgDataHome(). The German message
/// naming the folder when either name is empty or not valid UTF-8.
Result<ProgramFolder> prepareProgramFolder();

/// $XDG_DATA_HOME, or ~/.local/share when it is unset or not absolute; without HOME the home
/// folder comes from the password database. An empty name when the user has no home folder at
/// all (a run from the build tree needs none); the message saying which and why when the
/// folder's name is not absolute or not valid UTF-8.
Result<QString> xdgDataHome();

} // namespace brixolan

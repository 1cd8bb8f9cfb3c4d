// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace brixolan {

/// The files the game keeps in its folder besides the bitmaps; names are matched there without
/// regard to case.
inline constexpr const char* ScoreFileName = "score.sre";
/// The last damaged or incomplete "score.sre" that a fresh table replaced.
inline constexpr const char* ScoreBackupName = "score.sre.bak";
inline constexpr const char* SettingsFileName = "Brixolan.dat";

/// The files saved one at a time (the bitmaps are saved in batches).
inline constexpr std::array<const char*, 3> FilesSavedAlone = {ScoreFileName, ScoreBackupName,
                                                               SettingsFileName};

} // namespace brixolan

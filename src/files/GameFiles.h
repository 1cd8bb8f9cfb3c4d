// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace brixolan {

/// The files the game keeps in its folder besides the bitmaps; names are matched there without
/// regard to case.
inline constexpr const char* ScoreFileName = "score.sre";
/// The last damaged or incomplete "score.sre" that a fresh table replaced.
inline constexpr const char* ScoreBackupName = "score.sre.bak";
inline constexpr const char* SettingsFileName = "Brixolan.dat";

} // namespace brixolan

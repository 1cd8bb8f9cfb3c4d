// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

/// The object names tests find windows and controls by, each written once: the windows and menu
/// items carry short designer names that say little on their own.
namespace brixolan::object_name {

inline constexpr const char* NewGameWindow = "Form1";
inline constexpr const char* HighscoreWindow = "Form2";
inline constexpr const char* AboutWindow = "Form3";
inline constexpr const char* StoneSchemeWindow = "Form6";
inline constexpr const char* DigitSchemeWindow = "Form5";

/// "Schnellstart"; "Spiel starten", which reads "Spiel abbrechen" while a game runs; "Optionen".
inline constexpr const char* QuickStartItem = "ss";
inline constexpr const char* NewGameItem = "fgsfg";
inline constexpr const char* OptionsMenu = "zrtz";
inline constexpr const char* StoneSchemeItem = "vv";
inline constexpr const char* GameTimer = "Timer1";

} // namespace brixolan::object_name

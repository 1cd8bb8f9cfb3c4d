// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Colors.h"
#include "GameFiles.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace brixolan {

class ProgramFolder;

/// The two digit sets, numbered as the settings file stores them and as the list shows them.
enum class DigitSet { Old = 0, New = 1 };

/// The digit scheme as "Brixolan.dat" records it.
struct DigitSettings {
    QString version = QStringLiteral("VERSION 1.55");
    DigitSet digitSet = DigitSet::New;
    BgrColor colour = named::Red;
};

/// The file's bytes: the version line, then each number between a blank (or its minus sign)
/// and a blank, every line ending in CR LF.
QByteArray encodeSettings(const DigitSettings& settings);

/// Reads the three fields in order as free-format fields. No value when a field is missing,
/// the set is not 0 or 1, or the colour lies outside 0..16777215. The version is kept as read.
std::optional<DigitSettings> parseSettings(const QByteArray& bytes);

/// The settings as the file holds them. A missing, short or invalid file is replaced by the
/// defaults, which are returned; no message is shown.
DigitSettings readSettingsOrDefaults(const ProgramFolder& folder);

} // namespace brixolan

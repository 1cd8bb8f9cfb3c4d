// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Colors.h"
#include "DigitSettings.h"
#include "GraphicsFiles.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <array>

namespace brixolan {

class ProgramFolder;

/// How a stone scheme finds the colour it replaces.
enum class KeyRule {
    None,   ///< the standard set: one source per stone, nothing replaced
    Fixed,  ///< the colour given in the table
    Centre, ///< the colour at (12, 12) of the loaded source
};

struct StoneScheme {
    const char* entry; ///< list entry, UTF-8
    int source;        ///< StoneSources[source - 1] for all seven stones; 0 for one each
    KeyRule rule;
    BgrColor key;
};

/// The eight stone schemes in list order; the list index is the scheme number.
inline constexpr std::array<StoneScheme, 8> StoneSchemes = {{
    {"Standard Stein Typ", 0, KeyRule::None, 0},
    {"Erster Zusatztyp", 1, KeyRule::Fixed, named::Green},
    {"Zweiter Zusatztyp", 2, KeyRule::Fixed, named::Red},
    {"Dritter Zusatztyp", 3, KeyRule::Fixed, named::Blue},
    {"Vierter Zusatztyp", 4, KeyRule::Fixed, named::Red},
    {"F\xc3\xbcnfter Zusatztyp", 5, KeyRule::Fixed, named::Cyan},
    {"Sechster Zusatztyp", 6, KeyRule::Fixed, named::Magenta},
    {"Siebter Zusatztyp", 7, KeyRule::Centre, 0},
}};

/// The colour that stone file A + k takes in a recoloured scheme.
inline constexpr std::array<BgrColor, KindCount> StoneColours = {
    named::Red,  named::Blue,    named::Green, named::Yellow,
    named::Cyan, named::Magenta, named::Orange};

/// New bitmaps built from the scheme sources. A source that is missing or unreadable leaves
/// a null image and is listed (full path) in `missing`.
template <std::size_t N> struct SchemeImages {
    std::array<QImage, N> images;
    QStringList missing;
};

/// The seven stone tiles of scheme `scheme` (0..7), each the source with its key colour
/// replaced by its own colour outside column 0 and row 0.
SchemeImages<KindCount> buildStoneScheme(const ProgramFolder& folder, int scheme);

/// The ten digits of `set` with every pure red pixel in `colour`.
SchemeImages<DigitCount> buildDigitScheme(const ProgramFolder& folder, DigitSet set,
                                          BgrColor colour);

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace brixolan {

/// A cell as (row, column); also used for (Δrow, Δcolumn) offsets.
struct Cell {
    std::int32_t row = 0;
    std::int32_t column = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

using StoneCells = std::array<Cell, 4>;

inline constexpr int KindCount = 7;

/// One entry of the stone catalogue, indexed by kind 0..6.
struct StoneKind {
    /// Stone code: the value written into the well and the tile picture's number.
    std::int32_t code;
    /// Cells 0..3 where the stone enters the well; the order decides which offsets each turns by.
    StoneCells entry;
    /// Preview cells on the 2 x 4 preview surface, in drawing order.
    StoneCells preview;
};

/// The catalogue of the seven stones.
inline constexpr std::array<StoneKind, KindCount> StoneKinds{{
    {2, {{{0, 5}, {0, 6}, {1, 5}, {1, 6}}}, {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}}},
    {13, {{{0, 4}, {0, 5}, {0, 6}, {0, 7}}}, {{{0, 0}, {0, 1}, {0, 2}, {0, 3}}}},
    {1, {{{0, 4}, {0, 5}, {0, 6}, {1, 4}}}, {{{0, 0}, {0, 1}, {0, 2}, {1, 0}}}},
    {14, {{{0, 4}, {0, 5}, {0, 6}, {1, 6}}}, {{{0, 0}, {0, 1}, {0, 2}, {1, 2}}}},
    {15, {{{0, 4}, {0, 5}, {0, 6}, {1, 5}}}, {{{1, 1}, {0, 0}, {0, 1}, {0, 2}}}},
    {16, {{{0, 5}, {0, 6}, {1, 4}, {1, 5}}}, {{{0, 1}, {1, 0}, {0, 2}, {1, 1}}}},
    {17, {{{0, 4}, {0, 5}, {1, 5}, {1, 6}}}, {{{0, 0}, {1, 1}, {0, 1}, {1, 2}}}},
}};

/// True for the seven stone codes 1, 2, 13..17.
bool isStoneCode(std::int32_t code);

/// Offsets that turn each cell of a stone with `code` from rotation `drehung` (0..3) to the
/// next one. Unknown codes, like the square, do not move.
const StoneCells& turnOffsets(std::int32_t code, std::int32_t drehung);

/// Tile letter of a stone code ('A' for 1 ... 'G' for 17), '?' for any other code.
char tileLetter(std::int32_t code);
/// Stone code of a tile letter, 0 for any other character.
std::int32_t codeOfLetter(char letter);

} // namespace brixolan

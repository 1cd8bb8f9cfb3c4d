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
/// Offsets that turn each cell of a stone from rotation 0..3 to the next one.
using TurnTable = std::array<StoneCells, 4>;

inline constexpr int KindCount = 7;

/// One entry of the stone catalogue, indexed by kind 0..6 (the kind the generator draws).
struct StoneKind {
    /// Tile letter: the well's text shows it, and the stone's bitmap is "Stein<letter>.bmp".
    char letter;
    /// Stone code: the value written into the well and the bitmap's element in the store.
    std::int32_t code;
    /// Cells 0..3 where the stone enters the well; the order decides which offsets each turns by.
    StoneCells entry;
    /// Preview cells on the 2 x 4 preview surface, in drawing order.
    StoneCells preview;
    TurnTable turns;
};

namespace turns {

// Bar, S and Z shapes flip between two rotations, so their rows 2 and 3 repeat rows 0 and 1.
inline constexpr StoneCells Still{{{0, 0}, {0, 0}, {0, 0}, {0, 0}}};
inline constexpr StoneCells BarA{{{1, 1}, {0, 0}, {-1, -1}, {-2, -2}}};
inline constexpr StoneCells BarB{{{-1, -1}, {0, 0}, {1, 1}, {2, 2}}};
// The S turns about its cell 0, all others about cell 1.
inline constexpr StoneCells EssA{{{0, 0}, {-1, -1}, {0, 2}, {-1, 1}}};
inline constexpr StoneCells EssB{{{0, 0}, {1, 1}, {0, -2}, {1, -1}}};
inline constexpr StoneCells ZedA{{{1, 1}, {0, 0}, {-1, 1}, {-2, 0}}};
inline constexpr StoneCells ZedB{{{-1, -1}, {0, 0}, {1, -1}, {2, 0}}};

inline constexpr TurnTable Square{Still, Still, Still, Still};
inline constexpr TurnTable Bar{BarA, BarB, BarA, BarB};
inline constexpr TurnTable Ess{EssA, EssB, EssA, EssB};
inline constexpr TurnTable Zed{ZedA, ZedB, ZedA, ZedB};
inline constexpr TurnTable LeftHook{{
    {{{1, 1}, {0, 0}, {-1, -1}, {0, 2}}},
    {{{-1, -1}, {0, 0}, {1, 1}, {-2, 0}}},
    {{{-1, 1}, {0, 0}, {1, -1}, {0, -2}}},
    {{{1, -1}, {0, 0}, {-1, 1}, {2, 0}}},
}};
inline constexpr TurnTable RightHook{{
    {{{-1, 1}, {0, 0}, {1, -1}, {-2, 0}}},
    {{{1, -1}, {0, 0}, {-1, 1}, {0, -2}}},
    {{{-1, 1}, {0, 0}, {1, -1}, {2, 0}}},
    {{{1, -1}, {0, 0}, {-1, 1}, {0, 2}}},
}};
inline constexpr TurnTable Tee{{
    {{{1, 1}, {0, 0}, {-1, -1}, {-1, -1}}},
    {{{-1, 1}, {0, 0}, {1, -1}, {-1, 1}}},
    {{{1, -1}, {0, 0}, {-1, 1}, {1, 1}}},
    {{{-1, -1}, {0, 0}, {1, 1}, {1, -1}}},
}};

} // namespace turns

/// The catalogue of the seven stones: everything else about a stone is read from here.
// clang-format off
inline constexpr std::array<StoneKind, KindCount> StoneKinds{{
    {'B', 2,  {{{0, 5}, {0, 6}, {1, 5}, {1, 6}}}, {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}}, turns::Square},
    {'C', 13, {{{0, 4}, {0, 5}, {0, 6}, {0, 7}}}, {{{0, 0}, {0, 1}, {0, 2}, {0, 3}}}, turns::Bar},
    {'A', 1,  {{{0, 4}, {0, 5}, {0, 6}, {1, 4}}}, {{{0, 0}, {0, 1}, {0, 2}, {1, 0}}}, turns::LeftHook},
    {'D', 14, {{{0, 4}, {0, 5}, {0, 6}, {1, 6}}}, {{{0, 0}, {0, 1}, {0, 2}, {1, 2}}}, turns::RightHook},
    {'E', 15, {{{0, 4}, {0, 5}, {0, 6}, {1, 5}}}, {{{1, 1}, {0, 0}, {0, 1}, {0, 2}}}, turns::Tee},
    {'F', 16, {{{0, 5}, {0, 6}, {1, 4}, {1, 5}}}, {{{0, 1}, {1, 0}, {0, 2}, {1, 1}}}, turns::Ess},
    {'G', 17, {{{0, 4}, {0, 5}, {1, 5}, {1, 6}}}, {{{0, 0}, {1, 1}, {0, 1}, {1, 2}}}, turns::Zed},
}};
// clang-format on

/// The stone with `code`, or nullptr for any other code.
constexpr const StoneKind* stoneOfCode(std::int32_t code) {
    for (const StoneKind& stone : StoneKinds)
        if (stone.code == code)
            return &stone;
    return nullptr;
}

// The look-ups by letter and code return values, not pointers into the table: they are used in
// constant expressions, which a sanitizer build cannot evaluate through such a pointer.

/// Tile letter of a stone code ('A' for 1 ... 'G' for 17), '?' for any other code.
constexpr char tileLetter(std::int32_t code) {
    for (const StoneKind& stone : StoneKinds)
        if (stone.code == code)
            return stone.letter;
    return '?';
}

/// Stone code of a tile letter, 0 for any other character.
constexpr std::int32_t codeOfLetter(char letter) {
    for (const StoneKind& stone : StoneKinds)
        if (stone.letter == letter)
            return stone.code;
    return 0;
}

/// The stone code of the n-th tile letter (0 for 'A'), 0 past the last.
constexpr std::int32_t codeOfLetterIndex(int n) {
    return n >= 0 && n < KindCount ? codeOfLetter(static_cast<char>('A' + n)) : 0;
}

/// Offsets that turn each cell of a stone with `code` from rotation `drehung` (0..3) to the
/// next one. Unknown codes, like the square, do not move.
constexpr const StoneCells& turnOffsets(std::int32_t code, std::int32_t drehung) {
    const StoneKind* stone = stoneOfCode(code);
    return stone ? stone->turns[static_cast<std::size_t>(drehung & 3)] : turns::Still;
}

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Stones.h"

namespace brixolan {

namespace {

// Turn offsets per rotation 0..3 before the turn. Bar, S and Z shapes flip between two
// rotations, so their rows 2 and 3 repeat rows 0 and 1.
using TurnTable = std::array<StoneCells, 4>;

constexpr StoneCells Still{{{0, 0}, {0, 0}, {0, 0}, {0, 0}}};

constexpr StoneCells BarA{{{1, 1}, {0, 0}, {-1, -1}, {-2, -2}}};
constexpr StoneCells BarB{{{-1, -1}, {0, 0}, {1, 1}, {2, 2}}};
constexpr TurnTable Bar{BarA, BarB, BarA, BarB};

constexpr TurnTable LeftHook{{
    {{{1, 1}, {0, 0}, {-1, -1}, {0, 2}}},
    {{{-1, -1}, {0, 0}, {1, 1}, {-2, 0}}},
    {{{-1, 1}, {0, 0}, {1, -1}, {0, -2}}},
    {{{1, -1}, {0, 0}, {-1, 1}, {2, 0}}},
}};

constexpr TurnTable RightHook{{
    {{{-1, 1}, {0, 0}, {1, -1}, {-2, 0}}},
    {{{1, -1}, {0, 0}, {-1, 1}, {0, -2}}},
    {{{-1, 1}, {0, 0}, {1, -1}, {2, 0}}},
    {{{1, -1}, {0, 0}, {-1, 1}, {0, 2}}},
}};

constexpr TurnTable Tee{{
    {{{1, 1}, {0, 0}, {-1, -1}, {-1, -1}}},
    {{{-1, 1}, {0, 0}, {1, -1}, {-1, 1}}},
    {{{1, -1}, {0, 0}, {-1, 1}, {1, 1}}},
    {{{-1, -1}, {0, 0}, {1, 1}, {1, -1}}},
}};

// Code 16 turns about cell 0, all others about cell 1.
constexpr StoneCells EssA{{{0, 0}, {-1, -1}, {0, 2}, {-1, 1}}};
constexpr StoneCells EssB{{{0, 0}, {1, 1}, {0, -2}, {1, -1}}};
constexpr TurnTable Ess{EssA, EssB, EssA, EssB};

constexpr StoneCells ZedA{{{1, 1}, {0, 0}, {-1, 1}, {-2, 0}}};
constexpr StoneCells ZedB{{{-1, -1}, {0, 0}, {1, -1}, {2, 0}}};
constexpr TurnTable Zed{ZedA, ZedB, ZedA, ZedB};

} // namespace

bool isStoneCode(std::int32_t code) {
    return code == 1 || code == 2 || (code >= 13 && code <= 17);
}

const StoneCells& turnOffsets(std::int32_t code, std::int32_t drehung) {
    const auto rotation = static_cast<std::size_t>(drehung & 3);
    switch (code) {
    case 13:
        return Bar[rotation];
    case 1:
        return LeftHook[rotation];
    case 14:
        return RightHook[rotation];
    case 15:
        return Tee[rotation];
    case 16:
        return Ess[rotation];
    case 17:
        return Zed[rotation];
    default:
        return Still;
    }
}

char tileLetter(std::int32_t code) {
    switch (code) {
    case 1:
        return 'A';
    case 2:
        return 'B';
    case 13:
    case 14:
    case 15:
    case 16:
    case 17:
        return static_cast<char>('C' + (code - 13));
    default:
        return '?';
    }
}

std::int32_t codeOfLetter(char letter) {
    switch (letter) {
    case 'A':
        return 1;
    case 'B':
        return 2;
    case 'C':
    case 'D':
    case 'E':
    case 'F':
    case 'G':
        return 13 + (letter - 'C');
    default:
        return 0;
    }
}

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Game.h"

namespace brixolan {

std::string wellText(const Well& well) {
    std::string text;
    text.reserve(WellRows * (WellColumns + 1));
    for (const auto& row : well) {
        for (const std::int32_t code : row) {
            text += code == 0 ? '.' : tileLetter(code);
        }
        text += '\n';
    }
    return text;
}

std::string Game::wellText(bool withStone) const {
    std::string text = brixolan::wellText(m_state.Spielfeld);
    if (withStone && stoneInPlay()) {
        for (std::size_t k = 0; k < 4; ++k) {
            const std::int32_t row = m_state.SteinY[k];
            const std::int32_t column = m_state.SteinX[k];
            if (row >= 0 && row < WellRows && column >= 0 && column < WellColumns) {
                text[static_cast<std::size_t>(row * (WellColumns + 1) + column)] = '*';
            }
        }
    }
    return text;
}

bool Game::loadWell(std::string_view text) {
    constexpr std::size_t RowLength = WellColumns + 1;
    if (text.size() != WellRows * RowLength) {
        return false;
    }
    Well well{};
    for (std::size_t row = 0; row < WellRows; ++row) {
        const std::string_view line = text.substr(row * RowLength, RowLength);
        if (line.back() != '\n') {
            return false;
        }
        for (std::size_t column = 0; column < WellColumns; ++column) {
            const char letter = line[column];
            const std::int32_t code = codeOfLetter(letter);
            if (code == 0 && letter != '.' && letter != '*') {
                return false;
            }
            well[row][column] = code;
        }
    }
    m_state.Spielfeld = well;
    return true;
}

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Game.h"

namespace brixolan {

std::string Game::wellText(bool withStone) const {
    std::string text;
    text.reserve(WellRows * (WellColumns + 1));
    for (const auto& row : m_state.Spielfeld) {
        for (const std::int32_t code : row) {
            text += code == 0 ? '.' : tileLetter(code);
        }
        text += '\n';
    }
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

} // namespace brixolan

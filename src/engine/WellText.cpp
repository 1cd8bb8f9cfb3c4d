#include "Game.h"

#include <stdexcept>

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

void Game::setWellText(const std::string& text) {
    decltype(m_state.Spielfeld) well{};
    std::size_t pos = 0;
    for (auto& row : well) {
        const std::size_t end = text.find('\n', pos);
        const std::size_t length = (end == std::string::npos ? text.size() : end) - pos;
        if (length != WellColumns) {
            throw std::invalid_argument("a well row has 10 cells");
        }
        for (std::size_t c = 0; c < WellColumns; ++c) {
            const char letter = text[pos + c];
            const std::int32_t code = codeOfLetter(letter);
            if (code == 0 && letter != '.' && letter != '*') {
                throw std::invalid_argument(std::string("unknown cell '") + letter + "'");
            }
            row[c] = code;
        }
        pos = end == std::string::npos ? text.size() : end + 1;
    }
    if (pos < text.size()) {
        throw std::invalid_argument("a well has 20 rows");
    }
    m_state.Spielfeld = well;
}

} // namespace brixolan

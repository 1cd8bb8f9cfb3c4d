// SPDX-License-Identifier: GPL-3.0-or-later
#include "Game.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace brixolan {

namespace {

constexpr std::int32_t TopLevel = 19;
constexpr std::int32_t MaxStartHigh = WellRows / 2;

// Scores start from whatever the dialog handed over, so sums saturate instead of wrapping.
std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        return b > 0 ? std::numeric_limits<std::int64_t>::max()
                     : std::numeric_limits<std::int64_t>::min();
    }
    return sum;
}

std::int32_t saturatingAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(std::int64_t{a} + b, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

// Base points for one to four full rows; more than four rows score as four.
std::int64_t rowBaseValue(std::int32_t rows) {
    switch (rows) {
    case 0:
        return 0;
    case 1:
        return 120;
    case 2:
        return 300;
    case 3:
        return 700;
    default:
        return 2000;
    }
}

bool insideWell(std::int32_t row, std::int32_t column) {
    return row >= 0 && row < WellRows && column >= 0 && column < WellColumns;
}

} // namespace

Game::Game(GameView& view, Random& random, Clock& clock)
    : m_view(view), m_random(random), m_clock(clock) {}

std::int32_t Game::cell(std::int32_t row, std::int32_t column) const {
    return m_state.Spielfeld[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void Game::writeCell(std::int32_t row, std::int32_t column, std::int32_t code) {
    if (insideWell(row, column)) {
        m_state.Spielfeld[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = code;
    }
}

std::int32_t Game::fallThreshold() const {
    return static_cast<std::int32_t>(std::llabs(std::int64_t{m_state.Level} - 20) / 2);
}

void Game::keyDown(int keyCode) {
    if (keyCode >= 0 && keyCode < KeyCount) {
        m_state.Tasten[static_cast<std::size_t>(keyCode)] = 1;
    }
}

void Game::keyUp(int keyCode) {
    if (keyCode >= 0 && keyCode < KeyCount) {
        m_state.Tasten[static_cast<std::size_t>(keyCode)] = 0;
    }
}

bool Game::scriptNextKinds(std::string digits) {
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '6'; })) {
        return false;
    }
    m_scriptedKinds = std::move(digits);
    m_nextScripted = 0;
    return true;
}

bool Game::setNextKind(int kind) {
    if (kind < 0 || kind >= KindCount) {
        return false;
    }
    m_state.SteinFolge[0] = kind;
    return true;
}

std::int32_t Game::chooseNextKind() {
    m_random.reseed(m_clock.secondsSinceMidnight());
    if (m_nextScripted < m_scriptedKinds.size()) {
        return m_scriptedKinds[m_nextScripted++] - '0';
    }
    const auto kind = static_cast<std::int32_t>(m_random.next() * KindCount);
    return std::clamp(kind, 0, KindCount - 1);
}

// ---- The tick -------------------------------------------------------------------------------

void Game::tick() {
    GameState& s = m_state;
    if (!s.Running) {
        return;
    }
    s.i = saturatingAdd(s.i, 1);
    s.DrehDelay = saturatingAdd(s.DrehDelay, 1);

    // Until the first stone of a game has entered, the stone in SteinY/SteinX is the one left
    // from the last game: moving it would score it and might write it into the fresh well.
    const bool stoneMoves = s.FirstStoneEntered;
    // A stone the hard drop wrote into the well is not written again. The rest of the tick runs
    // on it all the same: a turn, side moves, and the fall step's points and its reset of i.
    bool written = false;

    if (s.DrehDelay > 2) {
        if (++s.DropDelay > 30) {
            s.DropDelay = 15;
        }
        if (s.DrehDelay > 30) {
            s.DrehDelay = 15;
        }
        if (stoneMoves && s.DropDelay > 10 && key(keys::Space)) {
            s.DropDelay = 0;
            hardDrop();
            written = true;
        }
        if (stoneMoves && (key(keys::Ctrl) || key(keys::Up)) && tryTurn()) {
            s.DrehDelay = 0;
        }
    }

    if (stoneMoves) {
        if (key(keys::Right)) {
            sideMove(+1);
        }
        if (key(keys::Left)) {
            sideMove(-1);
        }
        // "At or above": a hard drop onto the stack keeps i, so it may already be past a
        // threshold lowered by a level advance. A threshold of 0 never lets the stone fall.
        const std::int32_t threshold = fallThreshold();
        if ((threshold > 0 && s.i >= threshold) || key(keys::Down)) {
            fallStep(written);
        }
    }

    clearFullRows();
    if (s.NeuerStein) {
        handOver();
    }
    // The well is judged before it is drawn: a game that ends shows "Game Over" instead.
    if (entryAreaOccupied()) {
        gameOver();
        return;
    }
    m_view.showWell(picture());
}

void Game::landingTest() {
    GameState& s = m_state;
    for (std::size_t k = 0; k < 4; ++k) {
        const std::int32_t row = s.SteinY[k];
        if (row == WellRows - 1) {
            s.NeuerStein = true;
            s.Gelandet = true;
        }
        // Cells in the two top rows are not tested, so a stone always sinks out of its entry
        // rows; below the floor counts as occupied.
        if (row >= 2) {
            const std::int32_t below = row + 1;
            if (!insideWell(below, s.SteinX[k]) || cell(below, s.SteinX[k]) > 0) {
                s.Gelandet = true;
                s.NeuerStein = true;
            }
        }
    }
}

void Game::fallStep(bool written) {
    GameState& s = m_state;
    landingTest();
    for (std::size_t k = 0; k < 4; ++k) {
        if (s.Gelandet && !written) {
            writeCell(s.SteinY[k], s.SteinX[k], s.SteinTyp);
        }
        ++s.SteinY[k];
        if (key(keys::Down)) {
            s.SteinPunkte = saturatingAdd(s.SteinPunkte, std::int64_t{1});
        }
    }
    s.i = 0;
}

void Game::hardDrop() {
    GameState& s = m_state;
    // Ends at the latest when a cell reaches the bottom row.
    for (;;) {
        s.SteinPunkte = saturatingAdd(s.SteinPunkte, std::int64_t{10});
        landingTest();
        for (std::size_t k = 0; k < 4; ++k) {
            if (s.Gelandet) {
                writeCell(s.SteinY[k], s.SteinX[k], s.SteinTyp);
                if (k == 3) {
                    return;
                }
            }
            ++s.SteinY[k];
        }
        s.i = 0;
    }
}

bool Game::tryTurn() {
    GameState& s = m_state;
    const StoneCells& offsets = turnOffsets(s.SteinTyp, s.Drehung);
    std::array<std::int32_t, 4> neuY{};
    std::array<std::int32_t, 4> neuX{};
    for (std::size_t k = 0; k < 4; ++k) {
        neuY[k] = s.SteinY[k] + offsets[k].row;
        neuX[k] = s.SteinX[k] + offsets[k].column;
        if (!insideWell(neuY[k], neuX[k]) || cell(neuY[k], neuX[k]) != 0) {
            return false;
        }
    }
    s.SteinY = neuY;
    s.SteinX = neuX;
    if (++s.Drehung >= 4) {
        s.Drehung = 0;
    }
    return true;
}

void Game::sideMove(std::int32_t direction) {
    GameState& s = m_state;
    for (std::size_t k = 0; k < 4; ++k) {
        const std::int32_t column = s.SteinX[k] + direction;
        if (!insideWell(s.SteinY[k], column) || cell(s.SteinY[k], column) > 0) {
            return;
        }
    }
    for (auto& column : s.SteinX) {
        column += direction;
    }
}

void Game::clearFullRows() {
    GameState& s = m_state;
    std::int32_t count = 0;
    // Top row first: removing a row moves only the rows above it, so the rows below are still
    // to be looked at where they were. Only pre-filled rows can give more than four.
    for (std::size_t row = 0; row < WellRows; ++row) {
        const auto& cells = s.Spielfeld[row];
        if (!std::all_of(cells.begin(), cells.end(), [](std::int32_t code) { return code > 0; })) {
            continue;
        }
        ++count;
        for (std::size_t r = row; r >= 1; --r) {
            s.Spielfeld[r] = s.Spielfeld[r - 1];
        }
        s.Spielfeld[0].fill(0);
    }
    if (count == 0) {
        return;
    }
    s.Lines = saturatingAdd(s.Lines, count);
    s.SteinPunkte = saturatingAdd(s.SteinPunkte, (std::int64_t{s.Level} + 1) * rowBaseValue(count));
}

void Game::handOver() {
    GameState& s = m_state;
    s.Punkte = saturatingAdd(s.Punkte, s.SteinPunkte);
    s.SteinPunkte = 0;
    m_view.showNumber(Display::Points, s.Punkte);
    m_view.showNumber(Display::Lines, s.Lines);
    // The lines of the whole game against the level: at most one level per hand-over.
    if (std::int64_t{s.Lines} >= std::int64_t{s.Level} * 10 + 10) {
        if (s.Level < TopLevel) {
            ++s.Level;
        }
        m_view.showNumber(Display::Level, s.Level);
    }
    s.Gelandet = false;

    s.SteinFolge[1] = s.SteinFolge[0];
    s.SteinFolge[0] = chooseNextKind();
    m_view.showPreview(s.SteinFolge[0]);

    s.Drehung = 0;
    const auto kind = static_cast<std::size_t>(std::clamp(s.SteinFolge[1], 0, KindCount - 1));
    const StoneKind& stone = StoneKinds[kind];
    for (std::size_t k = 0; k < 4; ++k) {
        s.SteinY[k] = stone.entry[k].row;
        s.SteinX[k] = stone.entry[k].column;
    }
    s.SteinTyp = stone.code;
    s.NeuerStein = false;
    s.FirstStoneEntered = true;
}

bool Game::entryAreaOccupied() const {
    // Every stone enters in rows 0 and 1, columns 4 to 7; only resting cells count.
    for (std::size_t r = 0; r < 2; ++r) {
        for (std::size_t c = 4; c <= 7; ++c) {
            if (m_state.Spielfeld[r][c] > 0) {
                return true;
            }
        }
    }
    return false;
}

Well Game::picture() const {
    Well picture = m_state.Spielfeld;
    if (stoneInPlay()) {
        for (std::size_t k = 0; k < 4; ++k) {
            if (insideWell(m_state.SteinY[k], m_state.SteinX[k])) {
                picture[static_cast<std::size_t>(m_state.SteinY[k])]
                       [static_cast<std::size_t>(m_state.SteinX[k])] = m_state.SteinTyp;
            }
        }
    }
    return picture;
}

void Game::showZeros() {
    for (const Display display : {Display::Lines, Display::Points, Display::Level, Display::High}) {
        m_view.showNumber(display, 0);
    }
}

void Game::gameOver() {
    GameState& s = m_state;
    m_view.showText("Game Over");
    showZeros();
    m_view.showPreview(std::nullopt);
    s.Running = false;
    s.PunkteInList = s.Punkte;
    s.GameOver = true;
    s.Punkte = 0;
    s.SteinPunkte = 0;
    s.Lines = 0;
    s.Tasten.fill(0);
    m_view.gameOver();
}

// ---- Game control ---------------------------------------------------------------------------

void Game::acceptNewGame(std::int32_t level, std::int32_t high, std::int64_t points) {
    GameState& s = m_state;
    // The dialog offers levels 0..9 and heights 0..6; anything else is kept inside what the
    // rules and the well can hold.
    s.Level = std::clamp(level, 0, TopLevel);
    s.DefaultLevel = s.Level;
    s.High = std::clamp(high, 0, MaxStartHigh);
    s.Points = std::max<std::int64_t>(points, 0);
    s.i = 0;
    s.Spiel = true;
    s.StartPending = true;
}

void Game::cancelNewGame() {
    m_state.Spiel = false;
    m_state.StartPending = false;
}

void Game::activate() {
    m_random.reseed(m_clock.secondsSinceMidnight());
    if (m_state.StartPending) {
        m_state.StartPending = false;
        startGame();
    }
}

void Game::startGame() {
    GameState& s = m_state;
    m_view.showWell(Well{});
    m_view.showNumber(Display::Level, s.Level);
    m_view.showNumber(Display::Lines, 0);
    m_view.showNumber(Display::High, s.High);
    s.Punkte = s.Points;
    // A new game owes nothing to an aborted or restarted one: its lines display shows zero,
    // and points of an abandoned stone belong to no game.
    s.Lines = 0;
    s.SteinPunkte = 0;

    for (auto& row : s.Spielfeld) {
        row.fill(0);
    }
    for (std::int32_t row = WellRows - 1; row >= WellRows - 2 * s.High; --row) {
        for (std::int32_t column = 0; column < WellColumns; ++column) {
            if (static_cast<int>(m_random.next() * 2) == 1) {
                // The stones of the tiles A to F, never G.
                const auto letter = static_cast<std::int32_t>(m_random.next() * 6);
                writeCell(row, column, codeOfLetterIndex(letter));
            }
        }
    }

    s.NeuerStein = true;
    s.Gelandet = false;
    s.FirstStoneEntered = false;
    s.GameOver = false;
    s.Running = true;
    s.Tasten.fill(0);
}

void Game::quickStart() {
    GameState& s = m_state;
    s.Spiel = true;
    s.StartPending = true;
    s.Points = std::int64_t{s.High} * PointsPerStartHeight;
    s.Level = s.DefaultLevel;
    s.i = 0;
    activate();
}

void Game::abort() {
    GameState& s = m_state;
    if (!s.Running) {
        return;
    }
    showZeros();
    s.Lines = 0;
    s.Spiel = false;
    m_view.showPreview(std::nullopt);
    s.SteinFolge[0] = chooseNextKind();
    m_view.showText("Kein Spiel");
    s.Running = false;
}

std::optional<Game::Offer> Game::takeOffer() {
    // The result belongs to the game's end; a look at the table meanwhile must not take it.
    if (!m_state.Spiel || m_state.Running) {
        return std::nullopt;
    }
    m_state.Spiel = false;
    return Offer{m_state.PunkteInList};
}

} // namespace brixolan

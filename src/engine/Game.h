// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Clock.h"
#include "GameView.h"
#include "Random.h"
#include "Stones.h"
#include "Well.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brixolan {

inline constexpr int KeyCount = 256;

/// The classic virtual-key codes of the keys the game acts on.
namespace keys {
inline constexpr int Space = 32; ///< hard drop
inline constexpr int Ctrl = 17;  ///< turn, like Up
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
} // namespace keys
/// Each pair of pre-filled rows is worth this many start points.
inline constexpr std::int64_t PointsPerStartHeight = 1500;

/// All state of the game; names follow the game's own vocabulary.
struct GameState {
    // The well: 0 empty, otherwise the stone code resting there.
    Well Spielfeld{};

    // The falling stone: row and column of its four cells, in catalogue order.
    std::array<std::int32_t, 4> SteinY{};
    std::array<std::int32_t, 4> SteinX{};
    std::int32_t SteinTyp = 0;
    std::int32_t Drehung = 0;

    // (0) the next kind shown in the preview, (1) the kind now entering.
    std::array<std::int32_t, 2> SteinFolge{};

    bool NeuerStein = false;
    bool Gelandet = false;
    /// False from a game start until the tick whose hand-over brings in its first stone.
    bool FirstStoneEntered = false;

    /// The fall counter: ticks since the stone last fell a row.
    std::int32_t i = 0;
    std::int32_t DrehDelay = 0;
    std::int32_t DropDelay = 0;

    /// The score of the running game.
    std::int64_t Punkte = 0;
    /// Points of the falling stone and the rows it cleared, added to the score at hand-over.
    std::int64_t SteinPunkte = 0;
    std::int32_t Lines = 0;

    // Start values, set by the new-game dialog and the quick start.
    std::int32_t Level = 0;
    std::int32_t DefaultLevel = 0;
    /// The start points a game begins its score with (not the score: that is Punkte).
    std::int64_t Points = 0;
    /// The start height: pairs of pre-filled rows at the bottom of the well.
    std::int32_t High = 0;
    /// Score of the last game that ended; no value until the first game over.
    std::optional<std::int64_t> PunkteInList;

    /// A game is wanted, and its result has not been offered to the highscore table yet.
    bool Spiel = false;
    /// "Starten" or the quick start asked for a game that the next activation starts; no
    /// other activation touches a game.
    bool StartPending = false;
    /// A game runs: the 50 ms timer ticks.
    bool Running = false;
    /// The last game ended by game over; cleared when the next game starts.
    bool GameOver = false;

    std::array<std::uint8_t, KeyCount> Tasten{};
};

/// The game rules. One call of tick() is one 50 ms step; nothing here reads a clock.
class Game {
public:
    Game(GameView& view, Random& random, Clock& clock);

    /// One timer tick. Does nothing while no game runs.
    void tick();

    /// Key events with the classic virtual-key codes; codes outside 0..255 are ignored.
    void keyDown(int keyCode);
    void keyUp(int keyCode);

    /// The new-game dialog's "Starten": hands over the start values and asks for a game.
    /// Values beyond what the game can hold are clamped: level 0..19, height 0..10 (20 rows),
    /// points from 0.
    void acceptNewGame(std::int32_t level, std::int32_t high, std::int64_t points);
    /// The new-game dialog's "Abbrechen".
    void cancelNewGame();

    /// Activation of the main window: re-seeds, and starts the game that "Starten" or the quick
    /// start asked for. A running game goes on: closing a window never restarts it. A new game
    /// starts with 0 lines and no stone points.
    void activate();
    /// Quick start with the values of the last dialog start.
    void quickStart();
    /// Ends a running game without a result.
    void abort();

    bool running() const { return m_state.Running; }

    /// What the highscore table offers for entry when it opens: the result of a game that has
    /// ended since the last offer, nothing while a game runs (the table opened from the menu
    /// only shows). Taking it lowers the request. `score` is the last finished game's, none
    /// before the first game over.
    struct Offer {
        std::optional<std::int64_t> score;
    };
    std::optional<Offer> takeOffer();

    /// Replays and tests: the next next-stone choices take these kinds ('0'..'6') in turn
    /// instead of drawing; once they are used up the generator draws again. False, and nothing
    /// changed, for any other character.
    bool scriptNextKinds(std::string digits);

    /// The fall threshold of the current level.
    std::int32_t fallThreshold() const;

    /// Replays, tools and tests: the next stone is of `kind` (0..6); false, and nothing
    /// changed, for any other value.
    bool setNextKind(int kind);
    /// Replays, tools and tests: the resting cells from text as `wellText(false)` writes it
    /// (a '*' reads as empty). False, and nothing changed, for text of any other shape.
    bool loadWell(std::string_view text);

    const GameState& state() const { return m_state; }

    /// The well with the falling stone, as the player sees it.
    Well picture() const;
    /// The well as 20 lines of 10 characters: '.' empty, the tile letter of a code, and,
    /// when `withStone`, '*' for the falling stone's cells.
    std::string wellText(bool withStone = true) const;

private:
    bool key(int code) const { return m_state.Tasten[static_cast<std::size_t>(code)] != 0; }
    bool stoneInPlay() const { return m_state.Running && m_state.FirstStoneEntered; }
    std::int32_t cell(std::int32_t row, std::int32_t column) const;
    void writeCell(std::int32_t row, std::int32_t column, std::int32_t code);

    void landingTest();
    /// Rests the stone (writes it into the well, unless a hard drop already did) or moves it
    /// down a row.
    void fallStep(bool written);
    void hardDrop();
    bool tryTurn();
    void sideMove(std::int32_t direction);
    void clearFullRows();
    void handOver();
    bool entryAreaOccupied() const;
    void gameOver();
    void showZeros();

    std::int32_t chooseNextKind();
    void startGame();

    GameState m_state;
    GameView& m_view;
    Random& m_random;
    Clock& m_clock;
    std::string m_scriptedKinds;
    std::size_t m_nextScripted = 0;
};

} // namespace brixolan

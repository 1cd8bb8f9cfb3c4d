#pragma once

#include "GameView.h"
#include "Random.h"

#include <array>
#include <cstdint>
#include <string>

namespace brixolan {

inline constexpr int WellRows = 20;
inline constexpr int WellColumns = 10;
inline constexpr int KeyCount = 256;

inline constexpr const char* StartCaption = "Spiel starten";
inline constexpr const char* AbortCaption = "Spiel abbrechen";

/// All state of the game; names follow the game's own vocabulary.
struct GameState {
    // The well: 0 empty, otherwise the stone code resting there.
    std::array<std::array<std::int32_t, WellColumns>, WellRows> Spielfeld{};

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

    std::int32_t i = 0;
    std::int32_t DrehDelay = 0;
    std::int32_t DropDelay = 0;

    std::int64_t Punkte = 0;
    std::int64_t SteinPunkte = 0;
    std::int32_t Lines = 0;

    // Values other windows set or read.
    std::int32_t Level = 0;
    std::int32_t DefaultLevel = 0;
    std::int64_t Points = 0;
    std::int32_t High = 0;
    /// Score of the last game that ended; empty (no value) until the first game over.
    std::int64_t PunkteInList = 0;
    bool HasPunkteInList = false;

    /// The new-game dialog's flag: a game is wanted / its result has not been offered yet.
    bool Spiel = false;

    // Menu and timer as the rules left them.
    std::string StartItemCaption = StartCaption;
    bool QuickStartEnabled = true;
    bool OptionsEnabled = true;
    bool TimerRunning = false;

    std::array<std::uint8_t, KeyCount> Tasten{};
};

/// The game rules. One call of tick() is one 50 ms step; nothing here reads a clock.
class Game {
public:
    Game(GameView& view, Random& random, Clock& clock);

    /// One timer tick. Does nothing while the timer is off.
    void tick();

    /// Key events with the classic virtual-key codes; codes outside 0..255 are ignored.
    void keyDown(int keyCode);
    void keyUp(int keyCode);

    /// The new-game dialog's "Starten": hands over the start values and raises `Spiel`.
    void acceptNewGame(std::int32_t level, std::int32_t high, std::int64_t points);
    /// The new-game dialog's "Abbrechen".
    void cancelNewGame();

    /// Activation of the main window: re-seeds, and starts a game while `Spiel` is set.
    void activate();
    /// Quick start with the values of the last dialog start.
    void quickStart();
    /// The start/abort menu item: opens the new-game dialog, or aborts a running game.
    void startItemClicked();

    /// Overrides the next `count` next-stone choices (replays and tests); -1 entries draw.
    void scriptNextKinds(std::string digits);

    /// The fall threshold of the current level.
    std::int32_t fallThreshold() const;
    /// True while a game runs and its first stone is in the well.
    bool stoneInPlay() const;

    GameState& state() { return m_state; }
    const GameState& state() const { return m_state; }

    /// The well as 20 lines of 10 characters: '.' empty, the tile letter of a code, and,
    /// when `withStone` and a stone is in play, '*' for the falling stone's cells.
    std::string wellText(bool withStone = true) const;
    /// Builds a well from wellText() output ('*' is ignored); for tests and replays.
    void setWellText(const std::string& text);

private:
    GameState m_state;
    GameView& m_view;
    Random& m_random;
    Clock& m_clock;
    std::string m_scriptedKinds;
};

/// Tile letter of a stone code ('A' for 1 ... 'G' for 17), '?' for any other code.
char tileLetter(std::int32_t code);
/// Stone code of a tile letter, 0 for any other character.
std::int32_t codeOfLetter(char letter);

} // namespace brixolan

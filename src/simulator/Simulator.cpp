// SPDX-License-Identifier: GPL-3.0-or-later
#include "Simulator.h"

#include "Game.h"
#include "MixingRandom.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <istream>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string_view>

namespace brixolan {

namespace {

constexpr const char* Usage =
    R"(usage: brixolan-sim [--level N] [--high N] [--points N] [--kinds DIGITS] [--seed N]

Starts a game as the new-game dialog's "Starten" would (level 0..19, height 0..6, points
default height x 1500), then reads commands from standard input, one a line:
  down CODE | up CODE     key event with a key code (32 space, 17 Ctrl, 37..40 arrows)
  tick [N]                N timer ticks (default 1)
  cell ROW COL CODE       sets a well cell to 0 or a stone code (1 2 13 14 15 16 17)
  row ROW CELLS           sets a well row from 10 characters: '.' or a tile letter A..G
  abort                   the menu's abort, while a game runs
  quickstart | activate   quick start; the main window's activation
  starten LEVEL HIGH POINTS   the new-game dialog's "Starten" (activate starts the game)
  new [OPTIONS]           a fresh program with these options, as at launch
  print [FROM TO]         the well (row 0 first, '*' the falling stone) and the counters;
                          with FROM TO only those rows
  show                    what the displays show: points, level, lines, high, preview, text
Blank lines and lines beginning with '#' are skipped. --kinds 1240 fixes the kinds of the
coming stones; --seed seeds the generator. The time of day is fixed at midnight, so runs
repeat. A game over takes its result to the highscore list at once.
)";

// The simulator has no windows. It keeps what the displays would show, and stands in for the
// highscore window, which takes the result and lowers the request for a game as it opens.
class SimulatorView final : public NullGameView {
public:
    void attach(Game& game) { m_game = &game; }

    void showText(std::string_view text) override { m_text = text; }
    void showWell(const Well&) override { m_text.clear(); }
    void showNumber(Display display, std::int64_t value) override {
        m_numbers[static_cast<std::size_t>(display)] = value;
    }
    void showPreview(std::optional<int> kind) override { m_preview = kind; }
    void gameOver() override {
        if (m_game != nullptr) {
            (void)m_game->takeOffer();
        }
    }

    void print(std::ostream& out) const {
        constexpr std::array<int, 4> Cells = {9, 2, 3, 1};
        constexpr std::array<const char*, 4> Names = {"points", "level", "lines", "high"};
        for (std::size_t n = 0; n < Cells.size(); ++n) {
            std::string digits = std::to_string(m_numbers[n]);
            if (digits.size() < static_cast<std::size_t>(Cells[n])) {
                digits.insert(0, Cells[n] - digits.size(), '0');
            }
            out << Names[n] << '=' << digits.substr(0, static_cast<std::size_t>(Cells[n])) << ' ';
        }
        out << "preview=";
        if (m_preview) {
            out << *m_preview;
        }
        out << " text=" << m_text << '\n';
    }

private:
    Game* m_game = nullptr;
    std::array<std::int64_t, 4> m_numbers{};
    std::optional<int> m_preview;
    std::string m_text = "Kein Spiel";
};

class MidnightClock final : public Clock {
public:
    std::int32_t secondsSinceMidnight() const override { return 0; }
};

template <typename T> std::optional<T> parseNumber(const std::string& text, T low, T high) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

struct Options {
    std::int32_t level = 0;
    std::int32_t high = 0;
    std::optional<std::int64_t> points;
    std::string kinds;
    std::uint64_t seed = 1;
    bool help = false;
};

// Returns an error text, or nothing when all arguments were understood.
std::optional<std::string> parseOptions(const std::vector<std::string>& args, Options& options) {
    for (std::size_t n = 0; n < args.size(); ++n) {
        std::string name = args[n];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        std::string value;
        if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        } else if (n + 1 < args.size()) {
            value = args[++n];
        } else {
            return "missing value for " + name;
        }
        bool ok = true;
        if (name == "--level") {
            const auto level = parseNumber<std::int32_t>(value, 0, 19);
            ok = level.has_value();
            options.level = level.value_or(0);
        } else if (name == "--high") {
            const auto high = parseNumber<std::int32_t>(value, 0, 6);
            ok = high.has_value();
            options.high = high.value_or(0);
        } else if (name == "--points") {
            options.points =
                parseNumber<std::int64_t>(value, 0, std::numeric_limits<std::int64_t>::max());
            ok = options.points.has_value();
        } else if (name == "--kinds") {
            ok = !value.empty() && value.find_first_not_of("0123456") == std::string::npos;
            options.kinds = value;
        } else if (name == "--seed") {
            const auto seed =
                parseNumber<std::uint64_t>(value, 0, std::numeric_limits<std::uint64_t>::max());
            ok = seed.has_value();
            options.seed = seed.value_or(0);
        } else {
            return "unknown option " + name;
        }
        if (!ok) {
            return "bad value for " + name + ": " + value;
        }
    }
    return std::nullopt;
}

void printState(const Game& game, std::size_t firstRow, std::size_t lastRow, std::ostream& out) {
    const GameState& s = game.state();
    const std::string well = game.wellText();
    constexpr std::size_t RowLength = WellColumns + 1;
    out << well.substr(firstRow * RowLength, (lastRow - firstRow + 1) * RowLength)
        << "Punkte=" << s.Punkte << " SteinPunkte=" << s.SteinPunkte << " Lines=" << s.Lines
        << " Level=" << s.Level << " Next=" << s.SteinFolge[0] << " Drehung=" << s.Drehung
        << " i=" << s.i << " DrehDelay=" << s.DrehDelay << " DropDelay=" << s.DropDelay
        << " GameOver=" << (s.GameOver ? 1 : 0) << " PunkteInList=";
    if (s.PunkteInList) {
        out << *s.PunkteInList;
    }
    out << '\n';
}

/// One program run: the view, the generator and the game, started from its options.
class Session {
public:
    explicit Session(const Options& options)
        : m_random(options.seed), m_game(m_view, m_random, m_clock) {
        m_view.attach(m_game);
        if (!options.kinds.empty()) {
            m_game.state().SteinFolge[0] = options.kinds.front() - '0';
            (void)m_game.scriptNextKinds(options.kinds.substr(1)); // checked with the options
        }
        m_game.acceptNewGame(options.level, options.high,
                             options.points.value_or(options.high * PointsPerStartHeight));
        m_game.activate();
    }
    Game& game() { return m_game; }
    const SimulatorView& view() const { return m_view; }

private:
    SimulatorView m_view;
    MixingRandom m_random;
    MidnightClock m_clock;
    Game m_game;
};

std::optional<std::int32_t> wellRow(const std::string& text) {
    return parseNumber<std::int32_t>(text, 0, WellRows - 1);
}

// Runs one command line; false when it cannot be read.
bool runCommand(std::unique_ptr<Session>& session, const std::vector<std::string>& w,
                std::ostream& out) {
    Game& game = session->game();
    const std::string& command = w.front();
    const std::size_t arguments = w.size() - 1;

    if (command == "new") {
        Options options;
        if (parseOptions({w.begin() + 1, w.end()}, options) || options.help) {
            return false;
        }
        session = std::make_unique<Session>(options);
        return true;
    }
    if ((command == "down" || command == "up") && arguments == 1) {
        const auto code = parseNumber<std::int64_t>(w[1], std::numeric_limits<std::int64_t>::min(),
                                                    std::numeric_limits<std::int64_t>::max());
        if (!code) {
            return false;
        }
        // Codes outside the key table are read but change nothing.
        if (*code >= 0 && *code < KeyCount) {
            if (command == "down") {
                game.keyDown(static_cast<int>(*code));
            } else {
                game.keyUp(static_cast<int>(*code));
            }
        }
        return true;
    }
    if (command == "tick" && arguments <= 1) {
        const auto count =
            arguments == 0
                ? std::optional<std::uint64_t>(1)
                : parseNumber<std::uint64_t>(w[1], 0, std::numeric_limits<std::uint64_t>::max());
        if (!count) {
            return false;
        }
        for (std::uint64_t n = 0; n < *count && game.running(); ++n) {
            game.tick();
        }
        return true;
    }
    if (command == "cell" && arguments == 3) {
        const auto row = wellRow(w[1]);
        const auto column = parseNumber<std::int32_t>(w[2], 0, WellColumns - 1);
        const auto code = parseNumber<std::int32_t>(w[3], 0, 17);
        if (!row || !column || !code || (*code != 0 && !isStoneCode(*code))) {
            return false;
        }
        game.state().Spielfeld[static_cast<std::size_t>(*row)][static_cast<std::size_t>(*column)] =
            *code;
        return true;
    }
    if (command == "row" && arguments == 2) {
        const auto row = wellRow(w[1]);
        if (!row || w[2].size() != WellColumns) {
            return false;
        }
        auto& cells = game.state().Spielfeld[static_cast<std::size_t>(*row)];
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const std::int32_t code = codeOfLetter(w[2][c]);
            if (code == 0 && w[2][c] != '.') {
                return false;
            }
            cells[c] = code;
        }
        return true;
    }
    if (command == "starten" && arguments == 3) {
        const auto level = parseNumber<std::int32_t>(w[1], std::numeric_limits<std::int32_t>::min(),
                                                     std::numeric_limits<std::int32_t>::max());
        const auto high = parseNumber<std::int32_t>(w[2], std::numeric_limits<std::int32_t>::min(),
                                                    std::numeric_limits<std::int32_t>::max());
        const auto points =
            parseNumber<std::int64_t>(w[3], std::numeric_limits<std::int64_t>::min(),
                                      std::numeric_limits<std::int64_t>::max());
        if (!level || !high || !points) {
            return false;
        }
        game.acceptNewGame(*level, *high, *points);
        return true;
    }
    if (command == "print" && arguments == 2) {
        const auto first = wellRow(w[1]);
        const auto last = wellRow(w[2]);
        if (!first || !last || *first > *last) {
            return false;
        }
        printState(game, static_cast<std::size_t>(*first), static_cast<std::size_t>(*last), out);
        return true;
    }
    if (arguments != 0) {
        return false;
    }
    if (command == "abort") {
        game.abort();
    } else if (command == "quickstart") {
        game.quickStart();
    } else if (command == "activate") {
        game.activate();
    } else if (command == "print") {
        printState(game, 0, WellRows - 1, out);
    } else if (command == "show") {
        session->view().print(out);
    } else {
        return false;
    }
    return true;
}

} // namespace

int runSimulator(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err) {
    Options options;
    if (const auto error = parseOptions(args, options)) {
        err << "brixolan-sim: " << *error << "\n" << Usage;
        return 2;
    }
    if (options.help) {
        out << Usage;
        return 0;
    }

    auto session = std::make_unique<Session>(options);
    std::string line;
    for (long lineNumber = 1; std::getline(in, line); ++lineNumber) {
        std::istringstream stream(line);
        std::vector<std::string> words;
        for (std::string word; stream >> word;) {
            words.push_back(word);
        }
        // A line of white space of any kind is as empty as an empty one.
        if (words.empty() || words.front().front() == '#') {
            continue;
        }
        if (!runCommand(session, words, out)) {
            out.flush();
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            err << "brixolan-sim: line " << lineNumber << ": cannot read: " << line << '\n';
            return 2;
        }
    }
    out.flush();
    return 0;
}

} // namespace brixolan

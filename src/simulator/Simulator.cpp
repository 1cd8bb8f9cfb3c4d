#include "Simulator.h"

#include "NullGameView.h"

#include "Game.h"
#include "MixingRandom.h"

#include <charconv>
#include <cstdint>
#include <istream>
#include <limits>
#include <optional>
#include <ostream>
#include <sstream>

namespace brixolan {

namespace {

constexpr const char* Usage =
    R"(usage: brixolan-sim [--level N] [--high N] [--points N] [--kinds DIGITS] [--seed N]

Starts a game as the new-game dialog's "Starten" would (level 0..19, height 0..6, points
default height x 1500), then reads commands from standard input, one a line:
  down CODE | up CODE     key event with a key code (32 space, 17 Ctrl, 37..40 arrows)
  tick [N]                N timer ticks (default 1)
  cell ROW COL CODE       sets a well cell to 0 or a stone code (1 2 13 14 15 16 17)
  abort                   the menu's abort, while a game runs
  quickstart | activate   quick start; the main window's activation
  print                   the well (row 0 first, '*' the falling stone) and the counters
Blank lines and lines beginning with '#' are skipped. --kinds 1240 fixes the kinds of the
coming stones; --seed seeds the generator. The time of day is fixed at midnight, so runs
repeat. A game over takes its result to the highscore list at once.
)";

// The simulator has no windows; only the highscore window's effect on the game matters: it
// takes the result and lowers the dialog's flag as it opens.
class SimulatorView final : public NullGameView {
public:
    void attach(Game& game) { m_game = &game; }

    void showHighscoreWindow() override {
        if (m_game != nullptr) {
            m_game->state().Spiel = false;
        }
    }

private:
    Game* m_game = nullptr;
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

void printState(const Game& game, std::ostream& out) {
    const GameState& s = game.state();
    out << game.wellText() << "Punkte=" << s.Punkte << " SteinPunkte=" << s.SteinPunkte
        << " Lines=" << s.Lines << " Level=" << s.Level << " Next=" << s.SteinFolge[0]
        << " Drehung=" << s.Drehung << " i=" << s.i << " DrehDelay=" << s.DrehDelay
        << " DropDelay=" << s.DropDelay << " GameOver=" << (s.GameOver ? 1 : 0) << " PunkteInList=";
    if (s.HasPunkteInList) {
        out << s.PunkteInList;
    }
    out << '\n';
}

// Runs one command line; false when it cannot be read.
bool runCommand(Game& game, const std::string& line, std::ostream& out) {
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) {
        w.push_back(word);
    }
    const std::string& command = w.front();
    const std::size_t arguments = w.size() - 1;

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
        for (std::uint64_t n = 0; n < *count && game.state().TimerRunning; ++n) {
            game.tick();
        }
        return true;
    }
    if (command == "cell" && arguments == 3) {
        const auto row = parseNumber<std::int32_t>(w[1], 0, WellRows - 1);
        const auto column = parseNumber<std::int32_t>(w[2], 0, WellColumns - 1);
        const auto code = parseNumber<std::int32_t>(w[3], 0, 17);
        if (!row || !column || !code || (*code != 0 && !isStoneCode(*code))) {
            return false;
        }
        game.state().Spielfeld[static_cast<std::size_t>(*row)][static_cast<std::size_t>(*column)] =
            *code;
        return true;
    }
    if (arguments != 0) {
        return false;
    }
    if (command == "abort") {
        // The menu item aborts only while it reads "Spiel abbrechen".
        if (game.state().StartItemCaption != StartCaption) {
            game.startItemClicked();
        }
    } else if (command == "quickstart") {
        game.quickStart();
    } else if (command == "activate") {
        game.activate();
    } else if (command == "print") {
        printState(game, out);
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

    SimulatorView view;
    MixingRandom random(options.seed);
    MidnightClock clock;
    Game game(view, random, clock);
    view.attach(game);

    if (!options.kinds.empty()) {
        game.state().SteinFolge[0] = options.kinds.front() - '0';
        game.scriptNextKinds(options.kinds.substr(1));
    }
    game.acceptNewGame(options.level, options.high,
                       options.points.value_or(std::int64_t{options.high} * 1500));
    game.activate();

    std::string line;
    for (long lineNumber = 1; std::getline(in, line); ++lineNumber) {
        // White space as the command reader splits words at it: a line of it has no command.
        const auto first = line.find_first_not_of(" \t\r\n\v\f");
        if (first == std::string::npos || line[first] == '#') {
            continue;
        }
        if (!runCommand(game, line, out)) {
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

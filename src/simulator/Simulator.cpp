// SPDX-License-Identifier: GPL-3.0-or-later
#include "Simulator.h"

#include "Game.h"
#include "MixingRandom.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <istream>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>

namespace brixolan {

namespace {

/// The usage text; the key and stone codes it lists are read from the game's own tables.
std::string usage() {
    std::string codes = "0";
    for (int n = 0; n < KindCount; ++n)
        codes += ' ' + std::to_string(codeOfLetterIndex(n));
    const std::string keyCodes =
        std::to_string(keys::Space) + " space, " + std::to_string(keys::Ctrl) + " Ctrl, " +
        std::to_string(keys::Left) + ".." + std::to_string(keys::Down) + " arrows";
    return R"(usage: brixolan-sim [--level N] [--high N] [--points N] [--kinds DIGITS] [--seed N]

Starts a game as the new-game dialog's "Starten" would (level 0..19, height 0..6, points
default height x )" +
           std::to_string(PointsPerStartHeight) +
           R"(), then reads commands from standard input, one a line:
  down CODE | up CODE     key event with a key code ()" +
           keyCodes + R"()
  tick [N]                N timer ticks (default 1)
  cell ROW COL CODE       sets a well cell to a code ()" +
           codes + R"()
  row ROW CELLS           sets a well row from 10 characters: '.' or a tile letter A..G
  abort                   the menu's abort, while a game runs
  quickstart | activate   quick start; the main window's activation
  starten LEVEL HIGH POINTS   the new-game dialog's "Starten" (activate starts the game)
  new [OPTIONS]           a fresh program with these options, as at launch
  fill N                  fills the bottom N rows with stone cells
  print [FROM TO] [NAME ...]  rows FROM to TO of the well (row 0 first, '*' the falling
                          stone), then the named counters (Punkte SteinPunkte Lines Level
                          Next Drehung i DrehDelay DropDelay GameOver PunkteInList);
                          without any argument the whole well and every counter
  show                    what the displays show: points, level, lines, high, preview, text
Blank lines and lines beginning with '#' are skipped; ';' separates commands on a line.
--kinds 1240 fixes the kinds of the coming stones; --seed seeds the generator. The time of day is fixed at midnight, so runs
repeat. A game over takes its result to the highscore list at once.
)";
}

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
        constexpr std::array<const char*, 4> Names = {"points", "level", "lines", "high"};
        for (std::size_t n = 0; n < Names.size(); ++n) {
            const auto cells = static_cast<std::size_t>(DisplayDigits[n]);
            std::string digits = std::to_string(m_numbers[n]);
            if (digits.size() < cells) {
                digits.insert(0, cells - digits.size(), '0');
            }
            out << Names[n] << '=' << digits.substr(0, cells) << ' ';
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

// The counters a script may print, by the names of the game's state, in the order of "print".
struct Counter {
    std::string_view name;
    std::string (*text)(const GameState&);
};
constexpr std::array<Counter, 11> Counters = {{
    {"Punkte", [](const GameState& s) { return std::to_string(s.Punkte); }},
    {"SteinPunkte", [](const GameState& s) { return std::to_string(s.SteinPunkte); }},
    {"Lines", [](const GameState& s) { return std::to_string(s.Lines); }},
    {"Level", [](const GameState& s) { return std::to_string(s.Level); }},
    {"Next", [](const GameState& s) { return std::to_string(s.SteinFolge[0]); }},
    {"Drehung", [](const GameState& s) { return std::to_string(s.Drehung); }},
    {"i", [](const GameState& s) { return std::to_string(s.i); }},
    {"DrehDelay", [](const GameState& s) { return std::to_string(s.DrehDelay); }},
    {"DropDelay", [](const GameState& s) { return std::to_string(s.DropDelay); }},
    {"GameOver", [](const GameState& s) { return std::string(s.GameOver ? "1" : "0"); }},
    {"PunkteInList",
     [](const GameState& s) { return s.PunkteInList ? std::to_string(*s.PunkteInList) : ""; }},
}};

const Counter* findCounter(std::string_view name) {
    const auto found =
        std::find_if(Counters.begin(), Counters.end(),
                     [name](const Counter& counter) { return counter.name == name; });
    return found == Counters.end() ? nullptr : &*found;
}

void printState(const Game& game, std::size_t firstRow, std::size_t lastRow,
                const std::vector<const Counter*>& counters, std::ostream& out) {
    constexpr std::size_t RowLength = WellColumns + 1;
    if (firstRow <= lastRow) {
        out << game.wellText().substr(firstRow * RowLength, (lastRow - firstRow + 1) * RowLength);
    }
    for (std::size_t n = 0; n < counters.size(); ++n) {
        out << (n == 0 ? "" : " ") << counters[n]->name << '=' << counters[n]->text(game.state());
    }
    if (!counters.empty()) {
        out << '\n';
    }
}

/// One program run: the view, the generator and the game, started from its options.
class Session {
public:
    explicit Session(const Options& options)
        : m_random(options.seed), m_game(m_view, m_random, m_clock) {
        m_view.attach(m_game);
        if (!options.kinds.empty()) {
            // Both checked with the options.
            (void)m_game.setNextKind(options.kinds.front() - '0');
            (void)m_game.scriptNextKinds(options.kinds.substr(1));
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

// "print [FROM TO] [NAME ...]"; false when it cannot be read.
bool print(const Game& game, const std::vector<std::string>& words, std::ostream& out) {
    std::vector<const Counter*> counters;
    if (words.empty()) {
        for (const Counter& counter : Counters) {
            counters.push_back(&counter);
        }
        printState(game, 0, WellRows - 1, counters, out);
        return true;
    }
    std::optional<std::int32_t> first;
    std::optional<std::int32_t> last;
    const bool rows = !findCounter(words[0]);
    if (rows && (words.size() < 2 || !(first = wellRow(words[0])) || !(last = wellRow(words[1])) ||
                 *first > *last)) {
        return false;
    }
    for (std::size_t n = rows ? 2 : 0; n < words.size(); ++n) {
        counters.push_back(findCounter(words[n]));
        if (!counters.back()) {
            return false;
        }
    }
    printState(game, rows ? static_cast<std::size_t>(*first) : 1,
               rows ? static_cast<std::size_t>(*last) : 0, counters, out);
    return true;
}

using Words = std::vector<std::string>;

// What a command works on: the words after the command's own, the session (which "new"
// replaces) and the output.
struct Call {
    std::unique_ptr<Session>& session;
    const Words& arguments;
    std::ostream& out;
    Game& game() const { return session->game(); }
};

template <typename T> std::optional<T> parseAny(const std::string& text) {
    return parseNumber<T>(text, std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
}

// The well's resting cells go through their text, as a replay would write them.
template <typename Edit> bool editWell(Game& game, Edit edit) {
    std::string text = game.wellText(false);
    return edit(text) && game.loadWell(text);
}

char* cellText(std::string& wellText, std::int32_t row, std::int32_t column) {
    return &wellText[static_cast<std::size_t>(row * (WellColumns + 1) + column)];
}

bool newProgram(const Call& call) {
    Options options;
    if (parseOptions(call.arguments, options) || options.help) {
        return false;
    }
    call.session = std::make_unique<Session>(options);
    return true;
}

// Codes outside the key table are read but change nothing.
bool keyEvent(const Call& call, void (Game::*event)(int)) {
    const auto code = parseAny<std::int64_t>(call.arguments[0]);
    if (code && *code >= 0 && *code < KeyCount) {
        (call.game().*event)(static_cast<int>(*code));
    }
    return code.has_value();
}

bool tick(const Call& call) {
    const auto count = call.arguments.empty() ? std::optional<std::uint64_t>(1)
                                              : parseAny<std::uint64_t>(call.arguments[0]);
    for (std::uint64_t n = 0; count && n < *count && call.game().running(); ++n) {
        call.game().tick();
    }
    return count.has_value();
}

bool setCell(const Call& call) {
    const auto row = wellRow(call.arguments[0]);
    const auto column = parseNumber<std::int32_t>(call.arguments[1], 0, WellColumns - 1);
    const auto code = parseAny<std::int32_t>(call.arguments[2]);
    const char letter = code == 0 ? '.' : tileLetter(code.value_or(-1));
    return row && column && letter != '?' && editWell(call.game(), [&](std::string& text) {
               *cellText(text, *row, *column) = letter;
               return true;
           });
}

bool setRow(const Call& call) {
    const auto row = wellRow(call.arguments[0]);
    const std::string& cells = call.arguments[1];
    const bool tiles = std::all_of(cells.begin(), cells.end(),
                                   [](char c) { return c == '.' || codeOfLetter(c) != 0; });
    return row && tiles && cells.size() == WellColumns &&
           editWell(call.game(), [&](std::string& text) {
               std::copy(cells.begin(), cells.end(), cellText(text, *row, 0));
               return true;
           });
}

bool acceptNewGame(const Call& call) {
    const auto level = parseAny<std::int32_t>(call.arguments[0]);
    const auto high = parseAny<std::int32_t>(call.arguments[1]);
    const auto points = parseAny<std::int64_t>(call.arguments[2]);
    if (level && high && points) {
        call.game().acceptNewGame(*level, *high, *points);
    }
    return level && high && points;
}

bool fill(const Call& call) {
    const auto rows = parseNumber<std::int32_t>(call.arguments[0], 0, WellRows);
    return rows && editWell(call.game(), [&](std::string& text) {
               for (std::int32_t row = WellRows - *rows; row < WellRows; ++row) {
                   std::fill_n(cellText(text, row, 0), WellColumns, 'D');
               }
               return true;
           });
}

// A command's word, how many arguments it takes, and what it does.
struct Command {
    std::string_view word;
    std::size_t fewest;
    std::size_t most;
    bool (*run)(const Call&);
};

constexpr std::size_t Any = std::numeric_limits<std::size_t>::max();

constexpr std::array<Command, 13> Commands = {{
    {"new", 0, Any, newProgram},
    {"down", 1, 1, [](const Call& call) { return keyEvent(call, &Game::keyDown); }},
    {"up", 1, 1, [](const Call& call) { return keyEvent(call, &Game::keyUp); }},
    {"tick", 0, 1, tick},
    {"cell", 3, 3, setCell},
    {"row", 2, 2, setRow},
    {"starten", 3, 3, acceptNewGame},
    {"fill", 1, 1, fill},
    {"print", 0, Any,
     [](const Call& call) { return print(call.game(), call.arguments, call.out); }},
    {"abort", 0, 0,
     [](const Call& call) {
         call.game().abort();
         return true;
     }},
    {"quickstart", 0, 0,
     [](const Call& call) {
         call.game().quickStart();
         return true;
     }},
    {"activate", 0, 0,
     [](const Call& call) {
         call.game().activate();
         return true;
     }},
    {"show", 0, 0,
     [](const Call& call) {
         call.session->view().print(call.out);
         return true;
     }},
}};

// Runs one command; false when it cannot be read.
bool runCommand(std::unique_ptr<Session>& session, const Words& words, std::ostream& out) {
    const Words arguments(words.begin() + 1, words.end());
    for (const Command& command : Commands) {
        if (command.word == words.front()) {
            return arguments.size() >= command.fewest && arguments.size() <= command.most &&
                   command.run({session, arguments, out});
        }
    }
    return false;
}

// Runs the commands of one line; false when one cannot be read.
bool runLine(std::unique_ptr<Session>& session, const std::string& line, std::ostream& out) {
    std::istringstream commands(line);
    for (std::string command; std::getline(commands, command, ';');) {
        std::istringstream stream(command);
        std::vector<std::string> words;
        for (std::string word; stream >> word;) {
            words.push_back(word);
        }
        // White space of any kind is as empty as nothing; a comment runs to the line's end.
        if (words.empty()) {
            continue;
        }
        if (words.front().front() == '#') {
            return true;
        }
        if (!runCommand(session, words, out)) {
            return false;
        }
    }
    return true;
}

} // namespace

int runSimulator(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err) {
    Options options;
    if (const auto error = parseOptions(args, options)) {
        err << "brixolan-sim: " << *error << "\n" << usage();
        return 2;
    }
    if (options.help) {
        out << usage();
        return 0;
    }

    auto session = std::make_unique<Session>(options);
    std::string line;
    for (long lineNumber = 1; std::getline(in, line); ++lineNumber) {
        if (!runLine(session, line, out)) {
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

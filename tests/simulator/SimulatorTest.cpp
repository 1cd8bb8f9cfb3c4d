#include "Simulator.h"

#include <gtest/gtest.h>

#include <sstream>

namespace brixolan::test {
namespace {

struct SimRun {
    int status;
    std::vector<std::string> prints; // each print: 20 well lines and the status line
    std::string err;
};

SimRun simulate(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    SimRun run{runSimulator(args, in, out, err), {}, err.str()};
    const std::string text = out.str();
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = pos;
        for (int line = 0; line < 21; ++line) {
            end = text.find('\n', end) + 1;
        }
        run.prints.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return run;
}

std::string statusOf(const std::string& print) {
    return print.substr(20 * 11);
}

TEST(Simulator, startsTheGameFromItsOptionsAndPrintsWellAndCounters) {
    const SimRun run = simulate({"--high", "2", "--kinds", "3"}, "# comment\n\n  \nprint\n");
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.prints.size(), 1u);
    EXPECT_EQ(statusOf(run.prints[0]), "Punkte=3000 SteinPunkte=0 Lines=0 Level=0 Next=3 "
                                       "Drehung=0 i=0 DrehDelay=0 DropDelay=0 GameOver=0 "
                                       "PunkteInList=\n");
    const auto firstTile = run.prints[0].find_first_not_of(".\n"); // rows 16..19 pre-filled
    EXPECT_TRUE(firstTile >= 16u * 11 && firstTile < 20u * 11);
}

TEST(Simulator, gameOverHandsOnTheScoreAndOnlyQuickStartPlaysOn) {
    std::string script;
    for (int r = 2; r < 20; ++r) {
        script += "cell " + std::to_string(r) + " 5 1\n";
    }
    script += "tick\ndown 40\ntick 10\nprint\nactivate\nabort\ntick\nprint\nquickstart\nprint\n";
    const SimRun run = simulate({"--kinds", "000", "--points", "50"}, script);
    ASSERT_EQ(run.prints.size(), 3u);
    EXPECT_EQ(run.prints[0].substr(0, 4 * 11), "..........\n.....BB...\n.....BB...\n.....A....\n");
    EXPECT_EQ(statusOf(run.prints[0]), "Punkte=0 SteinPunkte=0 Lines=0 Level=0 Next=0 Drehung=0 "
                                       "i=0 DrehDelay=3 DropDelay=1 GameOver=1 PunkteInList=58\n");
    EXPECT_EQ(run.prints[1], run.prints[0]); // the highscore window took the result
    EXPECT_EQ(run.prints[2].find_first_not_of(".\n"), 20u * 11);
    EXPECT_NE(statusOf(run.prints[2]).find("GameOver=0 PunkteInList=58\n"), std::string::npos);
}

TEST(Simulator, unreadableLinesAndOptionsEndWithStatusTwo) {
    for (const std::string line : {"jump", "tick -1", "tick 2 3", "down", "down x", "cell 20 0 1",
                                   "cell 0 0 3", "print now"}) {
        const SimRun run = simulate({}, "print\n\n" + line + "\nprint\n");
        EXPECT_EQ(run.status, 2) << line;
        EXPECT_EQ(run.err, "brixolan-sim: line 3: cannot read: " + line + "\n");
        EXPECT_EQ(run.prints.size(), 1u);
    }
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--high", "7"},
                                                 {"--level", "-1"},
                                                 {"--kinds", "17"},
                                                 {"--seed"},
                                                 {"--points", "1e3"},
                                                 {"--colour", "red"}}) {
        EXPECT_EQ(simulate(args, "").status, 2) << args[0];
    }
}

// Lines of other white space split into no words; the reader took the first word regardless.
TEST(Simulator, linesOfAnyWhiteSpaceAreSkippedLikeEmptyOnes) {
    for (const std::string blank : {"\v", "\f", " \t\v\f\r"}) {
        const SimRun run = simulate({}, blank + "\nprint\n");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.prints.size(), 1u);
    }
}

} // namespace
} // namespace brixolan::test

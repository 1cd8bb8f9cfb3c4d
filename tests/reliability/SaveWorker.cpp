// SPDX-License-Identifier: GPL-3.0-or-later
// brixolan-save-worker: one save of the game in a process of its own, so that a test can make
// any of its file operations fail, cut it short, kill or pause it (FaultInjection.cpp).
//
//   brixolan-save-worker score|scheme <folder> [BRIXOLAN_...=<value> ...]
// "score" is saveScores with NewEntry, "scheme" the digit scheme's batch with generation 1 of
// its files (SaveSets.h). The settings go into the environment (FaultInjection.cpp); with
// BRIXOLAN_PLAYER=<name>:<points> the worker is a highscore window after a game: it reads the
// table, prints "read", waits for a line on stdin, then saves the entry it made, if any.
// Prints "ok" or "failed <message>", then the trace of the file operations the save made.
#include "AtomicWrite.h"
#include "ProgramFolder.h"
#include "SaveSets.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace brixolan::reliability {
void armFaults();
std::string disarmFaults();
} // namespace brixolan::reliability

using namespace brixolan;
using namespace brixolan::reliability;

int main(int argc, char** argv) {
    ignoreFileSizeSignal(); // as the game's main does
    for (int setting = 3; setting < argc; ++setting)
        ::putenv(argv[setting]);
    const ProgramFolder folder(QString::fromLocal8Bit(argv[2]));
    std::optional<ScoreEntry> entry = NewEntry;
    if (const char* player = std::getenv("BRIXOLAN_PLAYER")) {
        const QStringList made = QString::fromUtf8(player).split(':');
        entry.reset();
        const ScoreFileContent read = readScoreFile(folder);
        const auto* table = std::get_if<ScoreTable>(&read);
        if (table && rankResult(*table, made.value(1).toLongLong()).place > 0)
            entry = ScoreEntry{made.value(0), made.value(1)};
        std::puts("read");
        std::fflush(stdout);
        std::getchar();
    }
    std::vector<SchemeFile> files;
    for (const QString& file : filesOf(QStringLiteral("scheme")))
        files.push_back({file, contentOf(file, 1)});
    armFaults();
    const Outcome saved = std::string(argv[1]) == "score" ? saveScores(folder, entry).outcome()
                                                          : writeSchemeFiles(folder, files);
    const std::string trace = disarmFaults();
    std::printf("%s\n%s\n",
                saved ? "ok" : qPrintable("failed " + saved.message().replace('\n', ' ')),
                trace.c_str());
    return 0;
}

// brixolan-save-worker: makes the game's saves in a process of its own, so that tests can
// kill it, starve it of disk space or take its rights away while it writes.
//
//   brixolan-save-worker loop <folder> <first generation>
//       saves generation after generation, cycling through every kind of save; prints
//       "ready" once, then each generation's number as soon as its save has completed.
//   brixolan-save-worker save <kind> <folder> <generation> [<file size limit in bytes>]
//       one save, under the faults BRIXOLAN_FAULT asks for (see FaultInjection.h); prints
//       "ok" or "failed" with the message, then "steps <n>", the calls that change files.

#include "FaultInjection.h"
#include "SaveScenarios.h"

#include <QByteArray>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

using namespace brixolan;
using namespace brixolan::reliability;

namespace {

// Straight to the descriptor: whatever was printed is in the pipe when SIGKILL strikes.
void say(const QByteArray& line) {
    const QByteArray out = line + '\n';
    qsizetype done = 0;
    while (done < out.size()) {
        const ssize_t n =
            ::write(STDOUT_FILENO, out.constData() + done, std::size_t(out.size() - done));
        if (n <= 0)
            std::_Exit(3);
        done += n;
    }
}

int loop(const ProgramFolder& folder, std::int64_t first) {
    say("ready");
    for (std::int64_t generation = first;; ++generation) {
        QString error;
        const SaveKind kind = AllKinds[generation % std::size(AllKinds)];
        if (!save(kind, folder, generation, &error)) {
            say("failed " + error.toUtf8());
            return 2;
        }
        say(QByteArray::number(generation));
    }
}

int saveOnce(SaveKind kind, const ProgramFolder& folder, std::int64_t generation,
             long long sizeLimit) {
    if (sizeLimit >= 0) {
        // A full disk as the process sees it: writes past the limit fail with EFBIG.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = rlim_t(sizeLimit);
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 4;
    }
    QString error;
    armFaults();
    const bool saved = save(kind, folder, generation, &error);
    const long steps = disarmFaults();
    say(saved ? QByteArray("ok") : "failed " + error.toUtf8().replace('\n', ' '));
    say("steps " + QByteArray::number(qlonglong(steps)));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "loop" && argc == 4)
        return loop(ProgramFolder(QString::fromLocal8Bit(argv[2])), std::atoll(argv[3]));
    if (mode == "save" && (argc == 5 || argc == 6)) {
        const std::optional<SaveKind> kind = kindFromName(QString::fromLatin1(argv[2]));
        if (!kind)
            return 1;
        return saveOnce(*kind, ProgramFolder(QString::fromLocal8Bit(argv[3])), std::atoll(argv[4]),
                        argc == 6 ? std::atoll(argv[5]) : -1);
    }
    std::fprintf(stderr, "usage: %s loop <folder> <first> | save <kind> <folder> <gen> [<limit>]\n",
                 argv[0]);
    return 1;
}

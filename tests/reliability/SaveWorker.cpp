// SPDX-License-Identifier: GPL-3.0-or-later
// brixolan-save-worker: one save of the game in a process of its own, so that a test can make
// any of its file operations fail, cut it short, kill or pause it.
//
//   brixolan-save-worker score|scheme <folder> [BRIXOLAN_...=<value> ...]
// "score" is saveScores with NewEntry, "scheme" the digit scheme's batch with generation 1 of
// its files (SaveSets.h). The settings go into the environment.
// Prints "ok" or "failed <message>", then the trace of the file operations the save made.
//
// The save's file operations are traced and disturbed on request. The definitions below take
// the place of the C library's for the whole worker, Qt's calls included; the real call is the
// next definition (the C library's, or a sanitizer's in front of it).
//
// BRIXOLAN_FAULT="<action>:<n>" acts at the n-th operation that changes files: "fail" fails it
// with ENOSPC, "short" writes only half of a write, "kill" kills the process just before it,
// "pause" prints "paused" and waits for a line on stdin. BRIXOLAN_NO_SWAP refuses RENAME_EXCHANGE,
// as some file systems do. BRIXOLAN_PLANT=<file> puts a link to that file at the first new name of
// a batch's file, and at the first new name QSaveFile links its file to, just before each is
// created.
#include "AtomicWrite.h"
#include "ProgramFolder.h"
#include "SaveSets.h"

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace brixolan::reliability {

namespace {

enum class Fault { None, Fail, Short };

bool armed = false;
long target = 0;
std::string action;
std::string trace;

template <typename F> F real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// `kind` is traced: o open, w write, s fsync of a file, d of a folder, q fdatasync (Qt's own
// syncs, whose failures Qt ignores), r rename, l link, u unlink.
Fault faultAt(char kind) {
    if (!armed)
        return Fault::None;
    trace += kind;
    if (long(trace.size()) != target)
        return Fault::None;
    if (action == "kill")
        raise(SIGKILL);
    if (action == "pause") {
        char line = 0;
        [[maybe_unused]] const ssize_t said = ::write(STDOUT_FILENO, "paused\n", 7);
        [[maybe_unused]] const ssize_t heard = ::read(STDIN_FILENO, &line, 1);
    }
    if (action == "short" && kind == 'w')
        return Fault::Short;
    if (action != "fail")
        return Fault::None;
    errno = ENOSPC;
    return Fault::Fail;
}

char syncKind(int fd) {
    struct stat status {};
    ::fstat(fd, &status);
    return S_ISDIR(status.st_mode) ? 'd' : 's';
}

// Once for each `kind`: 0 a batch's new file, 1 the name QSaveFile links its file to.
char plant(const char* path, int kind, char traced) {
    static const char* victim = std::getenv("BRIXOLAN_PLANT");
    static bool planted[2] = {};
    struct stat status {};
    if (armed && victim && !planted[kind] && ::lstat(path, &status) != 0)
        planted[kind] = ::symlink(victim, path) == 0;
    return traced;
}

// Whether an open goes on: an open that may change a file is an operation.
bool mayOpen(const char* path, int flags) {
    if ((flags & O_CREAT) != 0 && std::string_view(path).ends_with(".brx-tmp"))
        plant(path, 0, 'o');
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) == 0 || faultAt('o') != Fault::Fail;
}

} // namespace

} // namespace brixolan::reliability

using namespace brixolan;
using namespace brixolan::reliability;

#define OPEN(name)                                                                                 \
    int name(const char* path, int flags, ...) {                                                   \
        static const auto next = real<int (*)(const char*, int, ...)>(#name);                      \
        va_list args;                                                                              \
        va_start(args, flags);                                                                     \
        const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) != 0 ? mode_t(va_arg(args, int)) : 0;  \
        va_end(args);                                                                              \
        return mayOpen(path, flags) ? next(path, flags, mode) : -1;                                \
    }

// A call that fails when its fault strikes, else goes on to the real one.
#define PASS(result, name, kind, parameters, arguments, ...)                                       \
    result name parameters __VA_ARGS__ {                                                           \
        static const auto next = real<result(*) parameters>(#name);                                \
        return faultAt(kind) == Fault::Fail ? -1 : next arguments;                                 \
    }

extern "C" {

OPEN(open)
OPEN(open64)
PASS(int, fsync, syncKind(fd), (int fd), (fd))
PASS(int, fdatasync, 'q', (int fd), (fd))
PASS(int, rename, 'r', (const char* from, const char* to), (from, to), noexcept)
PASS(int, unlink, 'u', (const char* path), (path), noexcept)
PASS(int, linkat, plant(to, 1, 'l'),
     (int fromDir, const char* from, int toDir, const char* to, int flags),
     (fromDir, from, toDir, to, flags), noexcept)

ssize_t write(int fd, const void* data, size_t size) {
    static const auto next = real<ssize_t (*)(int, const void*, size_t)>("write");
    const Fault fault = fd > 2 ? faultAt('w') : Fault::None;
    return fault == Fault::Fail
               ? -1
               : next(fd, data, fault == Fault::Short && size > 1 ? size / 2 : size);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to,
              unsigned int flags) noexcept {
    static const auto next =
        real<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2");
    const bool unsupported = std::getenv("BRIXOLAN_NO_SWAP") && (flags & RENAME_EXCHANGE) != 0;
    if (unsupported)
        errno = EINVAL;
    return unsupported || faultAt('r') == Fault::Fail ? -1 : next(fromDir, from, toDir, to, flags);
}

} // extern "C"

int main(int argc, char** argv) {
    ignoreFileSizeSignal(); // as the game's main does
    for (int setting = 3; setting < argc; ++setting)
        ::putenv(argv[setting]);
    const ProgramFolder folder(QString::fromLocal8Bit(argv[2]));
    std::vector<SchemeFile> files;
    for (const QString& file : filesOf(QStringLiteral("scheme")))
        files.push_back({file, contentOf(file, 1)});
    // The fault to strike, from BRIXOLAN_FAULT; from here on the file operations are the save's.
    const char* setting = std::getenv("BRIXOLAN_FAULT");
    const char* colon = setting ? std::strchr(setting, ':') : nullptr;
    action = colon ? std::string(setting, colon) : "";
    target = colon ? std::atol(colon + 1) : 0;
    armed = true;
    const Outcome saved = std::string(argv[1]) == "score" ? saveScores(folder, NewEntry).outcome()
                                                          : writeSchemeFiles(folder, files);
    armed = false; // the printing below is no part of the save
    std::printf("%s\n%s\n",
                saved ? "ok" : qPrintable("failed " + saved.message().replace('\n', ' ')),
                trace.c_str());
    return 0;
}

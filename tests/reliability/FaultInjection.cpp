#include "FaultInjection.h"

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
#include <utility>

namespace brixolan::reliability {

namespace {

enum class Action { Count, Fail, Kill };
enum class Call { Any, Open, Write, Sync, Rename, Unlink };

bool armed = false;
long counted = 0;
long targetCounted = 0;
long target = 0;
Action action = Action::Count;
Call targetCall = Call::Any;

template <typename F> F real(const char* name) {
    // The next definition after ours: the C library's, or a sanitizer's in front of it.
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

/// True when the call must fail; does not return when the process is to die here.
bool faultHere(Call call) {
    if (!armed)
        return false;
    ++counted;
    if (targetCall != Call::Any && call != targetCall)
        return false;
    if (++targetCounted != target)
        return false;
    if (action == Action::Kill)
        raise(SIGKILL);
    errno = ENOSPC;
    return action == Action::Fail;
}

bool writes(int flags) {
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0;
}

} // namespace

void armFaults() {
    counted = 0;
    targetCounted = 0;
    target = 0;
    action = Action::Count;
    targetCall = Call::Any;
    if (const char* fault = std::getenv("BRIXOLAN_FAULT")) {
        if (std::strncmp(fault, "fail:", 5) == 0)
            action = Action::Fail;
        else if (std::strncmp(fault, "kill:", 5) == 0)
            action = Action::Kill;
        if (action != Action::Count) {
            char* rest = nullptr;
            target = std::strtol(fault + 5, &rest, 10);
            const std::pair<const char*, Call> calls[] = {{":open", Call::Open},
                                                          {":write", Call::Write},
                                                          {":sync", Call::Sync},
                                                          {":rename", Call::Rename},
                                                          {":unlink", Call::Unlink}};
            for (const auto& [name, call] : calls) {
                if (std::strcmp(rest, name) == 0)
                    targetCall = call;
            }
        }
    }
    armed = true;
}

long disarmFaults() {
    armed = false;
    return counted;
}

} // namespace brixolan::reliability

using brixolan::reliability::Call;
using brixolan::reliability::faultHere;
using brixolan::reliability::real;
using brixolan::reliability::writes;

namespace {

mode_t modeArgument(int flags, va_list args) {
    return (flags & (O_CREAT | O_TMPFILE)) != 0 ? mode_t(va_arg(args, int)) : 0;
}

} // namespace

extern "C" {

int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    if (writes(flags) && faultHere(Call::Open))
        return -1;
    static const auto next = real<int (*)(const char*, int, ...)>("open");
    return next(path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    if (writes(flags) && faultHere(Call::Open))
        return -1;
    static const auto next = real<int (*)(const char*, int, ...)>("open64");
    return next(path, flags, mode);
}

int openat(int dir, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    if (writes(flags) && faultHere(Call::Open))
        return -1;
    static const auto next = real<int (*)(int, const char*, int, ...)>("openat");
    return next(dir, path, flags, mode);
}

int openat64(int dir, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = modeArgument(flags, args);
    va_end(args);
    if (writes(flags) && faultHere(Call::Open))
        return -1;
    static const auto next = real<int (*)(int, const char*, int, ...)>("openat64");
    return next(dir, path, flags, mode);
}

ssize_t write(int fd, const void* data, size_t size) {
    if (fd > 2 && faultHere(Call::Write))
        return -1;
    static const auto next = real<ssize_t (*)(int, const void*, size_t)>("write");
    return next(fd, data, size);
}

int fsync(int fd) {
    if (faultHere(Call::Sync))
        return -1;
    static const auto next = real<int (*)(int)>("fsync");
    return next(fd);
}

int fdatasync(int fd) {
    if (faultHere(Call::Sync))
        return -1;
    static const auto next = real<int (*)(int)>("fdatasync");
    return next(fd);
}

int rename(const char* from, const char* to) noexcept {
    if (faultHere(Call::Rename))
        return -1;
    static const auto next = real<int (*)(const char*, const char*)>("rename");
    return next(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) noexcept {
    if (faultHere(Call::Rename))
        return -1;
    static const auto next = real<int (*)(int, const char*, int, const char*)>("renameat");
    return next(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to,
              unsigned int flags) noexcept {
    static const bool noSwap = std::getenv("BRIXOLAN_NO_SWAP") != nullptr;
    if (noSwap && (flags & RENAME_EXCHANGE) != 0) {
        errno = EINVAL;
        return -1;
    }
    if (faultHere(Call::Rename))
        return -1;
    static const auto next =
        real<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2");
    return next(fromDir, from, toDir, to, flags);
}

int unlink(const char* path) noexcept {
    if (faultHere(Call::Unlink))
        return -1;
    static const auto next = real<int (*)(const char*)>("unlink");
    return next(path);
}

int unlinkat(int dir, const char* path, int flags) noexcept {
    if (faultHere(Call::Unlink))
        return -1;
    static const auto next = real<int (*)(int, const char*, int)>("unlinkat");
    return next(dir, path, flags);
}

} // extern "C"

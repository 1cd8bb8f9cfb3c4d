// SPDX-License-Identifier: GPL-3.0-or-later
// A faulty or hostile score-code library. Loaded, it creates the file $BRIXOLAN_STAND_IN_MARK
// names, so a test sees whether it was loaded at all. Asked for a code it claims one of 10^12
// characters; with BRIXOLAN_EKS_STAND_IN=crash it crashes, with =hang it never returns (the
// game must have saved by then).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

__attribute__((constructor)) static void markLoaded() {
    if (const char* mark = std::getenv("BRIXOLAN_STAND_IN_MARK"))
        if (std::FILE* file = std::fopen(mark, "w"))
            std::fclose(file);
}

extern "C" __attribute__((visibility("default"))) long
EKSEncode(const char*, const char*, const std::int32_t*, char*, std::size_t) {
    const char* how = std::getenv("BRIXOLAN_EKS_STAND_IN");
    if (how && std::strcmp(how, "crash") == 0)
        std::abort();
    while (how && std::strcmp(how, "hang") == 0)
        ::pause();
    return 1000000000000L;
}

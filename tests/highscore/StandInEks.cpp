// SPDX-License-Identifier: GPL-3.0-or-later
// A score-code library as a faulty or hostile one could be: it claims a code of 10^12
// characters, and once loaded it leaves a mark in the file $BRIXOLAN_STAND_IN_MARK names, so a
// test sees whether the game loaded it at all.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

__attribute__((constructor)) static void markLoaded() {
    if (const char* mark = std::getenv("BRIXOLAN_STAND_IN_MARK")) {
        if (std::FILE* file = std::fopen(mark, "w"))
            std::fclose(file);
    }
}

extern "C" __attribute__((visibility("default"))) long
EKSEncode(const char*, const char*, const std::int32_t*, char*, std::size_t) {
    return 1000000000000L;
}

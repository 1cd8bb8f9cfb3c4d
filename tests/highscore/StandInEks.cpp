// SPDX-License-Identifier: GPL-3.0-or-later
// A faulty or hostile score-code library: it claims a code of 10^12 characters, and loaded it
// creates the file $BRIXOLAN_STAND_IN_MARK names, so a test sees whether it was loaded at all.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

__attribute__((constructor)) static void markLoaded() {
    if (std::FILE* mark = std::getenv("BRIXOLAN_STAND_IN_MARK")
                              ? std::fopen(std::getenv("BRIXOLAN_STAND_IN_MARK"), "w")
                              : nullptr)
        std::fclose(mark);
}

extern "C" __attribute__((visibility("default"))) long
EKSEncode(const char*, const char*, const std::int32_t*, char*, std::size_t) {
    return 1000000000000L;
}

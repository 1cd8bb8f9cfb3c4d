// SPDX-License-Identifier: GPL-3.0-or-later
// A score-code library that fails when asked for a code: it crashes, or with
// BRIXOLAN_EKS_STAND_IN=hang it never returns. The game must have saved by then.
#include <cstdlib>
#include <cstring>
#include <unistd.h>

extern "C" __attribute__((visibility("default"))) long EKSEncode(const char*, const char*,
                                                                 const int*, char*, unsigned long) {
    const char* how = std::getenv("BRIXOLAN_EKS_STAND_IN");
    while (how && std::strcmp(how, "hang") == 0)
        ::pause();
    std::abort();
}

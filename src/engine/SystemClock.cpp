// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemClock.h"

#include <chrono>
#include <ctime>

namespace brixolan {

std::int32_t SystemClock::secondsSinceMidnight() const {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        return 0;
    }
    return local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
}

} // namespace brixolan

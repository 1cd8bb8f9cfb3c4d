// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace brixolan {

/// The time of day, injected so that tests fix it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int32_t secondsSinceMidnight() const = 0;
};

} // namespace brixolan

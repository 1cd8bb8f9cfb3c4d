// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Clock.h"

namespace brixolan {

/// The local time of day from the system clock.
class SystemClock final : public Clock {
public:
    std::int32_t secondsSinceMidnight() const override;
};

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace brixolan {

/// The program's one pseudo-random generator, uniform in [0, 1).
class Random {
public:
    virtual ~Random() = default;
    /// Mixes `secondsSinceMidnight` into the running state; never restarts a sequence.
    virtual void reseed(std::int32_t secondsSinceMidnight) = 0;
    /// The next number in [0, 1).
    virtual double next() = 0;
};

} // namespace brixolan

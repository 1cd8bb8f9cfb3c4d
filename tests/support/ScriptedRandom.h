// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Clock.h"
#include "Random.h"

#include <cstddef>
#include <vector>

namespace brixolan::fakes {

/// Hands out a fixed list of numbers in a loop, whatever the re-seeding.
class ScriptedRandom : public Random {
public:
    explicit ScriptedRandom(std::vector<double> values = {0.0}) : m_values(std::move(values)) {}
    void reseed(std::int32_t) override {}
    double next() override {
        const double value = m_values[m_next % m_values.size()];
        ++m_next;
        return value;
    }

private:
    std::vector<double> m_values;
    std::size_t m_next = 0;
};

class FixedClock : public Clock {
public:
    std::int32_t seconds = 3600;
    std::int32_t secondsSinceMidnight() const override { return seconds; }
};

} // namespace brixolan::fakes

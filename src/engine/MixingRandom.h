// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Random.h"

#include <cstdint>

namespace brixolan {

/// The program's generator: a 64-bit counter run through a strong bit mixer (the SplitMix64
/// construction). Re-seeding mixes the seconds into the running state, so the sequence moves
/// on to an unrelated point instead of starting over; two draws in one second still differ.
class MixingRandom final : public Random {
public:
    explicit MixingRandom(std::uint64_t seed = 0x6272'6978'6f6c'616eULL);

    void reseed(std::int32_t secondsSinceMidnight) override;
    double next() override;

private:
    std::uint64_t m_state;
};

} // namespace brixolan

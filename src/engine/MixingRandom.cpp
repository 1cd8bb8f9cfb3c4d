// SPDX-License-Identifier: GPL-3.0-or-later
#include "MixingRandom.h"

namespace brixolan {

namespace {

constexpr std::uint64_t Golden = 0x9E37'79B9'7F4A'7C15ULL;

std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58'476D'1CE4'E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D0'49BB'1331'11EBULL;
    return z ^ (z >> 31);
}

} // namespace

MixingRandom::MixingRandom(std::uint64_t seed) : m_state(mix(seed)) {}

void MixingRandom::reseed(std::int32_t secondsSinceMidnight) {
    // The old state goes into the mix, so equal seconds never lead back to an earlier state.
    const auto seconds =
        static_cast<std::uint64_t>(static_cast<std::uint32_t>(secondsSinceMidnight));
    m_state = mix(m_state ^ mix(seconds + Golden));
}

double MixingRandom::next() {
    m_state += Golden;
    // The top 53 bits make an evenly spaced double in [0, 1).
    return static_cast<double>(mix(m_state) >> 11) * 0x1.0p-53;
}

} // namespace brixolan

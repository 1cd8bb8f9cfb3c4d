// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>

namespace brixolan::reliability {

/// A run's size from the environment (BRIXOLAN_SEED, BRIXOLAN_MUTATIONS, ...), so that the
/// same tests give the short default run and the long one.
inline int fromEnvironment(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : fallback;
}

} // namespace brixolan::reliability

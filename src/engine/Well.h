// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace brixolan {

inline constexpr int WellRows = 20;
inline constexpr int WellColumns = 10;

/// 20 rows of 10 cells, row 0 at the top: 0 for empty, otherwise a stone code.
using Well = std::array<std::array<std::int32_t, WellColumns>, WellRows>;

/// The well as 20 lines of 10 characters: '.' empty, otherwise the tile letter of the code.
std::string wellText(const Well& well);

} // namespace brixolan

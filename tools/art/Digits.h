// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Canvas.h"

namespace art {

inline constexpr int DigitWidth = 25;
inline constexpr int DigitHeight = 42;

enum class DigitStyle {
    Segments, ///< "old": a seven-segment display with its dark segments faintly visible
    Rounded,  ///< "new": round strokes with a soft grey edge and shadow
};

/// Digit d on black. The strokes are pure red, which the digit scheme recolours exactly; every
/// shade around them is grey, so the digit looks right in whatever colour is chosen.
Canvas drawDigit(DigitStyle style, int d);

} // namespace art

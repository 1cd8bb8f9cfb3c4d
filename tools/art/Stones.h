// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Canvas.h"

namespace art {

inline constexpr int StoneSide = 25;

/// The key colour of scheme source n (1 to 7): the body colour that a scheme recolours.
Rgba stoneKey(int n);

/// Scheme source n (1 to 7): the body in the pure key colour, relief only in greys, so any
/// recolouring of the key leaves a clean stone. Column 0 and row 0 are the dark joint between
/// neighbouring stones and never hold the key.
Canvas drawStone(int n);

} // namespace art

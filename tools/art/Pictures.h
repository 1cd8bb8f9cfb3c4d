// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Canvas.h"

namespace art {

/// The highscore window's invitation to send the score online, 393 x 57.
Canvas drawBanner();
/// Decorative picture n (1 to 4) of the highscore window, 25 x 25 on black.
Canvas drawDecoration(int n);
/// The hand shown over the banner, 32 x 32 with alpha; its finger tip is at (12, 1).
Canvas drawCursor();
/// The program icon at `size` x `size` with alpha: a stone about to land.
Canvas drawIcon(int size);

} // namespace art

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Colors.h"

#include <QImage>
#include <optional>

namespace brixolan {

/// Replaces every pixel of colour `key` with `replacement`, from column `firstColumn` and row
/// `firstRow` to the right and bottom edges. Colours compare exactly; any other colour, even
/// one step away from the key, stays. The image is converted to 32-bit RGB if needed.
void replaceColour(QImage& image, BgrColor key, BgrColor replacement, int firstColumn,
                   int firstRow);

/// Recolours a stone tile: column 0 and row 0 keep their colour, which is how
/// the stone sets have always looked.
inline void colorStone(QImage& tile, BgrColor key, BgrColor stoneColour) {
    replaceColour(tile, key, stoneColour, 1, 1);
}

/// Recolours a digit: every pure red pixel, edges included, takes the digit colour.
inline void colorDigit(QImage& digit, BgrColor digitColour) {
    replaceColour(digit, named::Red, digitColour, 0, 0);
}

/// The colour at the centre (12, 12) of a 25 x 25 tile; none when the image is smaller.
std::optional<BgrColor> centreColour(const QImage& tile);

} // namespace brixolan

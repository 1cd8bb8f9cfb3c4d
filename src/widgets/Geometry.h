// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QWidget;

namespace brixolan {

/// The windows were laid out in twips; 15 twips make one pixel at 96 dpi, rounded to the
/// nearest pixel.
constexpr int twips(int value) {
    return (value + 7) / 15;
}
constexpr QRect twipsRect(int left, int top, int width, int height) {
    return {twips(left), twips(top), twips(width), twips(height)};
}

/// The scale at which a layout of `natural` size fits `available`: 1 where it fits as it is,
/// otherwise the largest that fits in steps that keep a `cell` a whole number of pixels (all
/// cells alike), and only where not even one pixel a cell fits, the largest that fits.
qreal fittingScale(QSize natural, QSize available, int cell);

/// Where a window of `frame` size stands beside `anchor` (both frames) on `area`: to its right,
/// else to its left, top edges level; where neither has room, at the right edge of the area,
/// hiding as little of the anchor's left side as it can. Always inside the area.
QPoint besidePosition(QRect anchor, QSize frame, QRect area);

/// Centres a top-level window on its screen's available area, and keeps it inside: where it
/// is too large, its top-left corner stays on the screen, so its title and menu bar can be
/// reached.
void placeOnScreen(QWidget* window);

} // namespace brixolan

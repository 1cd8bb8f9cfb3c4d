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

/// Centres a top-level window on its screen's available area, and keeps it inside: where it
/// is too large, its top-left corner stays on the screen, so its title and menu bar can be
/// reached.
void placeOnScreen(QWidget* window);

} // namespace brixolan

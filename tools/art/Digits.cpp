// SPDX-License-Identifier: GPL-3.0-or-later
#include "Digits.h"

#include <array>

namespace art {

namespace {

constexpr Rgba Red{255, 0, 0, 255};

// Seven-segment geometry: centre lines of the segments and their half thickness.
constexpr double SegLeft = 5.9;
constexpr double SegRight = 19.1;
constexpr double SegTop = 5.8;
constexpr double SegMiddle = 21.0;
constexpr double SegBottom = 36.2;
constexpr double SegHalf = 1.75;
constexpr double SegGap = 0.75;

Shape horizontalSegment(double y) {
    const double x0 = SegLeft + SegGap;
    const double x1 = SegRight - SegGap;
    const double h = SegHalf;
    return polygon(
        {{x0, y}, {x0 + h, y - h}, {x1 - h, y - h}, {x1, y}, {x1 - h, y + h}, {x0 + h, y + h}});
}

Shape verticalSegment(double x, double y0, double y1) {
    y0 += SegGap;
    y1 -= SegGap;
    const double h = SegHalf;
    return polygon(
        {{x, y0}, {x + h, y0 + h}, {x + h, y1 - h}, {x, y1}, {x - h, y1 - h}, {x - h, y0 + h}});
}

Canvas segments(int d) {
    // Segments a (top), b, c (right, top to bottom), d (bottom), e, f (left), g (middle).
    const std::array<Shape, 7> shapes = {
        horizontalSegment(SegTop),
        verticalSegment(SegRight, SegTop, SegMiddle),
        verticalSegment(SegRight, SegMiddle, SegBottom),
        horizontalSegment(SegBottom),
        verticalSegment(SegLeft, SegMiddle, SegBottom),
        verticalSegment(SegLeft, SegTop, SegMiddle),
        horizontalSegment(SegMiddle),
    };
    constexpr std::array<unsigned, 10> lit = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                              0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    Canvas c(DigitWidth, DigitHeight, grey(0));
    for (std::size_t s = 0; s < shapes.size(); ++s)
        c.fillHard(shapes[s], (lit[std::size_t(d)] >> s) & 1u ? Red : grey(34));
    return c;
}

// Rounded strokes: centre lines between y 5.5 and 36.5.
constexpr double Half = 1.9;

Shape sixStroke() {
    return unite({ring(12.5, 29.3, 7.2, Half), segment(16.8, 5.5, 6.0, 26.5, Half)});
}

Shape rounded(int d) {
    switch (d) {
    case 0:
        return outline(segment(12.5, 12.6, 12.5, 29.4, 7.1), Half);
    case 1:
        return unite({segment(14.0, 5.5, 14.0, 36.5, Half), segment(14.0, 5.5, 8.0, 10.8, Half)});
    case 2:
        return unite({arc(12.5, 12.4, 6.9, 195, 400, Half), segment(17.8, 16.8, 6.0, 36.5, Half),
                      segment(6.0, 36.5, 19.5, 36.5, Half)});
    case 3:
        return unite({arc(12.5, 12.6, 7.1, 205, 450, Half), arc(12.5, 28.1, 8.4, 270, 515, Half)});
    case 4:
        return unite({segment(16.2, 5.5, 16.2, 36.5, Half), segment(16.2, 5.5, 5.5, 27.0, Half),
                      segment(5.5, 27.0, 20.0, 27.0, Half)});
    case 5:
        return unite({segment(18.8, 5.5, 7.6, 5.5, Half), segment(7.6, 5.5, 7.0, 19.8, Half),
                      arc(12.3, 28.3, 8.2, 236, 510, Half)});
    case 6:
        return sixStroke();
    case 7:
        return unite({segment(5.5, 5.5, 19.5, 5.5, Half), segment(19.5, 5.5, 10.0, 36.5, Half)});
    case 8:
        return unite({ring(12.5, 12.5, 7.0, Half), ring(12.5, 28.3, 8.2, Half)});
    default: // the 9 is the 6 turned about the cell's centre
        return rotate180(sixStroke(), 12.5, 21.0);
    }
}

Canvas roundedDigit(int d) {
    const Shape stroke = rounded(d);
    Canvas c(DigitWidth, DigitHeight, grey(0));
    c.fill(translate(stroke, 1.2, 1.4), grey(46));
    for (int y = 0; y < DigitHeight; ++y)
        for (int x = 0; x < DigitWidth; ++x) {
            const double cover = Canvas::coverage(stroke, x, y);
            if (cover >= 0.5)
                c.set(x, y, Red);
            else if (cover > 0) // smoothed in grey: a dark red would keep its tint when recoloured
                c.set(x, y, grey(int(60 + 150 * cover)));
        }
    return c;
}

} // namespace

Canvas drawDigit(DigitStyle style, int d) {
    return style == DigitStyle::Segments ? segments(d) : roundedDigit(d);
}

} // namespace art

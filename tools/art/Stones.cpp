// SPDX-License-Identifier: GPL-3.0-or-later
#include "Stones.h"

#include <algorithm>
#include <array>

namespace art {

namespace {

constexpr Rgba Black = grey(0);
constexpr Rgba White = grey(255);
constexpr int Last = StoneSide - 1; // the joint is column 0 and row 0; the stone is 1..Last

/// Where a pixel of the stone lies: its distance from the nearest edge and whether that edge is
/// lit (top, left) or in shadow (bottom, right). Corners on the anti-diagonal are neither.
struct Place {
    int depth;
    int side; // -1 lit, +1 shadow, 0 both
};

Place place(int x, int y) {
    const int lit = std::min(y - 1, x - 1);
    const int dark = std::min(Last - y, Last - x);
    return {std::min(lit, dark), lit < dark ? -1 : (dark < lit ? 1 : 0)};
}

Rgba bevel(Place p, Rgba light, Rgba shadow) {
    if (p.side < 0)
        return light;
    if (p.side > 0)
        return shadow;
    return grey((light.r + shadow.r) / 2);
}

/// Which face of a four-sided relief a pixel lies on: 0 top, 1 left, 2 right, 3 bottom.
int face(int x, int y) {
    const std::array<int, 4> dist = {y - 1, x - 1, Last - x, Last - y};
    return int(std::min_element(dist.begin(), dist.end()) - dist.begin());
}

// Shades of the key without a second colour: a regular sprinkle of white or black pixels.
bool sparse(int x, int y) {
    return x % 2 == 0 && y % 2 == 0;
}
bool checker(int x, int y) {
    return (x + y) % 2 == 0;
}

Canvas bevelled(Rgba key) {
    Canvas c(StoneSide, StoneSide, Black);
    constexpr std::array<int, 3> light = {255, 214, 168};
    constexpr std::array<int, 3> shadow = {24, 56, 96};
    for (int y = 1; y <= Last; ++y)
        for (int x = 1; x <= Last; ++x) {
            const Place p = place(x, y);
            if (p.depth < 3)
                c.set(x, y, bevel(p, grey(light[p.depth]), grey(shadow[p.depth])));
            else
                c.set(x, y, key);
        }
    // A glint in the lit corner of the face.
    c.set(4, 4, White);
    c.set(5, 4, grey(214));
    c.set(4, 5, grey(214));
    return c;
}

Canvas bricks(Rgba key) {
    Canvas c(StoneSide, StoneSide, Black);
    constexpr std::array<int, 2> mortarRows = {8, 16};
    for (int y = 1; y <= Last; ++y)
        for (int x = 1; x <= Last; ++x) {
            const Place p = place(x, y);
            if (p.depth == 0) {
                c.set(x, y, bevel(p, grey(214), grey(36)));
                continue;
            }
            // Three courses in running bond: the middle one is offset by half a brick.
            constexpr std::array<int, 3> top = {2, mortarRows[0] + 1, mortarRows[1] + 1};
            constexpr std::array<int, 3> bottom = {mortarRows[0] - 1, mortarRows[1] - 1, Last - 1};
            const std::size_t course = y < mortarRows[0] ? 0 : (y < mortarRows[1] ? 1 : 2);
            const bool joint = course == 1 ? (x == 6 || x == 19) : x == 12;
            if (y == mortarRows[0] || y == mortarRows[1] || joint)
                c.set(x, y, grey(120));
            else if (y == top[course] && x % 2 == 0)
                c.set(x, y, White); // worn edges: light above, dark below
            else if (y == bottom[course] && x % 2 == 1)
                c.set(x, y, Black);
            else
                c.set(x, y, key);
        }
    return c;
}

Canvas pillow(Rgba key) {
    Canvas c(StoneSide, StoneSide, Black);
    const Shape body = roundedRect(1, 1, StoneSide, StoneSide, 6);
    const Shape inner = grow(body, -1.2);
    c.fillHard(body, key);
    for (int y = 1; y <= Last; ++y)
        for (int x = 1; x <= Last; ++x) {
            if (Canvas::coverage(body, x, y) < 0.5 || Canvas::coverage(inner, x, y) >= 0.5)
                continue;
            c.set(x, y, x + y < 25 ? grey(222) : (x + y == 25 ? grey(140) : grey(58)));
        }
    // Shade along the lower right, inside the rim.
    const Shape shade = subtract(grow(body, -1.2), translate(grow(body, -2.2), -1.5, -1.5));
    for (int y = 1; y <= Last; ++y)
        for (int x = 1; x <= Last; ++x)
            if (Canvas::coverage(shade, x, y) >= 0.5 && checker(x, y) && x + y > 25)
                c.set(x, y, Black);
    c.fillHard(segment(6.5, 7.5, 11.5, 5.2, 1.3), White);
    c.fillHard(circle(6.0, 11.5, 0.9), grey(235));
    return c;
}

Canvas studded(Rgba key) {
    Canvas c(StoneSide, StoneSide, Black);
    for (int y = 1; y <= Last; ++y)
        for (int x = 1; x <= Last; ++x) {
            const Place p = place(x, y);
            c.set(x, y, p.depth == 0 ? bevel(p, grey(228), grey(44)) : key);
        }
    // The stud: a dark cast shadow, then its rim lit from the upper left.
    c.fillHard(ring(14.2, 14.2, 6.0, 0.8), grey(28));
    const Shape rim = ring(13, 13, 6.0, 0.8);
    for (int y = 1; y <= Last; ++y)
        for (int x = 1; x <= Last; ++x)
            if (Canvas::coverage(rim, x, y) >= 0.5)
                c.set(x, y, x + y < 25 ? grey(245) : (x + y == 25 ? grey(150) : grey(70)));
    c.fillHard(circle(13, 13, 5.2), key);
    c.set(10, 10, White);
    c.set(11, 10, grey(200));
    c.set(10, 11, grey(200));
    return c;
}

Canvas striped(Rgba key) {
    Canvas c(StoneSide, StoneSide, Black);
    for (int y = 1; y <= Last; ++y)
        for (int x = 1; x <= Last; ++x) {
            const Place p = place(x, y);
            if (p.depth == 0)
                c.set(x, y, bevel(p, grey(235), grey(40)));
            else if (p.depth == 1)
                c.set(x, y, bevel(p, grey(150), grey(90)));
            else if ((x + y) % 6 == 0)
                c.set(x, y, grey(240));
            else if ((x + y) % 6 == 1)
                c.set(x, y, grey(160));
            else
                c.set(x, y, key);
        }
    return c;
}

Canvas riveted(Rgba key) {
    Canvas c(StoneSide, StoneSide, Black);
    constexpr int frame = 4;
    for (int y = 1; y <= Last; ++y)
        for (int x = 1; x <= Last; ++x) {
            const Place p = place(x, y);
            if (p.depth == 0)
                c.set(x, y, bevel(p, grey(238), grey(48)));
            else if (p.depth < frame - 1)
                c.set(x, y, grey(176 - 3 * y)); // brushed steel, darker downwards
            else if (p.depth == frame - 1)
                c.set(x, y, bevel(p, grey(64), grey(215))); // the panel is set in
            else
                c.set(x, y, key);
        }
    for (const int rx : {2, Last - 2})
        for (const int ry : {2, Last - 2}) {
            c.set(rx, ry, White);
            c.set(rx + 1, ry, grey(120));
            c.set(rx, ry + 1, grey(120));
            c.set(rx + 1, ry + 1, grey(24));
        }
    return c;
}

Canvas pyramid(Rgba key) {
    Canvas c(StoneSide, StoneSide, Black);
    constexpr int plateau = 8; // depth at which the flat top begins; (12, 12) lies on it
    for (int y = 1; y <= Last; ++y)
        for (int x = 1; x <= Last; ++x) {
            const Place p = place(x, y);
            if (p.depth == 0) {
                c.set(x, y, bevel(p, grey(200), grey(30)));
                continue;
            }
            if (p.depth >= plateau) {
                c.set(x, y, key);
                continue;
            }
            Rgba colour = key;
            switch (face(x, y)) {
            case 0:
                colour = checker(x, y) ? White : key;
                break;
            case 1:
                colour = sparse(x, y) ? White : key;
                break;
            case 2:
                colour = sparse(x, y) ? Black : key;
                break;
            default:
                colour = checker(x, y) ? Black : key;
                break;
            }
            c.set(x, y, colour);
        }
    return c;
}

} // namespace

Rgba stoneKey(int n) {
    constexpr std::array<Rgba, 7> keys = {{
        {0, 255, 0, 255},   // green
        {255, 0, 0, 255},   // red
        {0, 0, 255, 255},   // blue
        {255, 0, 0, 255},   // red
        {0, 255, 255, 255}, // cyan
        {255, 0, 255, 255}, // magenta
        {255, 255, 0, 255}, // yellow: the seventh scheme reads its key from the centre
    }};
    return keys[std::size_t(n - 1)];
}

Canvas drawStone(int n) {
    const Rgba key = stoneKey(n);
    switch (n) {
    case 1:
        return bevelled(key);
    case 2:
        return bricks(key);
    case 3:
        return pillow(key);
    case 4:
        return studded(key);
    case 5:
        return striped(key);
    case 6:
        return riveted(key);
    default:
        return pyramid(key);
    }
}

} // namespace art

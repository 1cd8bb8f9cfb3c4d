// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pictures.h"

#include <cmath>
#include <numbers>
#include <string_view>

namespace art {

namespace {

constexpr Rgba Black = grey(0);
constexpr Rgba White = grey(255);
constexpr Rgba Clear{0, 0, 0, 0};

Rgba mix(Rgba a, Rgba b, double t) {
    const auto m = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a)};
}

Shape box(double x0, double y0, double x1, double y1) {
    return roundedRect(x0, y0, x1, y1, 0);
}

/// A glossy stone of `size` pixels at (x, y), as on the icon and the banner.
void glossyStone(Canvas& c, double x, double y, double size, Rgba base) {
    const double r = size * 0.16;
    const Shape body = roundedRect(x, y, x + size, y + size, r);
    c.fill(body, verticalGradient(y, mix(base, White, 0.35), y + size, mix(base, Black, 0.35)));
    const double inset = size * 0.12;
    const Shape shine =
        intersect(roundedRect(x + inset, y + inset, x + size - inset, y + size - inset, r * 0.7),
                  box(x, y, x + size, y + size * 0.45));
    c.fill(shine, withAlpha(White, 80));
    c.fill(intersect(outline(body, size * 0.03 + 0.35), grow(body, 1)), withAlpha(Black, 150));
}

// A small stroke alphabet for the banner: capitals on a grid 6 units high.
struct Pen {
    double ox;
    double oy;
    double unit;
    double half;
    Shape line(double x0, double y0, double x1, double y1) const {
        return segment(ox + x0 * unit, oy + y0 * unit, ox + x1 * unit, oy + y1 * unit, half);
    }
    Shape bend(double cx, double cy, double r, double a0, double a1) const {
        return arc(ox + cx * unit, oy + cy * unit, r * unit, a0, a1, half);
    }
};

double glyphWidth(char ch) {
    switch (ch) {
    case ' ':
        return 1.2;
    case 'I':
        return 0;
    case 'E':
        return 3.4;
    case 'L':
        return 3.3;
    default:
        return 4;
    }
}

std::vector<Shape> glyph(char ch, const Pen& p) {
    switch (ch) {
    case 'A':
        return {p.line(0, 6, 2, 0), p.line(2, 0, 4, 6), p.line(0.7, 4, 3.3, 4)};
    case 'C':
        return {p.bend(2, 2, 2, 180, 340), p.line(0, 2, 0, 4), p.bend(2, 4, 2, 20, 180)};
    case 'E':
        return {p.line(3.4, 0, 0, 0), p.line(0, 0, 0, 6), p.line(0, 6, 3.4, 6),
                p.line(0, 3, 2.7, 3)};
    case 'G':
        return {p.bend(2, 2, 2, 180, 340), p.line(0, 2, 0, 4), p.bend(2, 4, 2, 0, 180),
                p.line(4, 4, 4, 3.2), p.line(4, 3.2, 2.3, 3.2)};
    case 'H':
        return {p.line(0, 0, 0, 6), p.line(4, 0, 4, 6), p.line(0, 3, 4, 3)};
    case 'I':
        return {p.line(0, 0, 0, 6)};
    case 'K':
        return {p.line(0, 0, 0, 6), p.line(4, 0, 0, 4), p.line(1.4, 2.6, 4, 6)};
    case 'L':
        return {p.line(0, 0, 0, 6), p.line(0, 6, 3.3, 6)};
    case 'N':
        return {p.line(0, 6, 0, 0), p.line(0, 0, 4, 6), p.line(4, 6, 4, 0)};
    case 'O':
        return {p.bend(2, 2, 2, 180, 360), p.line(0, 2, 0, 4), p.line(4, 2, 4, 4),
                p.bend(2, 4, 2, 0, 180)};
    case 'P':
        return {p.line(0, 6, 0, 0), p.line(0, 0, 2.5, 0), p.line(0, 3, 2.5, 3),
                p.bend(2.5, 1.5, 1.5, 270, 450)};
    case 'R':
        return {p.line(0, 6, 0, 0), p.line(0, 0, 2.5, 0), p.line(0, 3, 2.5, 3),
                p.bend(2.5, 1.5, 1.5, 270, 450), p.line(2.2, 3, 4, 6)};
    case 'T':
        return {p.line(0, 0, 4, 0), p.line(2, 0, 2, 6)};
    case 'U':
        return {p.line(0, 0, 0, 4), p.line(4, 0, 4, 4), p.bend(2, 4, 2, 0, 180)};
    default:
        return {};
    }
}

constexpr double Spacing = 1.55;

double textWidth(std::string_view text, double unit) {
    double w = 0;
    for (const char ch : text)
        w += (glyphWidth(ch) + Spacing) * unit;
    return w - Spacing * unit;
}

Shape text(std::string_view text, double x, double y, double unit, double half) {
    std::vector<Shape> parts;
    for (const char ch : text) {
        for (Shape& s : glyph(ch, Pen{x, y, unit, half}))
            parts.push_back(std::move(s));
        x += (glyphWidth(ch) + Spacing) * unit;
    }
    return unite(std::move(parts));
}

Paint gold(double y0, double y1) {
    return verticalGradient(y0, Rgba{255, 240, 150, 255}, y1, Rgba{214, 140, 16, 255});
}

constexpr Rgba GoldEdge{110, 64, 0, 255};

/// Fills a shape in gold with a dark edge, as the trophies and the banner's button are drawn.
void goldShape(Canvas& c, const Shape& s, double y0, double y1) {
    c.fill(s, gold(y0, y1));
    c.fill(intersect(outline(s, 0.55), grow(s, 0.6)), withAlpha(GoldEdge, 200));
}

Shape star(double cx, double cy, double outer, double inner) {
    std::vector<std::pair<double, double>> points;
    for (int k = 0; k < 10; ++k) {
        const double a = (-90 + 36 * k) * std::numbers::pi / 180;
        const double r = k % 2 == 0 ? outer : inner;
        points.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a));
    }
    return polygon(std::move(points));
}

Canvas trophy() {
    Canvas c(25, 25, Black);
    const Shape bowl =
        intersect(unite({box(5.5, 3, 19.5, 8), circle(12.5, 8, 7)}), box(0, 3, 25, 25));
    const Shape handles = intersect(unite({ring(5.5, 8.5, 2.6, 0.9), ring(19.5, 8.5, 2.6, 0.9)}),
                                    subtract(box(0, 0, 25, 25), box(5.5, 0, 19.5, 25)));
    const Shape foot = unite({box(11.2, 14.5, 13.8, 18.5), roundedRect(8.5, 18, 16.5, 20.5, 1),
                              roundedRect(7, 20.5, 18, 23, 1)});
    goldShape(c, unite({bowl, handles, foot}), 3, 23);
    c.fill(segment(8.3, 5.2, 8.8, 10.5, 0.75), withAlpha(White, 200));
    c.fill(star(12.5, 8.3, 3, 1.3), withAlpha(GoldEdge, 160));
    return c;
}

Canvas bigStar() {
    Canvas c(25, 25, Black);
    goldShape(c, star(12.5, 13.2, 11.6, 4.8), 2, 23);
    c.fill(star(12.5, 13.2, 4.5, 1.9), withAlpha(White, 110));
    c.fill(segment(10.2, 8.0, 11.6, 4.6, 0.6), withAlpha(White, 210));
    return c;
}

Canvas crown() {
    Canvas c(25, 25, Black);
    const Shape body =
        polygon({{3.5, 19.5}, {3.5, 8}, {8.3, 13}, {12.5, 5}, {16.7, 13}, {21.5, 8}, {21.5, 19.5}});
    goldShape(c, body, 5, 20);
    goldShape(c, roundedRect(3, 17, 22, 21.5, 1), 16, 22);
    c.fill(circle(3.5, 7, 1.8), Rgba{255, 70, 70, 255});
    c.fill(circle(21.5, 7, 1.8), Rgba{255, 70, 70, 255});
    c.fill(circle(12.5, 4, 2), Rgba{80, 200, 255, 255});
    c.fill(circle(12.5, 19.2, 1.5), Rgba{80, 220, 120, 255});
    c.fill(circle(7.8, 19.2, 1.1), Rgba{255, 70, 70, 255});
    c.fill(circle(17.2, 19.2, 1.1), Rgba{255, 70, 70, 255});
    c.fill(circle(12.0, 3.4, 0.6), White);
    return c;
}

Canvas medal() {
    Canvas c(25, 25, Black);
    c.fill(polygon({{5, 0}, {10, 0}, {14.5, 10}, {11, 12}}), Rgba{40, 110, 230, 255});
    c.fill(polygon({{20, 0}, {15, 0}, {10.5, 10}, {14, 12}}), Rgba{220, 50, 60, 255});
    c.fill(segment(7.4, 0, 11.6, 9.5, 0.5), withAlpha(White, 90));
    goldShape(c, circle(12.5, 16.3, 7.6), 8.7, 24);
    c.fill(ring(12.5, 16.3, 5.6, 0.5), withAlpha(GoldEdge, 150));
    c.fill(star(12.5, 16.6, 4.3, 1.8), withAlpha(White, 190));
    return c;
}

} // namespace

Canvas drawBanner() {
    constexpr int W = 393;
    constexpr int H = 57;
    Canvas c(W, H, Black);
    const Shape frame = roundedRect(0.5, 0.5, W - 0.5, H - 0.5, 9);
    c.fill(frame, verticalGradient(0, Rgba{30, 48, 118, 255}, H, Rgba{8, 12, 40, 255}));
    // A faint well grid behind everything.
    for (int x = 14; x < W; x += 14)
        c.fill(intersect(box(x, 0, x + 1, H), grow(frame, -2)), withAlpha(White, 12));
    for (int y = 8; y < H; y += 14)
        c.fill(intersect(box(0, y, W, y + 1), grow(frame, -2)), withAlpha(White, 12));
    c.fill(outline(grow(frame, -1.5), 0.9), gold(0, H));

    // A T stone about to drop into the gap of a row.
    constexpr double s = 11.5;
    const double x0 = 15;
    const double y0 = 6;
    for (const auto& [col, row] : {std::pair{0, 0}, {1, 0}, {2, 0}, {1, 1}})
        glossyStone(c, x0 + col * s, y0 + row * s, s - 1, Rgba{176, 76, 236, 255});
    glossyStone(c, x0, y0 + 3 * s, s - 1, Rgba{40, 200, 80, 255});
    glossyStone(c, x0 + 2 * s, y0 + 3 * s, s - 1, Rgba{40, 130, 255, 255});
    glossyStone(c, x0 + 3 * s, y0 + 3 * s, s - 1, Rgba{255, 196, 0, 255});
    glossyStone(c, x0 + 3 * s, y0 + 2 * s, s - 1, Rgba{255, 70, 60, 255});

    constexpr std::string_view title = "PUNKTE ONLINE EINTRAGEN";
    constexpr std::string_view hint = "HIER KLICKEN";
    constexpr double unit = 2.25;
    const double tx = 78 + (W - 78 - 58 - textWidth(title, unit)) / 2;
    const Shape titleShape = text(title, tx, 10.5, unit, 1.25);
    c.fill(translate(titleShape, 1.4, 1.6), withAlpha(Black, 170));
    c.fill(titleShape, verticalGradient(10, White, 24, Rgba{255, 214, 90, 255}));
    constexpr double small = 1.25;
    const double hx = tx + (textWidth(title, unit) - textWidth(hint, small)) / 2;
    const Shape hintShape = text(hint, hx, 35, small, 0.8);
    c.fill(translate(hintShape, 1, 1), withAlpha(Black, 170));
    c.fill(hintShape, Rgba{120, 220, 255, 255});

    // The send button: a gold disc with an arrow.
    const double bx = W - 33;
    const double by = H / 2.0;
    c.fill(circle(bx + 1.5, by + 2, 16), withAlpha(Black, 120));
    goldShape(c, circle(bx, by, 16), by - 16, by + 16);
    c.fill(ring(bx, by, 12.5, 0.6), withAlpha(GoldEdge, 120));
    c.fill(polygon({{bx - 5, by - 9}, {bx + 9, by}, {bx - 5, by + 9}}), Rgba{70, 36, 0, 255});
    c.fill(segment(bx - 9, by - 10, bx - 3, by - 13.5, 1.0), withAlpha(White, 170));
    return c;
}

Canvas drawDecoration(int n) {
    switch (n) {
    case 1:
        return trophy();
    case 2:
        return bigStar();
    case 3:
        return crown();
    default:
        return medal();
    }
}

Canvas drawCursor() {
    Canvas c(32, 32, Clear);
    // Index finger up from a fist; the finger tip's outline is the hot spot (12, 1).
    const Shape hand = unite({
        roundedRect(10.1, 2.1, 14.9, 18, 2.4),                         // index finger
        roundedRect(14.6, 10.2, 18.8, 19, 2.1),                        // middle finger
        roundedRect(18.5, 11.2, 22.7, 20, 2.1),                        // ring finger
        roundedRect(22.4, 12.6, 26.2, 21, 1.9),                        // little finger
        roundedRect(10.1, 15, 26.2, 28.5, 4),                          // palm
        segment(6.2, 16.5, 10.5, 22.5, 2.2),                           // thumb
        polygon({{10.1, 28.5}, {12, 30.5}, {24, 30.5}, {26.2, 28.5}}), // wrist
    });
    c.fill(translate(grow(hand, 1.1), 1.2, 1.2), withAlpha(Black, 70));
    c.fill(grow(hand, 1.1), Black);
    c.fill(hand, verticalGradient(2, White, 30, grey(222)));
    const Rgba crease = grey(110);
    for (const double x : {14.75, 18.65, 22.55})
        c.fill(segment(x, 12.5 + (x - 14.75) * 0.3, x, 17.2, 0.45), crease);
    c.fill(segment(10.8, 20.5, 13.5, 22.5, 0.45), crease);
    return c;
}

Canvas drawIcon(int size) {
    // Designed on a 128 grid, as brixolan.svg: a T stone falling into the gap of a row.
    Canvas c(size, size, Clear);
    const double k = size / 128.0;
    constexpr double cell = 36;
    const auto at = [](int i) { return 8 + i * 38.0; };
    const Rgba purple{176, 76, 236, 255};
    for (const auto& [col, row] : {std::pair{0, 0}, {1, 0}, {2, 0}, {1, 1}})
        glossyStone(c, at(col) * k, at(row) * k, cell * k, purple);
    glossyStone(c, at(0) * k, at(2) * k, cell * k, Rgba{40, 200, 80, 255});
    glossyStone(c, at(2) * k, at(2) * k, cell * k, Rgba{40, 130, 255, 255});
    return c;
}

} // namespace art

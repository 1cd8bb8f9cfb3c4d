// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A tiny deterministic rasteriser for the game's bitmaps. It draws only geometry (no fonts,
// no platform paint engine), so the files come out byte for byte the same on every machine.

#include <QImage>
#include <functional>
#include <vector>

namespace art {

/// An 8-bit colour with straight alpha (0 transparent, 255 opaque).
struct Rgba {
    int r = 0;
    int g = 0;
    int b = 0;
    int a = 255;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

constexpr Rgba grey(int v) {
    return {v, v, v, 255};
}
constexpr Rgba withAlpha(Rgba c, int a) {
    return {c.r, c.g, c.b, a};
}

/// A shape as a signed distance in pixels: negative inside, positive outside. Pixel (x, y)
/// covers the square [x, x + 1) x [y, y + 1).
using Shape = std::function<double(double x, double y)>;
/// A fill colour that may vary over the picture.
using Paint = std::function<Rgba(double x, double y)>;

class Canvas {
public:
    Canvas(int width, int height, Rgba background);

    int width() const { return m_width; }
    int height() const { return m_height; }

    /// Exact writes: the pixel takes the colour as given, nothing is blended.
    void set(int x, int y, Rgba c);
    void fillRect(int x, int y, int w, int h, Rgba c);
    Rgba at(int x, int y) const;

    /// Antialiased fill over what is there, 4 x 4 samples per pixel.
    void fill(const Shape& shape, const Paint& paint);
    void fill(const Shape& shape, Rgba c);
    /// Pixels at least half covered take the colour exactly; the others stay. Used where a
    /// colour must stay pure, because a later recolouring matches it exactly.
    void fillHard(const Shape& shape, Rgba c);
    /// Fraction of pixel (x, y) inside the shape.
    static double coverage(const Shape& shape, int x, int y);

    QImage toRgb888() const;
    QImage toArgb32() const;

private:
    struct Px {
        double r, g, b, a; // colour 0..255, alpha 0..1
    };
    void blend(int x, int y, Rgba c, double cover);

    int m_width;
    int m_height;
    std::vector<Px> m_px;
};

// Shapes. Angles are in degrees on the screen: 0 points right, 90 down; an arc runs from a0 up
// to a1 (clockwise on the screen) and has round ends.
Shape circle(double cx, double cy, double r);
Shape segment(double x0, double y0, double x1, double y1, double halfWidth);
Shape arc(double cx, double cy, double r, double a0, double a1, double halfWidth);
Shape ring(double cx, double cy, double r, double halfWidth);
Shape roundedRect(double x0, double y0, double x1, double y1, double radius);
Shape polygon(std::vector<std::pair<double, double>> points);
Shape unite(std::vector<Shape> shapes);
Shape subtract(Shape a, Shape b);
Shape intersect(Shape a, Shape b);
/// The band of half width h around the shape's edge.
Shape outline(Shape s, double halfWidth);
/// Grows the shape by d pixels (shrinks for negative d).
Shape grow(Shape s, double d);
Shape translate(Shape s, double dx, double dy);
Shape scale(Shape s, double factor);
/// Turns the shape by 180 degrees about (cx, cy).
Shape rotate180(Shape s, double cx, double cy);

/// Colour from c0 at y0 to c1 at y1, held beyond both ends.
Paint verticalGradient(double y0, Rgba c0, double y1, Rgba c1);

} // namespace art

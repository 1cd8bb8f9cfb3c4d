// SPDX-License-Identifier: GPL-3.0-or-later
#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace art {

namespace {

constexpr int Samples = 4; // per axis

int channel(double v) {
    return std::clamp(int(std::lround(v)), 0, 255);
}

double length(double x, double y) {
    return std::sqrt(x * x + y * y);
}

double segmentDistance(double px, double py, double x0, double y0, double x1, double y1) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0, 1.0) : 0;
    return length(px - x0 - t * dx, py - y0 - t * dy);
}

double toRadians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

} // namespace

Canvas::Canvas(int width, int height, Rgba background)
    : m_width(width), m_height(height), m_px(std::size_t(width) * std::size_t(height),
                                             Px{double(background.r), double(background.g),
                                                double(background.b), background.a / 255.0}) {}

void Canvas::set(int x, int y, Rgba c) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_px[std::size_t(y * m_width + x)] = Px{double(c.r), double(c.g), double(c.b), c.a / 255.0};
}

void Canvas::fillRect(int x, int y, int w, int h, Rgba c) {
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx)
            set(xx, yy, c);
}

Rgba Canvas::at(int x, int y) const {
    const Px& p = m_px[std::size_t(y * m_width + x)];
    return {channel(p.r), channel(p.g), channel(p.b), channel(p.a * 255.0)};
}

double Canvas::coverage(const Shape& shape, int x, int y) {
    int inside = 0;
    for (int j = 0; j < Samples; ++j)
        for (int i = 0; i < Samples; ++i)
            if (shape(x + (i + 0.5) / Samples, y + (j + 0.5) / Samples) <= 0)
                ++inside;
    return double(inside) / (Samples * Samples);
}

void Canvas::blend(int x, int y, Rgba c, double cover) {
    Px& d = m_px[std::size_t(y * m_width + x)];
    const double sa = cover * c.a / 255.0;
    if (sa <= 0)
        return;
    const double outA = sa + d.a * (1 - sa);
    const auto mix = [&](double s, double dst) { return (s * sa + dst * d.a * (1 - sa)) / outA; };
    d = Px{mix(c.r, d.r), mix(c.g, d.g), mix(c.b, d.b), outA};
}

void Canvas::fill(const Shape& shape, const Paint& paint) {
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            const double cover = coverage(shape, x, y);
            if (cover > 0)
                blend(x, y, paint(x + 0.5, y + 0.5), cover);
        }
}

void Canvas::fill(const Shape& shape, Rgba c) {
    fill(shape, [c](double, double) { return c; });
}

void Canvas::fillHard(const Shape& shape, Rgba c) {
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (coverage(shape, x, y) >= 0.5)
                set(x, y, c);
}

QImage Canvas::toRgb888() const {
    QImage image(m_width, m_height, QImage::Format_RGB888);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            const Rgba c = at(x, y);
            image.setPixel(x, y, qRgb(c.r, c.g, c.b));
        }
    return image;
}

QImage Canvas::toArgb32() const {
    QImage image(m_width, m_height, QImage::Format_ARGB32);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            const Rgba c = at(x, y);
            // Fully transparent pixels carry no colour, which keeps the files small and equal.
            image.setPixel(x, y, c.a == 0 ? 0u : qRgba(c.r, c.g, c.b, c.a));
        }
    return image;
}

Shape circle(double cx, double cy, double r) {
    return [=](double x, double y) { return length(x - cx, y - cy) - r; };
}

Shape segment(double x0, double y0, double x1, double y1, double halfWidth) {
    return [=](double x, double y) { return segmentDistance(x, y, x0, y0, x1, y1) - halfWidth; };
}

Shape arc(double cx, double cy, double r, double a0, double a1, double halfWidth) {
    const double start = toRadians(a0);
    const double sweep = toRadians(a1 - a0);
    const double ex0 = cx + r * std::cos(start);
    const double ey0 = cy + r * std::sin(start);
    const double ex1 = cx + r * std::cos(start + sweep);
    const double ey1 = cy + r * std::sin(start + sweep);
    return [=](double x, double y) {
        double angle = std::atan2(y - cy, x - cx) - start;
        angle = std::fmod(angle, 2 * std::numbers::pi);
        if (angle < 0)
            angle += 2 * std::numbers::pi;
        if (angle <= sweep)
            return std::abs(length(x - cx, y - cy) - r) - halfWidth;
        return std::min(length(x - ex0, y - ey0), length(x - ex1, y - ey1)) - halfWidth;
    };
}

Shape ring(double cx, double cy, double r, double halfWidth) {
    return [=](double x, double y) { return std::abs(length(x - cx, y - cy) - r) - halfWidth; };
}

Shape roundedRect(double x0, double y0, double x1, double y1, double radius) {
    const double cx = (x0 + x1) / 2;
    const double cy = (y0 + y1) / 2;
    const double hx = (x1 - x0) / 2 - radius;
    const double hy = (y1 - y0) / 2 - radius;
    return [=](double x, double y) {
        const double qx = std::abs(x - cx) - hx;
        const double qy = std::abs(y - cy) - hy;
        return length(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) -
               radius;
    };
}

Shape polygon(std::vector<std::pair<double, double>> points) {
    return [pts = std::move(points)](double x, double y) {
        double best = 1e9;
        bool inside = false;
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const auto [xi, yi] = pts[i];
            const auto [xj, yj] = pts[j];
            best = std::min(best, segmentDistance(x, y, xi, yi, xj, yj));
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
                inside = !inside;
        }
        return inside ? -best : best;
    };
}

Shape unite(std::vector<Shape> shapes) {
    return [list = std::move(shapes)](double x, double y) {
        double d = 1e9;
        for (const Shape& s : list)
            d = std::min(d, s(x, y));
        return d;
    };
}

Shape subtract(Shape a, Shape b) {
    return [=](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

Shape intersect(Shape a, Shape b) {
    return [=](double x, double y) { return std::max(a(x, y), b(x, y)); };
}

Shape outline(Shape s, double halfWidth) {
    return [=](double x, double y) { return std::abs(s(x, y)) - halfWidth; };
}

Shape grow(Shape s, double d) {
    return [=](double x, double y) { return s(x, y) - d; };
}

Shape translate(Shape s, double dx, double dy) {
    return [=](double x, double y) { return s(x - dx, y - dy); };
}

Shape scale(Shape s, double factor) {
    return [=](double x, double y) { return s(x / factor, y / factor) * factor; };
}

Shape rotate180(Shape s, double cx, double cy) {
    return [=](double x, double y) { return s(2 * cx - x, 2 * cy - y); };
}

Paint verticalGradient(double y0, Rgba c0, double y1, Rgba c1) {
    return [=](double, double y) {
        const double t = std::clamp((y - y0) / (y1 - y0), 0.0, 1.0);
        const auto mix = [t](int a, int b) { return channel(a + (b - a) * t); };
        return Rgba{mix(c0.r, c1.r), mix(c0.g, c1.g), mix(c0.b, c1.b), mix(c0.a, c1.a)};
    };
}

} // namespace art

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace brixolan {

/// A picture surface with a persistent image: everything is drawn into the image, and the
/// widget shows it. The image holds device pixels, so on a HiDPI screen bitmap copies are
/// scaled by whole pixels without smoothing while text is drawn at full resolution.
class Surface : public QWidget {
    Q_OBJECT
public:
    explicit Surface(QWidget* parent = nullptr);

    /// Sets the logical size, at most MaxSurfaceSide a side, and starts a fresh image in the
    /// background colour.
    void setSurfaceSize(QSize logicalSize);
    static constexpr int MaxSurfaceSide = 4096;
    QSize surfaceSize() const { return m_logicalSize; }

    void setBackground(const QColor& color);

    /// Fills the whole image with the background colour.
    void clear();
    /// Fills a rectangle (logical pixels) with a colour.
    void fill(const QRect& rect, const QColor& color);
    /// Copies the cell-sized rectangle at (0, 0) of `source` to (x, y), replacing the pixels.
    /// A null source copies nothing and returns false.
    bool copyCell(const QImage& source, QSize cell, QPoint target);
    /// Draws `text` centred on the surface in `font` and `color`; only the glyphs are drawn.
    void drawCentredText(const QString& text, const QFont& font, const QColor& color);

    /// The image (device pixels; its devicePixelRatio() tells the scale).
    const QImage& image() const { return m_image; }
    /// Colour at a logical pixel, read from the middle of the device pixels it covers.
    QColor colorAt(QPoint logical) const;

    /// Puts the drawn image on the screen.
    void refresh() { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void rebuildImage();

    QSize m_logicalSize;
    QColor m_background = Qt::black;
    QImage m_image;
};

} // namespace brixolan

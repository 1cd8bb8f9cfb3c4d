// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <vector>

namespace brixolan {

/// A picture surface with a persistent image: everything is drawn into the image, and the
/// widget shows it. Callers draw in logical pixels; the surface shows them at its display
/// scale (below 1 where the window would not fit the screen). The image holds device pixels
/// of what is shown, so on a HiDPI screen bitmap copies are scaled by whole pixels without
/// smoothing while text is drawn at full resolution; any other scale is smoothed.
class Surface : public QWidget {
    Q_OBJECT
public:
    explicit Surface(QWidget* parent = nullptr);

    /// Sets the logical size, at most MaxSurfaceSide a side, and starts a fresh image in the
    /// background colour.
    void setSurfaceSize(QSize logicalSize);
    static constexpr int MaxSurfaceSide = 4096;
    QSize surfaceSize() const { return m_logicalSize; }
    /// Shows the surface at `scale` times its logical size; a fresh image, as above.
    void setDisplayScale(qreal scale);
    /// Where a logical rectangle stands on the widget: edges rounded to whole pixels, so that
    /// neighbouring cells share their edges and leave no seam.
    QRect shownRect(const QRect& logical) const;

    void setBackground(const QColor& color);

    /// Fills the whole image with the background colour.
    void clear();
    /// Fills a rectangle (logical pixels) with a colour.
    void fill(const QRect& rect, const QColor& color);
    /// Copies the cell-sized rectangle at (0, 0) of `source` to (x, y), replacing the pixels.
    /// A null source copies nothing.
    void copyCell(const QImage& source, QSize cell, QPoint target);
    /// Draws `text` centred on the surface in `font` and `color`; only the glyphs are drawn.
    void drawCentredText(const QString& text, const QFont& font, const QColor& color);

    /// The image (device pixels; its devicePixelRatio() tells the scale).
    const QImage& image() const { return m_image; }

    /// Puts a logical rectangle of the drawn image on the screen.
    void refresh(const QRect& logical) { update(shownRect(logical)); }

signals:
    /// The image was made afresh, empty, for a new pixel ratio of the screen: whatever it
    /// showed must be drawn on it again.
    void imageRenewed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    /// Device pixels per logical pixel of an image made for the screen the surface is on now.
    qreal imageRatio() const;
    void rebuildImage();
    int shown(int logical) const;
    /// `cell` of `source` at the device size it covers on the image, smoothed; remembered,
    /// since the same few tiles are drawn again and again.
    const QImage& scaledCell(const QImage& source, QSize cell, QSize device);

    QSize m_logicalSize;
    qreal m_scale = 1.0;
    /// The ratio the image was made for; kept apart from the image's, which a failed
    /// allocation (a null image) loses.
    qreal m_ratio = 1.0;
    struct ScaledCell {
        qint64 key;
        QSize device;
        QImage image;
    };
    std::vector<ScaledCell> m_scaled;
    QColor m_background = Qt::black;
    QImage m_image;
};

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#include "Surface.h"

#include <QPainter>
#include <cmath>

namespace brixolan {

Surface::Surface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    rebuildImage();
}

void Surface::setSurfaceSize(QSize logicalSize) {
    // Sizes follow bitmaps that anyone can replace; no screen shows more than this, and a
    // 4000-pixel stone would otherwise ask for a well image of 12.8 GB.
    m_logicalSize = logicalSize.boundedTo(QSize(MaxSurfaceSide, MaxSurfaceSide));
    rebuildImage();
}

void Surface::setDisplayScale(qreal scale) {
    m_scale = scale > 0 ? scale : 1.0;
    rebuildImage();
}

int Surface::shown(int logical) const {
    return m_scale == 1.0 ? logical : int(std::lround(logical * m_scale));
}

QRect Surface::shownRect(const QRect& logical) const {
    const QPoint topLeft(shown(logical.left()), shown(logical.top()));
    const QPoint end(shown(logical.left() + logical.width()),
                     shown(logical.top() + logical.height()));
    return {topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())};
}

void Surface::setBackground(const QColor& color) {
    m_background = color;
}

qreal Surface::imageRatio() const {
    // Whole device pixels per logical pixel keep tiles crisp on fractional scales too.
    return std::max<qreal>(1.0, std::ceil(devicePixelRatioF() - 0.01));
}

void Surface::rebuildImage() {
    const qreal ratio = imageRatio();
    m_ratio = ratio;
    const QSize size = shownRect(QRect(QPoint(0, 0), m_logicalSize)).size();
    if (m_logicalSize.isValid())
        setFixedSize(size);
    m_scaled.clear();
    const QSize pixels(std::max(1, int(size.width() * ratio)),
                       std::max(1, int(size.height() * ratio)));
    m_image = QImage(pixels, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(ratio);
    m_image.fill(m_background);
    update();
}

void Surface::clear() {
    m_image.fill(m_background);
}

void Surface::fill(const QRect& rect, const QColor& color) {
    QPainter painter(&m_image);
    painter.fillRect(shownRect(rect), color);
}

void Surface::copyCell(const QImage& source, QSize cell, QPoint target) {
    if (source.isNull())
        return;
    QPainter painter(&m_image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect from(QPoint(0, 0), cell.boundedTo(source.size()));
    const QRect to = shownRect(QRect(target, from.size()));
    const qreal ratio = m_image.devicePixelRatio();
    const QSize device(int(to.width() * ratio), int(to.height() * ratio));
    // Whole multiples (the HiDPI case) keep every bitmap pixel a crisp block; any other size
    // is averaged, which a plain scaling of a pixel pattern would tear apart.
    if (device.width() % from.width() == 0 && device.height() % from.height() == 0) {
        painter.drawImage(to, source, from);
    } else if (!device.isEmpty()) {
        painter.drawImage(to.topLeft(), scaledCell(source, from.size(), device));
    }
}

const QImage& Surface::scaledCell(const QImage& source, QSize cell, QSize device) {
    for (const ScaledCell& known : m_scaled)
        if (known.key == source.cacheKey() && known.device == device)
            return known.image;
    if (m_scaled.size() >= 64) // bitmaps replaced by a scheme leave theirs behind
        m_scaled.clear();
    QImage scaled = source.copy(QRect(QPoint(0, 0), cell))
                        .scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(m_image.devicePixelRatio());
    m_scaled.push_back({source.cacheKey(), device, std::move(scaled)});
    return m_scaled.back().image;
}

void Surface::drawCentredText(const QString& text, const QFont& font, const QColor& color) {
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.scale(m_scale, m_scale);
    painter.setFont(font);
    painter.setPen(color);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.height();
    const int x = (m_logicalSize.width() - width) / 2;
    const int y = (m_logicalSize.height() - height) / 2;
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

void Surface::paintEvent(QPaintEvent*) {
    // Qt tells of another pixel ratio only by painting at it: the window went to a screen of
    // another scale, or the desktop's scale changed. An image made for the old one would be
    // shown blurred or with pixels dropped.
    if (imageRatio() != m_ratio) {
        rebuildImage();
        emit imageRenewed();
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), m_image);
}

} // namespace brixolan

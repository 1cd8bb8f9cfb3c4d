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
    setFixedSize(m_logicalSize);
    rebuildImage();
}

void Surface::setBackground(const QColor& color) {
    m_background = color;
}

void Surface::rebuildImage() {
    // Whole device pixels per logical pixel keep tiles crisp on fractional scales too.
    const qreal ratio = std::max<qreal>(1.0, std::ceil(devicePixelRatioF() - 0.01));
    const QSize pixels(std::max(1, int(m_logicalSize.width() * ratio)),
                       std::max(1, int(m_logicalSize.height() * ratio)));
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
    painter.fillRect(rect, color);
}

bool Surface::copyCell(const QImage& source, QSize cell, QPoint target) {
    if (source.isNull())
        return false;
    QPainter painter(&m_image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect from(QPoint(0, 0), cell.boundedTo(source.size()));
    painter.drawImage(QRect(target, from.size()), source, from);
    return true;
}

void Surface::drawCentredText(const QString& text, const QFont& font, const QColor& color) {
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    painter.setPen(color);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text);
    const int height = metrics.height();
    const int x = (m_logicalSize.width() - width) / 2;
    const int y = (m_logicalSize.height() - height) / 2;
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

QColor Surface::colorAt(QPoint logical) const {
    const qreal ratio = m_image.devicePixelRatio();
    const int x = int(logical.x() * ratio + ratio / 2);
    const int y = int(logical.y() * ratio + ratio / 2);
    if (!m_image.valid(x, y))
        return {};
    return m_image.pixelColor(x, y);
}

void Surface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(QPoint(0, 0), m_logicalSize), m_image);
}

} // namespace brixolan

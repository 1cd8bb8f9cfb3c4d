// SPDX-License-Identifier: GPL-3.0-or-later
#include "Geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace brixolan {

qreal fittingScale(QSize natural, QSize available, int cell) {
    if (natural.isEmpty() || available.isEmpty())
        return 1.0;
    const qreal largest = std::min(qreal(available.width()) / natural.width(),
                                   qreal(available.height()) / natural.height());
    if (largest >= 1.0)
        return 1.0;
    const int pixels = int(std::floor(largest * cell));
    return pixels >= 1 ? qreal(pixels) / cell : largest;
}

QPoint besidePosition(QRect anchor, QSize frame, QRect area) {
    int x = anchor.right() + 1;
    if (x + frame.width() - 1 > area.right()) {
        x = anchor.left() - frame.width();
        if (x < area.left())
            x = area.right() + 1 - frame.width();
    }
    const int y = std::clamp(anchor.top(), area.top(),
                             std::max(area.top(), area.bottom() + 1 - frame.height()));
    return {std::max(x, area.left()), y};
}

void placeOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    // Bottom and right first, so that a window larger than the area ends at its top left.
    if (frame.bottom() > area.bottom())
        frame.moveBottom(area.bottom());
    if (frame.right() > area.right())
        frame.moveRight(area.right());
    if (frame.top() < area.top())
        frame.moveTop(area.top());
    if (frame.left() < area.left())
        frame.moveLeft(area.left());
    window->move(frame.topLeft());
}

} // namespace brixolan

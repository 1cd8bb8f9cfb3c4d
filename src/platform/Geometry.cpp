// SPDX-License-Identifier: GPL-3.0-or-later
#include "Geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace brixolan {

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

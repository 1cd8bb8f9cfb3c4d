// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace brixolan::fakes {

/// Runs `answer` on the modal window as soon as one is open, and on the next ones, `times` in
/// all: the player's reaction to windows that run with exec() and block the test meanwhile.
inline void whenModal(std::function<void(QWidget*)> answer, int times = 1) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll,
                     [poll, answer = std::move(answer), times]() mutable {
                         if (QWidget* modal = QApplication::activeModalWidget()) {
                             if (--times == 0) {
                                 poll->stop();
                                 poll->deleteLater();
                             }
                             answer(modal);
                         }
                     });
    poll->start(1);
}

} // namespace brixolan::fakes

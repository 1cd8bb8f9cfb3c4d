// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

namespace brixolan {

/// "Bitte warten ..." while bitmaps are built or loaded. Only ever shown and hidden.
class WaitWindow : public QWidget {
    Q_OBJECT
public:
    explicit WaitWindow(QWidget* parent = nullptr);
    /// Shows the window and paints it at once, before the work that follows blocks.
    void showNow();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QPointer<QWidget> m_focus;
};

/// The splash window shown while the game starts.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
    void showNow();
};

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;

namespace brixolan {

/// Application-wide: a key belongs to the window that saw it go down. While it is held, its
/// repeats and its release never act in another window, such as the table that opens at game
/// over under a held drop key or a window that replaces a dialog closed by a held Return. A key
/// pressed after that window appeared acts in it as usual; one that reaches a window already
/// closed acts nowhere.
class HeldKeyFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Whether the key event, about to reach `window`, is withheld from it.
    bool withhold(const QKeyEvent& key, QWidget* window);

    struct Held {
        QPointer<QWidget> window; // where the key went down; a closed window reads as null
        quint64 releasedAt = 0;   // time of its last release
    };
    QHash<quint32, Held> m_keys;
};

} // namespace brixolan

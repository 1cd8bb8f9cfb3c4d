// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeldKeyFilter.h"

#include <QKeyEvent>
#include <QWidget>

namespace brixolan {

namespace {

/// The physical key, so that a release matches its press whatever the modifiers made of it;
/// synthetic events without a scan code fall back to the key.
quint32 physicalKey(const QKeyEvent& key) {
    return key.nativeScanCode() != 0 ? key.nativeScanCode() : 0x80000000u | quint32(key.key());
}

} // namespace

bool HeldKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease ||
         type == QEvent::ShortcutOverride) &&
        watched->isWidgetType() &&
        withhold(*static_cast<QKeyEvent*>(event), static_cast<QWidget*>(watched)->window())) {
        // An accepted override keeps the key from firing a shortcut of the new window.
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool HeldKeyFilter::withhold(const QKeyEvent& key, QWidget* window) {
    const quint32 id = physicalKey(key);
    const auto known = m_keys.find(id);
    if (key.type() == QEvent::KeyRelease) {
        if (known == m_keys.end())
            return false; // went down before any of our windows had the keyboard
        if (!key.isAutoRepeat())
            known->releasedAt = key.timestamp();
        return known->window != window;
    }
    // X11 repeats a held key as a release and a press of the same time, and Qt does not always
    // see the pair as one when the program is busy: such a press is a repeat too.
    const bool repeat = key.isAutoRepeat() || (known != m_keys.end() && key.timestamp() != 0 &&
                                               key.timestamp() == known->releasedAt);
    if (!window->isVisible()) {
        // Fast keys can still reach a window just closed, such as the menu whose item the key
        // before chose. There a press acts nowhere, and a new one makes the key nobody's: held
        // on, it repeats in the window that has the keyboard now.
        if (!repeat)
            m_keys.remove(id);
        return true;
    }
    if (!repeat) {
        // A new press (its shortcut check comes first): from now on the key is this window's.
        m_keys.insert(id, Held{window, 0});
        return false;
    }
    return known != m_keys.end() && known->window != window;
}

} // namespace brixolan

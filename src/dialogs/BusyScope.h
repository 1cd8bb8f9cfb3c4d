#pragma once

#include "WaitWindow.h"

#include <QWidget>

namespace brixolan {

/// While pixel work runs the dialog takes no clicks and "Bitte warten ..." stands in front.
/// The wait window can be hidden early, so that it never covers a message box.
class BusyScope {
public:
    BusyScope(QWidget& window, WaitWindow& wait) : m_window(window), m_wait(wait) {
        m_window.setEnabled(false);
        m_wait.showNow();
    }
    ~BusyScope() {
        endWait();
        m_window.setEnabled(true);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

    void endWait() { m_wait.hide(); }

private:
    QWidget& m_window;
    WaitWindow& m_wait;
};

} // namespace brixolan

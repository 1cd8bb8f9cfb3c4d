// SPDX-License-Identifier: GPL-3.0-or-later
#include "SessionEnd.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace brixolan {

namespace {

constexpr std::array<int, 3> EndSignals = {SIGTERM, SIGHUP, SIGINT};

// Written by the signal handler, read by the event loop: a handler may do no more than this.
int signalSocket[2] = {-1, -1};

void onEndSignal(int number) {
    const int saved = errno;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(signalSocket[0], &byte, 1);
    errno = saved;
}

void handleEndSignals(QWidget* mainWindow) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSocket) != 0)
        return; // the signals keep their default: the program ends at once
    // A full socket must not hold the handler; one byte already says enough.
    ::fcntl(signalSocket[0], F_SETFL, ::fcntl(signalSocket[0], F_GETFL) | O_NONBLOCK);
    auto* notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, mainWindow);
    QObject::connect(notifier, &QSocketNotifier::activated, mainWindow, [mainWindow] {
        char bytes[16];
        [[maybe_unused]] const ssize_t read = ::read(signalSocket[1], bytes, sizeof bytes);
        // From now on any of them ends the program at once: a player's message box or a save
        // that waits must not keep it alive against a second request.
        for (const int number : EndSignals) {
            struct sigaction current {};
            if (::sigaction(number, nullptr, &current) == 0 && current.sa_handler == onEndSignal)
                std::signal(number, SIG_DFL);
        }
        mainWindow->close();
    });
    struct sigaction action {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND: a second signal ends the program even when the event loop is held.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int number : EndSignals) {
        // One ignored from the start (nohup) stays ignored: the player asked for that.
        struct sigaction inherited {};
        if (::sigaction(number, nullptr, &inherited) == 0 && inherited.sa_handler != SIG_IGN)
            ::sigaction(number, &action, nullptr);
    }
}

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

/// The window manager's close request (WM_DELETE_WINDOW) for the main window. The toolkit
/// drops it while one of our windows blocks the main window; taken here, it closes the main
/// window in every case, as the close box does.
class CloseRequests : public QObject, public QAbstractNativeEventFilter {
public:
    CloseRequests(QWidget* mainWindow, xcb_connection_t* connection)
        : QObject(mainWindow), m_main(mainWindow),
          m_protocols(internAtom(connection, "WM_PROTOCOLS")),
          m_delete(internAtom(connection, "WM_DELETE_WINDOW")) {
        qApp->installNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t" || !m_main)
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
            return false;
        const auto* request = static_cast<const xcb_client_message_event_t*>(message);
        if (request->window != m_main->winId() || request->type != m_protocols ||
            request->format != 32 || request->data.data32[0] != m_delete ||
            m_delete == XCB_ATOM_NONE)
            return false;
        // Not from inside the toolkit's event handling: once it is done.
        QMetaObject::invokeMethod(m_main, &QWidget::close, Qt::QueuedConnection);
        return true;
    }

private:
    QPointer<QWidget> m_main;
    xcb_atom_t m_protocols;
    xcb_atom_t m_delete;
};

} // namespace

void endInOrderWhenTheSessionEnds(QWidget* mainWindow) {
    handleEndSignals(mainWindow);
    if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>())
        new CloseRequests(mainWindow, x11->connection());
}

} // namespace brixolan

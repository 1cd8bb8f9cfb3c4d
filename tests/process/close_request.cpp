// SPDX-License-Identifier: GPL-3.0-or-later
// Sends a window the window manager's close request (WM_DELETE_WINDOW), as a window manager
// does for its close button or at a logout. Usage: close_request <window id>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

static xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

int main(int argc, char* argv[]) {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (argc != 2 || xcb_connection_has_error(connection))
        return 2;
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    request.type = atom(connection, "WM_PROTOCOLS");
    request.data.data32[0] = atom(connection, "WM_DELETE_WINDOW");
    request.data.data32[1] = XCB_CURRENT_TIME;
    xcb_generic_error_t* error = xcb_request_check(
        connection, xcb_send_event_checked(connection, 0, request.window, XCB_EVENT_MASK_NO_EVENT,
                                           reinterpret_cast<const char*>(&request)));
    const bool failed = error != nullptr;
    std::free(error);
    xcb_disconnect(connection);
    return failed ? 1 : 0;
}

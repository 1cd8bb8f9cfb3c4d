// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace brixolan {

/// From here on the program ends in order when its session ends from outside: SIGTERM, SIGHUP
/// and SIGINT, and a close request for the main window that the toolkit would drop while one
/// of our windows blocks it (a logout, the window manager's close). Each closes the main
/// window the way its close box does, so the open windows close and save on the way and the
/// program ends with status 0. A second signal of the same kind ends the program at once, for
/// when the first one finds it waiting for the player.
void endInOrderWhenTheSessionEnds(QWidget* mainWindow);

} // namespace brixolan

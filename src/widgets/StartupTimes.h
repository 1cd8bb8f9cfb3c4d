// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace brixolan {

/// With BRIXOLAN_STARTUP_TIMES set, writes to stderr under `phase` the time since the first call
/// and since the last one, the main thread's CPU time and the process's page faults since the
/// last one (on the first line: since exec); otherwise does nothing. The first call starts the
/// clock.
void startupPhase(const char* phase);

/// With BRIXOLAN_STARTUP_TIMES set, reports the phases "<name> exposed" and "<name> painted"
/// once, when `window` first comes on the screen.
void startupPhaseAtFirstPaint(QWidget* window, const char* name);

} // namespace brixolan

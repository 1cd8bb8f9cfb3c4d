// SPDX-License-Identifier: GPL-3.0-or-later
// A script for brixolan-sim, as anyone may type or generate it.
#include "FuzzMain.h"

BRIXOLAN_FUZZER(brixolan::fuzz::checkSimulator)

// SPDX-License-Identifier: GPL-3.0-or-later
// A bitmap under Grafiken or scr, as anyone may replace it.
#include "FuzzMain.h"

BRIXOLAN_FUZZER(brixolan::fuzz::checkBitmap)

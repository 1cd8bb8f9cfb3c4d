// SPDX-License-Identifier: GPL-3.0-or-later
// "Brixolan.dat" as anyone may leave it in the program folder.
#include "FuzzMain.h"

BRIXOLAN_FUZZER(brixolan::fuzz::checkSettings)

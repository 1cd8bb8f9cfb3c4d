// SPDX-License-Identifier: GPL-3.0-or-later
// "Brixolan.brx-journal" as anyone may leave it in the program folder, read at a start.
#include "FuzzMain.h"

BRIXOLAN_FUZZER(brixolan::fuzz::checkJournal)

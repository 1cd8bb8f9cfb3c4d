// SPDX-License-Identifier: GPL-3.0-or-later
// "score.sre" as anyone may leave it in the program folder.
#include "FuzzMain.h"

BRIXOLAN_FUZZER(brixolan::fuzz::checkScoreFile)

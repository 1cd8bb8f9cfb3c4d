// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <string>

namespace brixolan::fuzz {

// Each runs one input through a reader the way the game does and checks what must hold for
// every input. The result names the first broken promise; empty when all hold. The fuzzers
// and the replay test in the ordinary suite share them.

/// "score.sre": parsing, the 32-bit conversion and ranking of every score, and that what we
/// write from a table reads back as the same table.
std::string checkScoreFile(const QByteArray& bytes);

/// "Brixolan.dat": the free-format fields, the ranges of the values, and that what we write
/// from them reads back the same.
std::string checkSettings(const QByteArray& bytes);

/// A bitmap: the check before decoding; a bitmap that passes is decoded and drawn as the
/// resource store does, and our own encoding of it passes the check and decodes to the same
/// pixels.
std::string checkBitmap(const QByteArray& bytes);

/// A script for brixolan-sim, options from its first line: every line is run or refused with
/// status 2 and a message; nothing crashes.
std::string checkSimulator(const QByteArray& bytes);

/// "Brixolan.brx-journal" as anyone may leave it, at a start: nothing outside the program
/// folder and none of the game's or the player's files is touched but the one bitmap a batch
/// left waiting; the temporaries go; the journal is dealt with once, completed silently or set
/// aside with a message. "@/" in the input stands for the folder around the program folder.
std::string checkJournal(const QByteArray& bytes);

} // namespace brixolan::fuzz

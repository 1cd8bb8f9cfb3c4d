// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace brixolan {

/// A German text for a system error number (errno) that a player can meet while the game
/// reads or saves its files, for use inside the German messages. The system's own text
/// follows the locale (English under C, Turkish under tr_TR) and is never used; an error
/// outside the table is named by its number.
QString errorText(int error);

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScoreTable.h"

#include <QString>
#include <ostream>

// Readable failure messages for the Qt and game types the tests compare.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace brixolan {
inline void PrintTo(const ScoreEntry& entry, std::ostream* out) {
    *out << '{' << entry.name.toStdString() << ", " << entry.score.toStdString() << '}';
}
} // namespace brixolan

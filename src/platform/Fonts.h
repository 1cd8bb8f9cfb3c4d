#pragma once

#include <QFont>

namespace brixolan {

/// The three type faces of the game, asked for by name; where a machine lacks one, a free
/// look-alike stands in. The choice lives here only.
QFont captionFont(qreal pointSize);  ///< "Westminster"
QFont comicFont(qreal pointSize);    ///< "Comic Sans MS"
QFont sansSerifFont(qreal pointSize); ///< "MS Sans Serif"

} // namespace brixolan

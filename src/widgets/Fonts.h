// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

class QLabel;

namespace brixolan {

/// The three type faces of the game, asked for by name; where a machine lacks one, a free
/// look-alike stands in. The choice lives here only.
QFont captionFont(qreal pointSize);   ///< "Westminster"
QFont comicFont(qreal pointSize);     ///< "Comic Sans MS"
QFont sansSerifFont(qreal pointSize); ///< "MS Sans Serif"

/// The stand-in faces run wider than the ones the windows were laid out for: a caption keeps
/// its size and height and is condensed until `text` fits `width`.
QFont condensedToFit(QFont font, const QString& text, int width);

} // namespace brixolan

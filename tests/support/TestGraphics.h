// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QSize>
#include <QString>

namespace brixolan::fakes {

/// Solid colour of the stone tile with code `code` in a test graphics set.
QColor stoneColor(int code);
/// Solid colour of digit `digit` in a test graphics set.
QColor digitColor(int digit);

/// Writes the seventeen bitmaps under `<folder>/Grafiken` as solid, distinct colours
/// (stones 25 x 25, digits 25 x 42), so that tests can tell every tile by one pixel.
void writeTestGraphics(const QString& folder);

/// Writes scheme sources under `<folder>/scr` as solid colours, so that both scheme dialogs
/// can apply their schemes.
void writeSchemeSources(const QString& folder);

/// Writes a solid 24-bit bitmap of the given size.
void writeSolidBitmap(const QString& path, QSize size, const QColor& color);

} // namespace brixolan::fakes

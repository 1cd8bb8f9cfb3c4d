// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReadFile.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace brixolan {

/// Checks the header of a Windows bitmap before it reaches the image decoder: magic, header
/// sizes, dimensions, bit depth, compression and that the pixel data lies inside the file.
bool isPlausibleBitmap(const QByteArray& bytes);

/// The picture of a bitmap file's bytes; a null image when it fails the check or the decoder.
/// Every pixel is defined: where a run-length bitmap skips pixels (a jump, a line or the
/// picture ended early) they are black.
QImage decodeBitmap(const QByteArray& bytes);

/// The image as a 24-bit Windows bitmap file.
QByteArray encodeBitmap(const QImage& image);

/// Reads a bitmap file; a null image when it is missing, no regular file, too large,
/// unreadable or no bitmap.
QImage readBitmapFile(const QString& path);

/// Reads a picture the windows show: a bitmap as above, or a PNG file no larger a side than a
/// bitmap may be. A null image when there is none.
QImage readPictureFile(const QString& path);

} // namespace brixolan

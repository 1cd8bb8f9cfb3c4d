#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace brixolan {

/// Largest side we accept; larger files are taken as damaged rather than handed to the decoder.
inline constexpr int MaxBitmapSide = 8192;

/// Checks the header of a Windows bitmap before it reaches the image decoder: magic, header
/// sizes, dimensions, bit depth, compression and that the pixel data lies inside the file.
bool isPlausibleBitmap(const QByteArray& bytes);

/// Reads a bitmap file; a null image when it is missing, unreadable or fails the check.
QImage readBitmapFile(const QString& path);

} // namespace brixolan

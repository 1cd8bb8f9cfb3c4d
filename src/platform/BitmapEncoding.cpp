// SPDX-License-Identifier: GPL-3.0-or-later
// Apart from AtomicWrite.cpp: a program that saves but draws nothing links no QtGui.
#include "AtomicWrite.h"

#include <QBuffer>

namespace brixolan {

QByteArray encodeBitmap(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return bytes;
}

} // namespace brixolan

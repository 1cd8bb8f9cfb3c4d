// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestGraphics.h"

#include "GraphicsFiles.h"
#include <QDir>
#include <QFileInfo>
#include <QImage>

namespace brixolan::fakes {

QColor stoneColor(int code) {
    // Far apart in every channel so that a wrong tile is never mistaken for the right one.
    return QColor((code * 53) % 256, 255 - (code * 11) % 200, (code * 97) % 256);
}

QColor digitColor(int digit) {
    return QColor(20 + digit * 23, 250 - digit * 20, 60 + digit * 5);
}

void writeSolidBitmap(const QString& path, QSize size, const QColor& color) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(size, QImage::Format_RGB888);
    image.fill(color);
    image.save(path, "BMP");
}

void writeTestGraphics(const QString& folder) {
    for (const GraphicsFile& file : GraphicsFiles) {
        const bool stone = file.kind == GraphicKind::Stone;
        writeSolidBitmap(folder + '/' + file.path, stone ? QSize(25, 25) : QSize(25, 42),
                         stone ? stoneColor(file.element) : digitColor(file.number));
    }
}

void writeSchemeSources(const QString& folder) {
    for (int n = 1; n <= 7; ++n)
        writeSolidBitmap(folder + QStringLiteral("/scr/%1.bmp").arg(n), QSize(25, 25),
                         stoneColor(n));
    for (const char* set : {"old", "new"})
        for (int digit = 0; digit < 10; ++digit)
            writeSolidBitmap(folder + QStringLiteral("/scr/%1/%2.bmp").arg(set).arg(digit),
                             QSize(25, 42), digitColor(digit));
}

} // namespace brixolan::fakes

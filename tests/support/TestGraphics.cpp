#include "TestGraphics.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <array>

namespace brixolan::fakes {

QColor stoneColor(int code) {
    // Far apart in every channel so that a wrong tile is never mistaken for the right one.
    return QColor((code * 53) % 256, 255 - (code * 11) % 200, (code * 97) % 256);
}

QColor digitColor(int digit) { return QColor(20 + digit * 23, 250 - digit * 20, 60 + digit * 5); }

void writeSolidBitmap(const QString& path, QSize size, const QColor& color) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(size, QImage::Format_RGB888);
    image.fill(color);
    image.save(path, "BMP");
}

void writeTestGraphics(const QString& folder) {
    const std::array<std::pair<int, const char*>, 7> stones = {{{1, "SteinA"},
                                                                {2, "SteinB"},
                                                                {13, "SteinC"},
                                                                {14, "SteinD"},
                                                                {15, "SteinE"},
                                                                {16, "SteinF"},
                                                                {17, "SteinG"}}};
    for (const auto& [code, name] : stones)
        writeSolidBitmap(folder + QStringLiteral("/Grafiken/%1.bmp").arg(QLatin1String(name)),
                         QSize(25, 25), stoneColor(code));
    for (int digit = 0; digit < 10; ++digit)
        writeSolidBitmap(folder + QStringLiteral("/Grafiken/%1.bmp").arg(digit), QSize(25, 42),
                         digitColor(digit));
}

} // namespace brixolan::fakes

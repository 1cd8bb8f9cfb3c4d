#include "BitmapCheck.h"

#include <QFile>
#include <cstdint>
#include <cstdlib>

namespace brixolan {

namespace {

std::uint32_t u32(const QByteArray& b, qsizetype at) {
    return std::uint32_t(std::uint8_t(b[at])) | (std::uint32_t(std::uint8_t(b[at + 1])) << 8) |
           (std::uint32_t(std::uint8_t(b[at + 2])) << 16) |
           (std::uint32_t(std::uint8_t(b[at + 3])) << 24);
}

std::uint16_t u16(const QByteArray& b, qsizetype at) {
    return std::uint16_t(std::uint8_t(b[at]) | (std::uint8_t(b[at + 1]) << 8));
}

} // namespace

bool isPlausibleBitmap(const QByteArray& bytes) {
    constexpr qsizetype FileHeader = 14;
    if (bytes.size() < FileHeader + 12 || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    const std::uint32_t dataOffset = u32(bytes, 10);
    const std::uint32_t infoSize = u32(bytes, 14);
    if (infoSize != 12 && infoSize != 40 && infoSize != 52 && infoSize != 56 &&
        infoSize != 108 && infoSize != 124)
        return false;
    if (FileHeader + qsizetype(infoSize) > bytes.size())
        return false;

    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bits = 0;
    std::uint32_t compression = 0;
    if (infoSize == 12) {
        width = u16(bytes, 18);
        height = u16(bytes, 20);
        planes = u16(bytes, 22);
        bits = u16(bytes, 24);
    } else {
        width = std::int32_t(u32(bytes, 18));
        height = std::int32_t(u32(bytes, 22));
        planes = u16(bytes, 26);
        bits = u16(bytes, 28);
        compression = u32(bytes, 30);
    }
    height = std::llabs(height); // negative: rows stored top-down
    if (planes != 1 || width < 1 || height < 1 || width > MaxBitmapSide || height > MaxBitmapSide)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    // 0 plain, 1 and 2 run-length, 3 and 6 bit fields.
    if (compression != 0 && compression != 1 && compression != 2 && compression != 3 &&
        compression != 6)
        return false;
    if (dataOffset < FileHeader + infoSize || dataOffset >= std::uint32_t(bytes.size()))
        return false;
    if (compression == 0 || compression == 3 || compression == 6) {
        const std::int64_t rowBytes = ((width * bits + 31) / 32) * 4;
        if (std::int64_t(dataOffset) + rowBytes * height > bytes.size())
            return false;
    }
    return true;
}

QImage readBitmapFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A valid bitmap of the largest accepted size stays far below this.
    constexpr qint64 MaxFileSize = qint64(MaxBitmapSide) * MaxBitmapSide * 4 + 4096;
    if (file.size() > MaxFileSize)
        return {};
    const QByteArray bytes = file.readAll();
    if (!isPlausibleBitmap(bytes))
        return {};
    QImage image;
    if (!image.loadFromData(bytes, "BMP"))
        return {};
    return image;
}

} // namespace brixolan

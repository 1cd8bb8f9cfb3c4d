// SPDX-License-Identifier: GPL-3.0-or-later
#include "BitmapCodec.h"

#include "ReadFile.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace brixolan {

namespace {

constexpr qsizetype FileHeader = 14;
constexpr std::uint32_t RunLength8 = 1;
constexpr std::uint32_t RunLength4 = 2;

std::uint32_t u32(const QByteArray& b, qsizetype at) {
    return std::uint32_t(std::uint8_t(b[at])) | (std::uint32_t(std::uint8_t(b[at + 1])) << 8) |
           (std::uint32_t(std::uint8_t(b[at + 2])) << 16) |
           (std::uint32_t(std::uint8_t(b[at + 3])) << 24);
}

std::uint16_t u16(const QByteArray& b, qsizetype at) {
    return std::uint16_t(std::uint8_t(b[at]) | (std::uint8_t(b[at + 1]) << 8));
}

struct Header {
    int width = 0;
    int height = 0;
    bool topDown = false;
    std::uint16_t bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t infoSize = 0;
    std::uint32_t dataOffset = 0;
    std::uint32_t coloursUsed = 0;
};

// The fields of the file and info headers, with a size the decoder can hold; nothing when the
// file is too short for its info header or that header is of no known kind.
std::optional<Header> readHeader(const QByteArray& bytes) {
    if (bytes.size() < FileHeader + 12 || bytes[0] != 'B' || bytes[1] != 'M')
        return std::nullopt;
    Header h;
    h.dataOffset = u32(bytes, 10);
    h.infoSize = u32(bytes, 14);
    if (h.infoSize != 12 && h.infoSize != 40 && h.infoSize != 52 && h.infoSize != 56 &&
        h.infoSize != 108 && h.infoSize != 124)
        return std::nullopt;
    if (FileHeader + qsizetype(h.infoSize) > bytes.size())
        return std::nullopt;

    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint16_t planes = 0;
    if (h.infoSize == 12) {
        width = u16(bytes, 18);
        height = u16(bytes, 20);
        planes = u16(bytes, 22);
        h.bits = u16(bytes, 24);
    } else {
        width = std::int32_t(u32(bytes, 18));
        height = std::int32_t(u32(bytes, 22));
        planes = u16(bytes, 26);
        h.bits = u16(bytes, 28);
        h.compression = u32(bytes, 30);
        h.coloursUsed = u32(bytes, 46);
    }
    h.topDown = height < 0;
    height = std::llabs(height);
    if (planes != 1 || width < 1 || height < 1 || width > MaxBitmapSide || height > MaxBitmapSide)
        return std::nullopt;
    h.width = int(width);
    h.height = int(height);
    return h;
}

// A depth and a compression that go together: 0 plain, 1 and 2 run-length (of 8 and 4 bits),
// 3 and 6 bit fields.
bool knownFormat(const Header& h) {
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
        return false;
    if (h.compression != 0 && h.compression != RunLength8 && h.compression != RunLength4 &&
        h.compression != 3 && h.compression != 6)
        return false;
    return (h.compression != RunLength8 || h.bits == 8) &&
           (h.compression != RunLength4 || h.bits == 4);
}

// The pixels start inside the file, and uncompressed ones end inside it.
bool pixelsInFile(const Header& h, const QByteArray& bytes) {
    if (h.dataOffset < FileHeader + h.infoSize || h.dataOffset >= std::uint32_t(bytes.size()))
        return false;
    // The decoder reads the palette first; an offset pointing into it is not followed back, and
    // the pixels then start after it. Rows cut short would be left unwritten.
    const std::int64_t colours = h.bits > 8           ? 0
                                 : h.coloursUsed != 0 ? std::int64_t(h.coloursUsed)
                                                      : 1 << h.bits;
    if (colours > 256)
        return false;
    if (h.compression == 0 || h.compression == 3 || h.compression == 6) {
        const std::int64_t rowBytes = ((std::int64_t(h.width) * h.bits + 31) / 32) * 4;
        const std::int64_t paletteEnd =
            FileHeader + h.infoSize + colours * (h.infoSize == 12 ? 3 : 4);
        if (std::max<std::int64_t>(h.dataOffset, paletteEnd) + rowBytes * h.height > bytes.size())
            return false;
    }
    return true;
}

std::optional<Header> plausibleHeader(const QByteArray& bytes) {
    const std::optional<Header> h = readHeader(bytes);
    if (!h || !knownFormat(*h) || !pixelsInFile(*h, bytes))
        return std::nullopt;
    return h;
}

/// Run-length bitmaps may skip pixels, which the image decoder would leave unwritten; decoded
/// here onto black instead. Indexes beyond the palette are black too.
QImage decodeRunLengths(const QByteArray& bytes, const Header& h) {
    std::array<QRgb, 256> palette;
    palette.fill(qRgb(0, 0, 0));
    const int entries =
        h.coloursUsed > 0 && h.coloursUsed < (1u << h.bits) ? int(h.coloursUsed) : 1 << h.bits;
    const qsizetype paletteAt = FileHeader + h.infoSize;
    for (int n = 0; n < entries && paletteAt + 4 * n + 4 <= qsizetype(h.dataOffset); ++n) {
        const qsizetype at = paletteAt + 4 * n;
        palette[std::size_t(n)] =
            qRgb(std::uint8_t(bytes[at + 2]), std::uint8_t(bytes[at + 1]), std::uint8_t(bytes[at]));
    }
    QImage image(h.width, h.height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(Qt::black);

    qsizetype at = h.dataOffset;
    const auto next = [&]() { return at < bytes.size() ? int(std::uint8_t(bytes[at++])) : -1; };
    qint64 x = 0;
    qint64 row = 0; // counted from the bottom, as stored
    const auto put = [&](int index) {
        if (x < h.width && row < h.height) {
            const int y = int(h.topDown ? row : h.height - 1 - row);
            reinterpret_cast<QRgb*>(image.scanLine(y))[x] = palette[std::size_t(index)];
        }
        ++x;
    };
    const auto nibble = [](int byte, int k) { return k % 2 == 0 ? byte >> 4 : byte & 0x0F; };
    const bool four = h.compression == RunLength4;
    while (row < h.height) {
        const int count = next();
        const int value = next();
        if (count < 0 || value < 0)
            break;
        if (count > 0) {
            for (int k = 0; k < count; ++k)
                put(four ? nibble(value, k) : value);
        } else if (value == 0) {
            x = 0;
            ++row;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            const int right = next();
            const int up = next();
            x += std::max(right, 0);
            row += std::max(up, 0);
        } else {
            // `value` pixels given one by one, padded to a whole 16-bit word.
            const qsizetype length = four ? (value + 1) / 2 : value;
            for (int k = 0; k < value && at + (four ? k / 2 : k) < bytes.size(); ++k) {
                const int byte = std::uint8_t(bytes[at + (four ? k / 2 : k)]);
                put(four ? nibble(byte, k) : byte);
            }
            at += length + (length & 1);
        }
    }
    return image;
}

} // namespace

bool isPlausibleBitmap(const QByteArray& bytes) {
    return plausibleHeader(bytes).has_value();
}

QImage decodeBitmap(const QByteArray& bytes) {
    const std::optional<Header> header = plausibleHeader(bytes);
    if (!header)
        return {};
    if (header->compression == RunLength8 || header->compression == RunLength4)
        return decodeRunLengths(bytes, *header);
    QImage image;
    if (!image.loadFromData(bytes, "BMP"))
        return {};
    return image;
}

QImage readBitmapFile(const QString& path) {
    const FileBytes file = readFile(path, {read_limit::Picture});
    return file.bytes ? decodeBitmap(file.bytes.value()) : QImage();
}

QImage readPictureFile(const QString& path) {
    const FileBytes file = readFile(path, {read_limit::Picture});
    if (!file.bytes)
        return {};
    if (file.bytes.value().startsWith("BM"))
        return decodeBitmap(file.bytes.value());
    QBuffer buffer;
    buffer.setData(file.bytes.value());
    QImageReader reader(&buffer, "PNG");
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxBitmapSide || size.height() > MaxBitmapSide)
        return {};
    return reader.read();
}

QByteArray encodeBitmap(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return bytes;
}

} // namespace brixolan

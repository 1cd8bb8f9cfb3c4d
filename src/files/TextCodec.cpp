// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextCodec.h"

#include <array>
#include <optional>

namespace brixolan {

namespace {
// Code points of bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The byte of one UTF-16 unit; none for units outside the code page (surrogates included).
std::optional<char> byteOf(char16_t unit) {
    // The five bytes the code page leaves undefined were read as their own code points and go
    // back as themselves, so an unchanged name is written as it was read.
    const bool undefinedByte = unit >= 0x80 && unit <= 0x9F && HighControls[unit - 0x80] == 0;
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF) || undefinedByte)
        return char(unit);
    for (std::size_t k = 0; k < HighControls.size(); ++k) {
        if (HighControls[k] != 0 && HighControls[k] == unit)
            return char(0x80 + k);
    }
    return std::nullopt;
}
} // namespace

QByteArray toCp1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype n = 0; n < text.size(); ++n) {
        const char16_t unit = text.at(n).unicode();
        if (QChar::isHighSurrogate(unit) && n + 1 < text.size() && text.at(n + 1).isLowSurrogate())
            ++n; // one character outside the code page, one '?'
        out.append(byteOf(unit).value_or('?'));
    }
    return out;
}

QString keepFileLineCharacters(const QString& text) {
    // Composed first: a pasted "e" with a combining accent is the code page's "é".
    return fromCp1252(toCp1252(text.normalized(QString::NormalizationForm_C)))
        .remove(QLatin1Char('\r'))
        .remove(QLatin1Char('\n'));
}

QString fromCp1252(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte <= 0x9F && HighControls[byte - 0x80] != 0)
            out.append(QChar(HighControls[byte - 0x80]));
        else
            out.append(QChar(char16_t(byte)));
    }
    return out;
}

QStringList splitCrLines(const QString& text) {
    QStringList lines;
    QString current;
    bool pending = false;
    for (qsizetype n = 0; n < text.size(); ++n) {
        const QChar c = text.at(n);
        if (c == QLatin1Char('\r')) {
            lines.append(current);
            current.clear();
            pending = false;
            if (n + 1 < text.size() && text.at(n + 1) == QLatin1Char('\n'))
                ++n;
            continue;
        }
        current.append(c);
        pending = true;
    }
    if (pending)
        lines.append(current);
    return lines;
}

QString joinCrLfLines(const QStringList& lines) {
    QString out;
    for (const QString& line : lines) {
        out += line;
        out += QLatin1String("\r\n");
    }
    return out;
}

} // namespace brixolan

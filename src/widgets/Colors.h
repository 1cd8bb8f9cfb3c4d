// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <cstdint>

namespace brixolan {

/// Colours are stored as 24-bit values laid out 0x00BBGGRR (red in the low byte).
using BgrColor = std::uint32_t;

namespace named {
inline constexpr BgrColor Red = 255;
inline constexpr BgrColor Green = 65280;
inline constexpr BgrColor Blue = 16711680;
inline constexpr BgrColor Yellow = 65535;
inline constexpr BgrColor Cyan = 16776960;
inline constexpr BgrColor Magenta = 16711935;
inline constexpr BgrColor Orange = 33023;
} // namespace named

inline QColor toQColor(BgrColor value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

inline BgrColor toBgr(const QColor& color) {
    return BgrColor(color.red()) | (BgrColor(color.green()) << 8) | (BgrColor(color.blue()) << 16);
}

/// The 0x00BBGGRR value of a pixel colour as QImage::pixel() reports it (0xAARRGGBB).
inline BgrColor bgrOfPixel(unsigned int argb) {
    return ((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16);
}

inline unsigned int pixelOfBgr(BgrColor value) {
    return 0xFF000000u | ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

/// A colour of the desktop's theme for text or a frame on the game's black windows: the theme's
/// own where it stands out from black, else white (dark and high-contrast themes may give black).
inline QColor visibleOnBlack(const QColor& themed) {
    return themed.lightness() >= 96 ? themed : QColor(Qt::white);
}

} // namespace brixolan

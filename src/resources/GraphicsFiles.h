// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace brixolan {

/// The seventeen bitmaps the game draws with and the sources the scheme dialogs build them
/// from: the one table the store, the dialogs, start-up and the bitmap generator share. Paths
/// are relative to the program folder. No Qt here, so the build tools can use it too.
enum class GraphicKind { Stone, Digit };

struct GraphicsFile {
    int element;      ///< the store element: the stone code, or 3 + digit
    const char* path; ///< under the program folder
    GraphicKind kind;
    int number; ///< stone k (the file with the letter A + k) or digit d
};

/// In loading order; a stone's element is the code the well stores for it.
inline constexpr std::array<GraphicsFile, 17> GraphicsFiles = {{
    {1, "Grafiken/SteinA.bmp", GraphicKind::Stone, 0},
    {2, "Grafiken/SteinB.bmp", GraphicKind::Stone, 1},
    {3, "Grafiken/0.bmp", GraphicKind::Digit, 0},
    {4, "Grafiken/1.bmp", GraphicKind::Digit, 1},
    {5, "Grafiken/2.bmp", GraphicKind::Digit, 2},
    {6, "Grafiken/3.bmp", GraphicKind::Digit, 3},
    {7, "Grafiken/4.bmp", GraphicKind::Digit, 4},
    {8, "Grafiken/5.bmp", GraphicKind::Digit, 5},
    {9, "Grafiken/6.bmp", GraphicKind::Digit, 6},
    {10, "Grafiken/7.bmp", GraphicKind::Digit, 7},
    {11, "Grafiken/8.bmp", GraphicKind::Digit, 8},
    {12, "Grafiken/9.bmp", GraphicKind::Digit, 9},
    {13, "Grafiken/SteinC.bmp", GraphicKind::Stone, 2},
    {14, "Grafiken/SteinD.bmp", GraphicKind::Stone, 3},
    {15, "Grafiken/SteinE.bmp", GraphicKind::Stone, 4},
    {16, "Grafiken/SteinF.bmp", GraphicKind::Stone, 5},
    {17, "Grafiken/SteinG.bmp", GraphicKind::Stone, 6},
}};

inline constexpr int StoneCount = 7;
inline constexpr int DigitCount = 10;

constexpr int digitElement(int digit) {
    return digit + 3;
}

/// The file of stone k (0..6) or digit d (0..9).
constexpr const GraphicsFile& graphicsFile(GraphicKind kind, int number) {
    for (const GraphicsFile& file : GraphicsFiles)
        if (file.kind == kind && file.number == number)
            return file;
    return GraphicsFiles.front();
}

/// "scr/1.bmp" .. "scr/7.bmp": the standard stone k is source k; a recoloured scheme s (1..7)
/// takes source s - 1 for all seven stones.
inline constexpr std::array<const char*, StoneCount> StoneSources = {
    "scr/1.bmp", "scr/2.bmp", "scr/3.bmp", "scr/4.bmp", "scr/5.bmp", "scr/6.bmp", "scr/7.bmp"};

/// The two digit sets, as the settings file numbers them: 0 old, 1 new.
inline constexpr std::array<std::array<const char*, DigitCount>, 2> DigitSources = {{
    {"scr/old/0.bmp", "scr/old/1.bmp", "scr/old/2.bmp", "scr/old/3.bmp", "scr/old/4.bmp",
     "scr/old/5.bmp", "scr/old/6.bmp", "scr/old/7.bmp", "scr/old/8.bmp", "scr/old/9.bmp"},
    {"scr/new/0.bmp", "scr/new/1.bmp", "scr/new/2.bmp", "scr/new/3.bmp", "scr/new/4.bmp",
     "scr/new/5.bmp", "scr/new/6.bmp", "scr/new/7.bmp", "scr/new/8.bmp", "scr/new/9.bmp"},
}};

} // namespace brixolan

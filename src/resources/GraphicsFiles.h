// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Stones.h"

#include <array>
#include <cstddef>

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

inline constexpr int DigitCount = 10;

constexpr int digitElement(int digit) {
    return digit + 3;
}

namespace graphics_files {

using Path = std::array<char, 20>;

constexpr Path pathWith(const char* pattern, std::size_t at, char name) {
    Path path{};
    for (std::size_t n = 0; pattern[n] != '\0'; ++n)
        path[n] = n == at ? name : pattern[n];
    return path;
}

template <std::size_t Count>
constexpr std::array<Path, Count> paths(const char* pattern, std::size_t at, char first) {
    std::array<Path, Count> result{};
    for (std::size_t n = 0; n < Count; ++n)
        result[n] = pathWith(pattern, at, static_cast<char>(first + n));
    return result;
}

// Stone k is the file with the letter A + k, whose element is that letter's stone code.
inline constexpr auto StonePaths = paths<KindCount>("Grafiken/SteinX.bmp", 14, 'A');
inline constexpr auto DigitPaths = paths<DigitCount>("Grafiken/X.bmp", 9, '0');

constexpr std::array<GraphicsFile, KindCount + DigitCount> inLoadingOrder() {
    std::array<GraphicsFile, KindCount + DigitCount> files{};
    std::size_t n = 0;
    for (int k = 0; k < KindCount; ++k)
        files[n++] = {codeOfLetterIndex(k), StonePaths[std::size_t(k)].data(), GraphicKind::Stone,
                      k};
    for (int d = 0; d < DigitCount; ++d)
        files[n++] = {digitElement(d), DigitPaths[std::size_t(d)].data(), GraphicKind::Digit, d};
    // By element: the store loads them in that order.
    for (std::size_t i = 1; i < files.size(); ++i)
        for (std::size_t j = i; j > 0 && files[j - 1].element > files[j].element; --j) {
            const GraphicsFile earlier = files[j - 1];
            files[j - 1] = files[j];
            files[j] = earlier;
        }
    return files;
}

} // namespace graphics_files

/// In loading order; a stone's element is the code the well stores for it.
inline constexpr std::array<GraphicsFile, KindCount + DigitCount> GraphicsFiles =
    graphics_files::inLoadingOrder();

static_assert(
    [] {
        for (std::size_t n = 0; n < GraphicsFiles.size(); ++n)
            if (GraphicsFiles[n].element != int(n) + 1)
                return false;
        return true;
    }(),
    "stone codes and digit elements fill 1 to 17 without a gap or a clash");

/// The file of stone k (0..6) or digit d (0..9).
constexpr const GraphicsFile& graphicsFile(GraphicKind kind, int number) {
    for (const GraphicsFile& file : GraphicsFiles)
        if (file.kind == kind && file.number == number)
            return file;
    return GraphicsFiles.front();
}

/// "scr/1.bmp" .. "scr/7.bmp": the standard stone k is source k; a recoloured scheme s (1..7)
/// takes source s - 1 for all seven stones.
inline constexpr std::array<const char*, KindCount> StoneSources = {
    "scr/1.bmp", "scr/2.bmp", "scr/3.bmp", "scr/4.bmp", "scr/5.bmp", "scr/6.bmp", "scr/7.bmp"};

/// The two digit sets, as the settings file numbers them: 0 old, 1 new.
inline constexpr std::array<std::array<const char*, DigitCount>, 2> DigitSources = {{
    {"scr/old/0.bmp", "scr/old/1.bmp", "scr/old/2.bmp", "scr/old/3.bmp", "scr/old/4.bmp",
     "scr/old/5.bmp", "scr/old/6.bmp", "scr/old/7.bmp", "scr/old/8.bmp", "scr/old/9.bmp"},
    {"scr/new/0.bmp", "scr/new/1.bmp", "scr/new/2.bmp", "scr/new/3.bmp", "scr/new/4.bmp",
     "scr/new/5.bmp", "scr/new/6.bmp", "scr/new/7.bmp", "scr/new/8.bmp", "scr/new/9.bmp"},
}};

} // namespace brixolan

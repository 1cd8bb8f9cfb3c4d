// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GraphicsFiles.h"

#include <QImage>
#include <array>
#include <optional>

namespace brixolan {

class ProgramFolder;

/// The end of loading the bitmaps: all of them gave a picture, or the first file (in table
/// order) that gave none.
class [[nodiscard]] BitmapLoad {
public:
    BitmapLoad() = default;
    static BitmapLoad failure(const GraphicsFile& file) { return BitmapLoad(file); }

    bool ok() const { return !m_missing.has_value(); }
    explicit operator bool() const { return ok(); }
    /// The file that gave no picture; only after a failed load.
    const GraphicsFile& missing() const { return *m_missing; }

private:
    explicit BitmapLoad(const GraphicsFile& file) : m_missing(file) {}
    std::optional<GraphicsFile> m_missing;
};

/// The store of pre-loaded bitmaps that every drawing copies from, by element: the stone code,
/// or 3 + digit.
class ResourceStore {
public:
    /// Loads the seventeen files afresh, all of them, also after one gave no picture.
    BitmapLoad loadAll(const ProgramFolder& folder);
    /// The picture of `element`, or null when there is none.
    const QImage* image(int element) const;

private:
    std::array<QImage, GraphicsFiles.size() + 1> m_images; // element 0 never holds a picture
};

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GraphicsFiles.h"

#include <QImage>
#include <array>
#include <optional>

namespace brixolan {

class ProgramFolder;

/// The store of pre-loaded bitmaps that every drawing copies from, by element: the stone code,
/// or 3 + digit.
class ResourceStore {
public:
    /// Loads the seventeen files afresh, all of them; the first one (in table order) that gave
    /// no picture, or none when all did.
    std::optional<GraphicsFile> loadAll(const ProgramFolder& folder);
    /// Empties the store.
    void unloadAllRes();
    /// The image of element k, or null when there is none.
    const QImage* resHdc(int k) const;

private:
    std::array<QImage, GraphicsFiles.size() + 1> m_res; // element 0 never holds a picture
};

} // namespace brixolan

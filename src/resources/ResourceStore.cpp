// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResourceStore.h"

#include "BitmapCodec.h"
#include "ProgramFolder.h"

namespace brixolan {

BitmapLoad ResourceStore::loadAll(const ProgramFolder& folder) {
    BitmapLoad loaded;
    for (const GraphicsFile& file : GraphicsFiles) {
        const QImage image = readBitmapFile(folder.path(QString::fromLatin1(file.path)));
        // Copies draw with plain source copies; one fixed format keeps them fast.
        m_res[std::size_t(file.element)] =
            image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
        if (image.isNull() && loaded)
            loaded = BitmapLoad::failure(file);
    }
    return loaded;
}

void ResourceStore::unloadAllRes() {
    m_res.fill(QImage());
}

const QImage* ResourceStore::resHdc(int k) const {
    if (k < 1 || k >= int(m_res.size()) || m_res[std::size_t(k)].isNull())
        return nullptr;
    return &m_res[std::size_t(k)];
}

} // namespace brixolan

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
        m_images[std::size_t(file.element)] =
            image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
        if (image.isNull() && loaded)
            loaded = BitmapLoad::failure(file);
    }
    return loaded;
}

const QImage* ResourceStore::image(int element) const {
    if (element < 1 || element >= int(m_images.size()) || m_images[std::size_t(element)].isNull())
        return nullptr;
    return &m_images[std::size_t(element)];
}

} // namespace brixolan

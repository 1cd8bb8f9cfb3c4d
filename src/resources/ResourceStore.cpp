#include "ResourceStore.h"

#include "BitmapCheck.h"
#include "DialogServices.h"
#include "ProgramFolder.h"
#include "WaitWindow.h"

namespace brixolan {

ResourceStore::ResourceStore() : m_res(1) {}

int ResourceStore::addRes() {
    ++m_resCount;
    if (int(m_res.size()) <= m_resCount)
        m_res.resize(std::size_t(m_resCount) + 1);
    return m_resCount;
}

int ResourceStore::loadBild(int index, const QString& path) {
    if (index < 1 || index >= int(m_res.size()))
        return 0;
    QImage image = readBitmapFile(path);
    if (image.isNull())
        return 0;
    // Copies draw with plain source copies; one fixed format keeps them fast.
    m_res[std::size_t(index)] = image.convertToFormat(QImage::Format_RGB32);
    return 1;
}

void ResourceStore::unloadAllRes() {
    m_res.assign(1, QImage());
    m_resCount = 0;
}

const QImage* ResourceStore::resHdc(int k) const {
    if (k < 1 || k >= int(m_res.size()) || m_res[std::size_t(k)].isNull())
        return nullptr;
    return &m_res[std::size_t(k)];
}

std::array<int, 17> ResourceStore::loadAll(const ProgramFolder& folder) {
    std::array<int, 17> results{};
    for (std::size_t row = 0; row < GraphicsFiles.size(); ++row) {
        addRes();
        results[row] = loadBild(GraphicsFiles[row].element,
                                folder.path(QString::fromLatin1(GraphicsFiles[row].relativePath)));
    }
    return results;
}

void reloadGrafiken(ResourceStore& store, const ProgramFolder& folder, DialogServices& dialogs,
                    WaitWindow& wait) {
    wait.showNow();
    const std::array<int, 17> results = store.loadAll(folder);
    for (const int result : results) {
        if (result == 0) {
            dialogs.message(nullptr,
                            QStringLiteral("Das Programm konnte wichtige Grafikdateien nicht "
                                           "finden . \r\n\r\n-Überprüfen sie ob alle Dateien aus "
                                           "dem ZIP Archiv entzippt sind ."),
                            QStringLiteral("Dateien nicht gefunden !"), MessageIcon::None);
            dialogs.endProgramNow();
            return;
        }
    }
    wait.hide();
}

} // namespace brixolan

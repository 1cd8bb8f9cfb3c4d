// SPDX-License-Identifier: GPL-3.0-or-later
#include "Translations.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace brixolan {

bool installGermanTranslations(QCoreApplication& app) {
    // Owned by the application, which must keep it for as long as texts are translated.
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_de"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace brixolan

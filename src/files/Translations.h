// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

namespace brixolan {

/// Loads Qt's German translations (qtbase_de) for the standard dialogs and the command-line
/// help, whatever the user's locale: the whole interface is German. False when they are
/// missing; Qt's English texts then remain.
bool installGermanTranslations(QCoreApplication& app);

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SchemeDialog.h"
#include "SchemeSources.h"

#include <array>

class QLabel;
class QListWidget;

namespace brixolan {

/// "Brixolan Stein Schema" (Form6): builds the seven stone bitmaps of one of eight schemes
/// from the sources under scr, previews them, and on "Schema auswählen" replaces
/// Grafiken/SteinA.bmp .. SteinG.bmp.
///
/// Object names: List1, Command1 "Schema auswählen", Command2 "Abbrechen", Label1 "Vorschau",
/// and the previews Stein_0 .. Stein_6 (Stein_k becomes the file with the letter A + k).
class StoneSchemeDialog : public SchemeDialog {
    Q_OBJECT
public:
    StoneSchemeDialog(const ProgramFolder& folder, DialogServices& dialogs, WaitWindow& wait,
                      bool atStartUp, QWidget* parent = nullptr);

private:
    void buildPreview();
    Result<std::vector<SchemeFile>> schemeFiles() override;

    QListWidget* m_list = nullptr;
    std::array<QLabel*, KindCount> m_previewLabels{};
    SchemeImages<KindCount> m_preview;
};

} // namespace brixolan

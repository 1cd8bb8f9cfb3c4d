#pragma once

#include "ProgramFolder.h"
#include "SchemeSources.h"
#include "SecondaryWindow.h"

#include <array>

class QLabel;
class QListWidget;

namespace brixolan {

class DialogServices;
class MainWindowLink;
class ResourceStore;
class WaitWindow;

/// "Brixolan Stein Schema" (Form6): builds the seven stone bitmaps of one of eight schemes
/// from the sources under scr, previews them, and on "Schema auswählen" replaces
/// Grafiken/SteinA.bmp .. SteinG.bmp as one step and has the resource store reloaded. It
/// needs nothing of the main window while that is hidden, so start-up can use it for repairs.
///
/// Object names: List1, Command1 "Schema auswählen", Command2 "Abbrechen", Label1 "Vorschau",
/// and the previews Stein_0 .. Stein_6 (Stein_k becomes the file with the letter A + k).
class StoneSchemeDialog : public SecondaryWindow {
    Q_OBJECT
public:
    StoneSchemeDialog(const ProgramFolder& folder, ResourceStore& store, DialogServices& dialogs,
                      WaitWindow& wait, MainWindowLink& link, QWidget* parent = nullptr);

    /// The preview that becomes the stone file with the letter A + k; null where its source
    /// is missing.
    const QImage& previewImage(int k) const;

protected:
    void unloaded() override;

private:
    void buildPreview();
    void applyScheme();
    /// Writes the seven files; on failure tells the player and returns false.
    bool writeScheme();

    ProgramFolder m_folder;
    ResourceStore& m_store;
    DialogServices& m_dialogs;
    WaitWindow& m_wait;
    MainWindowLink& m_link;
    QListWidget* m_list = nullptr;
    std::array<QLabel*, StoneCount> m_previewLabels{};
    SchemeImages<StoneCount> m_preview;
};

} // namespace brixolan

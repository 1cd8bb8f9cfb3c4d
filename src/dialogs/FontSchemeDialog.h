#pragma once

#include "FontSettings.h"
#include "ProgramFolder.h"
#include "SecondaryWindow.h"

class QListWidget;
class QPushButton;

namespace brixolan {

class DialogServices;
class MainWindowLink;
class ResourceStore;
class WaitWindow;

/// "Schrift-Schema" (Form5): chooses the digit set and the digit colour. "Übernehmen" builds
/// the ten digits with every pure red pixel in the chosen colour, replaces Grafiken/0.bmp ..
/// 9.bmp and "Brixolan.dat" as one step, and has the store reloaded and the number displays
/// redrawn. Opened while the main window is still hidden (start-up repairs), it cannot be
/// cancelled and leaves the reload to start-up.
///
/// Object names: List1 ("Alte Schrift", "Neue Schrift"), Label1, Command1 "...", Picture1
/// (colour swatch), Command2 "Übernehmen", Command3 "Abbrechen", Picture2.
class FontSchemeDialog : public SecondaryWindow {
    Q_OBJECT
public:
    FontSchemeDialog(const ProgramFolder& folder, ResourceStore& store, DialogServices& dialogs,
                     WaitWindow& wait, MainWindowLink& link, QWidget* parent = nullptr);

    /// The digit colour the swatch shows.
    BgrColor swatchColour() const { return m_colour; }

protected:
    void showEvent(QShowEvent* event) override;
    void unloaded() override;

private:
    void setSwatchColour(BgrColor colour);
    void chooseColour();
    void applyScheme();
    /// Writes the digits and the settings file; on failure tells the player and returns false.
    bool writeScheme();
    DigitSet selectedSet() const;

    ProgramFolder m_folder;
    ResourceStore& m_store;
    DialogServices& m_dialogs;
    WaitWindow& m_wait;
    MainWindowLink& m_link;
    QListWidget* m_list = nullptr;
    QWidget* m_swatch = nullptr;
    QPushButton* m_cancel = nullptr;
    BgrColor m_colour = named::Red;
};

} // namespace brixolan

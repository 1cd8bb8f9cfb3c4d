// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DigitSettings.h"
#include "SchemeDialog.h"

class QListWidget;

namespace brixolan {

/// "Schrift-Schema" (Form5): chooses the digit set and the digit colour. "Übernehmen" builds
/// the ten digits with every pure red pixel in the chosen colour and replaces Grafiken/0.bmp
/// .. 9.bmp and "Brixolan.dat" as one step. At start-up it is the only way on: it cannot be
/// cancelled.
///
/// Object names: List1 ("Alte Schrift", "Neue Schrift"), Label1, Command1 "...", Picture1
/// (colour swatch), Command2 "Übernehmen", Command3 "Abbrechen", Picture2.
class DigitSchemeDialog : public SchemeDialog {
    Q_OBJECT
public:
    DigitSchemeDialog(const ProgramFolder& folder, DialogServices& dialogs, WaitWindow& wait,
                      bool atStartUp, QWidget* parent = nullptr);

private:
    void setSwatchColour(BgrColor colour);
    void chooseColour();
    Result<std::vector<SchemeFile>> schemeFiles() override;
    DigitSet selectedSet() const;

    QListWidget* m_list = nullptr;
    QWidget* m_swatch = nullptr;
    BgrColor m_colour = named::Red;
};

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DialogServices.h"
#include "GameDialog.h"
#include "Outcome.h"
#include "ProgramFolder.h"
#include "SchemeFiles.h"

#include <vector>

namespace brixolan {

class WaitWindow;

/// What the two scheme dialogs share: building new bitmaps from the sources under scr behind
/// the wait window, writing them over the old ones as one step, telling the player. A failed
/// apply keeps the dialog open for another choice; opened by the start-up repair loop (the main
/// window not shown yet), the dialog closed after that ends with NotApplied, and so the program.
class SchemeDialog : public GameDialog {
    Q_OBJECT
public:
    /// The dialog's result when it is closed after a failed apply at start-up.
    static constexpr int NotApplied = QDialog::Accepted + 1;

    void reject() override;

signals:
    /// The new files are written and the player told; whoever shows them reloads them now.
    void applied();

protected:
    SchemeDialog(const QString& objectName, const QString& caption, QSize clientTwips,
                 const ProgramFolder& folder, DialogServices& dialogs, WaitWindow& wait,
                 bool atStartUp, QWidget* parent);

    /// The files to write, or the message naming the sources that are missing or damaged.
    virtual Result<std::vector<SchemeFile>> schemeFiles() = 0;
    /// Builds and writes the files, tells the player, and closes; on failure tells why and
    /// stays open for another choice.
    void applyScheme(const QString& doneText, const QString& doneTitle, MessageIcon doneIcon);

    const ProgramFolder m_folder;
    DialogServices& m_dialogs;
    WaitWindow& m_wait;
    const bool m_atStartUp;
    bool m_applyFailed = false; // at start-up
};

} // namespace brixolan

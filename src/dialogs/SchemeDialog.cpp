// SPDX-License-Identifier: GPL-3.0-or-later
#include "SchemeDialog.h"

#include "DialogServices.h"
#include "WaitWindow.h"

#include <QPointer>

namespace brixolan {

SchemeDialog::SchemeDialog(const QString& objectName, const QString& caption, QSize clientTwips,
                           const ProgramFolder& folder, DialogServices& dialogs, WaitWindow& wait,
                           bool atStartUp, QWidget* parent)
    : GameDialog(objectName, caption, clientTwips, parent), m_folder(folder), m_dialogs(dialogs),
      m_wait(wait), m_atStartUp(atStartUp) {}

void SchemeDialog::applyScheme(const QString& doneText, const QString& doneTitle,
                               MessageIcon doneIcon) {
    m_wait.showNow();
    const Result<std::vector<SchemeFile>> files = schemeFiles();
    const Outcome written = files ? writeSchemeFiles(m_folder, files.value()) : files.outcome();
    // The game closed while a message is open closes this dialog too, which is deleted as soon
    // as an event loop below the message's runs: the wait window's, for one.
    const QPointer<SchemeDialog> alive(this);
    WaitWindow& wait = m_wait;
    if (!written) {
        wait.hide();
        // Another scheme may need other sources: the dialog stays for it. At start-up there is
        // no game without graphics, so closing the dialog now ends the program.
        m_applyFailed = m_atStartUp;
        m_dialogs.message(this,
                          written.message() +
                              (m_atStartUp ? QStringLiteral("\n\nWählen sie ein anderes Schema. "
                                                            "Wird dieses Fenster geschlossen, "
                                                            "wird Brixolan beendet.")
                                           : QString()),
                          QStringLiteral("Schema nicht übernommen"), MessageIcon::Warning);
        return;
    }
    // The wait window stays up behind the message until the new bitmaps are in use.
    m_dialogs.message(this, doneText, doneTitle, doneIcon);
    if (alive && !m_atStartUp)
        emit applied();
    wait.hide();
    if (alive)
        accept();
}

void SchemeDialog::reject() {
    done(m_applyFailed ? NotApplied : Rejected);
}

} // namespace brixolan

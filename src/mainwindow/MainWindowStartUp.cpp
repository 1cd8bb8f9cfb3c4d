// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the main window: screen check, the graphics folder, loading the bitmaps with the
// repair loop through the scheme dialogs, and the first picture of an idle game.
#include "MainWindow.h"

#include "AtomicWrite.h"
#include "DigitSchemeDialog.h"
#include "GameScreen.h"
#include "StartupTimes.h"
#include "StoneSchemeDialog.h"
#include "Surface.h"
#include "WaitWindow.h"

#include <QDir>

namespace brixolan {

namespace {
constexpr QSize MinimumScreen(800, 600);
} // namespace

void MainWindow::startUp(QSize screenSize) {
    m_splash->showNow();
    startupPhase("splash shown");

    if (screenSize.width() < MinimumScreen.width() || screenSize.height() < MinimumScreen.height())
        m_dialogs.endProgramNow(nullptr,
                                QStringLiteral("Sie besitzen leider nicht die nötige Auflösung um "
                                               "dieses Spiel zu Spielen . Die Auflösung muss "
                                               "mindestens 800x600 betragen ! Ändern sie die "
                                               "Auflösung und starten sie das Spiel erneut !"),
                                QStringLiteral("Fehler !"), MessageIcon::None);

    m_screen->build();
    m_screen->well()->installEventFilter(this);
    buildMenu();
    startupPhase("controls");

    // A save cut short by a crash: its batch is completed before any bitmap is read, and its
    // temporary files go.
    if (const Outcome recovered = recoverUnfinishedSaves(m_folder.root()); !recovered)
        m_dialogs.message(nullptr, recovered.message(), QStringLiteral("Fehler !"),
                          MessageIcon::Warning);
    startupPhase("unfinished saves");

    // Each pass that finds a bitmap missing runs its repair dialog; then all are loaded again.
    while (loadGraphicsOrRepair() == GraphicsLoad::LoadAgain) {
    }
    startupPhase("bitmaps");

    placeControls();
    m_screen->showText("Kein Spiel");
    startupPhase("sizes and \"Kein Spiel\"");
    m_splash->hide();
    startupPhase("splash hidden");
}

MainWindow::GraphicsLoad MainWindow::loadGraphicsOrRepair() {
    const QString graphics = QStringLiteral("Grafiken");
    if (!m_folder.folderExists(graphics) && !m_folder.makeFolder(graphics))
        m_dialogs.endProgramNow(nullptr,
                                QStringLiteral("Der Ordner \"%1\" konnte nicht angelegt werden. "
                                               "Bitte prüfen sie die Schreibrechte.")
                                    .arg(QDir::toNativeSeparators(m_folder.path(graphics))),
                                QStringLiteral("Fehler !"), MessageIcon::None);
    const BitmapLoad loaded = m_screen->loadBitmaps(m_folder);
    if (loaded)
        return GraphicsLoad::Complete;

    // The splash would stand in front of the dialog; it returns when the dialog is done.
    m_splash->hide();
    SchemeDialog* dialog = nullptr;
    if (loaded.missing().kind == GraphicKind::Stone)
        dialog = new StoneSchemeDialog(m_folder, m_dialogs, waitWindow(), true);
    else
        dialog = new DigitSchemeDialog(m_folder, m_dialogs, waitWindow(), true);
    const int result = dialog->exec();
    m_splash->showNow();
    // A scheme that cannot be applied here cannot be repaired by trying again; the dialog has
    // said why.
    if (result == SchemeDialog::NotApplied)
        m_dialogs.endProgramNow();
    return GraphicsLoad::LoadAgain;
}

} // namespace brixolan

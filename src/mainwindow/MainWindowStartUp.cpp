// Start-up of the main window: screen check, the graphics folder, loading the bitmaps with the
// repair loop through the scheme dialogs, and the first picture of an idle game.
#include "MainWindow.h"

#include "AtomicWrite.h"
#include "FontSchemeDialog.h"
#include "StoneSchemeDialog.h"
#include "Surface.h"
#include "WaitWindow.h"

#include <QApplication>
#include <QDir>
#include <QPointer>

namespace brixolan {

namespace {

constexpr QSize MinimumScreen(800, 600);

// Table rows whose bitmap is a digit; every other row is a stone.
bool isDigitRow(std::size_t row) { return row >= 2 && row <= 11; }

} // namespace

bool MainWindow::formLoad(QSize screenSize) {
    m_splash->showNow();

    if (screenSize.width() < MinimumScreen.width() ||
        screenSize.height() < MinimumScreen.height()) {
        m_dialogs.message(nullptr,
                          QStringLiteral("Sie besitzen leider nicht die nötige Auflösung um dieses "
                                         "Spiel zu Spielen . Die Auflösung muss mindestens 800x600 "
                                         "betragen ! Ändern sie die Auflösung und starten sie das "
                                         "Spiel erneut !"),
                          QStringLiteral("Fehler !"), MessageIcon::None);
        m_dialogs.endProgramNow();
        return false;
    }

    // A save cut short by a crash: its batch is completed before any bitmap is read, and its
    // temporary files go.
    if (const Outcome recovered = recoverUnfinishedSaves(m_folder.root()); !recovered)
        m_dialogs.message(nullptr, recovered.message(), QStringLiteral("Fehler !"),
                          MessageIcon::Warning);

    for (;;) {
        const QString graphics = QStringLiteral("Grafiken");
        if (!m_folder.folderExists(graphics) && !m_folder.makeFolder(graphics)) {
            m_dialogs.message(nullptr,
                              QStringLiteral("Der Ordner \"%1\" konnte nicht angelegt werden. "
                                             "Bitte prüfen sie die Schreibrechte.")
                                  .arg(QDir::toNativeSeparators(m_folder.path(graphics))),
                              QStringLiteral("Fehler !"), MessageIcon::None);
            m_dialogs.endProgramNow();
            return false;
        }
        m_resources.unloadAllRes();
        const std::array<int, 17> results = m_resources.loadAll(m_folder);
        const auto missing = std::find(results.begin(), results.end(), 0);
        if (missing == results.end())
            break;
        runRepairDialog(!isDigitRow(std::size_t(missing - results.begin())));
    }

    const QSize tile = m_resources.resHdc(1)->size();
    m_well->setSurfaceSize(QSize(10 * tile.width(), 20 * tile.height()));
    placeControls();
    fillWellBlack();
    aktualizeSchrift();
    drawTextInMiddle(QStringLiteral("Kein Spiel"));
    m_splash->hide();
    return true;
}

void MainWindow::runRepairDialog(bool stones) {
    // The splash would stand in front of the dialog; it returns when the dialog is done.
    m_splash->hide();
    QPointer<QWidget> dialog;
    if (stones)
        dialog = new StoneSchemeDialog(m_folder, m_resources, m_dialogs, *m_wait, *this);
    else
        dialog = new FontSchemeDialog(m_folder, m_resources, m_dialogs, *m_wait, *this);
    dialog->show();
    while (dialog && dialog->isVisible())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    m_splash->showNow();
}

} // namespace brixolan

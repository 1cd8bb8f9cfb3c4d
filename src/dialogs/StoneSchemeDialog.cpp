#include "StoneSchemeDialog.h"

#include "AtomicWrite.h"
#include "BusyScope.h"
#include "DialogServices.h"
#include "Fonts.h"
#include "MainWindowLink.h"
#include "ResourceStore.h"
#include "SchemeFiles.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

namespace brixolan {

StoneSchemeDialog::StoneSchemeDialog(const ProgramFolder& folder, ResourceStore& store,
                                     DialogServices& dialogs, WaitWindow& wait,
                                     MainWindowLink& link, QWidget* parent)
    : SecondaryWindow(QStringLiteral("Form6"), QStringLiteral("Brixolan Stein Schema"),
                      QSize(5040, 2385), parent),
      m_folder(folder), m_store(store), m_dialogs(dialogs), m_wait(wait), m_link(link) {
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(twipsRect(120, 120, 4815, 1035));
    for (const StoneScheme& scheme : StoneSchemes)
        m_list->addItem(QString::fromUtf8(scheme.entry));

    QPushButton* apply =
        addButton("Command1", QStringLiteral("Schema auswählen"), twipsRect(120, 1200, 2295, 375));
    QPushButton* cancel =
        addButton("Command2", QStringLiteral("Abbrechen"), twipsRect(2520, 1200, 2415, 375));

    for (int k = 0; k < StoneCount; ++k) {
        auto* preview = new QLabel(this);
        preview->setObjectName(QStringLiteral("Stein_%1").arg(k));
        preview->setGeometry(twipsRect(120 + 720 * k, 1680, 495, 495));
        preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_previewLabels[std::size_t(k)] = preview;
    }
    addLabel("Label1", QStringLiteral("Vorschau"), twipsRect(120, 2160, 2055, 255),
             sansSerifFont(8.25), QApplication::palette().color(QPalette::HighlightedText));

    setTabOrder(m_list, apply);
    setTabOrder(apply, cancel);

    // Each opening starts from the standard scheme, whatever was applied before.
    m_list->setCurrentRow(0);
    buildPreview();

    connect(m_list, &QListWidget::currentRowChanged, this, &StoneSchemeDialog::buildPreview);
    connect(apply, &QPushButton::clicked, this, &StoneSchemeDialog::applyScheme);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
}

const QImage& StoneSchemeDialog::previewImage(int k) const {
    return m_preview.images.at(std::size_t(k));
}

void StoneSchemeDialog::buildPreview() {
    const int scheme = m_list->currentRow();
    if (scheme < 0)
        return; // no selection: the previews stay as they are
    {
        BusyScope busy(*this, m_wait);
        m_preview = buildStoneScheme(m_folder, scheme);
        for (std::size_t k = 0; k < m_previewLabels.size(); ++k) {
            const QImage& image = m_preview.images[k];
            m_previewLabels[k]->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
        }
    }
    if (isVisible())
        activateWindow();
}

bool StoneSchemeDialog::writeScheme() {
    BusyScope busy(*this, m_wait);
    QString error;
    if (!m_preview.missing.isEmpty()) {
        error = missingSourcesMessage(m_preview.missing);
    } else {
        std::vector<SchemeFile> files;
        for (int k = 0; k < StoneCount; ++k)
            files.push_back({stoneTargetPath(k), encodeBitmap(m_preview.images[std::size_t(k)])});
        error = writeSchemeFiles(m_folder, files).message();
    }
    if (error.isEmpty())
        return true;
    busy.endWait();
    m_dialogs.message(this, error, schemeFailureTitle(), MessageIcon::Warning);
    return false;
}

void StoneSchemeDialog::applyScheme() {
    if (!writeScheme())
        return; // nothing under Grafiken changed; the player may choose again
    m_dialogs.message(this, QStringLiteral("Es wird nun ein neues Steinschema verwendet."),
                      QStringLiteral("Änderungen !!!"), MessageIcon::Information);
    m_store.unloadAllRes();
    // During start-up the main window is hidden and its own load pass reloads the store.
    if (m_link.isMainWindowVisible())
        reloadGrafiken(m_store, m_folder, m_dialogs, m_wait);
    // Closing last: the main window's activation then finds the new stones in the store.
    close();
}

void StoneSchemeDialog::unloaded() {
    if (m_link.isMainWindowVisible())
        m_link.returnToMainWindow();
}

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#include "StoneSchemeDialog.h"

#include "DialogServices.h"
#include "Fonts.h"
#include "Geometry.h"
#include "WaitWindow.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <algorithm>

namespace brixolan {

StoneSchemeDialog::StoneSchemeDialog(const ProgramFolder& folder, DialogServices& dialogs,
                                     WaitWindow& wait, bool atStartUp, QWidget* parent)
    : SchemeDialog(QStringLiteral("Form6"), QStringLiteral("Brixolan Stein Schema"),
                   QSize(5040, 2385), folder, dialogs, wait, atStartUp, parent) {
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(twipsRect(120, 120, 4815, 1035));
    for (const StoneScheme& scheme : StoneSchemes)
        m_list->addItem(QString::fromUtf8(scheme.entry));
    // As many whole rows as the designed box holds: a cut row below reads as a broken list.
    m_list->setUniformItemSizes(true);
    const int frame = 2 * m_list->frameWidth();
    if (const int row = m_list->sizeHintForRow(0); row > 0)
        m_list->setFixedHeight(frame + std::max(1, (m_list->height() - frame) / row) * row);

    QPushButton* apply =
        addButton("Command1", QStringLiteral("Schema auswählen"), twipsRect(120, 1200, 2295, 375));
    apply->setDefault(true); // Return applies the chosen scheme
    QPushButton* cancel =
        addButton("Command2", QStringLiteral("Abbrechen"), twipsRect(2520, 1200, 2415, 375));

    for (int k = 0; k < KindCount; ++k) {
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
    m_list->setFocus();

    // Each opening starts from the standard scheme, whatever was applied before.
    m_list->setCurrentRow(0);
    buildPreview();

    connect(m_list, &QListWidget::currentRowChanged, this, &StoneSchemeDialog::buildPreview);
    connect(apply, &QPushButton::clicked, this, [this] {
        applyScheme(QStringLiteral("Es wird nun ein neues Steinschema verwendet."),
                    QStringLiteral("Änderungen !!!"), MessageIcon::Information);
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void StoneSchemeDialog::buildPreview() {
    const int scheme = m_list->currentRow();
    if (scheme < 0)
        return; // no selection: the previews stay as they are
    // The wait window never takes the focus, so the list keeps it for the next key.
    m_wait.showNow();
    m_preview = buildStoneScheme(m_folder, scheme);
    for (std::size_t k = 0; k < m_previewLabels.size(); ++k) {
        const QImage& image = m_preview.images[k];
        m_previewLabels[k]->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
    }
    m_wait.hide();
}

Result<std::vector<SchemeFile>> StoneSchemeDialog::schemeFiles() {
    return graphicsFiles(GraphicKind::Stone, m_preview.images, m_preview.missing);
}

} // namespace brixolan

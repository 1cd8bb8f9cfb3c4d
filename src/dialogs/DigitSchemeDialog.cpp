// SPDX-License-Identifier: GPL-3.0-or-later
#include "DigitSchemeDialog.h"

#include "DialogServices.h"
#include "Fonts.h"
#include "Geometry.h"
#include "SchemeSources.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>

namespace brixolan {

DigitSchemeDialog::DigitSchemeDialog(const ProgramFolder& folder, DialogServices& dialogs,
                                     WaitWindow& wait, bool atStartUp, QWidget* parent)
    : SchemeDialog(QStringLiteral("Form5"), QStringLiteral("Schrift-Schema"), QSize(4095, 1650),
                   folder, dialogs, wait, atStartUp, parent) {
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(twipsRect(120, 120, 2175, 1035));
    m_list->addItems({QStringLiteral("Alte Schrift"), QStringLiteral("Neue Schrift")});

    addLabel("Label1", QStringLiteral("Farbe ändern"), twipsRect(2400, 240, 1575, 255),
             sansSerifFont(8.25), QApplication::palette().color(QPalette::HighlightedText));
    QPushButton* choose =
        addButton("Command1", QStringLiteral("..."), twipsRect(3600, 120, 375, 375));
    choose->setFont(sansSerifFont(12));

    m_swatch = new QWidget(this);
    m_swatch->setObjectName(QStringLiteral("Picture1"));
    m_swatch->setGeometry(twipsRect(2400, 600, 1575, 495));
    m_swatch->setAutoFillBackground(true);

    QPushButton* apply =
        addButton("Command2", QStringLiteral("Übernehmen"), twipsRect(120, 1200, 1935, 375));
    apply->setDefault(true); // Return applies the chosen scheme
    QPushButton* cancel =
        addButton("Command3", QStringLiteral("Abbrechen"), twipsRect(2040, 1200, 1935, 375));
    cancel->setEnabled(!atStartUp);

    // The digits are recoloured as images; this strip only keeps the place in the layout.
    auto* work = new QWidget(this);
    work->setObjectName(QStringLiteral("Picture2"));
    work->setGeometry(twipsRect(600, 1560, 3015, 135));

    // The dialog opens with the last applied choice; a bad settings file becomes the defaults.
    const DigitSettings settings = readSettingsOrDefaults(m_folder);
    m_list->setCurrentRow(static_cast<int>(settings.digitSet));
    setSwatchColour(settings.colour);
    m_list->setFocus();

    connect(choose, &QPushButton::clicked, this, &DigitSchemeDialog::chooseColour);
    connect(apply, &QPushButton::clicked, this, [this] {
        applyScheme(QStringLiteral("Es wird nun ein neues Schriftschema verwendet"),
                    QStringLiteral("Brixolan"), MessageIcon::None);
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void DigitSchemeDialog::setSwatchColour(BgrColor colour) {
    m_colour = colour;
    QPalette colours = m_swatch->palette();
    colours.setColor(QPalette::Window, toQColor(colour));
    m_swatch->setPalette(colours);
}

void DigitSchemeDialog::chooseColour() {
    // A cancelled colour dialog leaves the swatch as it was.
    if (const std::optional<QColor> chosen = m_dialogs.chooseColor(this, toQColor(m_colour)))
        setSwatchColour(toBgr(*chosen));
}

DigitSet DigitSchemeDialog::selectedSet() const {
    return m_list->currentRow() == 0 ? DigitSet::Old : DigitSet::New;
}

Result<std::vector<SchemeFile>> DigitSchemeDialog::schemeFiles() {
    const SchemeImages<DigitCount> digits = buildDigitScheme(m_folder, selectedSet(), m_colour);
    Result<std::vector<SchemeFile>> files =
        graphicsFiles(GraphicKind::Digit, digits.images, digits.missing);
    if (!files)
        return files;
    DigitSettings settings;
    settings.digitSet = selectedSet();
    settings.colour = m_colour;
    // In the same step as the digits, so the file always tells what is applied.
    files.value().push_back({QString::fromLatin1(SettingsFileName), encodeSettings(settings)});
    return files;
}

} // namespace brixolan

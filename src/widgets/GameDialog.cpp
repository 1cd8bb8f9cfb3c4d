// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameDialog.h"

#include "Colors.h"
#include "Fonts.h"
#include "Geometry.h"

#include <QLabel>
#include <QPushButton>

namespace brixolan {

GameDialog::GameDialog(const QString& objectName, const QString& caption, QSize clientTwips,
                       QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(clientTwips.width()), twips(clientTwips.height()));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);
}

void GameDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        placeOnScreen(this);
    }
}

QLabel* GameDialog::addLabel(const char* name, const QString& text, QRect geometry,
                             const QFont& font, const QColor& color) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(condensedToFit(font, text, geometry.width()));
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, visibleOnBlack(color));
    label->setPalette(colours);
    return label;
}

QPushButton* GameDialog::addButton(const char* name, const QString& text, QRect geometry) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

} // namespace brixolan

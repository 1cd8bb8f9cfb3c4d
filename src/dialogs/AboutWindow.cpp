// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutWindow.h"

#include "BrixolanVersion.h"
#include "Colors.h"
#include "Fonts.h"
#include "Geometry.h"

#include <QLabel>
#include <QPushButton>

namespace brixolan {

AboutWindow::AboutWindow(QWidget* parent)
    : GameDialog(QStringLiteral("Form3"),
                 QStringLiteral("VTQ Brixolan " BRIXOLAN_VERSION " Release Info"),
                 QSize(4680, 2700), parent) {
    QFont nameFont = captionFont(24);
    nameFont.setBold(true);
    QLabel* name = addLabel("Label1", QStringLiteral("VTQ Brixolan"),
                            twipsRect(120, 120, 4440, 600), nameFont, toQColor(named::Red));
    name->setAlignment(Qt::AlignCenter);

    QFont versionFont = sansSerifFont(9.75);
    versionFont.setBold(true);
    QLabel* version = addLabel("Label2", QStringLiteral("v" BRIXOLAN_VERSION " Release"),
                               twipsRect(120, 720, 4440, 300), versionFont, toQColor(named::Red));
    version->setAlignment(Qt::AlignCenter);

    QLabel* credits =
        addLabel("Label3",
                 QStringLiteral("Programmierung und Grafik:\ndas Brixolan-Team\n\n"
                                "Ein Spiel mit fallenden Steinen."),
                 twipsRect(120, 1080, 4440, 960), sansSerifFont(9.75), toQColor(named::Green));
    credits->setAlignment(Qt::AlignCenter);

    QPushButton* ok = addButton("Command1", QStringLiteral("OK"), twipsRect(1620, 2160, 1440, 375));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace brixolan

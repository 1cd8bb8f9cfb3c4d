// SPDX-License-Identifier: GPL-3.0-or-later
#include "WaitWindow.h"

#include "BrixolanVersion.h"
#include "Fonts.h"
#include "Geometry.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace brixolan {

namespace {

// The work that follows blocks the event loop; the window must be on the screen before it.
void showNow(QWidget* window) {
    placeOnScreen(window);
    window->show();
    window->raise();
    window->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

WaitWindow::WaitWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    // It stands in front of the work, never in front of a message, and never takes the focus
    // from the window that asked for it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QString());
    setFixedSize(251, 62); // 3765 x 930 twips
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("#Form7 { border: 2px solid #808080; }"));
    auto* label = new QLabel(QStringLiteral("Bitte warten ..."), this);
    label->setObjectName(QStringLiteral("Label1"));
    QFont font = sansSerifFont(12);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
}

void WaitWindow::showNow() {
    if (!isVisible())
        m_focus = QApplication::focusWidget();
    brixolan::showNow(this);
}

void WaitWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Where a platform activates it all the same, the window that had the focus gets it back,
    // so that the player's next key still goes there.
    if (m_focus && m_focus->isVisible()) {
        m_focus->activateWindow();
        m_focus->setFocus(Qt::OtherFocusReason);
    }
    m_focus = nullptr;
}

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form4"));
    setFixedSize(207, 69); // 3105 x 1035 twips
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("Image1"));
    icon->setFixedSize(32, 32);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));

    auto* name = new QLabel(QStringLiteral("VTQ Brixolan "), this);
    name->setObjectName(QStringLiteral("Label1"));
    QFont nameFont = sansSerifFont(13.5);
    nameFont.setBold(true);
    name->setFont(nameFont);
    name->setStyleSheet(QStringLiteral("color: #ff0000;"));

    auto* version = new QLabel(QStringLiteral("v" BRIXOLAN_VERSION " Release"), this);
    version->setObjectName(QStringLiteral("Label2"));
    QFont versionFont = sansSerifFont(8.25);
    versionFont.setBold(true);
    version->setFont(versionFont);
    version->setAlignment(Qt::AlignRight);
    version->setStyleSheet(QStringLiteral("color: #ff0000;"));

    auto* loading = new QLabel(QStringLiteral("wird geladen ..."), this);
    loading->setObjectName(QStringLiteral("Label3"));
    loading->setStyleSheet(QStringLiteral("color: #ffffff;"));

    auto* texts = new QVBoxLayout;
    texts->setSpacing(0);
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addWidget(loading);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);
    row->addWidget(icon);
    row->addLayout(texts, 1);
}

void SplashWindow::showNow() {
    brixolan::showNow(this);
}

} // namespace brixolan

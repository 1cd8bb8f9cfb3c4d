// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogServices.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <cstdlib>

namespace brixolan {

namespace {
// A hidden window (the main window during start-up) cannot carry a box.
QWidget* usableParent(QWidget* parent) {
    return parent && parent->isVisible() ? parent : nullptr;
}

// A message that comes while "Bitte warten ..." stands (Form7, centred on the screen) goes
// below it, or above where the screen has no room below, so that both can be read.
void keepClearOfWaitWindow(QWidget* box, QWidget* parent) {
    const QWidget* wait = nullptr;
    for (const QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("Form7") && widget->isVisible())
            wait = widget;
    const QScreen* screen = wait ? wait->screen() : nullptr;
    if (!screen)
        return;
    box->adjustSize();
    QRect frame(QPoint(), box->size());
    frame.moveCenter(parent ? parent->frameGeometry().center()
                            : screen->availableGeometry().center());
    const QRect clear = wait->frameGeometry().adjusted(0, -8, 0, 8);
    if (!frame.intersects(clear))
        return;
    frame.moveTop(clear.bottom() + 1);
    if (frame.bottom() > screen->availableGeometry().bottom())
        frame.moveBottom(clear.top() - 1);
    box->move(frame.topLeft());
}
} // namespace

void QtDialogServices::message(QWidget* parent, const QString& text, const QString& title,
                               MessageIcon icon) {
    QMessageBox box(usableParent(parent));
    box.setWindowTitle(title);
    // File names and texts from files are quoted in messages; none of it is markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    keepClearOfWaitWindow(&box, usableParent(parent));
    box.exec();
}

QString QtDialogServices::input(QWidget* parent, const QString& prompt, const QString& title,
                                const QString& proposed) {
    bool ok = false;
    const QString text = QInputDialog::getText(usableParent(parent), title, prompt,
                                               QLineEdit::Normal, proposed, &ok);
    return ok ? text : QString();
}

std::optional<QColor> QtDialogServices::chooseColor(QWidget* parent, const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, usableParent(parent));
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

bool QtDialogServices::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

bool QtDialogServices::startDetached(const QString& program) {
    return QProcess::startDetached(program, {});
}

void QtDialogServices::endProgram() {
    std::_Exit(EXIT_FAILURE);
}

} // namespace brixolan

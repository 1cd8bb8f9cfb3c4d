// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogServices.h"

#include "TextCodec.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QValidator>
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

// Drops what a line of a text file cannot keep, from typing and from pasting alike; a pasted
// text keeps the rest.
class FileLineValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override {
        position = int(keepFileLineCharacters(input.left(position)).size());
        input = keepFileLineCharacters(input);
        return Acceptable;
    }
};
} // namespace

void QtDialogServices::message(QWidget* parent, const QString& text, const QString& title,
                               MessageIcon icon) {
    QMessageBox box(usableParent(parent));
    box.setWindowTitle(title);
    // File names and texts from files are quoted in messages; none of it is markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    // Addresses and file names in messages are there to be copied: with the mouse, or after
    // Tab with Ctrl+A and Ctrl+C, since the box itself copies nothing here. The keyboard starts
    // on OK.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
        label->setFocusPolicy(Qt::StrongFocus);
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
    box.setDefaultButton(QMessageBox::Ok); // and the focus, not the selectable text
    box.exec();
}

bool QtDialogServices::ask(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(usableParent(parent));
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(QMessageBox::Question);
    const QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    // A question that acts is answered "Nein" by Return, Escape and the close box.
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

QString QtDialogServices::input(QWidget* parent, const QString& prompt, const QString& title,
                                const QString& proposed, InputText kind) {
    QInputDialog box(usableParent(parent));
    box.setWindowTitle(title);
    box.setInputMode(QInputDialog::TextInput);
    box.setLabelText(prompt);
    box.setTextValue(proposed);
    if (auto* label = box.findChild<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    if (auto* edit = box.findChild<QLineEdit*>(); edit && kind == InputText::FileLine)
        edit->setValidator(new FileLineValidator(edit));
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
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

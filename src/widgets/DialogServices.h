// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <QUrl>
#include <cstdlib>
#include <optional>

class QWidget;

namespace brixolan {

enum class MessageIcon { None, Information, Warning, Critical };

/// What an input box lets the player type.
enum class InputText {
    Any,
    /// One line of a text file in its code page: characters it cannot hold and line breaks are
    /// not taken, so what the player sees is what the file keeps.
    FileLine,
};

/// Message boxes, input boxes, the colour dialog, the outside world and "end the program now"
/// go through this interface, so that tests answer them and nothing blocks a headless run.
class DialogServices {
public:
    virtual ~DialogServices() = default;

    /// A modal message with an OK button only; the text is shown exactly as given, never as
    /// markup, and can be selected and copied.
    virtual void message(QWidget* parent, const QString& text, const QString& title,
                         MessageIcon icon) = 0;
    /// A modal question with "Ja" and "Nein", "Nein" preselected; true for "Ja" only.
    virtual bool ask(QWidget* parent, const QString& text, const QString& title) = 0;
    /// A modal input box; cancelling gives the empty text.
    virtual QString input(QWidget* parent, const QString& prompt, const QString& title,
                          const QString& proposed, InputText kind) = 0;
    /// The colour dialog; no value when the player cancels.
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    /// Opens an address or a file with the desktop's default handler, without waiting.
    virtual bool openUrl(const QUrl& url) = 0;
    /// Starts a program detached; false when it could not be started.
    virtual bool startDetached(const QString& program) = 0;
    /// The one fatal end: shows `text` as a message (none when it is empty: the player has been
    /// told already), then ends the process at once with status 1. No window's closing code
    /// runs, nothing is saved.
    [[noreturn]] void endProgramNow(QWidget* parent = nullptr, const QString& text = {},
                                    const QString& title = {},
                                    MessageIcon icon = MessageIcon::None) {
        if (!text.isEmpty())
            message(parent, text, title, icon);
        endProgram();
        std::abort(); // an implementation that returned would let a dead program go on
    }

protected:
    /// Ends the process (a test double throws instead).
    virtual void endProgram() = 0;
};

/// The real services on Qt widgets.
class QtDialogServices : public DialogServices {
public:
    void message(QWidget* parent, const QString& text, const QString& title,
                 MessageIcon icon) override;
    bool ask(QWidget* parent, const QString& text, const QString& title) override;
    QString input(QWidget* parent, const QString& prompt, const QString& title,
                  const QString& proposed, InputText kind) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    bool openUrl(const QUrl& url) override;
    bool startDetached(const QString& program) override;

protected:
    void endProgram() override;
};

} // namespace brixolan

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DialogServices.h"
#include "TextCodec.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace brixolan::fakes {

/// What a test sees of "end the program now".
struct ProgramEnded {};

/// Answers every dialog from a script and records what the program asked.
class FakeDialogServices : public DialogServices {
public:
    struct Message {
        QString text;
        QString title;
    };

    std::vector<Message> messages;
    QStringList inputs;       ///< the prompts
    QStringList inputAnswers; ///< answered in order; empty text once they run out
    QStringList questions;
    QList<bool> questionAnswers; ///< answered in order; "Nein" once they run out
    QList<std::optional<QColor>> colorAnswers;
    std::vector<QUrl> openedUrls;
    QStringList startedPrograms;
    bool openUrlSucceeds = true;
    /// Runs while a message is "shown", as the player's reaction to it.
    std::function<void(const Message&)> onMessage;
    /// Runs while an input box is "open", as what happens meanwhile.
    std::function<void()> onInput;

    void message(QWidget*, const QString& text, const QString& title, MessageIcon) override {
        messages.push_back({text, title});
        if (onMessage)
            onMessage(messages.back());
    }
    bool ask(QWidget*, const QString& text, const QString&) override {
        questions << text;
        return !questionAnswers.isEmpty() && questionAnswers.takeFirst();
    }
    /// A file line takes what the real box lets through of the answer, as if typed.
    QString input(QWidget*, const QString& prompt, const QString&, const QString&,
                  InputText kind) override {
        inputs << prompt;
        if (onInput)
            onInput();
        const QString answer = inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
        return kind == InputText::FileLine ? keepFileLineCharacters(answer) : answer;
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override {
        return colorAnswers.isEmpty() ? std::nullopt : colorAnswers.takeFirst();
    }
    bool openUrl(const QUrl& url) override {
        openedUrls.push_back(url);
        return openUrlSucceeds;
    }
    bool startDetached(const QString& program) override {
        startedPrograms << program;
        return true;
    }

protected:
    /// The program would end here; the test sees it as this exception.
    void endProgram() override { throw ProgramEnded{}; }
};

} // namespace brixolan::fakes

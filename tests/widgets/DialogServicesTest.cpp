// SPDX-License-Identifier: GPL-3.0-or-later
// The real dialog services, as far as they promise more than Qt does: a message is plain text
// in a modal box that holds the keyboard and stands clear of the wait window, and the fatal end
// leaves at once with a failure.
#include "DialogServices.h"
#include "ModalAnswers.h"
#include "WaitWindow.h"

#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QStyle>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace brixolan;

TEST(QtDialogServices, aMessageIsPlainTextInAModalBoxThatHasTheKeyboard) {
    const QString text = QStringLiteral("<b>score.sre</b> & <i>\"Grafiken\"</i>");
    // Selectable whatever the style, also after Tab, yet with the keyboard first on OK. The second
    // comes while "Bitte warten ..." stands and leaves that text readable.
    WaitWindow wait;
    for (const QString& style : {QStringLiteral("Windows"), QApplication::style()->name()}) {
        QApplication::setStyle(style);
        QString seen = QStringLiteral("no modal box");
        fakes::whenModal([&](QWidget* modal) { // answers the box with Enter, once it has the keys
            auto* box = qobject_cast<QMessageBox*>(modal);
            QWidget* first = box->focusWidget(); // what the box gives the keys when activated
            QWidget* keys = QTest::qWaitForWindowActive(box) ? qApp->focusWidget() : nullptr;
            seen = box->textFormat() == Qt::PlainText ? box->text() : QStringLiteral("markup");
            const QLabel* label = box->findChild<QLabel*>("qt_msgbox_label");
            if (!label->textInteractionFlags().testFlag(Qt::TextSelectableByMouse))
                seen += QStringLiteral(", not selectable");
            if (box->frameGeometry().intersects(wait.frameGeometry()) && wait.isVisible())
                seen += QStringLiteral(", over the wait window");
            // A window manager keeps the keys from a window that refuses the focus; this
            // platform does not, so the flag is what tells.
            if (keys == nullptr || keys != first || !box->isAncestorOf(keys) ||
                box->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus) ||
                keys->property("text").toString() != "OK") {
                seen += QStringLiteral(", without the keyboard on OK");
                box->done(QMessageBox::Ok);
            } else { // Tab takes the keys to the text, to copy it; Return still answers OK
                QApplication::clipboard()->clear();
                QTest::keyClick(keys, Qt::Key_Tab);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
                if (QApplication::clipboard()->text() != box->text())
                    seen += QStringLiteral(", not copied by keyboard");
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            }
        });
        QtDialogServices().message(nullptr, text, QStringLiteral("Fehler"), MessageIcon::Warning);
        EXPECT_EQ(seen.toStdString(), text.toStdString()) << style.toStdString();
        wait.showNow();
    }
}

// No closing code runs (not even the exit handlers) and the status says it failed.
TEST(QtDialogServices, theFatalEndLeavesAtOnceWithStatusOne) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::atexit([] { std::_Exit(3); });
        QtDialogServices().endProgramNow();
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == EXIT_FAILURE) << status;
}

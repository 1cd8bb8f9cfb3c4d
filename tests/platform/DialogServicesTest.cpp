// SPDX-License-Identifier: GPL-3.0-or-later
// The real dialog services, as far as they promise more than Qt does: a message is plain text
// in a modal box that holds the keyboard, and the fatal end leaves at once with a failure.
#include "DialogServices.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace brixolan;

TEST(QtDialogServices, aMessageIsPlainTextInAModalBoxThatHasTheKeyboard) {
    QWidget owner;
    owner.show();
    const QString text = QStringLiteral("<b>score.sre</b> & <i>\"Grafiken\"</i>");
    QString seen = QStringLiteral("no modal box");
    QTimer answer; // finds the box once its event loop runs, and answers it with Enter
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        answer.stop();
        QWidget* keys = QTest::qWaitForWindowActive(box) ? QApplication::focusWidget() : nullptr;
        seen = box->textFormat() == Qt::PlainText ? box->text() : QStringLiteral("markup");
        if (keys == nullptr || !box->isAncestorOf(keys)) {
            seen += QStringLiteral(", without the keyboard");
            box->done(QMessageBox::Ok);
        } else {
            QTest::keyClick(keys, Qt::Key_Return);
        }
    });
    answer.start(0);
    QtDialogServices().message(&owner, text, QStringLiteral("Fehler"), MessageIcon::Warning);
    EXPECT_EQ(seen, text);
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "WaitWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace brixolan;

// The wait window stands in front of the work but leaves it the keyboard: it asks the window
// system not to give it the focus, and where a platform does all the same (the headless one
// does), the keyboard goes back to where it was when the window hides.
TEST(WaitWindow, leavesTheKeyboardToTheWindowThatHadIt) {
    QWidget work;
    auto* field = new QLineEdit(&work);
    work.show();
    work.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&work));
    field->setFocus();
    WaitWindow wait;
    wait.showNow();
    EXPECT_TRUE(wait.windowHandle()->flags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(wait.testAttribute(Qt::WA_ShowWithoutActivating));
    wait.hide();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&work));
    EXPECT_EQ(QApplication::focusWidget(), field);
}

// A message shown while a secondary window is active opens over that window, so that the window
// stays in front of the main window once the message is closed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "gui/qt_feedback.h"

namespace zirtel {
namespace {

TEST(QtFeedbackMessages, OpenOverTheActiveWindow) {
    QWidget main, secondary;
    main.show();
    secondary.show();
    secondary.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&secondary));
    QtFeedback feedback(&main);
    QWidget* parent = nullptr;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        parent = box->parentWidget();
        box->accept();
    });
    feedback.ShowMessage("Abisua", "proba", MessageButtons::Ok);
    EXPECT_EQ(parent, &secondary);
}

} // namespace
} // namespace zirtel

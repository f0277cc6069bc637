// The progress window of an analysis offers "Utzi": a click stops the analysis before the next
// item and keeps the rows done so far.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "gui/main_form.h"
#include "gui/progress_form.h"
#include "gui/qt_feedback.h"
#include "gui/windows.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

TEST(ProgressWindow, UtziStopsTheAnalysisBetweenItemsAndKeepsTheRowsDone) {
    QtFeedback feedback; // the windows' own: real progress windows
    CreateWindows(test::TestData("foundation"), std::nullopt, &feedback);
    QTableView* output = MainForm->OutputGrid;
    QAbstractItemModelTester tester(output->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (const char* item : {"aita", "ama", "ardo", "baso", "bat"}) {
        MainForm->EditLine->setText(item);
        emit MainForm->EditLine->returnPressed();
    }
    auto cell = [&](int row) {
        return output->model()->index(row - 1, 2).data().toString().toStdString();
    };

    // "Utzi" is clicked as soon as the third item has its result.
    QString caption, button;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&]() {
        if (MainForm->WS().OutputGrid.Cell(2, 3).empty()) return;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* form = qobject_cast<TProgressForm*>(w);
            if (!form || !form->isVisible() || !form->CancelBtn->isVisible()) continue;
            caption = form->windowTitle();
            button = form->CancelBtn->text();
            QTest::mouseClick(form->CancelBtn, Qt::LeftButton);
            poll.stop();
        }
    });
    poll.start();
    MainForm->AnalyseAllBtn->click();
    EXPECT_FALSE(poll.isActive());
    EXPECT_EQ(caption, "Progresioa");
    EXPECT_EQ(button, "Utzi");
    EXPECT_EQ(cell(1), " 120.50");
    EXPECT_EQ(cell(2), " 150.00");
    EXPECT_EQ(cell(3), "  12.00");
    EXPECT_EQ(cell(4), "");
    EXPECT_EQ(cell(5), "");

    // Not cancelled, the analysis does every row.
    MainForm->AnalyseAllBtn->click();
    EXPECT_EQ(cell(4), "  30.25");
    EXPECT_EQ(cell(5), " 900.00");
    DestroyWindows();
}

} // namespace
} // namespace zirtel

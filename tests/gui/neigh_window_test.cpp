// The orthographic neighbour list window over the hand-made lexicon of tests/data/neighbours:
// it shows the list the analysis fills, follows the selected result row, selects an item in
// the results when its first row is clicked, and saves the list.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "gui/analysis_option_form.h"
#include "gui/main_form.h"
#include "gui/neigh_window.h"
#include "gui/windows.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

class NeighbourListWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateWindows(test::TestData("neighbours"), std::nullopt, &Fb);
        ASSERT_NE(NeighWindow, nullptr);
        List = NeighWindow->NeighList;
        ListTester = std::make_unique<QAbstractItemModelTester>(
            List->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    void TearDown() override {
        ListTester.reset();
        DestroyWindows();
    }
    // Ticks the neighbour counts and both list options in the options dialog, and presses OK.
    void TickNeighbourOptions() {
        QTimer::singleShot(0, [] {
            for (const char* box :
                 {"NBox", "N_StarBox", "PBox", "IncludeDeletionNsBox", "IncludeAdditionNsBox"})
                AnalysisOptionForm->Box(box)->setChecked(true);
            AnalysisOptionForm->OKBtn->click();
        });
        MainForm->Options1->trigger();
    }
    void Type(const QString& text) {
        MainForm->EditLine->setText(text);
        emit MainForm->EditLine->returnPressed();
    }
    // The text of a list cell (grid row, column), as UTF-8.
    std::string ListCell(int gridRow, int col) {
        return List->model()->index(gridRow - 1, col).data().toString().toStdString();
    }
    std::string ListHeader(int col) {
        return List->model()->headerData(col, Qt::Horizontal).toString().toStdString();
    }

    test::RecordingFeedback Fb;
    QTableView* List = nullptr;
    std::unique_ptr<QAbstractItemModelTester> ListTester;
};

TEST_F(NeighbourListWindowTest, ShowsTheBlocksTheAnalysisWrites) {
    EXPECT_EQ(NeighWindow->windowTitle(), "Orto-auzokide zerrenda");
    EXPECT_FALSE(NeighWindow->isVisible());
    EXPECT_EQ(ListHeader(0), "Item");
    EXPECT_EQ(ListHeader(1), "Mota");
    EXPECT_EQ(ListHeader(2), "Pos.");
    EXPECT_EQ(ListHeader(3), "Auzokideak");
    EXPECT_EQ(List->columnWidth(0), 105);
    EXPECT_EQ(List->columnWidth(1), 55);
    EXPECT_EQ(List->columnWidth(3), 83);
    EXPECT_EQ(List->columnWidth(4), 65);

    TickNeighbourOptions();
    Type("mara");
    Type("ona");
    MainForm->AnalyseAllBtn->click();
    MainForm->Neighbourlist1->trigger();
    EXPECT_TRUE(NeighWindow->isVisible());
    // Maximised, and without the title bar's buttons: the window is left through its menu.
    EXPECT_TRUE(NeighWindow->windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(NeighWindow->windowFlags() & Qt::CustomizeWindowHint);
    EXPECT_FALSE(NeighWindow->windowFlags() &
                 (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint));
    EXPECT_EQ(ListCell(1, 0), "MARA");
    EXPECT_EQ(ListCell(1, 1), "Sub");
    EXPECT_EQ(ListCell(1, 2), "1");
    EXPECT_EQ(ListCell(1, 3), "bara");
    EXPECT_EQ(ListCell(1, 4), "kara");
    EXPECT_EQ(ListCell(4, 1), "Del");
    EXPECT_EQ(ListCell(5, 4), "zmara");
    EXPECT_EQ(ListCell(6, 2), "4");
    EXPECT_EQ(ListCell(7, 1), "");
    EXPECT_EQ(ListCell(8, 0), "ONA");
    EXPECT_EQ(ListCell(8, 5), "oña");

    // "&Leiho nagusia" hides the window; the list stays.
    NeighWindow->MainForm1->trigger();
    EXPECT_FALSE(NeighWindow->isVisible());
    EXPECT_EQ(ListCell(8, 0), "ONA");

    // A seventeenth neighbour on one row widens the list.
    Type("kux");
    MainForm->AnalyseAllBtn->click();
    ASSERT_GE(List->model()->columnCount(), 20);
    EXPECT_EQ(ListCell(11, 0), "KUX");
    EXPECT_EQ(ListCell(11, 19), "ñux");
}

TEST_F(NeighbourListWindowTest, FollowsTheResultsBothWays) {
    TickNeighbourOptions();
    Type("mara");
    Type("ona");
    MainForm->AnalyseAllBtn->click();
    MainForm->Neighbourlist1->trigger();

    // Pressing the result row of ona selects its one row of substitutions, at the top.
    QTableView* out = MainForm->OutputGrid;
    const QModelIndex ona = out->model()->index(1, 2);
    // (as a mouse press does it: the current cell moves, then the selection, then "pressed")
    out->selectionModel()->setCurrentIndex(ona, QItemSelectionModel::NoUpdate);
    out->selectionModel()->select(ona, QItemSelectionModel::ClearAndSelect);
    emit out->pressed(ona);
    EXPECT_TRUE(List->selectionModel()->isRowSelected(7, {}));
    EXPECT_FALSE(List->selectionModel()->isRowSelected(8, {}));
    EXPECT_EQ(MainForm->Grids().OrthoList.TopRow, 8);
    EXPECT_EQ(MainForm->Grids().Stimulus.Selection.Top, 2);

    // Moving up to mara with the keys selects its two substitution rows (P = 2), and the
    // results stay on mara.
    out->setCurrentIndex(out->model()->index(0, 2));
    EXPECT_EQ(out->currentIndex().row(), 0);
    EXPECT_TRUE(List->selectionModel()->isRowSelected(0, {}));
    EXPECT_TRUE(List->selectionModel()->isRowSelected(1, {}));
    EXPECT_FALSE(List->selectionModel()->isRowSelected(2, {}));
    EXPECT_FALSE(List->selectionModel()->isRowSelected(7, {}));
    EXPECT_EQ(MainForm->Grids().OrthoList.TopRow, 1);

    // A click on the first row of mara's block selects mara in the results; a click on a row
    // without an item does nothing.
    emit List->clicked(List->model()->index(7, 0));
    EXPECT_EQ(MainForm->Grids().Stimulus.Selection.Top, 2);
    EXPECT_TRUE(MainForm->StimulusGrid->selectionModel()->isRowSelected(1, {}));
    emit List->clicked(List->model()->index(0, 3));
    EXPECT_EQ(MainForm->Grids().Stimulus.Selection.Top, 1);
    EXPECT_TRUE(MainForm->StimulusGrid->selectionModel()->isRowSelected(0, {}));
    emit List->clicked(List->model()->index(3, 3));
    EXPECT_EQ(MainForm->Grids().Stimulus.Selection.Top, 1);
}

TEST_F(NeighbourListWindowTest, TheListStaysWhereTheUserLeftIt) {
    TickNeighbourOptions();
    for (const char* item : {"mara", "ona", "kux", "kantil", "tolla", "lor"}) Type(item);
    MainForm->AnalyseAllBtn->click();
    MainForm->Neighbourlist1->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(NeighWindow));
    QScrollBar* bar = List->verticalScrollBar();
    ASSERT_GE(bar->maximum(), 3);
    bar->setValue(3);

    // A click on the first row of ona's block (list row 8) selects ona in the results; the list
    // keeps its scroll position and the clicked row stays selected.
    const QRect ona = List->visualRect(List->model()->index(7, 0));
    QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, ona.center());
    EXPECT_EQ(MainForm->Grids().Stimulus.Selection.Top, 2);
    EXPECT_EQ(bar->value(), 3);
    EXPECT_TRUE(List->selectionModel()->isRowSelected(7, {}));

    // A click on a row without an item only selects that row.
    const QRect del = List->visualRect(List->model()->index(3, 3));
    QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, del.center());
    EXPECT_EQ(MainForm->Grids().Stimulus.Selection.Top, 2);
    EXPECT_EQ(bar->value(), 3);
    EXPECT_TRUE(List->selectionModel()->isRowSelected(3, {}));
    EXPECT_FALSE(List->selectionModel()->isRowSelected(7, {}));

    // Typing a new item refreshes every grid; the list is left as the user left it.
    Type("iz");
    EXPECT_EQ(bar->value(), 3);
    EXPECT_TRUE(List->selectionModel()->isRowSelected(3, {}));
}

TEST_F(NeighbourListWindowTest, AHiddenListShowsTheSelectedItemWhenItOpens) {
    TickNeighbourOptions();
    for (const char* item :
         {"mara", "ona", "kux", "kantil", "tolla", "lor", "iz", "rof", "tej", "pev", "alor"})
        Type(item);
    MainForm->AnalyseAllBtn->click();
    // The result row of kantil is selected while the list is hidden; opened, the list shows
    // kantil's block at its top.
    QTableView* out = MainForm->OutputGrid;
    const QModelIndex kantil = out->model()->index(3, 2);
    out->selectionModel()->setCurrentIndex(kantil, QItemSelectionModel::NoUpdate);
    out->selectionModel()->select(kantil, QItemSelectionModel::ClearAndSelect);
    emit out->pressed(kantil);
    MainForm->Neighbourlist1->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(NeighWindow));
    EXPECT_EQ(List->model()->index(List->rowAt(0), 0).data().toString(), "KANTIL");

    // Analysing kantil again appends further blocks, until the list grows; the list goes on
    // showing kantil's first block, with its substitution rows selected.
    const int rows = List->model()->rowCount();
    List->verticalScrollBar()->setValue(0);
    for (int i = 0; i < 10 && List->model()->rowCount() == rows; ++i)
        MainForm->SelectedItems1->trigger();
    ASSERT_GT(List->model()->rowCount(), rows);
    const int top = List->rowAt(0);
    EXPECT_EQ(List->model()->index(top, 0).data().toString(), "KANTIL");
    EXPECT_TRUE(List->selectionModel()->isRowSelected(top, {}));
}

TEST_F(NeighbourListWindowTest, SavesTheListAndSaysHowItWent) {
    TickNeighbourOptions();
    Type("ona");
    MainForm->AnalyseAllBtn->click();
    test::TempDir dir;

    NeighWindow->ChooseSaveFile = [&dir] {
        return QString::fromStdString((dir / "list.txt").string());
    };
    NeighWindow->Saveneighbourlist1->trigger();
    EXPECT_EQ(test::ReadBytes(dir / "list.txt"), "ONA     \toka     \r\n"
                                                 "ONA     \toza     \r\n"
                                                 "ONA     \toña     \r\n");
    ASSERT_EQ(Fb.Messages.size(), 1u);
    EXPECT_EQ(Fb.Messages[0], (test::RecordedMessage{"", "Auzokide-zerrenda gorde egin da",
                                                     MessageButtons::OkCancel}));

    // Cancelled: nothing happens.
    NeighWindow->ChooseSaveFile = [] { return QString(); };
    NeighWindow->Saveneighbourlist1->trigger();
    EXPECT_EQ(Fb.Messages.size(), 1u);

    // A file that cannot be written.
    NeighWindow->ChooseSaveFile = [&dir] {
        return QString::fromStdString((dir / "missing" / "list.txt").string());
    };
    NeighWindow->Saveneighbourlist1->trigger();
    ASSERT_EQ(Fb.Messages.size(), 2u);
    EXPECT_EQ(Fb.Messages[1], (test::RecordedMessage{"Fitxategi-errorea",
                                                     "Ezin da gorde auzokide-zerrenda: " +
                                                         (dir / "missing" / "list.txt").string() +
                                                         ": No such file or directory",
                                                     MessageButtons::OkCancel}));
}

} // namespace
} // namespace zirtel

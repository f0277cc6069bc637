#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include "gui/analysis_option_form.h"
#include "gui/main_form.h"
#include "gui/windows.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateWindows(test::TestData("foundation"), std::nullopt, &Fb);
        Output = MainForm->OutputGrid;
        Stimulus = MainForm->StimulusGrid;
        OutputTester = std::make_unique<QAbstractItemModelTester>(
            Output->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        StimulusTester = std::make_unique<QAbstractItemModelTester>(
            Stimulus->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    void TearDown() override {
        OutputTester.reset();
        StimulusTester.reset();
        DestroyWindows();
    }
    std::string Cell(QTableView* v, int gridRow, int col) {
        return v->model()->index(gridRow - 1, col).data().toString().toStdString();
    }
    std::string Header(QTableView* v, int col) {
        return v->model()->headerData(col, Qt::Horizontal).toString().toStdString();
    }
    void Type(const QString& text) {
        MainForm->EditLine->setText(text);
        emit MainForm->EditLine->returnPressed();
    }
    // Answers the next modal dialog by running `action` once the event loop runs it.
    void OnNextDialog(std::function<void()> action) { QTimer::singleShot(0, action); }

    test::RecordingFeedback Fb;
    QTableView* Output = nullptr;
    QTableView* Stimulus = nullptr;
    std::unique_ptr<QAbstractItemModelTester> OutputTester, StimulusTester;
};

TEST_F(MainWindow, StartUpShowsEmptyRowsAndOneFrequencyColumn) {
    EXPECT_EQ(MainForm->windowTitle(), "Zirtelak (Zirtel)");
    EXPECT_EQ(Header(Stimulus, 0), "Sarrera");
    EXPECT_EQ(Cell(Stimulus, 1, 0), "");
    EXPECT_EQ(Cell(Stimulus, 29, 0), "");
    EXPECT_EQ(Header(Output, 2), "  H_MAIZT ");
    EXPECT_EQ(Header(Output, 3), "");
    EXPECT_TRUE(Output->isColumnHidden(0));
    EXPECT_TRUE(Output->isColumnHidden(1));
    EXPECT_EQ(Output->columnWidth(2), 83);
    EXPECT_EQ(Output->model()->columnCount(), 67);
    EXPECT_EQ(MainForm->Panel1->height(), 41);
    EXPECT_EQ(MainForm->Button1->text(), "Analisi-aukerak");
    EXPECT_EQ(MainForm->SelectedItems1->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_EQ(MainForm->NeighbourStats1->shortcut(), QKeySequence(Qt::Key_F8));
    EXPECT_EQ(MainForm->Copy2->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(MainForm->Paste1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
    EXPECT_TRUE(Fb.Messages.empty());
    ASSERT_NE(AnalysisOptionForm, nullptr);
    EXPECT_TRUE(AnalysisOptionForm->Box("W_FREQ_Box")->isChecked());
    EXPECT_TRUE(AnalysisOptionForm->Box("NListBox")->isChecked());
    EXPECT_FALSE(AnalysisOptionForm->Box("NBox")->isChecked());
}

TEST_F(MainWindow, TypedItemAnalysedWithF9AndDuplicateRefused) {
    Type(" Etxe ");
    EXPECT_EQ(MainForm->EditLine->text(), "");
    EXPECT_EQ(Cell(Stimulus, 1, 0), "etxe");
    EXPECT_EQ(Cell(Output, 1, 1), "etxe");
    MainForm->SelectedItems1->trigger();
    EXPECT_EQ(Cell(Output, 1, 2), "   9.00");
    Type("ETXE");
    ASSERT_EQ(Fb.Messages.size(), 1u);
    EXPECT_EQ(Fb.Messages[0].Caption, "Abisua");
    EXPECT_EQ(Fb.Messages[0].Text, "Elementu hori dagoeneko sartuta dago.");
    EXPECT_EQ(MainForm->EditLine->text(), "");
    EXPECT_EQ(Cell(Output, 2, 1), "");
    // Quick entry is over once an item exists: F9 analyses the selection only.
    Type("mendi");
    MainForm->NeighbourStats1->trigger();
    EXPECT_EQ(Cell(Output, 2, 2), "  40.00");
}

TEST_F(MainWindow, OpeningAnInputFileFillsBothGrids) {
    MainForm->ChooseOpenFile = [] {
        return QString::fromStdString(test::TestData("foundation/items.txt").string());
    };
    MainForm->OpenInputFile1->trigger();
    EXPECT_EQ(Cell(Stimulus, 1, 0), "etxe");
    EXPECT_EQ(Cell(Stimulus, 2, 0), "\xC3\xB1"
                                    "abar"); // ñabar
    EXPECT_EQ(Cell(Output, 4, 1), "mendia");
    EXPECT_EQ(Cell(Stimulus, 5, 0), "");
    // Sized to the 4 items (+ 5 spare rows), not to the file's lines; the header row is not a
    // model row.
    EXPECT_EQ(Stimulus->model()->rowCount(), 8);
    EXPECT_EQ(Output->model()->rowCount(), 8);
    EXPECT_EQ(MainForm->DialogDir.toStdString(), test::TestData("foundation").string());
    MainForm->AnalyseAllBtn->click();
    EXPECT_EQ(Cell(Output, 2, 2), "   2.00");
}

TEST_F(MainWindow, OptionsOkReassignsColumnsAndCancelKeepsTheTicks) {
    OnNextDialog([] {
        AnalysisOptionForm->Box("NBox")->setChecked(true);
        AnalysisOptionForm->Box("BF1_Box")->setChecked(true);
        AnalysisOptionForm->OKBtn->click();
    });
    MainForm->Options1->trigger();
    EXPECT_EQ(Header(Output, 2), "  H_MAIZT ");
    EXPECT_EQ(Header(Output, 3), " 1_BM ");
    EXPECT_EQ(Header(Output, 4), "   N   ");
    EXPECT_EQ(Output->columnWidth(2), 103);
    EXPECT_EQ(Output->columnWidth(4), 75);

    OnNextDialog([] {
        AnalysisOptionForm->Box("LenLBox")->setChecked(true);
        AnalysisOptionForm->CancelBtn->click();
    });
    MainForm->Button1->click();
    EXPECT_EQ(Header(Output, 5), ""); // nothing reassigned
    EXPECT_TRUE(MainForm->WS().Setup.Options.Ticked("LenLBox"));
    // The user field box says it is undefined, and is disabled.
    EXPECT_EQ(AnalysisOptionForm->Box("UserField1_Box")->text(), "1.eremua: Undefined");
    EXPECT_FALSE(AnalysisOptionForm->Box("UserField1_Box")->isEnabled());

    // The next OK follows the ticks made before the Cancel (LUZ_L comes before N).
    OnNextDialog([] { AnalysisOptionForm->OKBtn->click(); });
    MainForm->Options1->trigger();
    EXPECT_EQ(Header(Output, 4), " LUZ_L ");
    EXPECT_EQ(Header(Output, 5), "   N   ");
}

} // namespace
} // namespace zirtel

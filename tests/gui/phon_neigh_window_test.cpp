// The phonological neighbour list window shows the engine's list and saves it.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include "gui/analysis_option_form.h"
#include "gui/main_form.h"
#include "gui/neigh_window.h"
#include "gui/windows.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

class PhonNeighWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateWindows(test::TestData("phonology"), std::nullopt, &Fb);
        List = PhonNeighWindow->NeighList;
        Tester = std::make_unique<QAbstractItemModelTester>(
            List->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    void TearDown() override {
        Tester.reset();
        DestroyWindows();
    }
    // The cells of columns 0 .. 4 of a list row, joined by '|'.
    std::string Row(int gridRow) {
        std::string s;
        for (int c = 0; c < 5; ++c) {
            if (c > 0) s += '|';
            s += List->model()->index(gridRow - 1, c).data().toString().toStdString();
        }
        return s;
    }
    void Type(const QString& text) {
        MainForm->EditLine->setText(text);
        emit MainForm->EditLine->returnPressed();
    }

    test::RecordingFeedback Fb;
    QTableView* List = nullptr;
    std::unique_ptr<QAbstractItemModelTester> Tester;
};

TEST_F(PhonNeighWindowTest, ShowsTheItemsNeighboursAndSavesThem) {
    EXPECT_EQ(PhonNeighWindow->windowTitle(), "Fon-auzokide zerrenda");
    EXPECT_EQ(List->model()->headerData(0, Qt::Horizontal).toString(), "Item");
    EXPECT_EQ(List->model()->headerData(3, Qt::Horizontal).toString(), "Auzokideak");

    QTimer::singleShot(0, [] {
        AnalysisOptionForm->Box("PNBox")->setChecked(true);
        AnalysisOptionForm->OKBtn->click();
    });
    MainForm->Options1->trigger();
    Type("lo");
    Type("mesa");
    MainForm->NeighbourStats1->trigger();
    MainForm->Phonneighlist1->trigger();
    EXPECT_TRUE(PhonNeighWindow->isVisible());
    EXPECT_TRUE(PhonNeighWindow->windowState() & Qt::WindowMaximized);

    EXPECT_EQ(Row(1), "LO|Ordez|1|bo|");
    EXPECT_EQ(Row(2), "|Gain|3|lot|");
    EXPECT_EQ(Row(3), "||||");
    EXPECT_EQ(Row(4), "MESA|Ordez|5|mese|");
    // The deletion count of lo's last row is kept: mesa's deletions start one row further.
    EXPECT_EQ(Row(5), "||||");
    EXPECT_EQ(Row(6), "|Ezab|1|meza|");

    test::TempDir dir;
    const auto file = dir / "list.txt";
    PhonNeighWindow->ChooseSaveFile = [&file] { return QString::fromStdString(file.string()); };
    Fb.Clear();
    PhonNeighWindow->Saveneighbourlist1->trigger();
    EXPECT_EQ(test::ReadBytes(file), "LO      \tbo      \r\n"
                                     "LO      \tlot     \r\n"
                                     "MESA    \tmese    \r\n"
                                     "MESA    \tmeza    \r\n");
    EXPECT_EQ(Fb.MessageLines(), (std::vector<std::string>{": Auzokide-zerrenda gorde egin da"}));

    Fb.Clear();
    PhonNeighWindow->ChooseSaveFile = [&dir] {
        return QString::fromStdString((dir / "missing" / "list.txt").string());
    };
    PhonNeighWindow->Saveneighbourlist1->trigger();
    EXPECT_EQ(Fb.MessageLines(),
              (std::vector<std::string>{"File Error: Can't save neighbour list: " +
                                        (dir / "missing" / "list.txt").string() +
                                        ": No such file or directory"}));

    // A click on an item's first row selects that item in the results.
    emit List->clicked(List->model()->index(3, 0));
    EXPECT_EQ(MainForm->Grids().Stimulus.Selection.Top, 2);
}

} // namespace
} // namespace zirtel

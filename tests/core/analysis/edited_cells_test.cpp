// End-to-end reading of the item list: edits in the item grid and what the saved file holds.
#include <gtest/gtest.h>

#include "core/analysis/results_output.h"
#include "core/analysis/workspace.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

class EditedCells : public ::testing::Test {
  protected:
    EditedCells() : WS(Fb, test::TestData("foundation")) { WS.Startup(); }
    std::string Out(int col, int row) const { return std::string(WS.OutputGrid.Cell(col, row)); }
    test::RecordingFeedback Fb;
    Workspace WS;
};

// Correcting an item in its cell of the item grid leaves the next free row where it was, so the
// next typed item follows the list without a gap; an item typed into a cell below the list
// moves the next free row past it, so the saved file holds it.
TEST_F(EditedCells, EditedCellsKeepTheListWholeInTheSavedFile) {
    WS.EnterTypedItem("etxe");
    WS.EnterTypedItem("mendi");
    ASSERT_EQ(WS.NextRow, 3);

    WS.StimulusGrid.SetCell(0, 1, "neska");
    EXPECT_EQ(WS.CommitStimulusCell(1), Workspace::EntryResult::Entered);
    EXPECT_EQ(Out(1, 1), "neska");
    EXPECT_EQ(WS.NextRow, 3);
    WS.EnterTypedItem("ama");
    EXPECT_EQ(Out(1, 3), "ama");
    EXPECT_EQ(WS.NextRow, 4);

    // Rows 4 and 5 stay empty; row 6 gets an item.
    WS.StimulusGrid.SetCell(0, 6, "aita");
    EXPECT_EQ(WS.CommitStimulusCell(6), Workspace::EntryResult::Entered);
    EXPECT_EQ(WS.NextRow, 7);
    WS.AnalyseAll();
    EXPECT_TRUE(Fb.Messages.empty());
    EXPECT_EQ(OutputFileText(WS), "Sarrera \t  H_MAIZT \t\r\n"
                                  "neska\t  35.00\t\r\n"
                                  "mendi\t  40.00\t\r\n"
                                  "ama\t 150.00\t\r\n"
                                  "\t\t\r\n"
                                  "\t\t\r\n"
                                  "aita\t 120.50\t\r\n"
                                  "\t\t\r\n");
}

} // namespace
} // namespace zirtel

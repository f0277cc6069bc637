// What the grids' views show besides the cells: column widths, selections and top rows, as the
// presenter keeps them through the engine's operations.
#include "gui/grid_presenter.h"

#include <gtest/gtest.h>

#include "core/phonology/phon_test_workspace.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

struct FoundationGrids {
    test::RecordingFeedback Fb;
    Workspace WS{Fb, test::TestData("foundation")};
    GridPresenter Grids{WS};
    FoundationGrids() { WS.Startup(); }
};

// The hidden columns 0 and 1; the frequency column 83 pixels at start-up (assigned before the
// decimals were set), 103 with 2 decimals, 123 with 4; the fixed and narrower widths; a column
// the user resized keeps its width when the columns are assigned again.
TEST(GridPresenter, ColumnWidthsFollowTheFieldsAndTheirDecimals) {
    FoundationGrids t;
    EXPECT_EQ(t.Grids.Output.Width(0), 0);
    EXPECT_EQ(t.Grids.Output.Width(1), 0);
    EXPECT_EQ(t.Grids.Output.Width(2), 83);
    t.WS.AssignColumns();
    EXPECT_EQ(t.Grids.Output.Width(2), 103);

    for (int f = 0; f < kFieldCount; ++f) t.WS.Setup.Options.SetFieldTicked(f, true);
    t.WS.Decimals = 4;
    t.WS.AssignColumns();
    const FieldColumns& c = t.WS.Columns;
    EXPECT_EQ(t.Grids.Output.Width(c.Col_H_MAIZT), 123);
    EXPECT_EQ(t.Grids.Output.Width(c.Col_AHOSKERA), 150);
    EXPECT_EQ(t.Grids.Output.Width(c.Col_1F), 30);
    EXPECT_EQ(t.Grids.Output.Width(c.Col_LUZ_S), 85);
    EXPECT_EQ(t.Grids.Output.Width(c.Col_N), 75);
    EXPECT_EQ(t.Grids.Output.Width(c.Col_USER1), 90);

    const int nCol = c.Col_N;
    t.Grids.ColumnResized(nCol, 140);
    t.WS.Setup.Options.SetTicked("W_FREQ_Box", false); // N moves one column to the left
    t.WS.Decimals = 2;
    t.WS.AssignColumns();
    ASSERT_EQ(t.WS.Columns.Col_N, nCol - 1);
    EXPECT_EQ(t.Grids.Output.Width(nCol - 1), 140);
    EXPECT_EQ(t.Grids.Output.Width(nCol), 75); // the next neighbourhood count's own width
}

// Typed items: the new one selected, the next free row kept in view; a sort selects the first
// row and its field cell and goes back to the top.
TEST(GridPresenter, EntriesScrollAndASortGoesBackToTheTop) {
    FoundationGrids t;
    t.Grids.Output.VisibleRows = t.Grids.Stimulus.VisibleRows = 3;
    for (const char* item : {"mendi", "etxe", "ur", "ama"}) t.Grids.EnterTypedItem(item);
    EXPECT_EQ(t.Grids.Stimulus.Selection.Top, 4);
    EXPECT_EQ(t.Grids.Stimulus.Selection.Bottom, 4);
    EXPECT_EQ(t.Grids.Output.TopRow, 3);
    EXPECT_EQ(t.Grids.Stimulus.TopRow, 3);
    EXPECT_EQ(t.Grids.EnterTypedItem("ETXE"), Workspace::EntryResult::Duplicate);
    EXPECT_EQ(t.Grids.Stimulus.Selection.Top, 4);

    t.Grids.SortRows(1, false);
    EXPECT_EQ(t.WS.Item(1), "ama");
    EXPECT_EQ(t.Grids.Stimulus.Selection.Top, 1);
    EXPECT_EQ(t.Grids.Output.Selection.Left, 1);
    EXPECT_EQ(t.Grids.Output.Selection.Top, 1);
    EXPECT_EQ(t.Grids.Output.TopRow, 1);
    EXPECT_EQ(t.Grids.Stimulus.TopRow, 1);
}

// The phonological list follows the selected result row (as many rows as the item's PP, at
// least one), and a click on an item's first row selects the item. kata fills rows 1 to 7; lo
// starts at row 9; row 11 holds no item.
TEST(GridPresenter, ThePhonologicalListFollowsTheResultsBothWays) {
    test::PhonWorkspace t(test::PhonologyData(), {"PNBox", "PPBox"});
    GridPresenter grids(t.Ws);
    t.Enter({"kata", "lo"});
    t.Ws.AnalyseAll();
    ASSERT_EQ(t.List(0, 9), "LO");

    grids.SyncNeighbourLists(2);
    EXPECT_EQ(grids.PhonList.TopRow, 9);
    EXPECT_EQ(grids.PhonList.Selection.Top, 9);
    EXPECT_EQ(grids.PhonList.Selection.Bottom, 9);
    grids.SyncNeighbourLists(1);
    EXPECT_EQ(grids.PhonList.TopRow, 1);
    EXPECT_EQ(grids.PhonList.Selection.Top, 1);
    EXPECT_EQ(grids.PhonList.Selection.Bottom, 2);

    grids.NeighListClick(t.Ws.PhonNeighbours, 9);
    EXPECT_EQ(grids.Stimulus.Selection.Top, 2);
    grids.NeighListClick(t.Ws.PhonNeighbours, 1);
    EXPECT_EQ(grids.Stimulus.Selection.Top, 1);
    grids.NeighListClick(t.Ws.PhonNeighbours, 11);
    EXPECT_EQ(grids.Stimulus.Selection.Top, 1);
}

} // namespace
} // namespace zirtel

// The results' rows sorted by a column's values and chosen by a filter condition.
#include <gtest/gtest.h>

#include "core/analysis/row_order.h"
#include "core/analysis/workspace.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

class RowOrder : public ::testing::Test {
  protected:
    RowOrder() : WS(Fb, test::TestData("results_output")) {
        WS.Startup();
        for (const char* box : {"HomophonyBox", "LenLBox", "CV_OBox"})
            WS.Setup.Options.SetTicked(box, true);
        WS.AssignColumns();
    }
    std::vector<std::string> Items() const {
        std::vector<std::string> items;
        for (int r = 1; r < WS.NextRow; ++r) items.emplace_back(WS.Item(r));
        return items;
    }
    std::vector<std::string> Shown(const std::string& line) {
        std::string error;
        WS.Filter = ParseRowFilter(WS, line, error);
        EXPECT_TRUE(WS.Filter) << error;
        std::vector<std::string> items;
        for (int r = 1; r < WS.NextRow; ++r)
            if (WS.RowShown(r)) items.emplace_back(WS.Item(r));
        return items;
    }
    test::RecordingFeedback Fb;
    Workspace WS;
};

// Own columns sort by their numbers (9 before 10), a cell that is no number after them and an
// empty one last; a text field sorts by the collation. Filters: a range, a text pattern and a
// text (letter case ignored), a number against a field's "-1" mark, a decimal comma.
TEST_F(RowOrder, SortsByValuesAndFiltersByCondition) {
    WS.PasteItems("etxe\t10\nmendi\tx\nzzzz\t9\netxea\n");
    ASSERT_EQ(WS.ItemColumnNames, (std::vector<std::string>{"col2"}));
    // etxe VCCV, mendi CVCCV, zzzz CCCC, etxea VCCVV.
    SortRows(WS, 2, false);
    EXPECT_EQ(Items(), (std::vector<std::string>{"zzzz", "etxe", "mendi", "etxea"}));
    SortRows(WS, 2, true);
    EXPECT_EQ(Items(), (std::vector<std::string>{"mendi", "etxe", "zzzz", "etxea"}));
    SortRows(WS, WS.Columns.Col_KB_O, false);
    EXPECT_EQ(Items(), (std::vector<std::string>{"zzzz", "mendi", "etxe", "etxea"}));
    EXPECT_EQ(WS.OutputGrid.Cell(2, 1), "9");
    EXPECT_EQ(WS.StimulusGrid.Cell(0, 1), "zzzz");

    EXPECT_EQ(Shown("LUZ_L 4-4"), (std::vector<std::string>{"zzzz", "etxe"}));
    EXPECT_EQ(Shown("kb_o cvc*"), (std::vector<std::string>{"mendi"}));
    EXPECT_EQ(Shown("KB_O = vccv"), (std::vector<std::string>{"etxe"}));
    EXPECT_EQ(Shown("LUZ_L != 4"), (std::vector<std::string>{"mendi", "etxea"}));
    EXPECT_EQ(Shown("HOM = -1").size(), 4u);
    EXPECT_EQ(Shown("col2 >= 9,5"), (std::vector<std::string>{"etxe"}));
    EXPECT_EQ(Shown("Sarrera etx*"), (std::vector<std::string>{"etxe", "etxea"}));
    EXPECT_EQ(WS.ShownRowCount(), 2);
    EXPECT_EQ(ShownRowsText(WS.ShownRowCount(), WS.NextRow - 1), "Erakutsiak: 2 / 4");
}

} // namespace
} // namespace zirtel

// Second reading of the application core: entry paths that meet each other.
#include <gtest/gtest.h>

#include "core/analysis/workspace.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

class EntryEdgeCases : public ::testing::Test {
  protected:
    EntryEdgeCases() : WS(Fb, test::TestData("foundation")) { WS.Startup(); }
    std::string Out(int col, int row) const { return std::string(WS.OutputGrid.Cell(col, row)); }
    test::RecordingFeedback Fb;
    Workspace WS;
};

// Quick entry takes the next free row as typed entry does: a row already holding an item (here
// one typed into its cell of the item grid while the placeholder "1" is still there) is passed;
// the item cell moved the next free row past itself.
TEST_F(EntryEdgeCases, QuickEntryPassesARowThatAlreadyHoldsAnItem) {
    WS.StimulusGrid.SetCell(0, 2, "etxe");
    ASSERT_EQ(WS.CommitStimulusCell(2), Workspace::EntryResult::Entered);
    ASSERT_EQ(WS.NextRow, 3);
    ASSERT_EQ(WS.StimulusGrid.Cell(0, 1), "1");
    WS.StimulusGrid.SetSelection(GridRect{0, 3, 0, 3});
    std::string edit = "Mendi";
    WS.AnalyseSelected(edit);
    EXPECT_EQ(edit, "");
    EXPECT_EQ(Out(1, 2), "etxe");
    EXPECT_EQ(WS.StimulusGrid.Cell(0, 2), "etxe");
    EXPECT_EQ(Out(1, 3), "mendi");
    EXPECT_EQ(WS.StimulusGrid.Cell(0, 3), "mendi");
    EXPECT_EQ(WS.NextRow, 4);
    EXPECT_EQ(Out(WS.Col_H_MAIZT, 3), "  40.00");
    EXPECT_TRUE(Fb.Messages.empty());
}

// The input file: directives anywhere, items with and without condition numbers (also on the
// next line or after blanks), several items on one line, skipped first letters (a digit, an
// apostrophe, a capital Ñ, which is not lower-cased and is no accepted letter).
TEST_F(EntryEdgeCases, InputFileEdgeCases) {
    ASSERT_TRUE(WS.ReadInputFile(test::TestData("entry_edges/items_edge.txt")));
    EXPECT_EQ(Out(1, 1), "etxe");
    EXPECT_EQ(Out(1, 2), "mendi");
    EXPECT_EQ(Out(1, 3), "\xF1"
                         "abar");
    EXPECT_EQ(Out(1, 4), "gizon");
    EXPECT_EQ(Out(1, 5), "mendia");
    EXPECT_EQ(Out(1, 6), "");
    EXPECT_EQ(WS.StimulusGrid.Cell(0, 5), "mendia");
    EXPECT_EQ(WS.NextRow, 6);
    EXPECT_EQ(WS.OutputGrid.RowCount(), 10); // 5 items + 5
    EXPECT_EQ(WS.StimulusGrid.RowCount(), 10);
    EXPECT_EQ(WS.Stimuli.ItemCount, 5);
    EXPECT_EQ(WS.Stimuli.ConditionNames[1], "Hitzak");
    EXPECT_EQ(WS.Stimuli.ConditionNames[12], "Beste hitzak");
    EXPECT_EQ(WS.Stimuli.Items, (std::vector<std::string>{"etxe", "mendi",
                                                          "\xF1"
                                                          "abar",
                                                          "gizon", "mendia"}));
    EXPECT_EQ(WS.Stimuli.Lines, (std::vector<std::size_t>{3, 5, 8, 8, 11}));
    // The items left out are counted, with their lines.
    EXPECT_EQ(Fb.MessageLines(),
              (std::vector<std::string>{"Abisua: 3 item ez dira sartu: ez dira letra batez "
                                        "hasten: 3etxe (4. lerroa), 'apostrofoa (9. lerroa), "
                                        "\xC3\x91"
                                        "abar (10. lerroa)"}));
}

} // namespace
} // namespace zirtel

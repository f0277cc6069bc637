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
// one typed into its cell of the item grid while row 1 is still empty) is passed;
// the item cell moved the next free row past itself.
TEST_F(EntryEdgeCases, QuickEntryPassesARowThatAlreadyHoldsAnItem) {
    WS.StimulusGrid.SetCell(0, 2, "etxe");
    ASSERT_EQ(WS.CommitStimulusCell(2), Workspace::EntryResult::Entered);
    ASSERT_EQ(WS.NextRow, 3);
    ASSERT_EQ(WS.StimulusGrid.Cell(0, 1), "");
    std::string edit = "Mendi";
    EXPECT_TRUE(WS.AnalyseSelected(3, 3, edit));
    EXPECT_EQ(edit, "");
    EXPECT_EQ(Out(1, 2), "etxe");
    EXPECT_EQ(WS.StimulusGrid.Cell(0, 2), "etxe");
    EXPECT_EQ(Out(1, 3), "mendi");
    EXPECT_EQ(WS.StimulusGrid.Cell(0, 3), "mendi");
    EXPECT_EQ(WS.NextRow, 4);
    EXPECT_EQ(Out(WS.Columns.Col_H_MAIZT, 3), "  40.00");
    EXPECT_TRUE(Fb.Messages.empty());
}

// The input file: directives anywhere, items with and without condition numbers (also alone on
// the next line), blanks before an item, a line's first word as its only item, skipped first
// letters (a digit, an apostrophe, a capital Ñ, which is not lower-cased and is no accepted
// letter).
TEST_F(EntryEdgeCases, InputFileEdgeCases) {
    ASSERT_TRUE(WS.ReadInputFile(test::TestData("entry_edges/items_edge.txt")));
    EXPECT_EQ(Out(1, 1), "etxe");
    EXPECT_EQ(Out(1, 2), "mendi");
    EXPECT_EQ(Out(1, 3), "\xF1"
                         "abar");
    EXPECT_EQ(Out(1, 4), "mendia");
    EXPECT_EQ(Out(1, 5), "");
    EXPECT_EQ(WS.StimulusGrid.Cell(0, 4), "mendia");
    EXPECT_EQ(WS.NextRow, 5);
    EXPECT_EQ(WS.OutputGrid.RowCount(), 9); // 4 items + 5
    EXPECT_EQ(WS.StimulusGrid.RowCount(), 9);
    EXPECT_EQ(WS.Stimuli.ItemCount, 4);
    EXPECT_EQ(WS.Stimuli.ConditionNames[1], "Hitzak");
    EXPECT_EQ(WS.Stimuli.ConditionNames[12], "Beste hitzak");
    EXPECT_EQ(WS.Stimuli.Items, (std::vector<std::string>{"etxe", "mendi",
                                                          "\xF1"
                                                          "abar",
                                                          "mendia"}));
    EXPECT_EQ(WS.Stimuli.Lines, (std::vector<std::size_t>{3, 5, 8, 11}));
    EXPECT_EQ(WS.Stimuli.ItemCondition[2], 2); // mendi, from the line below it
    EXPECT_EQ(WS.Stimuli.ItemCondition[3], 4); // ñabar
    // The lines left out are counted, with their lines.
    EXPECT_EQ(Fb.MessageLines(),
              (std::vector<std::string>{"Abisua: 3 lerro saltatu dira, ez baitira letra batez "
                                        "hasten: 3etxe (4. lerroa), 'apostrofoa (9. lerroa), "
                                        "\xC3\x91"
                                        "abar (10. lerroa)"}));
}

// A line gives at most one item, its first word: a comment, a header's other words, a row's
// other cells and a second word are no items; a line whose first cell is empty or starts with
// no letter is skipped and told. A pasted spreadsheet row gives its first cell's item.
TEST_F(EntryEdgeCases, ALineOrPastedRowGivesOneItemItsFirstWord) {
    test::TempDir dir;
    test::WriteBytes(dir / "items.txt", "# iruzkina\r\n"
                                        "item cond freqband\n"
                                        "etxea\t1\tHF\n"
                                        "etxe zuria\n"
                                        "\tbaldintza\n"
                                        "5 mendi\n");
    ASSERT_TRUE(WS.ReadInputFile(dir / "items.txt"));
    EXPECT_EQ(WS.Stimuli.Items, (std::vector<std::string>{"item", "etxea", "etxe"}));
    EXPECT_EQ(Out(1, 4), "");
    EXPECT_EQ(Fb.MessageLines(),
              (std::vector<std::string>{"Abisua: 3 lerro saltatu dira, ez baitira letra batez "
                                        "hasten: # iruzkina (1. lerroa),  baldintza (5. "
                                        "lerroa), 5 mendi (6. lerroa)"}));

    Fb.Clear();
    WS.ClearItems();
    WS.PasteItems("hitza\tbaldintza\r\nMendi\tHF\textra\netxe zuria\t2\n");
    EXPECT_EQ(Out(1, 1), "hitza");
    EXPECT_EQ(Out(1, 2), "mendi");
    EXPECT_EQ(Out(1, 3), "etxe");
    EXPECT_EQ(Out(1, 4), "");
    EXPECT_EQ(Out(WS.Columns.Col_H_MAIZT, 2), "  40.00");
}

} // namespace
} // namespace zirtel

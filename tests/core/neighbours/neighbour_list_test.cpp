// The orthographic neighbour list as the search fills it, and its saved file.
#include <algorithm>
#include <filesystem>

#include "core/neighbours/neighbour_test_support.h"
#include "support/test_paths.h"

namespace zirtel::test {
namespace {

namespace fs = std::filesystem;
using NeighbourListTest = NeighbourWorkspace;

TEST_F(NeighbourListTest, BlockOfAnItemRowForRow) {
    TickAllNeighbourFields(true, true);
    // mara: substitutions at 1 (bara kara) and 3 (maka); deletion at 2 (mra); additions at
    // 1 (amara zmara) and 4 (marta).
    Enter({"mara", "ona"});
    for (int pass = 0; pass < 2; ++pass) { // analysing all again starts the list afresh
        Ws.AnalyseAll();
        EXPECT_EQ(ListRow(1), (Row{"MARA", "Sub", "1", "bara", "kara"}));
        EXPECT_EQ(ListRow(2), (Row{"", "Sub", "3", "maka"}));
        EXPECT_EQ(ListRow(3), Row{});
        EXPECT_EQ(ListRow(4), (Row{"", "Del", "2", "mra"}));
        EXPECT_EQ(ListRow(5), (Row{"", "Add", "1", "amara", "zmara"}));
        EXPECT_EQ(ListRow(6), (Row{"", "Add", "4", "marta"}));
        EXPECT_EQ(ListRow(7), Row{});
        EXPECT_EQ(ListRow(8), (Row{"ONA", "Sub", "2", "oka", "oza", L1("oña")}));
        EXPECT_EQ(ListRow(9), Row{});
        EXPECT_EQ(ListRow(10), Row{});
        EXPECT_EQ(Ws.OrthoNeighbours.CurrentRow, 11);
    }

    // Saved: one line per listed neighbour, whatever its kind.
    const TempDir dir;
    ASSERT_TRUE(Ws.OrthoNeighbours.Save(dir / "list.txt"));
    EXPECT_EQ(ReadBytes(dir / "list.txt"), "MARA    \tbara    \r\n"
                                           "MARA    \tkara    \r\n"
                                           "MARA    \tmaka    \r\n"
                                           "MARA    \tmra     \r\n"
                                           "MARA    \tamara   \r\n"
                                           "MARA    \tzmara   \r\n"
                                           "MARA    \tmarta   \r\n"
                                           "ONA     \toka     \r\n"
                                           "ONA     \toza     \r\n"
                                           "ONA     \toña     \r\n");
}

TEST_F(NeighbourListTest, UnlistedDeletionsAndAdditionsStillAdvanceTheList) {
    TickAllNeighbourFields(false, false); // N* shown: both passes run, nothing listed
    Enter({"mara", "ona"});
    Ws.AnalyseAll();
    EXPECT_EQ(ListRow(1), (Row{"MARA", "Sub", "1", "bara", "kara"}));
    EXPECT_EQ(ListRow(2), (Row{"", "Sub", "3", "maka"}));
    for (int r = 3; r <= 6; ++r) EXPECT_EQ(ListRow(r), Row{}) << r;
    EXPECT_EQ(ListRow(7), (Row{"ONA", "Sub", "2", "oka", "oza", L1("oña")}));
}

TEST_F(NeighbourListTest, ARowWidensPastSixteenColumns) {
    TickAllNeighbourFields(true, true);
    Enter({"kux"}); // aux bux ... rux ñux: seventeen substitutions at position 1
    Ws.AnalyseAll();
    const Row row = ListRow(1);
    ASSERT_EQ(row.size(), 20u);
    EXPECT_EQ(row[3], "aux");
    EXPECT_EQ(row[16], "oux"); // the fourteenth, in the seventeenth column
    EXPECT_EQ(row[19], L1("ñux"));
    EXPECT_GE(Ws.OrthoNeighbours.NeighList.ColCount(), 20);

    const TempDir dir;
    ASSERT_TRUE(Ws.OrthoNeighbours.Save(dir / "wide.txt"));
    const std::string text = ReadBytes(dir / "wide.txt");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 17);
    EXPECT_NE(text.find("KUX     \trux     \r\nKUX     \tñux     \r\n"), std::string::npos);

    // "&Berria" empties the list back to 20 rows; the columns stay.
    Ws.ClearItems();
    EXPECT_EQ(Ws.OrthoNeighbours.NeighList.RowCount(), 20);
    EXPECT_EQ(Ws.OrthoNeighbours.CurrentRow, 1);
    EXPECT_GE(Ws.OrthoNeighbours.NeighList.ColCount(), 20);
    EXPECT_TRUE(ListRow(1).empty());
}

TEST_F(NeighbourListTest, SavingAnEmptyListAndFilesThatCannotBeWritten) {
    const TempDir dir;
    ASSERT_TRUE(Ws.OrthoNeighbours.Save(dir / "empty.txt"));
    EXPECT_TRUE(fs::exists(dir / "empty.txt"));
    EXPECT_EQ(fs::file_size(dir / "empty.txt"), 0u);

    EXPECT_FALSE(Ws.OrthoNeighbours.Save(dir / "missing" / "list.txt"));
    EXPECT_FALSE(Ws.OrthoNeighbours.Save(dir.Path()));
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

} // namespace
} // namespace zirtel::test

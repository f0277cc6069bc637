// The phonological neighbour list: the layout of each item's block and the saved file,
// worked out by hand from the lexicon in tests/data/phonology/nwfreq_EUS.txt.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/phonology/phon_neighbour_list.h"
#include "phon_test_workspace.h"

namespace zirtel::test {
namespace {

// The cells of columns 0 .. last-1 of a list row, joined by '|'.
std::string ListRow(const PhonWorkspace& t, int row, int last = 6) {
    std::string s;
    for (int c = 0; c < last; ++c) {
        if (c > 0) s += '|';
        s += t.List(c, row);
    }
    return s;
}

TEST(PhonNeighbourList, BlocksByKindAndPosition) {
    PhonWorkspace t(PhonologyData(), {"PNBox"});
    t.Enter({"kata", "anna", "zzz", "mesa", "lo"});
    t.Ws.AnalyseAll();

    const std::vector<std::string> expected = {
        // kata: two substitution rows; deletions at 1 and 4; the last deletion position had a
        // neighbour, so the additions start after two blank rows.
        "KATA|Ordez|1|bata|gata|",
        "|Ordez|3|kasa|kaza|",
        "|Ezab|1|ata||",
        "|Ezab|4|kat||",
        "|||||",
        "|||||",
        "|Gain|5|kattak|katas|",
        // One blank row after a block whose last row has a label. The addition count of kata's
        // last row is still set, so anna's first deletion position moves to the next row.
        "|||||",
        "ANNA|||||",
        "|Ezab|2|ana||",
        "|Ezab|3|ana||",
        "|||||",
        // zzz is not in the lexicon and adds nothing. mesa: the stress mark is position 1.
        "MESA|Ordez|5|mese||",
        "|Ezab|1|meza||",
        "|||||",
        // lo: no blank row before it (the row above carries no label); a substitution at 1 and
        // an addition at 3.
        "LO|Ordez|1|bo||",
        "|Gain|3|lot||",
    };
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(ListRow(t, static_cast<int>(i) + 1), expected[i]) << "list row " << i + 1;
    EXPECT_EQ(t.Ws.PhonNeighbours.CurrentRow, 18);
    EXPECT_EQ(ListRow(t, 18), "|||||");

    EXPECT_EQ(t.Ws.PhonNeighbours.SaveText(), "KATA    \tbata    \r\n"
                                              "KATA    \tgata    \r\n"
                                              "KATA    \tkasa    \r\n"
                                              "KATA    \tkaza    \r\n"
                                              "KATA    \tata     \r\n"
                                              "KATA    \tkat     \r\n"
                                              "KATA    \tkattak  \r\n"
                                              "KATA    \tkatas   \r\n"
                                              "ANNA    \tana     \r\n"
                                              "ANNA    \tana     \r\n"
                                              "MESA    \tmese    \r\n"
                                              "MESA    \tmeza    \r\n"
                                              "LO      \tbo      \r\n"
                                              "LO      \tlot     \r\n");

    // Analysing all items again starts the list afresh; the kept row neighbour count (lot, at
    // lo's last row) moves kata's first deletion row down by one.
    t.Ws.AnalyseAll();
    EXPECT_EQ(ListRow(t, 1), "KATA|Ordez|1|bata|gata|");
    EXPECT_EQ(ListRow(t, 2), "|Ordez|3|kasa|kaza|");
    EXPECT_EQ(ListRow(t, 3), "|||||");
    EXPECT_EQ(ListRow(t, 4), "|Ezab|1|ata||");
}

// pa /pA/: inserting A before position 2 or after it gives the same neighbour paa, listed at
// both positions; position 3 has 21 addition neighbours, all listed (the grid widens past its
// 16 columns) and all saved.
TEST(PhonNeighbourList, RepeatsAndWideRows) {
    PhonWorkspace t(PhonologyData(), {"PNBox"});
    t.Enter({"pa"});
    t.Ws.AnalyseAll();
    const StringGrid& grid = t.Ws.PhonNeighbours.NeighList;
    EXPECT_EQ(ListRow(t, 1, 5), "PA|Gain|2|paa|");
    EXPECT_EQ(ListRow(t, 2, 5), "|Gain|3|pab|pad");
    EXPECT_EQ(grid.ColCount(), 24);
    EXPECT_EQ(grid.Cell(15, 2), "pat");
    EXPECT_EQ(grid.Cell(16, 2), "patt");
    EXPECT_EQ(grid.Cell(19, 2), "pann");
    EXPECT_EQ(grid.Cell(22, 2), "paa");
    EXPECT_EQ(grid.Cell(23, 2), "pae");
    const std::string text = t.Ws.PhonNeighbours.SaveText();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 22);
    EXPECT_EQ(text.substr(0, 38), "PA      \tpaa     \r\nPA      \tpab     \r\n");
    EXPECT_EQ(text.substr(text.size() - 19), "PA      \tpae     \r\n");
}

// The saved file: one line per neighbour; an empty list gives an empty file; a file that cannot
// be written is reported, and an earlier file stays as it was.
TEST(PhonNeighbourList, Save) {
    TempDir dir;
    PhonWorkspace t(PhonologyData(), {"PNBox"});
    const auto file = dir / "list.txt";
    EXPECT_TRUE(t.Ws.PhonNeighbours.Save(file));
    EXPECT_EQ(ReadBytes(file), "");

    t.Enter({"anna"});
    t.Ws.AnalyseAll();
    EXPECT_TRUE(t.Ws.PhonNeighbours.Save(file));
    EXPECT_EQ(ReadBytes(file), "ANNA    \tana     \r\nANNA    \tana     \r\n");

    t.Ws.PhonNeighbours.Clear();
    EXPECT_FALSE(t.Ws.PhonNeighbours.Save(dir / "missing" / "list.txt"));
    EXPECT_FALSE(t.Ws.PhonNeighbours.Save(dir.Path()));
    EXPECT_EQ(ReadBytes(file), "ANNA    \tana     \r\nANNA    \tana     \r\n");
}

} // namespace
} // namespace zirtel::test

#include "core/grid/string_grid.h"

#include <gtest/gtest.h>

#include <string>

namespace zirtel {
namespace {

// A row's cells share one block: texts longer than a short string, overwrites that lengthen,
// shorten and empty a cell amid others, rows growing past the size of the row above, cells cut
// off by shrinking, emptied rows, a row of more than 64 KB and copies.
TEST(StringGrid, CellsKeepTheirTextsThroughOverwritesResizesAndClears) {
    const std::string message = "Itemak gutxienez 2 letra izan behar ditu";
    StringGrid g(3, 2);
    g.SetCell(0, 1, "etxe");
    g.SetCell(2, 1, message); // column 1 stays empty
    EXPECT_EQ(g.Cell(0, 1), "etxe");
    EXPECT_EQ(g.Cell(1, 1), "");
    EXPECT_EQ(g.Cell(2, 1), message);

    g.SetCell(1, 1, "   9.00");
    g.SetCell(0, 1, "e");
    g.SetCell(1, 1, "mendi");
    EXPECT_EQ(g.Cell(0, 1), "e");
    EXPECT_EQ(g.Cell(1, 1), "mendi");
    EXPECT_EQ(g.Cell(2, 1), message);
    g.SetCell(1, 1, "");
    EXPECT_EQ(g.Cell(1, 1), "");
    EXPECT_EQ(g.Cell(2, 1), message);
    g.SetCell(1, 1, "mendi");
    g.TakeChanges();
    g.SetCell(2, 1, message); // the same text: no change
    g.SetCell(4, 1, "");      // nothing written past the row's cells: no change either
    EXPECT_TRUE(g.TakeChanges().Cells.Empty());

    // Past the edge the grid grows; the next row holds more text than the one above it.
    g.SetCell(5, 2, message + message);
    g.SetCell(0, 2, "zmara");
    EXPECT_EQ(g.ColCount(), 6);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.Cell(5, 2), message + message);
    EXPECT_EQ(g.Cell(0, 2), "zmara");
    EXPECT_EQ(g.Cell(4, 2), "");
    EXPECT_EQ(g.Cell(2, 1), message);

    // Shrinking drops the cells beyond the edge; growing again shows them empty.
    g.SetColCount(2);
    g.SetColCount(6);
    EXPECT_EQ(g.Cell(1, 1), "mendi");
    EXPECT_EQ(g.Cell(2, 1), "");
    EXPECT_EQ(g.Cell(5, 2), "");
    g.SetRowCount(2);
    g.SetRowCount(3);
    EXPECT_EQ(g.Cell(0, 2), "");

    // Clearing a row marks its cells as they were, then the row takes texts again.
    g.TakeChanges();
    g.ClearRow(1);
    const GridRect cleared = g.TakeChanges().Cells;
    EXPECT_EQ(cleared.Left, 0);
    EXPECT_EQ(cleared.Right, 1);
    EXPECT_EQ(cleared.Top, 1);
    EXPECT_EQ(cleared.Bottom, 1);
    EXPECT_EQ(g.Cell(0, 1), "");
    EXPECT_EQ(g.Cell(1, 1), "");
    g.SetCell(1, 1, "Sub");
    EXPECT_EQ(g.Cell(0, 1), "");
    EXPECT_EQ(g.Cell(1, 1), "Sub");

    // A row whose texts pass 64 KB.
    const std::string huge(70000, 'a');
    g.SetCell(0, 3, "etxe");
    g.SetCell(1, 3, "mendi");
    g.SetCell(2, 3, huge);
    g.SetCell(3, 3, "bat");
    g.SetCell(1, 3, "x");
    EXPECT_EQ(g.Cell(0, 3), "etxe");
    EXPECT_EQ(g.Cell(1, 3), "x");
    EXPECT_EQ(g.Cell(2, 3), huge);
    EXPECT_EQ(g.Cell(3, 3), "bat");

    const StringGrid copy = g;
    g.SetCell(1, 1, "Del");
    g.SetCell(2, 3, "bi");
    EXPECT_EQ(copy.Cell(1, 1), "Sub");
    EXPECT_EQ(copy.Cell(2, 3), huge);
    EXPECT_EQ(copy.Cell(3, 3), "bat");
    EXPECT_EQ(g.Cell(1, 1), "Del");
    EXPECT_EQ(g.Cell(2, 3), "bi");
    EXPECT_EQ(g.Cell(3, 3), "bat");
}

} // namespace
} // namespace zirtel

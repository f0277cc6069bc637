// StringGrid: the cell table behind every grid the user sees (results, items, neighbour lists).
// Cells are addressed (column, row) and hold Latin-1 text. The grid grows when a write lands
// past its edge. It also keeps what a grid view shows besides the cells: the selection, the
// top row, column widths; and it records which cells changed so a view can refresh only those.
#pragma once

#include <string>
#include <vector>

namespace zirtel {

struct GridRect {
    int Left = 0, Top = 0, Right = -1, Bottom = -1; // inclusive; empty when Right < Left
    bool Empty() const { return Right < Left || Bottom < Top; }
};

class StringGrid {
  public:
    StringGrid(int colCount, int rowCount, int defaultColWidth);

    int ColCount() const { return ColCount_; }
    int RowCount() const { return RowCount_; }
    // Resizing drops the cells beyond the new edge; new cells are empty.
    void SetColCount(int n);
    void SetRowCount(int n);

    const std::string& Cell(int col, int row) const;
    // Grows the grid when (col, row) lies past its edge.
    void SetCell(int col, int row, std::string text);
    void ClearRow(int row);

    int DefaultColWidth() const { return DefaultColWidth_; }
    int ColWidth(int col) const;
    void SetColWidth(int col, int width);

    // Number of rows the view shows at once; set by the view, used to scroll to new items.
    int VisibleRows = 20;

    int TopRow() const { return TopRow_; }
    void SetTopRow(int row);
    const GridRect& Selection() const { return Selection_; }
    void SetSelection(GridRect rect);
    // The current column (the column of the focused cell).
    int Col = 0;

    // Changes since the last TakeChanges: a view calls it after each engine operation. Rows
    // added at the end are no structural change: the view compares the row count.
    struct Changes {
        bool Structure = false; // column count or widths changed, or rows removed
        GridRect Cells;         // rectangle enclosing changed cells
    };
    Changes TakeChanges();

    // The bytes the grid holds: its cells, rows and widths (the allocator's own overhead aside).
    std::size_t MemoryBytes() const;

  private:
    static constexpr int kFixedRows = 1; // row 0 holds the headers
    void MarkCell(int col, int row);
    int ColCount_, RowCount_;
    int DefaultColWidth_;
    std::vector<std::vector<std::string>> Rows_; // Rows_[row] has ColCount_ cells or fewer
    std::vector<int> ColWidths_;
    int TopRow_ = 1;
    GridRect Selection_{0, 1, 0, 1};
    Changes Pending_;
};

} // namespace zirtel

// StringGrid: the cell table behind every grid the user sees (results, items, neighbour lists).
// Cells are addressed (column, row) and hold Latin-1 text. The grid grows when a write lands
// past its edge. It records which cells changed so a view can refresh only those. What a view
// shows besides the cells (the selection, the top row, column widths) is the view's own
// (gui/grid_presenter.h).
// Each row keeps its cells in one heap block: a table of where each cell's text ends, then the
// texts back to back; a row takes room for as many cells as the row above it when it grows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zirtel {

struct GridRect {
    int Left = 0, Top = 0, Right = -1, Bottom = -1; // inclusive; empty when Right < Left
    bool Empty() const { return Right < Left || Bottom < Top; }
};

class StringGrid {
  public:
    StringGrid(int colCount, int rowCount);

    int ColCount() const { return ColCount_; }
    int RowCount() const { return RowCount_; }
    // Resizing drops the cells beyond the new edge; new cells are empty.
    void SetColCount(int n);
    void SetRowCount(int n);

    // The text of a cell, empty past the edge. It stays valid until its row is next written,
    // cleared, cut off or removed (writes to other rows leave it be): copy it before writing
    // into the same row.
    std::string_view Cell(int col, int row) const;
    // Grows the grid when (col, row) lies past its edge.
    void SetCell(int col, int row, std::string_view text);
    void ClearRow(int row);
    // Rows first.. take the rows `order` names (a reordering of first..first + size - 1): row
    // first + i becomes what row order[i] was. The cells move, nothing is copied.
    void PermuteRows(int first, const std::vector<int>& order);

    // Changes since the last TakeChanges: a view calls it after each engine operation. Rows
    // added at the end are no structural change: the view compares the row count.
    struct Changes {
        bool Structure = false; // column count changed, or rows removed
        GridRect Cells;         // rectangle enclosing changed cells
    };
    Changes TakeChanges();

    // The bytes the grid holds: its cells and rows (the allocator's own overhead aside).
    std::size_t MemoryBytes() const;

  private:
    static constexpr int kFixedRows = 1; // row 0 holds the headers

    // The cells of one row in one heap block: a header, the end offset of each cell's text in
    // the texts (two bytes each while the room for texts is under 64 KB, four beyond), then the
    // texts. The row holds Count() cells (the cells past them are empty); no block while it has
    // never held a text.
    class Row {
      public:
        Row() = default;
        Row(const Row& other);
        Row(Row&& other) noexcept : Block_(other.Block_) { other.Block_ = nullptr; }
        Row& operator=(Row other) noexcept {
            std::swap(Block_, other.Block_);
            return *this;
        }
        ~Row();

        int Count() const { return Block_ ? static_cast<int>(Block_->Count) : 0; }
        std::size_t TextSize() const { return Block_ ? Block_->TextSize : 0; }
        std::string_view Cell(int col) const;
        // Writes a cell. When the row grows, it takes room for `cellsHint` cells (at most
        // `cellsMax`) and `textHint` bytes of text, or more. False when the cell already held
        // the text.
        bool Set(int col, std::string_view text, int cellsHint, int cellsMax, std::size_t textHint);
        // Drops the cells from `n` on.
        void Truncate(int n);
        std::size_t MemoryBytes() const;

      private:
        struct Header {
            std::uint32_t Count, CellRoom, TextSize, TextRoom;
        };
        static std::size_t EndBytes(std::size_t textRoom) { return textRoom > 0xFFFF ? 4 : 2; }
        char* Table() const { return reinterpret_cast<char*>(Block_ + 1); }
        char* Texts() const { return Table() + Block_->CellRoom * EndBytes(Block_->TextRoom); }
        std::uint32_t End(std::size_t col) const;
        void SetEnd(std::size_t col, std::uint32_t end);
        void Reserve(std::size_t cells, std::size_t text, int cellsHint, int cellsMax,
                     std::size_t textHint);
        Header* Block_ = nullptr;
    };

    void MarkCell(int col, int row);
    int ColCount_, RowCount_;
    std::vector<Row> Rows_; // Rows_[row] has ColCount_ cells or fewer
    Changes Pending_;
};

} // namespace zirtel

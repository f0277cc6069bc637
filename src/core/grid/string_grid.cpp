#include "core/grid/string_grid.h"

#include <algorithm>

namespace zirtel {

namespace {
const std::string kEmpty;
}

StringGrid::StringGrid(int colCount, int rowCount, int defaultColWidth)
    : ColCount_(std::max(colCount, 1)), RowCount_(std::max(rowCount, 1)),
      DefaultColWidth_(defaultColWidth), Rows_(static_cast<std::size_t>(RowCount_)),
      ColWidths_(static_cast<std::size_t>(ColCount_), defaultColWidth) {}

void StringGrid::SetColCount(int n) {
    n = std::max(n, 1);
    if (n == ColCount_) return;
    ColCount_ = n;
    for (auto& row : Rows_)
        if (static_cast<int>(row.size()) > n) row.resize(static_cast<std::size_t>(n));
    ColWidths_.resize(static_cast<std::size_t>(n), DefaultColWidth_);
    Pending_.Structure = true;
}

void StringGrid::SetRowCount(int n) {
    n = std::max(n, 1);
    if (n == RowCount_) return;
    if (n < RowCount_) Pending_.Structure = true;
    RowCount_ = n;
    Rows_.resize(static_cast<std::size_t>(n));
}

const std::string& StringGrid::Cell(int col, int row) const {
    if (row < 0 || row >= RowCount_ || col < 0) return kEmpty;
    const auto& r = Rows_[static_cast<std::size_t>(row)];
    if (col >= static_cast<int>(r.size())) return kEmpty;
    return r[static_cast<std::size_t>(col)];
}

void StringGrid::SetCell(int col, int row, std::string text) {
    if (col < 0 || row < 0) return;
    if (row >= RowCount_) SetRowCount(row + 1);
    if (col >= ColCount_) SetColCount(col + 1);
    auto& r = Rows_[static_cast<std::size_t>(row)];
    if (col >= static_cast<int>(r.size())) {
        if (text.empty()) return;
        r.resize(static_cast<std::size_t>(col) + 1);
    }
    auto& cell = r[static_cast<std::size_t>(col)];
    if (cell == text) return;
    cell = std::move(text);
    MarkCell(col, row);
}

void StringGrid::ClearRow(int row) {
    if (row < 0 || row >= RowCount_) return;
    auto& r = Rows_[static_cast<std::size_t>(row)];
    if (r.empty()) return;
    MarkCell(0, row);
    MarkCell(static_cast<int>(r.size()) - 1, row);
    r.clear();
}

int StringGrid::ColWidth(int col) const {
    if (col < 0 || col >= ColCount_) return DefaultColWidth_;
    return ColWidths_[static_cast<std::size_t>(col)];
}

void StringGrid::SetColWidth(int col, int width) {
    if (col < 0) return;
    if (col >= ColCount_) SetColCount(col + 1);
    if (ColWidths_[static_cast<std::size_t>(col)] == width) return;
    ColWidths_[static_cast<std::size_t>(col)] = width;
    Pending_.Structure = true;
}

void StringGrid::SetTopRow(int row) {
    row = std::clamp(row, kFixedRows, std::max(kFixedRows, RowCount_ - 1));
    TopRow_ = row;
}

void StringGrid::SetSelection(GridRect rect) {
    Selection_ = rect;
}

StringGrid::Changes StringGrid::TakeChanges() {
    Changes c = Pending_;
    Pending_ = Changes{};
    return c;
}

std::size_t StringGrid::MemoryBytes() const {
    std::size_t bytes = sizeof(*this) + Rows_.capacity() * sizeof(Rows_[0]) +
                        ColWidths_.capacity() * sizeof(int);
    for (const auto& r : Rows_) {
        bytes += r.capacity() * sizeof(std::string);
        for (const auto& cell : r)
            if (cell.capacity() > 15) bytes += cell.capacity() + 1; // a heap block of its own
    }
    return bytes;
}

void StringGrid::MarkCell(int col, int row) {
    GridRect& d = Pending_.Cells;
    if (d.Empty()) {
        d = GridRect{col, row, col, row};
        return;
    }
    d.Left = std::min(d.Left, col);
    d.Right = std::max(d.Right, col);
    d.Top = std::min(d.Top, row);
    d.Bottom = std::max(d.Bottom, row);
}

} // namespace zirtel

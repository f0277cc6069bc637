#include "core/grid/string_grid.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

namespace zirtel {

// ---- A row's block ----

StringGrid::Row::Row(const Row& other) {
    if (other.Count() == 0) return;
    const Header& from = *other.Block_;
    Reserve(from.Count, from.TextSize, 0, 0, 0);
    for (std::size_t i = 0; i < from.Count; ++i) SetEnd(i, other.End(i));
    std::memcpy(Texts(), other.Texts(), from.TextSize);
    Block_->Count = from.Count;
    Block_->TextSize = from.TextSize;
}

StringGrid::Row::~Row() {
    std::free(Block_);
}

std::uint32_t StringGrid::Row::End(std::size_t col) const {
    if (EndBytes(Block_->TextRoom) == 2) {
        std::uint16_t end;
        std::memcpy(&end, Table() + 2 * col, 2);
        return end;
    }
    std::uint32_t end;
    std::memcpy(&end, Table() + 4 * col, 4);
    return end;
}

void StringGrid::Row::SetEnd(std::size_t col, std::uint32_t end) {
    if (EndBytes(Block_->TextRoom) == 2) {
        const auto narrow = static_cast<std::uint16_t>(end);
        std::memcpy(Table() + 2 * col, &narrow, 2);
    } else {
        std::memcpy(Table() + 4 * col, &end, 4);
    }
}

std::string_view StringGrid::Row::Cell(int col) const {
    if (col >= Count()) return {};
    const auto c = static_cast<std::size_t>(col);
    const std::uint32_t begin = c == 0 ? 0 : End(c - 1);
    return {Texts() + begin, End(c) - begin};
}

void StringGrid::Row::Reserve(std::size_t cells, std::size_t text, int cellsHint, int cellsMax,
                              std::size_t textHint) {
    const std::size_t cellRoom = Block_ ? Block_->CellRoom : 0;
    const std::size_t textRoom = Block_ ? Block_->TextRoom : 0;
    if (cells <= cellRoom && text <= textRoom) return;
    std::size_t newCells = cellRoom, newText = textRoom;
    if (cells > cellRoom) {
        const std::size_t wanted = std::max(2 * cellRoom, static_cast<std::size_t>(cellsHint));
        newCells = std::max(cells, std::min(wanted, static_cast<std::size_t>(cellsMax)));
    }
    // Texts grow by an eighth (rows are written once, mostly to about the size of the row above),
    // by at least 32 bytes.
    if (text > textRoom)
        newText =
            std::max({text, textHint,
                      textRoom == 0 ? 0 : textRoom + std::max<std::size_t>(textRoom / 8, 32)});
    if (newCells > UINT32_MAX || newText > UINT32_MAX) throw std::length_error("grid row too long");
    const std::size_t oldWidth = EndBytes(textRoom), width = EndBytes(newText);
    void* grown = std::realloc(Block_, sizeof(Header) + newCells * width + newText);
    if (!grown) throw std::bad_alloc();
    const bool fresh = !Block_;
    Block_ = static_cast<Header*>(grown);
    if (fresh) *Block_ = Header{0, 0, 0, 0};
    // A larger table moves the texts up behind it; then two-byte ends widen to four, from the
    // last down so that none is overwritten before it is read.
    char* table = Table();
    if (newCells * width != cellRoom * oldWidth)
        std::memmove(table + newCells * width, table + cellRoom * oldWidth, Block_->TextSize);
    if (width != oldWidth)
        for (std::size_t i = Block_->Count; i-- > 0;) {
            std::uint16_t narrow;
            std::memcpy(&narrow, table + 2 * i, 2);
            const std::uint32_t wide = narrow;
            std::memcpy(table + 4 * i, &wide, 4);
        }
    Block_->CellRoom = static_cast<std::uint32_t>(newCells);
    Block_->TextRoom = static_cast<std::uint32_t>(newText);
}

bool StringGrid::Row::Set(int col, std::string_view text, int cellsHint, int cellsMax,
                          std::size_t textHint) {
    const auto c = static_cast<std::size_t>(col);
    const auto count = static_cast<std::size_t>(Count());
    if (c >= count) {
        if (text.empty()) return false;
        const std::size_t size = TextSize();
        Reserve(c + 1, size + text.size(), cellsHint, cellsMax, textHint);
        for (std::size_t i = count; i < c; ++i) SetEnd(i, static_cast<std::uint32_t>(size));
        std::memcpy(Texts() + size, text.data(), text.size());
        Block_->TextSize = static_cast<std::uint32_t>(size + text.size());
        SetEnd(c, Block_->TextSize);
        Block_->Count = static_cast<std::uint32_t>(c + 1);
        return true;
    }
    const std::string_view old = Cell(col);
    if (old == text) return false;
    const std::size_t begin = static_cast<std::size_t>(old.data() - Texts());
    const std::size_t end = begin + old.size(), size = Block_->TextSize;
    if (text.size() > old.size())
        Reserve(count, size + text.size() - old.size(), cellsHint, cellsMax, textHint);
    char* texts = Texts();
    std::memmove(texts + begin + text.size(), texts + end, size - end);
    std::memcpy(texts + begin, text.data(), text.size());
    // Unsigned arithmetic: a shorter text moves the ends down by wrapping round.
    const auto shift = static_cast<std::uint32_t>(text.size() - old.size());
    for (std::size_t i = c; i < count; ++i) SetEnd(i, End(i) + shift);
    Block_->TextSize += shift;
    return true;
}

void StringGrid::Row::Truncate(int n) {
    if (Count() <= n) return;
    Block_->Count = static_cast<std::uint32_t>(n);
    Block_->TextSize = n == 0 ? 0 : End(static_cast<std::size_t>(n) - 1);
}

std::size_t StringGrid::Row::MemoryBytes() const {
    if (!Block_) return 0;
    return sizeof(Header) + Block_->CellRoom * EndBytes(Block_->TextRoom) + Block_->TextRoom;
}

// ---- The grid ----

StringGrid::StringGrid(int colCount, int rowCount)
    : ColCount_(std::max(colCount, 1)), RowCount_(std::max(rowCount, 1)),
      Rows_(static_cast<std::size_t>(RowCount_)) {}

void StringGrid::SetColCount(int n) {
    n = std::max(n, 1);
    if (n == ColCount_) return;
    ColCount_ = n;
    for (Row& row : Rows_) row.Truncate(n);
    Pending_.Structure = true;
}

void StringGrid::SetRowCount(int n) {
    n = std::max(n, 1);
    if (n == RowCount_) return;
    if (n < RowCount_) Pending_.Structure = true;
    RowCount_ = n;
    Rows_.resize(static_cast<std::size_t>(n));
}

std::string_view StringGrid::Cell(int col, int row) const {
    if (row < 0 || row >= RowCount_ || col < 0) return {};
    return Rows_[static_cast<std::size_t>(row)].Cell(col);
}

void StringGrid::SetCell(int col, int row, std::string_view text) {
    if (col < 0 || row < 0) return;
    if (row >= RowCount_) SetRowCount(row + 1);
    if (col >= ColCount_) SetColCount(col + 1);
    // A row grows to the size of the row above: rows are mostly filled alike, one after another.
    const Row* above = row > 0 ? &Rows_[static_cast<std::size_t>(row) - 1] : nullptr;
    const int cellsHint = above ? above->Count() : 0;
    const std::size_t textHint = above ? above->TextSize() : 0;
    if (Rows_[static_cast<std::size_t>(row)].Set(col, text, cellsHint, ColCount_, textHint))
        MarkCell(col, row);
}

void StringGrid::ClearRow(int row) {
    if (row < 0 || row >= RowCount_) return;
    Row& r = Rows_[static_cast<std::size_t>(row)];
    if (r.Count() == 0) return;
    MarkCell(0, row);
    MarkCell(r.Count() - 1, row);
    r.Truncate(0);
}

void StringGrid::PermuteRows(int first, const std::vector<int>& order) {
    const int last = first + static_cast<int>(order.size()) - 1;
    if (first < kFixedRows || order.empty() || last >= RowCount_) return;
    for (int r : order)
        if (r < first || r > last) return;
    std::vector<Row> moved;
    moved.reserve(order.size());
    for (int r : order) moved.push_back(std::move(Rows_[static_cast<std::size_t>(r)]));
    for (std::size_t i = 0; i < moved.size(); ++i)
        Rows_[static_cast<std::size_t>(first) + i] = std::move(moved[i]);
    MarkCell(0, first);
    MarkCell(std::max(ColCount_ - 1, 0), last);
}

StringGrid::Changes StringGrid::TakeChanges() {
    Changes c = Pending_;
    Pending_ = Changes{};
    return c;
}

std::size_t StringGrid::MemoryBytes() const {
    std::size_t bytes = sizeof(*this) + Rows_.capacity() * sizeof(Rows_[0]);
    for (const Row& r : Rows_) bytes += r.MemoryBytes();
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

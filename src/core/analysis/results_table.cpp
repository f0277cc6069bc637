#include "core/analysis/results_table.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace zirtel {

namespace {
const std::vector<NeighbourRecord> kNoNeighbours;
} // namespace

void ResultsTable::SetColumns(std::vector<FieldId> fields, int firstCol) {
    Columns_ = std::move(fields);
    FirstCol_ = firstCol;
    Rows_.clear();
}

const FieldId* ResultsTable::FieldOfColumn(int col) const {
    const int i = col - FirstCol_;
    if (i < 0 || i >= static_cast<int>(Columns_.size())) return nullptr;
    return &Columns_[static_cast<std::size_t>(i)];
}

ResultsTable::Packed ResultsTable::Pack(const Value& v, std::string& texts) {
    Packed p{{}, v.Kind(), v.Reason()};
    if (v.Kind() == ValueKind::Text) {
        const auto at = static_cast<std::uint32_t>(texts.size());
        const auto size = static_cast<std::uint32_t>(v.Text().size());
        texts += v.Text();
        std::memcpy(p.Payload, &at, 4);
        std::memcpy(p.Payload + 4, &size, 4);
    } else {
        const double number = v.Number();
        std::memcpy(p.Payload, &number, 8);
    }
    return p;
}

ResultsTable::Row& ResultsTable::RowAt(int row) {
    if (row >= static_cast<int>(Rows_.size())) Rows_.resize(static_cast<std::size_t>(row) + 1);
    return Rows_[static_cast<std::size_t>(row)];
}

void ResultsTable::SetRow(int row, const RowValues& values) {
    if (row < 1) return;
    Row& r = RowAt(row);
    r.Cells.clear();
    r.Texts.clear();
    r.Cells.reserve(Columns_.size());
    for (FieldId f : Columns_) r.Cells.push_back(Pack(values.At(f), r.Texts));
    if (values.OrthoNeighbours().empty() && values.PhonNeighbours().empty()) {
        r.Found.reset();
    } else {
        if (!r.Found) r.Found = std::make_unique<Neighbours>();
        r.Found->Ortho = values.OrthoNeighbours();
        r.Found->Phon = values.PhonNeighbours();
    }
}

void ResultsTable::SetRowMissing(int row, MissingReason reason) {
    if (row < 1) return;
    Row& r = RowAt(row);
    r.Texts.clear();
    r.Found.reset();
    r.Cells.assign(Columns_.size(), Pack(Value::Missing(reason), r.Texts));
}

void ResultsTable::SetValue(int row, int col, const Value& value) {
    if (row < 1 || !FieldOfColumn(col)) return;
    Row& r = RowAt(row);
    if (r.Cells.size() != Columns_.size()) r.Cells.assign(Columns_.size(), Pack(Value(), r.Texts));
    r.Cells[static_cast<std::size_t>(col - FirstCol_)] = Pack(value, r.Texts);
}

void ResultsTable::ClearRow(int row) {
    if (row >= 1 && row < static_cast<int>(Rows_.size()))
        Rows_[static_cast<std::size_t>(row)] = Row();
}

void ResultsTable::Clear() {
    Rows_.clear();
}

void ResultsTable::Truncate(int rows) {
    if (rows >= 0 && rows < static_cast<int>(Rows_.size()))
        Rows_.resize(static_cast<std::size_t>(rows));
}

void ResultsTable::PermuteRows(int first, const std::vector<int>& order) {
    if (first < 1 || order.empty()) return;
    int last = first;
    for (int r : order) last = std::max(last, r);
    last = std::max(last, first + static_cast<int>(order.size()) - 1);
    if (last >= static_cast<int>(Rows_.size())) Rows_.resize(static_cast<std::size_t>(last) + 1);
    std::vector<Row> moved;
    moved.reserve(order.size());
    for (int r : order) moved.push_back(std::move(Rows_[static_cast<std::size_t>(r)]));
    for (std::size_t i = 0; i < moved.size(); ++i)
        Rows_[static_cast<std::size_t>(first) + i] = std::move(moved[i]);
}

bool ResultsTable::HasRow(int row) const {
    return row >= 1 && row < static_cast<int>(Rows_.size()) &&
           !Rows_[static_cast<std::size_t>(row)].Cells.empty();
}

Value ResultsTable::At(int row, int col) const {
    if (!HasRow(row) || !FieldOfColumn(col)) return Value();
    const Row& r = Rows_[static_cast<std::size_t>(row)];
    const Packed& p = r.Cells[static_cast<std::size_t>(col - FirstCol_)];
    switch (p.Kind) {
    case ValueKind::Missing:
        return Value::Missing(p.Reason);
    case ValueKind::Text: {
        std::uint32_t at = 0, size = 0;
        std::memcpy(&at, p.Payload, 4);
        std::memcpy(&size, p.Payload + 4, 4);
        return Value::Text(r.Texts.substr(at, size));
    }
    case ValueKind::Count:
    case ValueKind::Real:
        break;
    }
    double number = 0;
    std::memcpy(&number, p.Payload, 8);
    return p.Kind == ValueKind::Count ? Value::Count(static_cast<long long>(number))
                                      : Value::Real(number);
}

const std::vector<NeighbourRecord>& ResultsTable::OrthoNeighbours(int row) const {
    if (row < 1 || row >= static_cast<int>(Rows_.size())) return kNoNeighbours;
    const Row& r = Rows_[static_cast<std::size_t>(row)];
    return r.Found ? r.Found->Ortho : kNoNeighbours;
}

const std::vector<NeighbourRecord>& ResultsTable::PhonNeighbours(int row) const {
    if (row < 1 || row >= static_cast<int>(Rows_.size())) return kNoNeighbours;
    const Row& r = Rows_[static_cast<std::size_t>(row)];
    return r.Found ? r.Found->Phon : kNoNeighbours;
}

} // namespace zirtel

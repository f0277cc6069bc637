#include "core/fields/row_cells.h"

#include "core/text/format.h"

namespace zirtel {

void RowCells::Start(std::string_view item, const FieldSet& wanted, int decimals) {
    Item_.assign(item);
    Wanted_ = wanted;
    Decimals_ = decimals;
    for (std::size_t i = 0; i < Cells_.size(); ++i)
        if (Written_[i]) Cells_[i].clear();
    Written_.reset();
}

void RowCells::PutReal(FieldId f, double value) {
    if (Wants(f)) Put(f, FormatReal7(value, Decimals_));
}

void RowCells::PutCount(FieldId f, long long value) {
    if (Wants(f)) Put(f, FormatInt4(value));
}

} // namespace zirtel

#include "core/neighbours/ortho_neighbour_list.h"

#include <string>

#include "core/text/latin1.h"

namespace zirtel {

void LayOutOrthoNeighbours(NeighbourList& list, std::string_view item,
                           const std::vector<NeighbourRecord>& records,
                           const OrthoSearchPasses& passes) {
    StringGrid& grid = list.NeighList;
    const int length = static_cast<int>(item.size());
    NeighbourRecordCursor cursor(records);
    const auto growBeforePass = [&] {
        if (grid.RowCount() < list.CurrentRow + 10) grid.SetRowCount(grid.RowCount() + 30);
    };
    // A deletion or addition position starts: a row that received neighbours is left behind.
    const auto nextPosition = [&] {
        if (list.RowNeighbourCount > 0) ++list.CurrentRow;
        list.RowNeighbourCount = 0;
    };

    if (passes.Shown) {
        if (list.CurrentRow > 1 && !grid.Cell(1, list.CurrentRow - 1).empty()) ++list.CurrentRow;
        grid.SetCell(0, list.CurrentRow, UpperLatin1(item));
        if (grid.RowCount() < list.CurrentRow + length) grid.SetRowCount(grid.RowCount() + length);
    }
    int positionsWithSubstitutions = 0;
    for (int p = 1; p <= length; ++p) {
        int count = 0;
        cursor.Each(NeighbourKind::Substitution, p, [&](const NeighbourRecord& r) {
            if (passes.Shown) grid.SetCell(3 + count, list.CurrentRow, r.Word);
            ++count;
        });
        if (count == 0) continue;
        ++positionsWithSubstitutions;
        if (passes.Shown) {
            grid.SetCell(1, list.CurrentRow, "Sub");
            grid.SetCell(2, list.CurrentRow, std::to_string(p));
            ++list.CurrentRow;
        }
    }
    if (passes.Shown && positionsWithSubstitutions > 0) ++list.CurrentRow;

    const auto listed = [&](const NeighbourRecord& r, bool shownKind, const char* label, int p) {
        ++list.RowNeighbourCount;
        if (!shownKind) return;
        grid.SetCell(list.RowNeighbourCount + 2, list.CurrentRow, r.Word);
        grid.SetCell(1, list.CurrentRow, label);
        grid.SetCell(2, list.CurrentRow, std::to_string(p));
    };
    if (passes.Deletions) {
        growBeforePass();
        const bool shownKind = passes.Shown && passes.ListDeletions;
        for (int p = 1; p <= length; ++p) {
            nextPosition();
            cursor.Each(NeighbourKind::Deletion, p,
                        [&](const NeighbourRecord& r) { listed(r, shownKind, "Del", p); });
        }
    }
    // A deletion row that holds neighbours is closed, with an empty row after it.
    if (passes.Shown && list.CurrentRow > 1 && !grid.Cell(2, list.CurrentRow).empty())
        list.CurrentRow += 2;
    if (passes.Additions) {
        growBeforePass();
        const bool shownKind = passes.Shown && passes.ListAdditions;
        for (int p = 1; p <= length + 1; ++p) {
            // No letter goes directly in front of an apostrophe.
            if (p <= length && item[static_cast<std::size_t>(p - 1)] == '\'') continue;
            nextPosition();
            cursor.Each(NeighbourKind::Addition, p,
                        [&](const NeighbourRecord& r) { listed(r, shownKind, "Add", p); });
        }
        if (shownKind) ++list.CurrentRow;
    }
}

void LayOutSpanishNeighbours(NeighbourList& list, std::span<const NeighbourRecord> records) {
    if (records.empty()) return;
    StringGrid& grid = list.NeighList;
    if (!grid.Cell(1, list.CurrentRow).empty()) ++list.CurrentRow;
    std::size_t i = 0;
    while (i < records.size()) {
        const NeighbourKind kind = records[i].Kind;
        const int position = records[i].Position;
        if (grid.RowCount() < list.CurrentRow + 2) grid.SetRowCount(grid.RowCount() + 30);
        grid.SetCell(1, list.CurrentRow,
                     kind == NeighbourKind::Substitution ? "es"
                     : kind == NeighbourKind::Deletion   ? "esDel"
                                                         : "esAdd");
        grid.SetCell(2, list.CurrentRow, std::to_string(position));
        for (int column = 3;
             i < records.size() && records[i].Kind == kind && records[i].Position == position;
             ++i, ++column)
            grid.SetCell(column, list.CurrentRow, records[i].Word);
        ++list.CurrentRow;
    }
    list.RowNeighbourCount = 0;
}

} // namespace zirtel

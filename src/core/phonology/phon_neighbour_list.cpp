#include "core/phonology/phon_neighbour_list.h"

#include "core/text/latin1.h"

namespace zirtel {

void PhonListItemStart(NeighbourList& list, std::string_view item, int positions) {
    StringGrid& grid = list.NeighList;
    if (list.CurrentRow > 1 && !grid.Cell(1, list.CurrentRow - 1).empty()) ++list.CurrentRow;
    grid.SetCell(0, list.CurrentRow, UpperLatin1(item));
    if (positions > 0 && grid.RowCount() < list.CurrentRow + positions)
        grid.SetRowCount(grid.RowCount() + positions);
}

void PhonListSubstitution(NeighbourList& list, std::string_view word, int written) {
    list.NeighList.SetCell(3 + written, list.CurrentRow, std::string(word));
}

void PhonListSubstitutionEnd(NeighbourList& list, int position) {
    list.NeighList.SetCell(1, list.CurrentRow, kSubstitutionLabel);
    list.NeighList.SetCell(2, list.CurrentRow, std::to_string(position));
    ++list.CurrentRow;
}

void PhonListPositionStart(NeighbourList& list) {
    if (list.RowNeighbourCount > 0) ++list.CurrentRow;
    list.RowNeighbourCount = 0;
}

void PhonListNeighbour(NeighbourList& list, std::string_view label, int position,
                       std::string_view word) {
    ++list.RowNeighbourCount;
    StringGrid& grid = list.NeighList;
    grid.SetCell(list.RowNeighbourCount + 2, list.CurrentRow, std::string(word));
    grid.SetCell(1, list.CurrentRow, std::string(label));
    grid.SetCell(2, list.CurrentRow, std::to_string(position));
}

void PhonListBetween(NeighbourList& list) {
    if (list.CurrentRow > 1 && !list.NeighList.Cell(2, list.CurrentRow).empty())
        list.CurrentRow += 2;
}

void PhonListItemEnd(NeighbourList& list) {
    ++list.CurrentRow;
}

void LayOutPhonNeighbours(NeighbourList& list, std::string_view item, int phonemes,
                          const std::vector<NeighbourRecord>& records) {
    NeighbourRecordCursor cursor(records);
    PhonListItemStart(list, item, phonemes);
    for (int p = 1; p <= phonemes; ++p) {
        int count = 0;
        cursor.Each(NeighbourKind::Substitution, p,
                    [&](const NeighbourRecord& r) { PhonListSubstitution(list, r.Word, count++); });
        if (count > 0) PhonListSubstitutionEnd(list, p);
    }
    for (int p = 1; p <= phonemes; ++p) {
        PhonListPositionStart(list);
        cursor.Each(NeighbourKind::Deletion, p, [&](const NeighbourRecord& r) {
            PhonListNeighbour(list, kDeletionLabel, p, r.Word);
        });
    }
    PhonListBetween(list);
    for (int p = 1; p <= phonemes + 1; ++p) {
        PhonListPositionStart(list);
        cursor.Each(NeighbourKind::Addition, p, [&](const NeighbourRecord& r) {
            PhonListNeighbour(list, kAdditionLabel, p, r.Word);
        });
    }
    PhonListItemEnd(list);
}

} // namespace zirtel

// The orthographic neighbour list: how the orthographic neighbour search lays an item's
// neighbours out in its list window.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "core/fields/neighbour_list.h"
#include "core/fields/neighbour_record.h"

namespace zirtel {

// How an orthographic search went, for its block of the list.
struct OrthoSearchPasses {
    bool Shown = false;     // the list is shown: the item's block is written
    bool Deletions = false; // the deletion neighbours were looked for
    bool Additions = false; // the addition neighbours were looked for
    bool ListDeletions = false, ListAdditions = false; // and are listed
};

// Lays out the neighbours one orthographic search found for `item` (lower-cased, `records` in
// the order found: substitutions, deletions, additions, each by position) as the item's block of
// the list: a blank row after a previous block whose last row carries a kind; the item in upper
// case in column 0; a row for each position with substitution neighbours ("Sub" and the
// position), a blank row after them; with deletions listed a row of each position that has one
// ("Del"), two rows on after the last; with additions listed their rows ("Add"), one row on. A
// deletion or addition position starts on a new row when the previous one found a neighbour,
// listed or not, and the rows grow by 30 before each of those passes when fewer than 10 are left.
void LayOutOrthoNeighbours(NeighbourList& list, std::string_view item,
                           const std::vector<NeighbourRecord>& records,
                           const OrthoSearchPasses& passes);

// Lays out the item's Spanish neighbours (`records`, in the order RecordSpanishNeighbours gives
// them) after its Basque ones, in the block of the item: from the current row, or the next one
// when the current row carries a kind, a row for each kind and position that has neighbours
// ("es" for the substitutions, "esDel" and "esAdd" for the deletions and additions) with the
// position and the neighbours' shown forms. Nothing when there is none.
void LayOutSpanishNeighbours(NeighbourList& list, std::span<const NeighbourRecord> records);

} // namespace zirtel

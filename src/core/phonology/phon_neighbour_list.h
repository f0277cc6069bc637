// The phonological neighbour list: how the phonological neighbour search lays an item's
// neighbours out in its list window.
//
// For one item the search calls, in this order: PhonListItemStart; for each phoneme position
// its substitution neighbours (PhonListSubstitution) and, when it had any,
// PhonListSubstitutionEnd; for each position PhonListPositionStart and its deletion neighbours
// (PhonListNeighbour with "Ezab"); PhonListBetween; for each position (one more than the item
// has) PhonListPositionStart and its addition neighbours (PhonListNeighbour with "Gain");
// PhonListItemEnd. The grid grows whenever a word lands past its edge.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/fields/neighbour_record.h"

#include "core/fields/neighbour_list.h"

namespace zirtel {

inline constexpr const char* kSubstitutionLabel = "Ordez";
inline constexpr const char* kDeletionLabel = "Ezab";
inline constexpr const char* kAdditionLabel = "Gain";

// Starts an item's block: one blank row after a previous block whose last row carries a label,
// the item in upper case in column 0, and room for `positions` more rows.
void PhonListItemStart(NeighbourList& list, std::string_view item, int positions);
// A substitution neighbour: `written` is the number of substitution neighbours already written
// for this position; the word goes to column 3 + written of the current row.
void PhonListSubstitution(NeighbourList& list, std::string_view word, int written);
// Closes a position that had substitution neighbours: "Ordez" and the position, next row.
void PhonListSubstitutionEnd(NeighbourList& list, int position);
// Starts a deletion or addition position: a row that received neighbours is left behind.
void PhonListPositionStart(NeighbourList& list);
// A deletion ("Ezab") or addition ("Gain") neighbour at the position.
void PhonListNeighbour(NeighbourList& list, std::string_view label, int position,
                       std::string_view word);
// Between the deletions and the additions: when the current row carries deletions, two rows on.
void PhonListBetween(NeighbourList& list);
// Ends an item's block.
void PhonListItemEnd(NeighbourList& list);

// Lays out the neighbours one phonological search found for `item` (`records` in the order
// found: substitutions, deletions, additions, each by position; `phonemes` the length of its
// pronunciation) as the item's block of the list, in the calls above.
void LayOutPhonNeighbours(NeighbourList& list, std::string_view item, int phonemes,
                          const std::vector<NeighbourRecord>& records);

} // namespace zirtel

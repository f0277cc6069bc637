// The neighbour lists as one long table for statistics programs: one row per listed neighbour
// with its item, the list it comes from, its kind, its position and its frequency, written from
// the neighbours the searches recorded (NeighbourRecord).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/fields/neighbour_record.h"

namespace zirtel {

class Workspace;

// Header "item\tneighbour\tlist\tkind\tposition\tfrequency", then the orthographic neighbours
// of every measured item and the phonological ones, each by item in results order: the item as
// it stands in the results, the neighbour, "orthographic" or "phonological", "substitution",
// "deletion" or "addition", the position (1-based; for an addition the place of the new letter
// or phoneme), and the neighbour's frequency with the results' decimals (no padding) in the
// lexicon the search used (the current one for the orthographic list, the whole-word one for
// the phonological list). Only the neighbours the lists show. UTF-8, LF line ends.
std::string TidyNeighbourText(const Workspace& ws);

// The header line of that table.
inline constexpr const char* kTidyNeighbourHeader =
    "item\tneighbour\tlist\tkind\tposition\tfrequency\n";
inline constexpr const char* kOrthographicList = "orthographic";
inline constexpr const char* kPhonologicalList = "phonological";
// The list of the Spanish neighbours of the orthographic list ("Gehitu gaztelaniazko auzokideak").
inline constexpr const char* kSpanishList = "spanish";
// The table's lines of one item's listed neighbours, Latin-1, appended to `out`.
void AppendTidyLines(std::string& out, std::string_view item,
                     const std::vector<NeighbourRecord>& records, std::string_view listName,
                     int decimals);

} // namespace zirtel

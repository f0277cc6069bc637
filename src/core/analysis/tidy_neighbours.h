// The neighbour lists as one long table for statistics programs: one row per neighbour with its
// item, the list it comes from, its kind, its position and its frequency.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zirtel {

class Lexicon;
class NeighbourList;
class Workspace;

// Header "item\tneighbour\tlist\tkind\tposition\tfrequency", then the orthographic list's
// neighbours and the phonological list's, each in list order: the item as it stands in the
// results, the neighbour, "orthographic" or "phonological", "substitution", "deletion" or
// "addition", the position shown in the list (1-based; for an addition the place of the new
// letter or phoneme), and the neighbour's frequency with the results' decimals (no padding)
// in the lexicon the search used (the current one for the orthographic list, the whole-word
// one for the phonological list). UTF-8, LF line ends.
std::string TidyNeighbourText(const Workspace& ws);

// The header line of that table.
inline constexpr const char* kTidyNeighbourHeader =
    "item\tneighbour\tlist\tkind\tposition\tfrequency\n";
// The table's lines of rows first..last - 1 of one list, Latin-1, appended to `out`: `itemOf`
// gives the item as the results show it for a list's upper-case item; `item` is the item the
// rows belong to until a row names another, and is updated.
void AppendTidyRows(std::string& out, const NeighbourList& list, int first, int last,
                    std::string_view listName, const Lexicon& lex, int decimals,
                    const std::function<std::string(const std::string&)>& itemOf,
                    std::string& item);

} // namespace zirtel

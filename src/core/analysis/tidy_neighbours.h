// The neighbour lists as one long table for statistics programs: one row per neighbour with its
// item, the list it comes from, its kind, its position and its frequency.
#pragma once

#include <string>

namespace zirtel {

class Workspace;

// Header "item\tneighbour\tlist\tkind\tposition\tfrequency", then the orthographic list's
// neighbours and the phonological list's, each in list order: the item as it stands in the
// results, the neighbour, "orthographic" or "phonological", "substitution", "deletion" or
// "addition", the position shown in the list (1-based; for an addition the place of the new
// letter or phoneme), and the neighbour's frequency with the results' decimals (no padding)
// in the lexicon the search used (the current one for the orthographic list, the whole-word
// one for the phonological list). UTF-8, LF line ends.
std::string TidyNeighbourText(const Workspace& ws);

} // namespace zirtel

// A neighbour list: the grid of a neighbour list window, with the row the searches are filling.
// Both the orthographic and the phonological list are of this kind. Columns: 0 the item (upper
// case, on its block's first row), 1 the kind, 2 the position, 3 on the neighbours.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/fields/neighbour_record.h"
#include "core/grid/string_grid.h"

namespace zirtel {

class NeighbourList {
  public:
    NeighbourList();

    StringGrid NeighList;
    int CurrentRow = 1;        // the row being filled
    int RowNeighbourCount = 0; // neighbours written on the current deletion or addition row

    // Empties every body row, 20 rows, CurrentRow 1. Columns and RowNeighbourCount stay.
    void Clear();
    // First row above 0 whose column 0 equals the item, letter case ignored; -1 if none.
    int FindItemRow(const std::string& item) const;
    // Selects rows first..last across all columns.
    void SelectListRows(int first, int last);
    // The save format: one line per listed neighbour, "%-8s\t%-8s" and CR LF, UTF-8.
    std::string SaveText() const;
    // The save lines of rows first..last - 1, Latin-1, appended to `out`. `item` is the upper-case
    // item the rows belong to until a row names another; it is updated.
    void AppendSaveRows(std::string& out, int first, int last, std::string& item) const;
    // Writes SaveText() to the path; false when the file cannot be written (`error`, when
    // given, receives the errno).
    bool Save(const std::filesystem::path& path, int* error = nullptr) const;
};

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

} // namespace zirtel

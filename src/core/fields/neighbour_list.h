// A neighbour list: the grid of a neighbour list window, with the row the searches are filling.
// Both the orthographic and the phonological list are of this kind. Columns: 0 the item (upper
// case, on its block's first row), 1 the kind, 2 the position, 3 on the neighbours.
#pragma once

#include <filesystem>
#include <string>

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
    // The save format: one line per listed neighbour, "%-8s\t%-8s" and CR LF, UTF-8.
    std::string SaveText() const;
    // The save lines of rows first..last - 1, Latin-1, appended to `out`. `item` is the upper-case
    // item the rows belong to until a row names another; it is updated.
    void AppendSaveRows(std::string& out, int first, int last, std::string& item) const;
    // Writes SaveText() to the path; false when the file cannot be written (`error`, when
    // given, receives the errno).
    bool Save(const std::filesystem::path& path, int* error = nullptr) const;
};

} // namespace zirtel

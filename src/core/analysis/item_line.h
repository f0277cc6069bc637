// How one line of an items file, or one pasted row, gives its item: the first token of the line
// (blanks before it ignored) is the item; whatever follows it on the line belongs to the item and
// is not an item of its own (a spreadsheet row's other cells, a condition number, a comment).
#pragma once

#include <string_view>
#include <vector>

namespace zirtel {

struct ItemLine {
    std::string_view
        Item; // empty when the line holds nothing, or starts with a tab (no first cell)
    std::string_view Rest; // the rest of the line after the item, without its line end
};

// Splits a line (without its line feed; a carriage return at its end is dropped) into its item and
// the rest. Blanks before the item are ignored; a line whose first cell is empty (it starts with a
// tab after any blanks) has no item.
ItemLine SplitItemLine(std::string_view line);

// The item's own cells on its line: on a line with a tab, the tab-separated cells after the
// first; on one without, the blank-separated tokens after the item. Blanks around a cell are
// dropped, and so are empty cells at the end of the line.
std::vector<std::string_view> OwnCells(std::string_view line);

// Whether the line names the columns instead of giving an item: it has own cells, and its first
// cell is "item", "items", "word", "hitza", "sarrera" or "stimulus" (in any letter case).
bool IsHeaderLine(std::string_view line);

} // namespace zirtel

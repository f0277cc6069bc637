// The readers of item lists: an items file, or pasted text, read into its items, their own
// cells and what was left out, with no grid. The workspace puts what they read into its grids;
// the generator's templates and the selector's items files take the items alone.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/item_tally.h"
#include "core/analysis/stimulus_list.h"
#include "core/text/text_file.h"

namespace zirtel {

class Feedback;

// What an items file gave.
struct ItemList {
    // The items (letter case folded), their lines and conditions, the conditions' names, and,
    // when the file has own columns, each item's own cells joined by tabs.
    StimulusList Stimuli;
    // The own columns' names: a header line's, then "col2", "col3" ...; none without own cells.
    std::vector<std::string> ColumnNames;
    // The lines left out: items with characters outside Latin-1 or control characters, and
    // lines that do not start with a letter.
    ItemTally Refused, NotLetter;
    // The one message naming what was left out; empty when nothing was.
    std::string LeftOutText() const;
};

// Reads an items file: items, their conditions (a whole number after the item, on its own line
// after it, or directive lines "<Cond #2 "name">"), a header line, own cells. Nothing when the
// file cannot be read; `problem` then says why.
std::optional<ItemList> ParseItemListFile(const std::filesystem::path& path,
                                          ReadProblem* problem = nullptr);

// Reads an items file as the windows read it: a file that cannot be read gets its message
// ("Can't open input file ...", or the file is too large) and gives nothing; a progress window
// runs over the items, and what was left out gets one message at the end.
std::optional<ItemList> ReadItemList(Feedback& ui, const std::filesystem::path& path);

// One pasted row: its item (letters only) and its own cells.
struct PastedRow {
    std::string Item;
    std::vector<std::string> Own;
};
struct PastedItems {
    std::vector<PastedRow> Rows;
    std::size_t OwnColumns = 0; // the most own cells of any line
};
// Reads pasted text (its first 100,000 characters): one item per line, the item's letters only;
// a last line without a line feed that gives no item adds no row.
PastedItems ParsePastedItems(std::string_view text);

// The names of `count` own columns: `header`'s, then "col2", "col3" ... (the item is the first
// column).
std::vector<std::string> OwnColumnNames(const std::vector<std::string_view>& header, int count);

// Splits own cells joined by tabs (ItemList::Stimuli.OwnCells) back into cells.
std::vector<std::string_view> SplitOwnCells(std::string_view joined);

} // namespace zirtel

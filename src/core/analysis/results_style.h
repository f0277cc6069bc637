// Results for other programs: the results file with the missing-value marks replaced by a text
// of the user's choice (for example "NA"), and a plain tab-separated form without padding,
// trailing tabs, CR or the final empty row, which R's read.delim and pandas' read_csv read with
// every numeric column numeric.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/grid/string_grid.h"

namespace zirtel {

class Workspace;

// The texts a measure writes for an item it cannot measure or for a value that is absent.
inline constexpr std::array<std::string_view, 4> kMissingMarks = {"-1", "   -  ", "    -", "-"};
bool IsMissingMark(std::string_view cell);

struct ResultsStyle {
    // Written instead of a missing-value mark in an item's field cell; nothing: kept as it is.
    std::optional<std::string> Missing;
    // No padding blanks in cells and headers, no tab after a line's last cell, LF line ends,
    // no final empty row.
    bool Plain = false;
};

// One row of the results file in the style, Latin-1, appended to `out`: `cells` are the texts of
// columns 1 to nextCol - 1; `itemRow` for every row but the headers (only there are missing-value
// marks replaced); `missing` is the style's missing-value text in Latin-1.
void AppendStyledRow(std::string& out, const std::string* cells, int count, bool itemRow,
                     const ResultsStyle& style, std::string_view missing);

// The results file (OutputFileText) in the style; the default style gives the same bytes.
std::string StyledOutputText(const StringGrid& grid, int nextRow, int nextCol,
                             const ResultsStyle& style);
std::string StyledOutputText(const Workspace& ws, const ResultsStyle& style);

} // namespace zirtel

// Results for other programs: the results file with every missing value written as a text of
// the user's choice (for example "NA"), and a plain tab-separated form without padding, trailing
// tabs, CR or the final empty row, which R's read.delim and pandas' read_csv read with every
// numeric column numeric. The texts of the values come from the formatting layer
// (core/fields/value_format.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/fields/fields.h"
#include "core/fields/value.h"

namespace zirtel {

class Workspace;

struct ResultsStyle {
    // Written instead of every missing value of an item's field; nothing: the fields' own marks.
    std::optional<std::string> Missing;
    // No padding blanks in cells and headers, no tab after a line's last cell, LF line ends,
    // no final empty row.
    bool Plain = false;
    // Only the item rows the filter shows (Workspace::RowShown).
    bool ShownOnly = false;
};

// Appends a results file line in the style, Latin-1: the cells of columns 1 to N, each given as
// `cell(column, out)` appending the column's text; a tab after each cell (before each but the
// first in the plain style) and the line end.
template <typename AppendCell>
void AppendResultsLine(std::string& out, int columns, const ResultsStyle& style, AppendCell cell) {
    for (int c = 1; c <= columns; ++c) {
        if (style.Plain && c > 1) out += '\t';
        cell(c, out);
        if (!style.Plain) out += '\t';
    }
    out += style.Plain ? "\n" : "\r\n";
}

// Appends a text cell (a header or an item) in the style: trimmed in the plain style.
void AppendTextCell(std::string& out, std::string_view text, const ResultsStyle& style);

// The results file (OutputFileText) in the style; the default style gives the same bytes.
// Every cell of a measured row shows its value as the style writes it; the other cells their
// text.
std::string StyledOutputText(const Workspace& ws, const ResultsStyle& style);

} // namespace zirtel

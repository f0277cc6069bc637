#include "core/analysis/results_style.h"

#include <algorithm>
#include <vector>

#include "core/analysis/results_output.h"
#include "core/analysis/workspace.h"
#include "core/text/latin1.h"

namespace zirtel {

bool IsMissingMark(std::string_view cell) {
    return std::find(kMissingMarks.begin(), kMissingMarks.end(), cell) != kMissingMarks.end();
}

void AppendStyledRow(std::string& out, const std::string* cells, int count, bool itemRow,
                     const ResultsStyle& style, std::string_view missing) {
    for (int i = 0; i < count; ++i) {
        const std::string& cell = cells[i];
        const bool mark = style.Missing && itemRow && i >= 1 && IsMissingMark(cell);
        if (style.Plain && i > 0) out += '\t';
        if (mark)
            out += missing;
        else if (style.Plain)
            out += Trim(cell);
        else
            out += cell;
        if (!style.Plain) out += '\t';
    }
    out += style.Plain ? "\n" : "\r\n";
}

std::string StyledOutputText(const StringGrid& grid, int nextRow, int nextCol,
                             const ResultsStyle& style) {
    if (!style.Missing && !style.Plain) return OutputFileText(grid, nextRow, nextCol);
    const std::string missing = style.Missing ? Utf8ToLatin1(*style.Missing).Text : std::string();
    const int lastRow = style.Plain ? nextRow - 1 : nextRow;
    std::string out;
    std::vector<std::string> cells;
    for (int r = 0; r <= lastRow; ++r) {
        cells.clear();
        for (int c = 1; c < nextCol; ++c) cells.emplace_back(grid.Cell(c, r));
        AppendStyledRow(out, cells.data(), static_cast<int>(cells.size()), r >= 1, style, missing);
    }
    return Latin1ToUtf8(out);
}

std::string StyledOutputText(const Workspace& ws, const ResultsStyle& style) {
    return StyledOutputText(ws.OutputGrid, ws.NextRow, ws.NextCol, style);
}

} // namespace zirtel

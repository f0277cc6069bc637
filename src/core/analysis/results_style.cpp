#include "core/analysis/results_style.h"

#include <algorithm>

#include "core/analysis/results_output.h"
#include "core/analysis/workspace.h"
#include "core/text/latin1.h"

namespace zirtel {

bool IsMissingMark(std::string_view cell) {
    return std::find(kMissingMarks.begin(), kMissingMarks.end(), cell) != kMissingMarks.end();
}

std::string StyledOutputText(const StringGrid& grid, int nextRow, int nextCol,
                             const ResultsStyle& style) {
    if (!style.Missing && !style.Plain) return OutputFileText(grid, nextRow, nextCol);
    const std::string missing = style.Missing ? Utf8ToLatin1(*style.Missing).Text : std::string();
    const int lastRow = style.Plain ? nextRow - 1 : nextRow;
    std::string out;
    for (int r = 0; r <= lastRow; ++r) {
        for (int c = 1; c < nextCol; ++c) {
            const std::string& cell = grid.Cell(c, r);
            const bool mark = style.Missing && r >= 1 && c >= 2 && IsMissingMark(cell);
            if (style.Plain && c > 1) out += '\t';
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
    return Latin1ToUtf8(out);
}

std::string StyledOutputText(const Workspace& ws, const ResultsStyle& style) {
    return StyledOutputText(ws.OutputGrid, ws.NextRow, ws.NextCol, style);
}

} // namespace zirtel

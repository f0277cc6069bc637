#include "core/analysis/results_style.h"

#include "core/analysis/results_output.h"
#include "core/analysis/workspace.h"
#include "core/fields/value_format.h"
#include "core/text/latin1.h"

namespace zirtel {

void AppendTextCell(std::string& out, std::string_view text, const ResultsStyle& style) {
    if (style.Plain)
        out += Trim(text);
    else
        out += text;
}

std::string StyledOutputText(const Workspace& ws, const ResultsStyle& style) {
    if (!style.Missing && !style.Plain && !style.ShownOnly)
        return OutputFileText(ws.OutputGrid, ws.NextRow, ws.NextCol);
    const std::string missing = style.Missing ? Utf8ToLatin1(*style.Missing).Text : std::string();
    const ValueStyle values{.Decimals = ws.Decimals,
                            .Missing = style.Missing ? &missing : nullptr,
                            .Plain = style.Plain};
    const int lastRow = style.Plain ? ws.NextRow - 1 : ws.NextRow;
    std::string out;
    for (int r = 0; r <= lastRow; ++r) {
        if (style.ShownOnly && r > 0 && r < ws.NextRow && !ws.RowShown(r)) continue;
        const bool measured = ws.Results.HasRow(r);
        AppendResultsLine(out, ws.NextCol - 1, style, [&](int c, std::string& line) {
            const FieldId* f = measured ? ws.Results.FieldOfColumn(c) : nullptr;
            if (f)
                AppendValueText(line, *f, ws.Results.At(r, c), values);
            else
                AppendTextCell(line, ws.OutputGrid.Cell(c, r), style);
        });
    }
    return Latin1ToUtf8(out);
}

} // namespace zirtel

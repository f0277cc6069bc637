#include "core/analysis/results_output.h"

#include <algorithm>

#include "core/analysis/results_style.h"
#include "core/analysis/workspace.h"
#include "core/feedback/messages.h"
#include "core/fields/value_format.h"
#include "core/text/file_identity.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"

namespace zirtel {

namespace {

constexpr const char* kFileErrorCaption = "Fitxategi-errorea";

// Rows first..last, columns left..right: cells joined by tabs, each row ended by `rowEnd`.
// With `tabAfterEach` every cell is followed by a tab instead (the last one too). `cell(c, r)`
// gives a cell's text.
template <typename Cell>
std::string JoinCells(const StringGrid& grid, int firstRow, int lastRow, int left, int right,
                      bool tabAfterEach, std::string_view rowEnd, Cell cell) {
    std::string out;
    if (lastRow < firstRow) return out;
    std::size_t size = 0;
    for (int r = firstRow; r <= lastRow; ++r) {
        for (int c = left; c <= right; ++c) size += grid.Cell(c, r).size() + 1;
        size += rowEnd.size();
    }
    out.reserve(size);
    for (int r = firstRow; r <= lastRow; ++r) {
        for (int c = left; c <= right; ++c) {
            if (!tabAfterEach && c > left) out += '\t';
            out += cell(c, r);
            if (tabAfterEach) out += '\t';
        }
        out += rowEnd;
    }
    return out;
}

std::string JoinCells(const StringGrid& grid, int firstRow, int lastRow, int left, int right,
                      bool tabAfterEach, std::string_view rowEnd) {
    return JoinCells(grid, firstRow, lastRow, left, right, tabAfterEach, rowEnd,
                     [&grid](int c, int r) { return grid.Cell(c, r); });
}

std::string_view TrimmedCell(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The results grid's cells as the clipboard takes them: with the view options' missing-value
// text, every missing value of a measured row as that text; in the plain table, every cell
// without its padding blanks and the rows ended by LF.
std::string CopiedCells(const Workspace& ws, int firstRow, int lastRow, int left, int right) {
    const StringGrid& grid = ws.OutputGrid;
    const bool plain = ws.PlainResults;
    if (!ws.MissingText && !plain)
        return JoinCells(grid, firstRow, lastRow, left, right, false, "\r\n");
    const std::string missing = ws.MissingText ? Utf8ToLatin1(*ws.MissingText).Text : "";
    const ValueStyle style{
        .Decimals = ws.Decimals, .Missing = ws.MissingText ? &missing : nullptr, .Plain = plain};
    std::string text;
    return JoinCells(grid, firstRow, lastRow, left, right, false, plain ? "\n" : "\r\n",
                     [&](int c, int r) -> std::string_view {
                         const FieldId* f =
                             ws.Results.HasRow(r) ? ws.Results.FieldOfColumn(c) : nullptr;
                         if (f && plain) {
                             text.clear();
                             AppendValueText(text, *f, ws.Results.At(r, c), style);
                             return text;
                         }
                         if (f && ws.MissingText && ShownMissing(ws.Results.At(r, c), style))
                             return missing;
                         return plain ? TrimmedCell(grid.Cell(c, r)) : grid.Cell(c, r);
                     });
}

} // namespace

std::string OutputFileText(const StringGrid& grid, int nextRow, int nextCol) {
    return Latin1ToUtf8(JoinCells(grid, 0, nextRow, 1, nextCol - 1, true, "\r\n"));
}

std::string OutputFileText(const Workspace& ws) {
    return StyledOutputText(ws, ResultsStyle{ws.MissingText, ws.PlainResults});
}

bool SaveOutputFile(Workspace& ws, const std::filesystem::path& path) {
    return SaveOutputFile(ws, path, ResultsStyle{ws.MissingText, ws.PlainResults});
}

bool SaveOutputFile(Workspace& ws, const std::filesystem::path& path, const ResultsStyle& style) {
    if (SameFile(path, ws.InputFile)) {
        ws.Setup.UI.ShowMessage(kFileErrorCaption, kOverInputText, MessageButtons::OkCancel);
        return false;
    }
    int error = 0;
    if (!WriteFileAtomically(path, StyledOutputText(ws, style), &error)) {
        Show(ws.Setup.UI, msg::ResultsNotSaved(path.string(), SystemReason(error)));
        return false;
    }
    ws.Setup.UI.ShowMessage("", kOutputSavedText, MessageButtons::OkCancel);
    return true;
}

std::string SelectionCopyText(const StringGrid& grid, const GridRect& rect) {
    if (rect.Empty()) return std::string();
    return JoinCells(grid, std::max(rect.Top, 0), rect.Bottom, std::max(rect.Left, 0), rect.Right,
                     false, "\r\n");
}

std::string SelectionCopyText(const Workspace& ws, const GridRect& rect) {
    if (rect.Empty()) return std::string();
    return CopiedCells(ws, std::max(rect.Top, 0), rect.Bottom, std::max(rect.Left, 0), rect.Right);
}

std::string CopyAllText(const Workspace& ws) {
    return CopiedCells(ws, 0, ws.NextRow - 1, 1, ws.NextCol - 1);
}

} // namespace zirtel

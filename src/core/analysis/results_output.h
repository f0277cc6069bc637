// Results out: the results file and the clipboard texts of the results grid. Both carry the cell
// texts exactly as the grid shows them; no number is formatted again.
#pragma once

#include <filesystem>
#include <string>

#include "core/grid/string_grid.h"

namespace zirtel {

class Workspace;
struct ResultsStyle;

// The results file's bytes, UTF-8 (for a workspace: with its missing-value text and plain
// table, see results_style.h): rows 0 (the headers) to `nextRow` inclusive, so the file ends
// with the line of the first free row; in each row the cells of columns 1 to `nextCol` - 1, each
// followed by a tab (the last one too); every line ends with CR LF.
std::string OutputFileText(const StringGrid& grid, int nextRow, int nextCol);
std::string OutputFileText(const Workspace& ws);

// "&Gorde irteerako estatistikoak" once a path was chosen: writes OutputFileText(ws) to `path`
// through a temporary file, then "Irteera gordeta". When the file cannot be created or written
// completely: "Ezin da gorde irteera-fitxategia: PATH: REASON" (caption "Fitxategi-errorea",
// msg::ResultsNotSaved) and any earlier
// file at `path` stays as it was. A path naming the items file read last is refused with
// kOverInputText (caption "Fitxategi-errorea"). True when the file was saved.
inline constexpr const char* kOutputSavedText = "Irteera gordeta";
inline constexpr const char* kOverInputText =
    "Fitxategi hori sarrera-fitxategia da: ez da haren gainean gordeko";
bool SaveOutputFile(Workspace& ws, const std::filesystem::path& path);
// The same with the results in a style of their own (results_style.h).
bool SaveOutputFile(Workspace& ws, const std::filesystem::path& path, const ResultsStyle& style);

// Selection copy, Latin-1: each row of `rect` from top to bottom, its cells from the left to the
// right column separated by tabs, the row ended by CR LF. An empty rectangle gives no text.
std::string SelectionCopyText(const StringGrid& grid, const GridRect& rect);
// The cells of `rect` in the results grid; with the view options' missing-value text
// (Workspace::MissingText), every missing value as that text, as the saved file has it; in the
// view options' plain table (Workspace::PlainResults), every cell without its padding blanks
// and each row ended by LF.
std::string SelectionCopyText(const Workspace& ws, const GridRect& rect);

// Copy all, Latin-1: rows 0 to NextRow - 1, in each the cells of columns 1 to NextCol - 1
// separated by tabs, the row ended by CR LF; missing values as in SelectionCopyText.
std::string CopyAllText(const Workspace& ws);

} // namespace zirtel

// The balance report of a selection: what a methods section says of a stimulus set. For the rows
// made, per cell the count of items and, for every split and control field, its mean, standard
// deviation, minimum, median and maximum; per split field the Welch t-test between each pair of
// its levels; per control field, between every pair of cells, the standardised mean difference,
// the Welch t-test and, for a field controlled exactly or holding texts, the number of rows whose
// two items have the same value; the run (program, version, seed, the design as run, the files
// read with their SHA-256) and what to cite. Every figure comes from the unrounded values.
//
// The report's first line names the largest standardised difference among the controls. Then
// come its sections, each a title line ("# cells"), a header and its rows, and an empty line:
// as a tab-separated file each section reads as a table in R (read.delim with skip and nrows)
// or pandas; as a text file (ReportText) the same with aligned columns.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/selection/design.h"
#include "core/selection/selector.h"

namespace zirtel {

struct ReportFile {
    std::string Path;                  // UTF-8 as far as it goes: the bytes of the path
    std::optional<std::string> Sha256; // nothing: it could no longer be read
};

// What the report says of the run besides the rows.
struct ReportRun {
    std::string Program; // "zirtel" or "zirtel-batch", as it was run
    std::string Version;
    std::vector<ReportFile> Files;     // the design file first, then the data files
    std::optional<ReportFile> Lexicon; // the lexicon the measures read, to cite
    // The corpus and its licence, as the data folder's NOTICE gives them; empty when the folder
    // has none (a lexicon of one's own).
    std::string LexiconSources;
};

struct ReportSection {
    std::string Title;
    std::vector<std::string> Header;
    std::vector<std::vector<std::string>> Rows; // UTF-8
    bool Prose = false; // two columns, a name and its text: the text form writes "name: text"
};

struct SelectionReport {
    std::string FirstLine; // without "# " and the line end
    std::vector<ReportSection> Sections;
};

// The report of the selection made from `pool` (measured on DesignFields(design)) by `design`
// (its seed as drawn).
SelectionReport MakeSelectionReport(const Design& design, const Selection& selection,
                                    const MeasuredItems& pool, const ReportRun& run);

// Tab-separated (UTF-8, CR LF line ends): "# " and the first line, then each section.
std::string ReportTsv(const SelectionReport& report);
// The same for a reader: titles underlined, columns aligned, the prose sections as
// "name: text" lines.
std::string ReportText(const SelectionReport& report);

// The lexicon's sources from the text of a NOTICE file: the paragraph under the line
// "Word-form counts (frequencies)", up to the next empty line, its lines joined by blanks;
// empty when there is none.
std::string LexiconSourcesOf(std::string_view notice);

// The published description of a field's measure, to cite ("" for a field without one).
std::string_view FieldReference(int field);

} // namespace zirtel

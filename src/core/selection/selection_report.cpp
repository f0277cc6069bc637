#include "core/selection/selection_report.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "core/fields/fields.h"
#include "core/selection/balance_statistics.h"
#include "core/text/concat.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

// A figure with four decimals; "NA" for none, "Inf" and "-Inf" for the infinities (as R writes
// and reads them).
std::string Figure(double v) {
    if (std::isnan(v)) return "NA";
    if (std::isinf(v)) return v > 0 ? "Inf" : "-Inf";
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 4);
    std::string text(buffer, end.ptr);
    return text == "-0.0000" ? "0.0000" : text;
}

// A p value: four decimals, or three significant digits in scientific form below 0.0001.
std::string PValue(double p) {
    if (std::isnan(p)) return "NA";
    if (p >= 0.0001 || p == 0) return Figure(p);
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, p, std::chars_format::scientific, 2);
    return std::string(buffer, end.ptr);
}

// The fields the report describes: the splits', then the controls', each once.
std::vector<int> ReportFields(const Design& design) {
    std::vector<int> fields;
    const auto add = [&fields](int f) {
        if (std::find(fields.begin(), fields.end(), f) == fields.end()) fields.push_back(f);
    };
    for (const DesignSplit& s : design.Splits) add(s.Field);
    for (const DesignControl& c : design.Controls) add(c.Field);
    return fields;
}

// The level of split `s` in cell `cell` (the first split's level varies slowest).
std::size_t LevelOf(const Design& design, std::size_t s, std::size_t cell) {
    std::size_t after = 1;
    for (std::size_t k = s + 1; k < design.Splits.size(); ++k)
        after *= design.Splits[k].Levels.size();
    return cell / after % design.Splits[s].Levels.size();
}

std::string SplitName(std::size_t s) {
    return std::string(1, static_cast<char>('A' + s));
}

std::vector<std::string> WelchCells(const std::optional<WelchTest>& w) {
    if (!w) return {"NA", "NA", "NA"};
    return {Figure(w->T), Figure(w->Df), PValue(w->P)};
}

constexpr std::string_view kColtheart =
    "Coltheart, M., Davelaar, E., Jonasson, J. T., & Besner, D. (1977). Access to the internal "
    "lexicon. In S. Dornic (Ed.), Attention and Performance VI (pp. 535-555). Hillsdale, NJ: "
    "Erlbaum.";

} // namespace

std::string_view FieldReference(int field) {
    switch (static_cast<FieldId>(field)) {
    case FieldId::kOLD20:
        return "Yarkoni, T., Balota, D. A., & Yap, M. J. (2008). Moving beyond Coltheart's N: A "
               "new measure of orthographic similarity. Psychonomic Bulletin & Review, 15(5), "
               "971-979.";
    case FieldId::kPLD20:
        return "Su\xC3\xA1rez, L., Tan, S. H., Yap, M. J., & Goh, W. D. (2011). Observing "
               "neighborhood effects without neighbors. Psychonomic Bulletin & Review, 18(3), "
               "605-611.";
    case FieldId::kZIPF:
        return "van Heuven, W. J. B., Mandera, P., Keuleers, E., & Brysbaert, M. (2014). "
               "SUBTLEX-UK: A new and improved word frequency database for British English. "
               "Quarterly Journal of Experimental Psychology, 67(6), 1176-1190.";
    case FieldId::kN:
    case FieldId::kN1:
    case FieldId::kN2:
    case FieldId::kN3:
    case FieldId::kN4:
    case FieldId::kN5:
    case FieldId::kP:
    case FieldId::kHFN:
    case FieldId::kHFP:
    case FieldId::kLFN:
    case FieldId::kNF_MAX:
    case FieldId::kNF_MIN:
    case FieldId::kNF_MU:
    case FieldId::kNF_SIG:
        return kColtheart;
    default:
        return "";
    }
}

std::string LexiconSourcesOf(std::string_view notice) {
    constexpr std::string_view kHeading = "Word-form counts (frequencies)";
    std::string joined;
    bool inside = false;
    while (!notice.empty()) {
        const std::size_t end = notice.find('\n');
        std::string line = Trim(notice.substr(0, end));
        notice.remove_prefix(end == std::string_view::npos ? notice.size() : end + 1);
        if (!inside) {
            inside = line == kHeading;
            continue;
        }
        if (line.empty()) break;
        if (!joined.empty()) joined += ' ';
        joined += line;
    }
    std::replace(joined.begin(), joined.end(), '\t', ' ');
    return joined;
}

SelectionReport MakeSelectionReport(const Design& design, const Selection& selection,
                                    const MeasuredItems& pool, const ReportRun& run) {
    SelectionReport report;
    const std::vector<int> fields = ReportFields(design);
    const std::size_t cells = selection.CellNames.size();

    // The unrounded values of a field's items in a cell, row by row.
    const auto cellValues = [&](std::size_t slot, std::size_t cell) {
        std::vector<double> values;
        for (const SelectionRow& row : selection.Rows)
            values.push_back(pool.Number(row.Items[cell], slot));
        return values;
    };

    ReportSection cellSection{
        "cells", {"cell", "n", "field", "mean", "sd", "min", "median", "max"}, {}, false};
    for (std::size_t c = 0; c < cells; ++c)
        for (int f : fields) {
            if (IsTextField(f)) continue;
            const GroupSummary s = Summarise(cellValues(static_cast<std::size_t>(pool.Slot(f)), c));
            cellSection.Rows.push_back({selection.CellNames[c],
                                        std::to_string(selection.Rows.size()),
                                        Latin1ToUtf8(FieldName(f)), Figure(s.Mean), Figure(s.Sd),
                                        Figure(s.Min), Figure(s.Median), Figure(s.Max)});
        }

    ReportSection splitSection{"splits",
                               {"field", "level_1", "level_2", "n_1", "n_2", "mean_1", "mean_2",
                                "difference", "t", "df", "p"},
                               {},
                               false};
    for (std::size_t s = 0; s < design.Splits.size(); ++s) {
        const std::size_t slot = static_cast<std::size_t>(pool.Slot(design.Splits[s].Field));
        const std::size_t levels = design.Splits[s].Levels.size();
        std::vector<GroupSummary> summaries;
        for (std::size_t l = 0; l < levels; ++l) {
            std::vector<double> values;
            for (std::size_t c = 0; c < cells; ++c)
                if (LevelOf(design, s, c) == l) {
                    const std::vector<double> more = cellValues(slot, c);
                    values.insert(values.end(), more.begin(), more.end());
                }
            summaries.push_back(Summarise(std::move(values)));
        }
        for (std::size_t a = 0; a < levels; ++a)
            for (std::size_t b = a + 1; b < levels; ++b) {
                std::vector<std::string> row{Latin1ToUtf8(FieldName(design.Splits[s].Field)),
                                             Concat({SplitName(s), std::to_string(a + 1)}),
                                             Concat({SplitName(s), std::to_string(b + 1)}),
                                             std::to_string(summaries[a].N),
                                             std::to_string(summaries[b].N),
                                             Figure(summaries[a].Mean),
                                             Figure(summaries[b].Mean),
                                             Figure(summaries[a].Mean - summaries[b].Mean)};
                for (std::string& cell : WelchCells(Welch(summaries[a], summaries[b])))
                    row.push_back(std::move(cell));
                splitSection.Rows.push_back(std::move(row));
            }
    }

    ReportSection controlSection{
        "controls",
        {"field", "cell_1", "cell_2", "mean_1", "mean_2", "smd", "t", "df", "p", "exact_matches"},
        {},
        false};
    double largest = -1;
    std::string largestText;
    std::vector<int> controlled;
    for (const DesignControl& c : design.Controls)
        if (std::find(controlled.begin(), controlled.end(), c.Field) == controlled.end())
            controlled.push_back(c.Field);
    for (int f : controlled) {
        const std::size_t slot = static_cast<std::size_t>(pool.Slot(f));
        const bool text = IsTextField(f);
        const bool exact =
            text || std::any_of(design.Controls.begin(), design.Controls.end(),
                                [f](const DesignControl& c) { return c.Field == f && c.Exact; });
        std::vector<GroupSummary> summaries;
        for (std::size_t c = 0; c < cells; ++c)
            summaries.push_back(text ? GroupSummary{} : Summarise(cellValues(slot, c)));
        for (std::size_t a = 0; a < cells; ++a)
            for (std::size_t b = a + 1; b < cells; ++b) {
                std::string matches = "NA";
                if (exact) {
                    std::size_t same = 0;
                    for (const SelectionRow& row : selection.Rows) {
                        const std::size_t i = row.Items[a], j = row.Items[b];
                        same += text ? pool.Text(i, slot) == pool.Text(j, slot)
                                     : pool.Number(i, slot) == pool.Number(j, slot);
                    }
                    matches = std::to_string(same);
                }
                std::vector<std::string> row{Latin1ToUtf8(FieldName(f)), selection.CellNames[a],
                                             selection.CellNames[b]};
                if (text) {
                    for (int k = 0; k < 6; ++k) row.push_back("NA");
                } else {
                    const double smd = StandardisedDifference(summaries[a], summaries[b]);
                    row.push_back(Figure(summaries[a].Mean));
                    row.push_back(Figure(summaries[b].Mean));
                    row.push_back(Figure(smd));
                    for (std::string& cell : WelchCells(Welch(summaries[a], summaries[b])))
                        row.push_back(std::move(cell));
                    if (!std::isnan(smd) && std::fabs(smd) > largest) {
                        largest = std::fabs(smd);
                        largestText = Concat(
                            {"d = ", Figure(smd), " (", row[0], ", ", row[1], " vs ", row[2], ")"});
                    }
                }
                row.push_back(matches);
                controlSection.Rows.push_back(std::move(row));
            }
    }
    report.FirstLine = "largest standardised difference among the controls: " +
                       (largestText.empty() ? std::string("none") : largestText);

    ReportSection runSection{"run", {"name", "value"}, {}, true};
    runSection.Rows = {{"program", run.Program},
                       {"version", run.Version},
                       {"seed", design.Seed ? std::to_string(*design.Seed) : std::string("NA")},
                       {"rows_asked", std::to_string(selection.Asked)},
                       {"rows_made", std::to_string(selection.Rows.size())}};
    ReportSection fileSection{"files", {"file", "sha256"}, {}, false};
    for (const ReportFile& file : run.Files)
        fileSection.Rows.push_back({file.Path, file.Sha256 ? *file.Sha256 : std::string("NA")});
    ReportSection designSection{"design", {"statement"}, {}, false};
    const std::string statements = Latin1ToUtf8(DesignText(design));
    for (std::size_t start = 0, end; start < statements.size(); start = end + 1) {
        end = statements.find('\n', start);
        if (end == std::string::npos) end = statements.size();
        designSection.Rows.push_back({statements.substr(start, end - start)});
    }

    ReportSection cite{"cite", {"what", "reference"}, {}, true};
    cite.Rows.push_back({"program", Concat({"Zirtel ", run.Version})});
    if (run.Lexicon)
        cite.Rows.push_back(
            {"lexicon", Concat({run.Lexicon->Path, run.Lexicon->Sha256 ? " (SHA-256 " : "",
                                run.Lexicon->Sha256 ? *run.Lexicon->Sha256 : "",
                                run.Lexicon->Sha256 ? ")" : ""})});
    if (!run.LexiconSources.empty()) cite.Rows.push_back({"lexicon sources", run.LexiconSources});
    std::vector<std::string_view> cited;
    for (int f : DesignFields(design)) {
        const std::string_view reference = FieldReference(f);
        if (reference.empty() || std::find(cited.begin(), cited.end(), reference) != cited.end())
            continue;
        cited.push_back(reference);
        cite.Rows.push_back({Latin1ToUtf8(FieldName(f)), std::string(reference)});
    }

    report.Sections = {std::move(cellSection), std::move(splitSection), std::move(controlSection),
                       std::move(runSection),  std::move(fileSection),  std::move(designSection),
                       std::move(cite)};
    return report;
}

namespace {

std::string TsvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += '\t';
        std::string cell = cells[i];
        std::replace(cell.begin(), cell.end(), '\t', ' ');
        line += cell;
    }
    return line + "\r\n";
}

// The characters of a UTF-8 text, for aligning columns.
std::size_t Width(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

bool Numeric(std::string_view cell) {
    if (cell == "NA" || cell == "Inf" || cell == "-Inf") return true;
    if (!cell.empty() && cell.front() == '-') cell.remove_prefix(1);
    return !cell.empty() && std::all_of(cell.begin(), cell.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '.' || c == 'e' ||
               c == '-' || c == '+';
    });
}

} // namespace

std::string ReportTsv(const SelectionReport& report) {
    std::string out = Concat({"# ", report.FirstLine, "\r\n"});
    for (const ReportSection& section : report.Sections) {
        out += Concat({"\r\n# ", section.Title, "\r\n", TsvLine(section.Header)});
        for (const auto& row : section.Rows) out += TsvLine(row);
    }
    return out;
}

std::string ReportText(const SelectionReport& report) {
    std::string out = report.FirstLine + "\r\n";
    for (const ReportSection& section : report.Sections) {
        out +=
            Concat({"\r\n", section.Title, "\r\n", std::string(Width(section.Title), '-'), "\r\n"});
        if (section.Prose) {
            for (const auto& row : section.Rows) out += Concat({row[0], ": ", row[1], "\r\n"});
            continue;
        }
        std::vector<std::size_t> widths(section.Header.size(), 0);
        const auto measure = [&widths](const std::vector<std::string>& row) {
            for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i)
                widths[i] = std::max(widths[i], Width(row[i]));
        };
        measure(section.Header);
        for (const auto& row : section.Rows) measure(row);
        // A column of numbers only is aligned on the right, its header with it.
        std::vector<char> right(widths.size(), section.Rows.empty() ? 0 : 1);
        for (const auto& row : section.Rows)
            for (std::size_t i = 0; i < row.size() && i < right.size(); ++i)
                if (!Numeric(row[i])) right[i] = 0;
        const auto line = [&](const std::vector<std::string>& row) {
            std::string text;
            for (std::size_t i = 0; i < row.size(); ++i) {
                const std::string pad(widths[i] - Width(row[i]), ' ');
                if (i > 0) text += "  ";
                text += right[i] != 0 ? pad + row[i] : row[i] + pad;
            }
            while (!text.empty() && text.back() == ' ') text.pop_back();
            return text + "\r\n";
        };
        out += line(section.Header);
        for (const auto& row : section.Rows) out += line(row);
    }
    return out;
}

} // namespace zirtel

#include "core/lexicon/position_table.h"

#include <cmath>
#include <limits>

#include "core/feedback/feedback.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"
#include "core/text/text_file.h"
#include "core/text/whole_number.h"

namespace zirtel {

namespace {

// A field as a message shows it: UTF-8, at most 20 characters.
std::string Shown(std::string_view field) {
    const bool cut = field.size() > 20;
    std::string text = Latin1ToUtf8(field.substr(0, 20));
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return "'" + text + (cut ? "...'" : "'");
}

PositionTableRead Refused(std::size_t line, std::string reason) {
    return PositionTableRead{std::nullopt, TableProblem{line, std::move(reason)}};
}

} // namespace

PositionTableRead ReadPositionTable(std::string_view text, int values,
                                    const std::vector<std::string>& labels) {
    if (text.empty()) return Refused(1, "fitxategia hutsik dago");
    const std::size_t headerEnd = text.find('\n');
    const std::string_view body =
        headerEnd == std::string_view::npos ? std::string_view() : text.substr(headerEnd + 1);
    const std::size_t rows = labels.size();
    const auto perRow = static_cast<std::size_t>(values);
    PositionTable table;
    table.Values = values;
    table.Types.resize(rows * perRow);
    table.Tokens.resize(rows * perRow);
    std::size_t row = 0;
    std::size_t line = 1;
    for (const std::string_view lineText : SplitLines(body)) {
        ++line;
        const std::vector<std::string_view> fields = SplitTokens(lineText);
        if (fields.empty()) continue;
        if (row == rows)
            return Refused(line, std::to_string(rows) + " errenkada baino gehiago ditu");
        const std::string& label = labels[row];
        if (fields[0] != label)
            return Refused(line, Shown(fields[0]) + " etiketa dago, " + Shown(label) +
                                     " behar da (" + std::to_string(row + 1) + ". errenkada)");
        if (fields.size() != 1 + 2 * perRow)
            return Refused(line, std::to_string(fields.size()) + " eremu ditu, " +
                                     std::to_string(1 + 2 * perRow) + " behar dira");
        for (std::size_t p = 0; p < perRow; ++p) {
            const std::string_view field = fields[1 + p];
            const std::optional<std::uint64_t> count = ParseWholeNumber(field);
            if (!count || *count > static_cast<std::uint64_t>(INT32_MAX))
                return Refused(line, Shown(field) + " ez da zenbaki oso ez-negatiboa");
            table.Types[row * perRow + p] = static_cast<std::int32_t>(*count);
        }
        for (std::size_t p = 0; p < perRow; ++p) {
            const std::string_view field = fields[1 + perRow + p];
            const std::optional<float> token = ParseFloat(field);
            if (!token || !std::isfinite(*token) || *token < 0.0f)
                return Refused(line, Shown(field) + " ez da zenbaki finitu ez-negatiboa");
            table.Tokens[row * perRow + p] = *token;
        }
        ++row;
    }
    if (row < rows)
        return Refused(line + 1, std::to_string(row) + " errenkada baino ez ditu, " +
                                     std::to_string(rows) + " behar dira");
    return PositionTableRead{std::move(table), {}};
}

void ReportRefusedTable(Feedback& feedback, const std::filesystem::path& path,
                        const TableProblem& problem) {
    feedback.ShowMessage("Fitxategi-errorea",
                         path.string() + ": " + std::to_string(problem.Line) +
                             ". lerroa: " + problem.Reason + "; taula ez da erabiliko",
                         MessageButtons::Ok);
}

const std::vector<std::string>& BigramLabels() {
    static const std::vector<std::string> labels = [] {
        std::vector<std::string> l;
        for (int a = 0; a < kAlphabetSize; ++a)
            for (int b = 0; b < kAlphabetSize; ++b)
                l.push_back(std::string{AlphabetLetter(a), AlphabetLetter(b)});
        return l;
    }();
    return labels;
}

const std::vector<std::string>& BiphoneInventoryLabels() {
    static const std::vector<std::string> labels = [] {
        std::vector<std::string> l;
        for (const char a : kPhonemeSymbols)
            for (const char b : kPhonemeSymbols) l.push_back(std::string{a, b});
        return l;
    }();
    return labels;
}

} // namespace zirtel

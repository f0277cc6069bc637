#include "core/analysis/user_field_file.h"

#include <algorithm>
#include <numeric>
#include <optional>

#include "core/analysis/measuring_setup.h"
#include "core/analysis/workspace.h"
#include "core/feedback/number_check.h"
#include "core/text/collation.h"
#include "core/text/format.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"

namespace zirtel {

namespace {

constexpr int FieldColumns::*kUserColumns[3] = {&FieldColumns::Col_USER1, &FieldColumns::Col_USER2,
                                                &FieldColumns::Col_USER3};
struct DataLine {
    std::string_view Word;
    float Value = 0.0f; // 0 when the line has no number, or text that is not one
    bool HasValue = false;
    bool NotNumber = false; // the line's value is text that is no number
};

// A value as spreadsheets write it: with a decimal point, or with a decimal comma ("5,8", as
// Basque and Spanish spreadsheets write it). Nothing when it is no number.
std::optional<float> ParseValue(std::string_view token) {
    const std::size_t comma = token.find(',');
    if (comma == std::string_view::npos || token.find(',', comma + 1) != std::string_view::npos ||
        token.find('.') != std::string_view::npos)
        return ParseFloat(token);
    std::string point(token);
    point[comma] = '.';
    return ParseFloat(point);
}

std::string_view FirstToken(std::string_view line) {
    const auto tokens = SplitTokens(line);
    return tokens.empty() ? std::string_view() : tokens.front();
}

std::string CaptionFor(int field, const std::string& name) {
    return std::to_string(field) + ".eremua: " + name;
}

} // namespace

bool LoadUserField(Workspace& ws, const std::filesystem::path& path, int number) {
    if (number < 0 || number > 2) return false;
    const Workspace::Operation op(ws);
    const bool read = LoadUserField(ws.Setup, path, number);
    if (read && ws.Shown(kUserColumns[number]))
        ws.OutputGrid.SetCell(ws.Columns.*kUserColumns[number], 0,
                              ws.Setup.UserFields[static_cast<std::size_t>(number)].Name);
    return read;
}

bool LoadUserField(MeasuringSetup& setup, const std::filesystem::path& path, int number) {
    if (number < 0 || number > 2) return false;
    const int t = number + 1;
    UserField& field = setup.UserFields[static_cast<std::size_t>(number)];

    std::optional<TextFile> file = ReadTextFile(path);
    if (!file) {
        // The table keeps its words and values; only its name and its box say it is gone. A box
        // whose caption named a loaded field no longer does.
        if (field.Name != kUndefinedUserField)
            setup.Options.SetUserBoxCaption(t, CaptionFor(t, kUndefinedUserField));
        field.Name = kUndefinedUserField;
        setup.Options.SetUserBoxEnabled(t, false);
        setup.UserFieldFiles[static_cast<std::size_t>(number)].reset();
        return false;
    }
    setup.UserFieldFiles[static_cast<std::size_t>(number)] = path;
    BusyCursor busy(setup.UI);

    // Counting: the name line, then one data line per line that holds a word.
    const std::vector<std::string_view> lines = SplitLines(file->Text);
    std::vector<std::string_view> data;
    std::vector<std::size_t> lineNumbers; // of each data line, counted from 1
    if (lines.size() > 1) data.reserve(lines.size() - 1);
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (!SplitTokens(lines[i]).empty()) {
            data.push_back(lines[i]);
            lineNumbers.push_back(i + 1);
        }
    const int n = static_cast<int>(data.size());
    // The first word of the file and the first word of its last line, for the progress window.
    std::string_view first, last;
    for (std::string_view line : lines) {
        const std::string_view token = FirstToken(line);
        if (token.empty()) continue;
        if (first.empty()) first = token;
        last = token;
    }

    auto progress =
        setup.UI.OpenProgress("Reading user-defined file ... ",
                              UpperUtf8(path.string()) + " (" + std::to_string(n) + " words, " +
                                  Latin1ToUtf8(first) + " ... " + Latin1ToUtf8(last) + ")",
                              n);

    // The name: the whole first line.
    std::string name(lines.empty() ? std::string_view() : lines.front());
    if (name.size() > kMaxUserFieldNameLength) name.resize(kMaxUserFieldNameLength);
    // The name is a header cell of a tab-separated table: its tabs and line ends become spaces.
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    field.Name = name;
    setup.Options.SetUserBoxCaption(t, CaptionFor(t, name));
    setup.Options.SetUserBoxEnabled(t, name != kUndefinedUserField);

    // First pass: every data line's word and number.
    std::vector<DataLine> entries;
    entries.reserve(data.size());
    // A rating may be negative.
    BadNumberTally bad(true);
    std::size_t notNumbers = 0, firstNotNumber = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const auto tokens = SplitTokens(data[i]);
        DataLine entry{tokens[0], 0.0f, false, false};
        if (tokens.size() > 1) {
            if (const std::optional<float> value = ParseValue(tokens[1])) {
                entry.Value = bad.Check(*value, lineNumbers[i]);
                entry.HasValue = true;
            } else {
                entry.NotNumber = true;
                if (notNumbers++ == 0) firstNotNumber = lineNumbers[i];
            }
        }
        entries.push_back(entry);
        progress->Step();
    }

    // Sort; equal words stay in line order, so the last of each run is the last line.
    std::vector<int> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&entries](int a, int b) {
        return CollateLess(entries[static_cast<std::size_t>(a)].Word,
                           entries[static_cast<std::size_t>(b)].Word);
    });

    // Second pass: one entry per word, with the value of its last line that has a number; a line
    // without one adds its word and changes no value.
    progress->SetPosition(0);
    // A word whose lines give text that is no number, and no number, has a missing value.
    field.Words.clear();
    field.Values.clear();
    field.Missing.clear();
    field.Words.reserve(entries.size());
    field.Values.reserve(entries.size());
    bool wordHasValue = false; // the word of the last entry had a line with a number
    for (int i : order) {
        const DataLine& entry = entries[static_cast<std::size_t>(i)];
        if (!field.Words.empty() && CollateCompare(field.Words.back(), entry.Word) == 0) {
            if (entry.HasValue) field.Values.back() = entry.Value;
            wordHasValue = wordHasValue || entry.HasValue;
            field.Missing.back() = !wordHasValue && (field.Missing.back() || entry.NotNumber);
        } else {
            field.Words.emplace_back(entry.Word);
            field.Values.push_back(entry.Value);
            field.Missing.push_back(entry.NotNumber);
            wordHasValue = entry.HasValue;
        }
        progress->Step();
    }
    field.Words.shrink_to_fit();
    field.Values.shrink_to_fit();

    progress->SetPosition(n);
    progress->SetFileLabel(" ");
    progress.reset();
    // One warning for the file: the numbers read as 0, and the values that are no numbers.
    std::string warning = bad.Text();
    if (notNumbers > 0)
        warning += (warning.empty() ? "" : " ") + std::to_string(notNumbers) +
                   " balio ez dira zenbakiak eta falta diren balio gisa hartu dira; lehena " +
                   std::to_string(firstNotNumber) + ". lerroan.";
    if (!warning.empty())
        setup.UI.ShowMessage("Abisua", path.string() + ": " + warning, MessageButtons::Ok);
    return true;
}

} // namespace zirtel

#include "core/analysis/row_order.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <numeric>
#include <unordered_map>
#include <vector>

#include "core/analysis/workspace.h"
#include "core/fields/value_format.h"
#include "core/text/collation.h"
#include "core/text/latin1.h"
#include "core/text/token_reader.h"

namespace zirtel {

namespace {

std::string_view TrimView(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A whole text as a number ("3", "-1", "5.8", "5,8"); nothing when it is none.
std::optional<double> NumberOf(std::string_view text) {
    text = TrimView(text);
    if (text.empty() || text.size() > 60) return std::nullopt;
    std::string copy(text);
    std::replace(copy.begin(), copy.end(), ',', '.');
    const char* begin = copy.c_str();
    char* end = nullptr;
    const double x = std::strtod(begin, &end);
    if (end != begin + copy.size() || copy.find_first_of("xXpPnNiI") != std::string::npos)
        return std::nullopt;
    return x;
}

// A column's value in a row: a number, a text, or missing.
struct CellValue {
    enum Rank { Number = 0, Text = 1, Missing = 2 } Rank = Missing;
    double X = 0;
    std::string Str;  // the text (Text)
    std::string Mark; // the mark a missing field value shows
};

CellValue ValueAt(const Workspace& ws, int col, int row, bool marks) {
    CellValue v;
    if (const FieldId* f = ws.Results.FieldOfColumn(col)) {
        if (!ws.Results.HasRow(row)) return v;
        const Value value = ws.Results.At(row, col);
        if (value.IsNumber()) {
            v.Rank = CellValue::Number;
            v.X = value.Number();
        } else if (value.Kind() == ValueKind::Text) {
            v.Rank = CellValue::Text;
            v.Str = value.Text();
        } else if (marks) {
            AppendValueText(v.Mark, *f, value, ValueStyle{.Decimals = ws.Decimals});
        }
        return v;
    }
    if (col < 1 || col >= ws.FirstFieldCol()) return v;
    const std::string_view text = TrimView(ws.OutputGrid.Cell(col, row));
    if (text.empty()) return v;
    // The item is a text; an own column's cell a number when it reads as one.
    if (col > 1)
        if (const std::optional<double> x = NumberOf(text)) {
            v.Rank = CellValue::Number;
            v.X = *x;
            return v;
        }
    v.Rank = CellValue::Text;
    v.Str = std::string(text);
    return v;
}

// Moves rows first..first + n - 1 of `list` so that the items' blocks come in `items` order
// (upper case); blocks of items not named keep their order after them.
void ReorderBlocks(NeighbourList& list, const std::vector<std::string>& items) {
    StringGrid& grid = list.NeighList;
    int end = std::min(std::max(list.CurrentRow, 1), grid.RowCount());
    for (int r = grid.RowCount() - 1; r >= end; --r)
        if (!grid.Cell(0, r).empty() || !grid.Cell(1, r).empty() || !grid.Cell(3, r).empty()) {
            end = r + 1;
            break;
        }
    std::vector<int> starts;
    for (int r = 1; r < end; ++r)
        if (!grid.Cell(0, r).empty()) starts.push_back(r);
    if (starts.size() < 2) return;
    std::unordered_map<std::string, std::size_t> block; // item -> index in starts
    for (std::size_t i = 0; i < starts.size(); ++i)
        block.emplace(std::string(grid.Cell(0, starts[i])), i);
    std::vector<char> placed(starts.size(), 0);
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(end - starts.front()));
    const auto put = [&](std::size_t i) {
        placed[i] = 1;
        const int last = i + 1 < starts.size() ? starts[i + 1] : end;
        for (int r = starts[i]; r < last; ++r) order.push_back(r);
    };
    for (const std::string& item : items) {
        const auto it = block.find(item);
        if (it != block.end() && !placed[it->second]) put(it->second);
    }
    for (std::size_t i = 0; i < starts.size(); ++i)
        if (!placed[i]) put(i);
    grid.PermuteRows(starts.front(), order);
}

bool Wildcard(std::string_view pattern, std::string_view text) {
    std::size_t p = 0, t = 0, star = std::string_view::npos, mark = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = t;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            t = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

// The results column a filter names; 0 when none.
int ColumnNamed(const Workspace& ws, std::string_view name) {
    const std::string wanted = UpperLatin1(name);
    for (int c = 1; c < ws.NextCol; ++c)
        if (!wanted.empty() && UpperLatin1(TrimView(ws.OutputGrid.Cell(c, 0))) == wanted) return c;
    const int field = FindField(wanted);
    if (field < 0) return 0;
    return ws.Columns.*FieldCatalogue()[static_cast<std::size_t>(field)].Col;
}

} // namespace

bool SortRows(Workspace& ws, int col, bool descending) {
    const Workspace::Operation op(ws);
    // Both grids hold every item row; the rows past the shorter one are none of the items.
    const int first = 1, n = std::min({ws.NextRow - 1, ws.OutputGrid.RowCount() - 1,
                                       ws.StimulusGrid.RowCount() - 1});
    if (n < 2 || col < 1 || col >= ws.NextCol) return false;
    std::vector<CellValue> values(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        values[static_cast<std::size_t>(i)] = ValueAt(ws, col, first + i, false);
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), first);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const CellValue& x = values[static_cast<std::size_t>(a - first)];
        const CellValue& y = values[static_cast<std::size_t>(b - first)];
        if (x.Rank == CellValue::Missing || y.Rank == CellValue::Missing)
            return x.Rank != CellValue::Missing && y.Rank == CellValue::Missing;
        const CellValue& l = descending ? y : x;
        const CellValue& r = descending ? x : y;
        if (l.Rank != r.Rank) return l.Rank < r.Rank;
        if (l.Rank == CellValue::Number) return l.X < r.X;
        return CollateCompare(l.Str, r.Str) < 0;
    });
    ws.OutputGrid.PermuteRows(first, order);
    ws.StimulusGrid.PermuteRows(first, order);
    ws.Results.PermuteRows(first, order);
    std::vector<int>& conditions = ws.Stimuli.ItemCondition;
    if (conditions.size() > static_cast<std::size_t>(ws.NextRow)) {
        std::vector<int> moved;
        moved.reserve(order.size());
        for (int r : order) moved.push_back(conditions[static_cast<std::size_t>(r)]);
        std::copy(moved.begin(), moved.end(), conditions.begin() + first);
    }
    std::vector<std::string> items;
    items.reserve(order.size());
    for (int r = first; r <= n; ++r) items.push_back(UpperLatin1(ws.Item(r)));
    ReorderBlocks(ws.OrthoNeighbours, items);
    ReorderBlocks(ws.PhonNeighbours, items);
    return true;
}

bool RowFilter::Matches(const Workspace& ws, int row) const {
    const CellValue v = ValueAt(ws, Col, row, true);
    if (Kind == Test::Text || ((Kind == Test::Equal || Kind == Test::NotEqual) && !Numeric)) {
        const std::string text = v.Rank == CellValue::Text      ? LowerLatin1(TrimView(v.Str))
                                 : v.Rank == CellValue::Missing ? LowerLatin1(TrimView(v.Mark))
                                                                : std::string();
        if (v.Rank == CellValue::Number) return false;
        if (Kind == Test::Text) return Wildcard(Pattern, text);
        return (text == Pattern) == (Kind == Test::Equal);
    }
    double x = v.X;
    if (v.Rank != CellValue::Number) {
        const std::optional<double> mark =
            v.Rank == CellValue::Missing ? NumberOf(v.Mark) : std::nullopt;
        if (!mark) return false;
        x = *mark;
    }
    switch (Kind) {
    case Test::Less:
        return x < Low;
    case Test::LessOrEqual:
        return x <= Low;
    case Test::Greater:
        return x > Low;
    case Test::GreaterOrEqual:
        return x >= Low;
    case Test::Equal:
        return x == Low;
    case Test::NotEqual:
        return x != Low;
    case Test::Range:
        return x >= Low && x <= High;
    case Test::Text:
        break;
    }
    return false;
}

std::optional<RowFilter> ParseRowFilter(const Workspace& ws, std::string_view text,
                                        std::string& error) {
    text = TrimView(text);
    std::size_t nameEnd = 0;
    while (nameEnd < text.size() && !IsBlank(text[nameEnd]) &&
           std::string_view("<>=!").find(text[nameEnd]) == std::string_view::npos)
        ++nameEnd;
    const std::string_view name = text.substr(0, nameEnd);
    std::string_view rest = TrimView(text.substr(nameEnd));
    RowFilter filter;
    filter.Col = ColumnNamed(ws, name);
    if (filter.Col <= 0) {
        error = "Ez dago zutabe hori emaitzetan: " + Latin1ToUtf8(name);
        return std::nullopt;
    }
    const std::string unread = "Iragazkia ez da ulertu: " + Latin1ToUtf8(text) +
                               " (adibidez: N > 3, LUZ_L 4-6, HOM = -1, KB_O KV*)";
    std::size_t op = 0;
    while (op < rest.size() && std::string_view("<>=!").find(rest[op]) != std::string_view::npos)
        ++op;
    const std::string_view sign = rest.substr(0, op);
    const std::string_view operand = TrimView(rest.substr(op));
    if (operand.empty()) {
        error = unread;
        return std::nullopt;
    }
    const std::optional<double> number = NumberOf(operand);
    using T = RowFilter::Test;
    if (sign.empty()) {
        // A range "A-B" (either end may be negative), else a text pattern.
        for (std::size_t dash = 1; dash < operand.size(); ++dash) {
            if (operand[dash] != '-') continue;
            const auto low = NumberOf(operand.substr(0, dash));
            const auto high = NumberOf(operand.substr(dash + 1));
            if (low && high) {
                filter.Kind = T::Range;
                filter.Low = std::min(*low, *high);
                filter.High = std::max(*low, *high);
                return filter;
            }
        }
        filter.Kind = T::Text;
        filter.Pattern = LowerLatin1(operand);
        return filter;
    }
    static const std::pair<std::string_view, T> kSigns[] = {
        {"<", T::Less},  {"<=", T::LessOrEqual}, {">", T::Greater},   {">=", T::GreaterOrEqual},
        {"=", T::Equal}, {"==", T::Equal},       {"!=", T::NotEqual}, {"<>", T::NotEqual}};
    const auto it = std::find_if(std::begin(kSigns), std::end(kSigns),
                                 [&](const auto& s) { return s.first == sign; });
    if (it == std::end(kSigns) ||
        (!number && it->second != T::Equal && it->second != T::NotEqual)) {
        error = unread;
        return std::nullopt;
    }
    filter.Kind = it->second;
    filter.Numeric = number.has_value();
    filter.Low = number.value_or(0);
    filter.Pattern = LowerLatin1(operand);
    return filter;
}

std::string ShownRowsText(int shown, int total) {
    return "Erakutsiak: " + std::to_string(shown) + " / " + std::to_string(total);
}

} // namespace zirtel

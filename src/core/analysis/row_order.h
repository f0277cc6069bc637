// The order and the choice of the results' rows: sorting the item rows by a column's values
// (the values themselves, never the grid's texts), and the filter that keeps the rows whose
// value in one column meets a simple condition.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zirtel {

class Workspace;

// Sorts the item rows (1 to NextRow - 1) by the values of results column `col`: numbers as
// numbers, texts in the collation's order, numbers before texts, missing values (and rows not
// measured, and empty cells) last in both directions. Rows of equal values keep their order.
// The item list, the results table, the conditions and the blocks of both neighbour lists
// follow the rows. False when there was nothing to sort (fewer than two rows, or no such column).
bool SortRows(Workspace& ws, int col, bool descending);

// A condition on one column of the results:
//   NAME > 3, NAME >= 3, NAME < 3, NAME <= 3, NAME = 3, NAME != 3 (a number, a decimal comma
//   too), NAME 4-6 (from 4 to 6, both in), NAME = TEXT (a text, letter case ignored), NAME TEXT
//   (a text pattern: * any run of characters, ? one character).
// NAME is a field's mnemonic (N, LUZ_L, HOM ...), a column's header without its blanks, or the
// name of one of the items' own columns.
struct RowFilter {
    enum class Test { Less, LessOrEqual, Greater, GreaterOrEqual, Equal, NotEqual, Range, Text };
    int Col = 0;
    Test Kind = Test::Equal;
    double Low = 0, High = 0; // the number (Low), or the range
    bool Numeric = true;      // Equal and NotEqual compare numbers, else texts
    std::string Pattern;      // the text or pattern, lower-cased
    // Whether row `row` of the results meets the condition. A missing value meets a numeric
    // condition through its mark ("-1" of a word not in the lexicon), as the grid shows it.
    bool Matches(const Workspace& ws, int row) const;
};

// Reads a filter line; nothing, with `error` set to the message, when it cannot be read.
std::optional<RowFilter> ParseRowFilter(const Workspace& ws, std::string_view text,
                                        std::string& error);

// The counter beside the filter line: "Erakutsiak: SHOWN / TOTAL".
std::string ShownRowsText(int shown, int total);

} // namespace zirtel

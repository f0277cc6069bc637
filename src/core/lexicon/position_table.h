// The shared format of the bigram and biphone table files (ZR_BF<n>.txt, ZR_BPF<n>.txt): a
// header line, then one row per line: the label, n - 1 type counts and n - 1 token frequencies,
// separated by blanks. A table is checked whole before it is used: the rows must be exactly the
// expected labels in their order, each with n - 1 whole numbers and n - 1 finite non-negative
// numbers; blank lines are passed over. A table that fails is refused with its first bad line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zirtel {

class Feedback;

struct PositionTable {
    int Values = 0;                  // n - 1: values of each kind per row
    std::vector<std::int32_t> Types; // row r, position p at r * Values + p
    std::vector<float> Tokens;       // the same places
};

struct TableProblem {
    std::size_t Line = 0; // counted from 1, the header being line 1
    std::string Reason;   // UTF-8, Basque
};

// Reads the table text (Latin-1) of a file with `values` values of each kind per row and the
// rows `labels` (Latin-1), in that order. Either the table or its first problem.
struct PositionTableRead {
    std::optional<PositionTable> Table;
    TableProblem Problem;
};
PositionTableRead ReadPositionTable(std::string_view text, int values,
                                    const std::vector<std::string>& labels);

// The message of a refused table: caption "Fitxategi-errorea", text "PATH: L. lerroa: REASON;
// taula ez da erabiliko".
void ReportRefusedTable(Feedback& feedback, const std::filesystem::path& path,
                        const TableProblem& problem);

// The labels of the tables: the 729 letter pairs (a..z, ñ) and the 676 pairs of the phoneme
// inventory, in row order.
const std::vector<std::string>& BigramLabels();
const std::vector<std::string>& BiphoneInventoryLabels();

} // namespace zirtel

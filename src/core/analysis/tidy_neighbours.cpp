#include "core/analysis/tidy_neighbours.h"

#include <string_view>
#include <unordered_map>

#include "core/analysis/workspace.h"
#include "core/lexicon/lexicon.h"
#include "core/neighbours/neighbour_list.h"
#include "core/text/format.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

// The kind labels of both lists, in tidy words.
std::string_view KindName(std::string_view label) {
    if (label == "Sub" || label == "Ordez") return "substitution";
    if (label == "Del" || label == "Ezab") return "deletion";
    if (label == "Add" || label == "Gain") return "addition";
    return label;
}

} // namespace

void AppendTidyRows(std::string& out, const NeighbourList& list, int first, int last,
                    std::string_view listName, const Lexicon& lex, int decimals,
                    const std::function<std::string(const std::string&)>& itemOf,
                    std::string& item) {
    const StringGrid& grid = list.NeighList;
    for (int r = first; r < last && r < grid.RowCount(); ++r) {
        if (!grid.Cell(0, r).empty()) item = itemOf(std::string(grid.Cell(0, r)));
        for (int c = 3; c < grid.ColCount(); ++c) {
            const std::string_view neighbour = grid.Cell(c, r);
            if (neighbour.empty()) continue;
            out += item;
            out += '\t';
            out += neighbour;
            out += '\t';
            out += listName;
            out += '\t';
            out += KindName(grid.Cell(1, r));
            out += '\t';
            out += Trim(grid.Cell(2, r));
            out += '\t';
            const int entry = lex.Find(neighbour);
            if (entry >= 0)
                out += FormatReal(lex.LexFreqs[static_cast<std::size_t>(entry)], 0, decimals);
            out += '\n';
        }
    }
}

std::string TidyNeighbourText(const Workspace& ws) {
    // The lists show each item in capitals; the table gives it as the results do.
    std::unordered_map<std::string, std::string> itemOfUpper;
    for (int r = 1; r < ws.NextRow; ++r) itemOfUpper.emplace(UpperLatin1(ws.Item(r)), ws.Item(r));
    const auto itemOf = [&itemOfUpper](const std::string& upper) {
        const auto found = itemOfUpper.find(upper);
        return found != itemOfUpper.end() ? found->second : LowerLatin1(upper);
    };
    std::string out = kTidyNeighbourHeader;
    std::string item;
    AppendTidyRows(out, ws.OrthoNeighbours, 1, ws.OrthoNeighbours.CurrentRow, "orthographic",
                   ws.Current(), ws.Decimals, itemOf, item);
    item.clear();
    AppendTidyRows(out, ws.PhonNeighbours, 1, ws.PhonNeighbours.CurrentRow, "phonological",
                   ws.WholeWords, ws.Decimals, itemOf, item);
    return Latin1ToUtf8(out);
}

} // namespace zirtel

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

void AppendList(std::string& out, const Workspace& ws, const NeighbourList& list,
                std::string_view listName, const Lexicon& lex,
                const std::unordered_map<std::string, std::string>& itemOf) {
    const StringGrid& grid = list.NeighList;
    std::string item;
    for (int r = 1; r < list.CurrentRow && r < grid.RowCount(); ++r) {
        if (!grid.Cell(0, r).empty()) {
            const auto found = itemOf.find(grid.Cell(0, r));
            item = found != itemOf.end() ? found->second : LowerLatin1(grid.Cell(0, r));
        }
        for (int c = 3; c < grid.ColCount(); ++c) {
            const std::string& neighbour = grid.Cell(c, r);
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
                out += FormatReal(lex.LexFreqs[static_cast<std::size_t>(entry)], 0, ws.Decimals);
            out += '\n';
        }
    }
}

} // namespace

std::string TidyNeighbourText(const Workspace& ws) {
    // The lists show each item in capitals; the table gives it as the results do.
    std::unordered_map<std::string, std::string> itemOf;
    for (int r = 1; r < ws.NextRow; ++r) itemOf.emplace(UpperLatin1(ws.Item(r)), ws.Item(r));
    std::string out = "item\tneighbour\tlist\tkind\tposition\tfrequency\n";
    AppendList(out, ws, ws.OrthoNeighbours, "orthographic", ws.Current(), itemOf);
    AppendList(out, ws, ws.PhonNeighbours, "phonological", ws.WholeWords, itemOf);
    return Latin1ToUtf8(out);
}

} // namespace zirtel

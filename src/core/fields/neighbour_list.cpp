#include "core/fields/neighbour_list.h"

#include "core/text/format.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"

namespace zirtel {

NeighbourList::NeighbourList() : NeighList(16, 20) {
    NeighList.SetCell(0, 0, "Item");
    NeighList.SetCell(1, 0, "Mota");
    NeighList.SetCell(2, 0, "Pos.");
    NeighList.SetCell(3, 0, "Auzokideak");
}

void NeighbourList::Clear() {
    for (int r = 1; r < NeighList.RowCount(); ++r) NeighList.ClearRow(r);
    NeighList.SetRowCount(20);
    CurrentRow = 1;
}

int NeighbourList::FindItemRow(const std::string& item) const {
    // Called on every selection in the results: a long list is scanned without allocating.
    const std::string wanted = LowerLatin1(item);
    for (int r = 1; r < NeighList.RowCount(); ++r) {
        const std::string_view cell = NeighList.Cell(0, r);
        if (cell.size() != wanted.size() || cell.empty()) continue;
        bool same = true;
        for (std::size_t i = 0; same && i < cell.size(); ++i)
            same = LowerLatin1Char(cell[i]) == wanted[i];
        if (same) return r;
    }
    return -1;
}

void NeighbourList::AppendSaveRows(std::string& out, int first, int last, std::string& item) const {
    for (int r = first; r < last && r < NeighList.RowCount(); ++r) {
        if (!NeighList.Cell(0, r).empty()) item = NeighList.Cell(0, r);
        for (int c = 3; c < NeighList.ColCount(); ++c) {
            const std::string_view n = NeighList.Cell(c, r);
            if (n.empty()) continue;
            out += PadRight8(item);
            out += '\t';
            out += PadRight8(n);
            out += "\r\n";
        }
    }
}

std::string NeighbourList::SaveText() const {
    std::string out;
    std::string item;
    AppendSaveRows(out, 1, CurrentRow, item);
    return Latin1ToUtf8(out);
}

bool NeighbourList::Save(const std::filesystem::path& path, int* error) const {
    return WriteFileAtomically(path, SaveText(), error);
}

} // namespace zirtel

// The ways items enter the list: the entry line, an edited cell, the clipboard, an input file.
#include <algorithm>

#include "core/analysis/item_list.h"
#include "core/analysis/workspace.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {
constexpr const char* kDuplicateText = "Elementu hori dagoeneko sartuta dago.";
constexpr const char* kDuplicateCaption = "Abisua";
} // namespace

void Workspace::AfterEntry() {
    if (OutputGrid.RowCount() == NextRow) {
        OutputGrid.SetRowCount(OutputGrid.RowCount() + 1);
        StimulusGrid.SetRowCount(StimulusGrid.RowCount() + 1);
    }
}

Workspace::EntryResult Workspace::EnterTypedItem(const std::string& text) {
    const Operation op(*this);
    const std::string item = LowerLatin1(Trim(text));
    // An empty line enters nothing and says nothing.
    if (item.empty()) return EntryResult::Empty;
    EntryResult result = EntryResult::Entered;
    if (FindItemRow(item, -1) > 0) {
        Setup.UI.ShowMessage(kDuplicateCaption, kDuplicateText, MessageButtons::Ok);
        result = EntryResult::Duplicate;
    } else {
        EnterAtNextRow(item);
    }
    return result;
}

void Workspace::EnterAtNextRow(const std::string& item) {
    if (!OutputGrid.Cell(1, NextRow).empty()) ++NextRow;
    OutputGrid.SetCell(1, NextRow, item);
    StimulusGrid.SetCell(0, NextRow, item);
    ++NextRow;
    AfterEntry();
}

Workspace::EntryResult Workspace::CommitStimulusCell(int row) {
    const Operation op(*this);
    if (row < 1) return EntryResult::Duplicate;
    const std::string text(StimulusGrid.Cell(0, row));
    // The row's own item is not a duplicate of itself.
    if (FindItemRow(text, row) > 0) {
        Setup.UI.ShowMessage(kDuplicateCaption, kDuplicateText, MessageButtons::Ok);
        StimulusGrid.SetCell(0, row, std::string(Item(row)));
        return EntryResult::Duplicate;
    }
    const bool changed = text != Item(row);
    bool measured = false;
    for (int c = FirstFieldCol(); c < NextCol && !measured; ++c)
        measured = !OutputGrid.Cell(c, row).empty();
    OutputGrid.SetCell(1, row, text);
    if (changed && measured) AnalyseItem(row);
    // Correcting an item inside the list keeps the next free row; an item written at or below
    // it moves it past that item, so saving and typing never lose or skip a row.
    if (row >= NextRow) NextRow = row + 1;
    AfterEntry();
    return EntryResult::Entered;
}

void Workspace::PasteItems(const std::string& text) {
    const Operation op(*this);
    const PastedItems pasted = ParsePastedItems(text);
    if (pasted.OwnColumns > ItemColumnNames.size()) {
        std::vector<std::string> names = ItemColumnNames;
        const std::vector<std::string> more =
            OwnColumnNames({}, static_cast<int>(pasted.OwnColumns));
        names.insert(names.end(), more.begin() + static_cast<std::ptrdiff_t>(names.size()),
                     more.end());
        SetItemColumns(std::move(names));
    }
    int r = NextRow;
    for (const PastedRow& row : pasted.Rows) {
        StimulusGrid.SetCell(0, r, row.Item);
        OutputGrid.SetCell(1, r, row.Item);
        for (std::size_t i = 0; i < row.Own.size(); ++i)
            OutputGrid.SetCell(2 + static_cast<int>(i), r, row.Own[i]);
        ++NextRow;
        ++r;
        if (OutputGrid.RowCount() < r + 1) OutputGrid.SetRowCount(r + 1);
        if (StimulusGrid.RowCount() < r + 1) StimulusGrid.SetRowCount(r + 1);
    }
    AnalyseAll();
}

void Workspace::ClearItems() {
    const Operation op(*this);
    const int rows = std::max(OutputGrid.RowCount(), StimulusGrid.RowCount());
    for (int r = 1; r < rows; ++r) {
        OutputGrid.ClearRow(r);
        StimulusGrid.ClearRow(r);
    }
    OutputGrid.SetRowCount(30);
    StimulusGrid.SetRowCount(30);
    NextRow = 1;
    OrthoNeighbours.Clear();
    PhonNeighbours.Clear();
    InputFile.clear();
    QuickEntry_ = false;
    if (!ItemColumnNames.empty()) SetItemColumns({});
}

bool Workspace::ReadInputFile(const std::filesystem::path& path, bool intoGrids) {
    const Operation op(*this);
    std::optional<ItemList> list = ReadItemList(Setup.UI, path);
    if (!list) return false;
    ClearItems();
    InputFile = path;
    // The grids are sized to the items, whatever the number of blank lines.
    const int n = static_cast<int>(std::min<std::size_t>(list->Stimuli.Items.size(), 50'000'000));
    if (intoGrids) {
        OutputGrid.SetRowCount(n + 5);
        StimulusGrid.SetRowCount(n + 5);
    }
    SetItemColumns(std::move(list->ColumnNames));
    Stimuli = std::move(list->Stimuli);
    NextRow = 1;
    if (!intoGrids) {
        NextRow = static_cast<int>(Stimuli.Items.size()) + 1;
        return true;
    }
    // The grid keeps the own cells.
    for (std::size_t i = 0; i < Stimuli.Items.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        OutputGrid.SetCell(1, r, Stimuli.Items[i]);
        StimulusGrid.SetCell(0, r, Stimuli.Items[i]);
        if (Stimuli.OwnCells.empty()) continue;
        const std::vector<std::string_view> own = SplitOwnCells(Stimuli.OwnCells[i]);
        for (std::size_t c = 0; c < own.size(); ++c)
            OutputGrid.SetCell(2 + static_cast<int>(c), r, own[c]);
    }
    Stimuli.OwnCells.clear();
    while (NextRow < OutputGrid.RowCount() && !OutputGrid.Cell(1, NextRow).empty()) ++NextRow;
    return true;
}

} // namespace zirtel

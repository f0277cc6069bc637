#include "core/analysis/workspace.h"

#include <algorithm>

#include "core/text/format.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"

namespace zirtel {

namespace {
constexpr int kOutputGridCols = 67;
constexpr int kStartupOutputRows = 30;
constexpr int kStartupStimulusRows = 80;
} // namespace

Workspace::Workspace(Feedback& feedback, std::filesystem::path appDir)
    : Setup(feedback, std::move(appDir)),
      OutputGrid(kOutputGridCols, kStartupOutputRows, kDefaultColWidth),
      StimulusGrid(1, kStartupStimulusRows, kStimulusColWidth) {
    OutputGrid.SetSelection(GridRect{2, 1, 2, 1});
    OutputGrid.Col = 2;
    StimulusGrid.SetSelection(GridRect{0, 1, 0, 1});
}

FieldSet Workspace::ShownFields() const {
    FieldSet shown;
    const auto& cat = FieldCatalogue();
    for (int f = 0; f < kFieldCount; ++f)
        if (Columns.*cat[static_cast<std::size_t>(f)].Col != 0)
            shown.set(static_cast<std::size_t>(f));
    return shown;
}

MeasureContext Workspace::Measures(bool lists) {
    MeasureContext ctx = Setup.Measures();
    if (lists) {
        ctx.OrthoList = &OrthoNeighbours;
        ctx.PhonList = &PhonNeighbours;
        ctx.OrthoListShown = ShowNeighbourList;
        ctx.ListDeletionNs = IncludeDeletionNs_;
        ctx.ListAdditionNs = IncludeAdditionNs_;
        ctx.ListSpanishNs = IncludeSpanishNs_;
    }
    return ctx;
}

void Workspace::Startup(const std::optional<std::filesystem::path>& inputFile) {
    const Operation op(*this);
    PrepareGrids();
    LoadStartupData(inputFile);
}

void Workspace::PrepareGrids() {
    const Operation op(*this);
    NextCol = 1;
    StimulusGrid.SetCell(0, 0, "Sarrera");
    QuickEntry_ = true;
    // The first assignment runs before the settings below are made, so with no decimals: the
    // frequency columns start 83 pixels wide.
    AssignColumns();
    Decimals = 2;
    NextRow = 1;
    ShowNeighbourList = true;
    IncludeAdditionNs_ = false;
    IncludeDeletionNs_ = false;
    IncludeSpanishNs_ = false;
    NeighbourSyncBusy_ = false;
}

void Workspace::LoadStartupData(const std::optional<std::filesystem::path>& inputFile) {
    const Operation op(*this);
    Setup.LoadStartupData();
    Stimuli = StimulusList(100);
    if (inputFile) ReadInputFile(*inputFile);
}

void Workspace::UseWholeWordLexicon() {
    const Operation op(*this);
    Setup.LoadWholeWords();
    Setup.Lemmas.Clear();
    AnalyseAll();
}

void Workspace::UseLemmaLexicon() {
    const Operation op(*this);
    Setup.LoadLemmas();
    AnalyseAll();
}

void Workspace::AssignColumns() {
    const Operation op(*this);
    const auto& cat = FieldCatalogue();
    for (const FieldInfo& f : cat) Columns.*f.Col = 0;
    const AnalysisOptions& options = Setup.Options;
    ShowNeighbourList = options.FlagTicked(OptionFlag::NList);
    IncludeDeletionNs_ = options.FlagTicked(OptionFlag::IncludeDeletions);
    IncludeAdditionNs_ = options.FlagTicked(OptionFlag::IncludeAdditions);
    IncludeSpanishNs_ = options.FlagTicked(OptionFlag::IncludeSpanish);
    Setup.RulePronunciations = options.FlagTicked(OptionFlag::RulePronunciations);

    OutputGrid.ClearRow(0);
    for (int r = 1; r < OutputGrid.RowCount(); ++r)
        for (int c = FirstFieldCol(); c < NextCol; ++c) OutputGrid.SetCell(c, r, std::string());

    NextCol = FirstFieldCol();
    std::vector<FieldId> columns;
    for (int f = 0; f < kFieldCount; ++f)
        if (options.FieldTicked(f)) {
            Columns.*cat[static_cast<std::size_t>(f)].Col = NextCol++;
            columns.push_back(static_cast<FieldId>(f));
        }
    Results.SetColumns(std::move(columns), FirstFieldCol());
    // The grid has 67 columns; it widens when more fields are shown than fit.
    OutputGrid.SetColCount(std::max(kOutputGridCols, NextCol));

    OutputGrid.SetCell(1, 0, "Sarrera ");
    for (std::size_t i = 0; i < ItemColumnNames.size(); ++i)
        OutputGrid.SetCell(2 + static_cast<int>(i), 0, ItemColumnNames[i]);
    for (const FieldInfo& f : cat) {
        const int col = Columns.*f.Col;
        if (col == 0) continue;
        if (f.UserField > 0)
            OutputGrid.SetCell(col, 0,
                               Setup.UserFields[static_cast<std::size_t>(f.UserField - 1)].Name);
        else if (!f.Header.empty())
            OutputGrid.SetCell(col, 0, std::string(f.Header));
    }

    for (int c = 0; c < OutputGrid.ColCount(); ++c) OutputGrid.SetColWidth(c, kDefaultColWidth);
    OutputGrid.SetColWidth(0, 0);
    OutputGrid.SetColWidth(1, 0);
    for (const FieldInfo& f : cat)
        if (Columns.*f.Col != 0) OutputGrid.SetColWidth(Columns.*f.Col, FieldWidth(f, Decimals));
}

void Workspace::SetItemColumns(std::vector<std::string> names) {
    const Operation op(*this);
    const int before = static_cast<int>(ItemColumnNames.size());
    const int after = static_cast<int>(names.size());
    if (before == after) {
        ItemColumnNames = std::move(names);
        for (int i = 0; i < after; ++i) OutputGrid.SetCell(2 + i, 0, ItemColumnNames[i]);
        return;
    }
    // The own cells move with the fields' columns: kept, the rest of each row emptied.
    std::vector<std::string> own;
    for (int r = 1; r < OutputGrid.RowCount(); ++r) {
        own.clear();
        for (int i = 0; i < std::min(before, after); ++i)
            own.emplace_back(OutputGrid.Cell(2 + i, r));
        for (int c = 2; c < NextCol; ++c) OutputGrid.SetCell(c, r, std::string());
        for (std::size_t i = 0; i < own.size(); ++i)
            if (!own[i].empty()) OutputGrid.SetCell(2 + static_cast<int>(i), r, own[i]);
    }
    NextCol = 2;
    ItemColumnNames = std::move(names);
    AssignColumns();
}

int Workspace::ShownRowCount() const {
    if (!Filter) return std::max(NextRow - 1, 0);
    int shown = 0;
    for (int r = 1; r < NextRow; ++r) shown += Filter->Matches(*this, r);
    return shown;
}

// ---- Selection ----

void Workspace::SelectStimulusRows(int top, int bottom) {
    const Operation op(*this);
    StimulusGrid.SetSelection(GridRect{0, top, 0, bottom});
}

void Workspace::SyncList(NeighbourList& list, int countCol, int row) {
    const std::string item(Item(row));
    int n = 0;
    if (countCol != 0) {
        const Value count = Results.At(row, countCol);
        if (count.Kind() == ValueKind::Count) n = static_cast<int>(count.Integer());
    }
    if (n <= 0) n = 1;
    const int k = list.FindItemRow(item);
    if (item.empty() || k <= 0 || list.NeighList.RowCount() < k) return;
    NeighbourSyncBusy_ = true;
    list.NeighList.SetTopRow(k);
    list.SelectListRows(k, k + n - 1);
    NeighbourSyncBusy_ = false;
}

void Workspace::SyncNeighbourList(int row) {
    const Operation op(*this);
    SyncList(OrthoNeighbours, Columns.Col_P, row);
    SyncList(PhonNeighbours, Columns.Col_PP, row);
}

void Workspace::SelectField(int col) {
    const Operation op(*this);
    if (col <= 0) return;
    OutputGrid.Col = col;
    OutputGrid.SetSelection(GridRect{col, 0, col, std::max(NextRow - 1, 0)});
}

void Workspace::StimulusRowsChosen(int top, int bottom) {
    const Operation op(*this);
    SelectStimulusRows(top, bottom);
    if (OutputGrid.TopRow() > 0 && OutputGrid.TopRow() <= StimulusGrid.RowCount())
        OutputGrid.SetTopRow(StimulusGrid.TopRow());
    SyncNeighbourList(top);
}

void Workspace::NeighListClick(const NeighbourList& list, int listRow) {
    const Operation op(*this);
    if (NeighbourSyncBusy_) return;
    const std::string_view text = list.NeighList.Cell(0, listRow);
    if (listRow <= 0 || text.size() < 2) return;
    const int row = FindItemRow(text, -1);
    if (row <= 0) return;
    SelectStimulusRows(row, row);
    const int top = OutputGrid.TopRow();
    if (row < top || row >= top + OutputGrid.VisibleRows) {
        OutputGrid.SetTopRow(row);
        StimulusGrid.SetTopRow(row);
    }
}

int Workspace::FindItemRow(std::string_view text, int exceptRow) const {
    const std::string wanted = LowerLatin1(Trim(text));
    for (int r = 1; r < OutputGrid.RowCount(); ++r) {
        if (r == exceptRow) continue;
        if (LowerLatin1(Trim(OutputGrid.Cell(1, r))) == wanted) return r;
    }
    return -1;
}

} // namespace zirtel

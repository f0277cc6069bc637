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
    : Setup(feedback, std::move(appDir)), OutputGrid(kOutputGridCols, kStartupOutputRows),
      StimulusGrid(1, kStartupStimulusRows) {}

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
    // The first assignment runs before the settings below are made, so with no decimals (the
    // window lays out the frequency columns narrower until the next one).
    AssignColumns();
    Decimals = 2;
    NextRow = 1;
    ShowNeighbourList = true;
    IncludeAdditionNs_ = false;
    IncludeDeletionNs_ = false;
    IncludeSpanishNs_ = false;
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
    if (ColumnsObserver_) ColumnsObserver_();
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

int Workspace::FindItemRow(std::string_view text, int exceptRow) const {
    const std::string wanted = LowerLatin1(Trim(text));
    for (int r = 1; r < OutputGrid.RowCount(); ++r) {
        if (r == exceptRow) continue;
        if (LowerLatin1(Trim(OutputGrid.Cell(1, r))) == wanted) return r;
    }
    return -1;
}

} // namespace zirtel

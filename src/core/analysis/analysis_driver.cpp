// The analysis driver: walks the item rows and measures each through the grid-free statistics
// call, moving its cells into the row.
#include "core/analysis/item_statistics.h"
#include "core/analysis/workspace.h"
#include "core/fields/value_format.h"
#include "core/phonology/phon_neighbour_search.h"
#include "core/text/latin1.h"

namespace zirtel {

Workspace::AnalysisRun::AnalysisRun(Workspace& ws) : WS_(ws) {
    if (WS_.AnalysisDepth_++ > 0) return;
    WS_.LengthRefused_ = {};
    WS_.NotLemmas_ = {};
}

Workspace::AnalysisRun::~AnalysisRun() {
    if (--WS_.AnalysisDepth_ == 0) WS_.ReportAnalysis();
}

void Workspace::ReportAnalysis() {
    if (LengthRefused_.Count > 0) {
        const bool one = LengthRefused_.Count == 1;
        Setup.UI.ShowRepeatedWarning(
            "Errorea", std::to_string(LengthRefused_.Count) +
                           (one ? " item ez da aztertu" : " item ez dira aztertu") + ": itemek " +
                           std::to_string(kMinItemLength) + " eta " +
                           std::to_string(kMaxItemLength) + " letra artean izan behar dituzte. " +
                           LengthRefused_.List());
    }
    if (NotLemmas_.Count > 0) {
        const bool one = NotLemmas_.Count == 1;
        Setup.UI.ShowRepeatedWarning(
            "Abisua",
            std::to_string(NotLemmas_.Count) +
                (one ? " item ez dago lemen hitzegian (forma jokatua edo sasihitza da, eta haren "
                       "maiztasuna 0 da): "
                     : " item ez daude lemen hitzegian (forma jokatuak edo sasihitzak dira, eta "
                       "haien maiztasuna 0 da): ") +
                NotLemmas_.List());
    }
}

bool Workspace::AnalyseAll() {
    const Operation op(*this);
    const AnalysisRun run(*this);
    OrthoNeighbours.Clear();
    PhonNeighbours.Clear();
    const int rows = OutputGrid.RowCount();
    auto progress = Setup.UI.OpenProgress("Analysing all items ...", "", rows);
    progress->AllowCancel();
    BusyCursor busy(Setup.UI);
    for (int r = 1; r < rows; ++r) {
        if (Setup.UI.Cancelled()) return false;
        if (!Item(r).empty()) AnalyseItem(r);
        progress->Step();
    }
    progress->SetPosition(rows);
    return true;
}

bool Workspace::AnalyseSelected(int top, int bottom, std::string& editLine) {
    const Operation op(*this);
    const AnalysisRun run(*this);
    // Quick entry: before any item exists, the text of the entry line becomes the first item.
    bool entered = false;
    if (QuickEntry_ && StimulusGrid.Cell(0, 1).empty() && !editLine.empty()) {
        const std::string item = LowerLatin1(Trim(editLine));
        EnterAtNextRow(item);
        editLine.clear();
        Stimuli.Items.push_back(item);
        Stimuli.Lines.push_back(0);
        entered = true;
    }
    for (int r = top; r <= bottom; ++r)
        if (!StimulusGrid.Cell(0, r).empty()) AnalyseItem(r);
    return entered;
}

void Workspace::AnalyseItem(int row) {
    const Operation op(*this);
    const AnalysisRun run(*this);
    const std::string item = LowerAscii(Item(row));
    const int length = static_cast<int>(item.size());
    if (length < kMinItemLength || length > kMaxItemLength) {
        // A row shows the latest analysis only: its field cells are emptied.
        for (int c = FirstFieldCol(); c < NextCol; ++c) OutputGrid.SetCell(c, row, std::string());
        Results.SetRowMissing(row, MissingReason::ItemLength);
        LengthRefused_.Add(
            [&] { return Latin1ToUtf8(item) + " (" + std::to_string(length) + " letra)"; });
        return;
    }
    if (Setup.LemmasCurrent && Setup.Lemmas.Find(item) < 0)
        NotLemmas_.Add([&] { return Latin1ToUtf8(item); });
    // The list box is read at each item: unticked, nothing is listed until the columns are
    // assigned again.
    if (!Setup.Options.FlagTicked(OptionFlag::NList)) ShowNeighbourList = false;
    MeasureContext ctx = Measures(true);
    MeasureItem(ctx, Item(row), ShownFields(), Values_);
    WriteValues(row, true);
}

void Workspace::MeasureRow(FieldWriter writer, int row) {
    const Operation op(*this);
    MeasureContext ctx = Measures(true);
    Values_.Start(Item(row), ShownFields());
    writer(ctx, Values_);
    WriteValues(row, false);
}

void Workspace::WriteValues(int row, bool all) {
    const ValueStyle grid{.Decimals = Decimals};
    std::string text;
    for (int c = FirstFieldCol(); c < NextCol; ++c) {
        const FieldId f = *Results.FieldOfColumn(c);
        if (!all && !Values_.Written()[static_cast<std::size_t>(FieldIndex(f))]) continue;
        text.clear();
        AppendValueText(text, f, Values_.At(f), grid);
        OutputGrid.SetCell(c, row, text);
        if (!all) Results.SetValue(row, c, Values_.At(f));
    }
    if (all) Results.SetRow(row, Values_);
}

bool FamilyShown(const Workspace& ws, FieldWriter writer) {
    for (const FieldInfo& f : FieldCatalogue())
        if (f.Writer == writer && ws.Shown(f.Col)) return true;
    return false;
}

bool OrthoNeighbourSearchWanted(const Workspace& ws) {
    return FamilyShown(ws, &FindOrthoNeighbours) || ws.ListsDeletionOrAdditionNs() ||
           ws.ListsSpanishNs();
}

bool PhonNeighbourFieldsShown(const Workspace& ws) {
    return FamilyShown(ws, &AnalysePhonNeighbours);
}

} // namespace zirtel

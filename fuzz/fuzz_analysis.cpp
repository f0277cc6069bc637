// The whole analysis, every field shown, over items of arbitrary bytes measured against a
// lexicon read from arbitrary bytes (words, syllabifications, pronunciations, frequencies).
// Input: one flag byte, the lexicon file's contents, a NUL, then the items, one per line.
#include <algorithm>

#include "core/analysis/field_catalogue.h"
#include "core/analysis/workspace.h"
#include "fuzz_support.h"
#include "gui/grid_presenter.h"

using namespace zirtel;

namespace {

Workspace& SharedWorkspace() {
    static fuzz::SilentFeedback feedback;
    // The bigram and biphone tables come from the shipped data; they are read once.
    static Workspace ws(feedback, ZIRTEL_SHIPPED_DATA);
    static const bool ready = [] {
        ws.PrepareGrids();
        for (int f = 0; f < kFieldCount; ++f) ws.Setup.Options.SetFieldTicked(f, true);
        return true;
    }();
    (void)ready;
    return ws;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    Workspace& ws = SharedWorkspace();
    const std::uint8_t flags = data[0];
    const std::string_view rest = fuzz::AsText(data + 1, size - 1);
    const std::size_t nul = rest.find('\0');
    if (nul == std::string_view::npos) return 0;
    const std::string_view lexicon = rest.substr(0, nul);
    const std::string_view items = rest.substr(nul + 1);

    const auto path = fuzz::ScratchDir() / "lexicon.txt";
    fuzz::WriteBytes(path, lexicon);
    ws.ClearItems();
    LoadWholeWordLexicon(path, ws.Setup.WholeWords, ws.Setup.UI);
    ws.Setup.WholeWordsReplaced();
    if (flags & 1) {
        LoadLemmaLexicon(path, ws.Setup.Lemmas, ws.Setup.UI);
        ws.Setup.LemmasCurrent = true;
    } else {
        ws.Setup.Lemmas.Clear();
        ws.Setup.LemmasCurrent = false;
    }
    ws.Setup.Options.SetTicked("NListBox", (flags & 2) != 0);
    ws.Setup.Options.SetTicked("IncludeDeletionNsBox", (flags & 4) != 0);
    ws.Setup.Options.SetTicked("IncludeAdditionNsBox", (flags & 8) != 0);
    ws.AssignColumns();

    // Items exactly as an edited cell holds them: any bytes, up to 30 of them.
    int row = 1;
    std::size_t start = 0;
    while (start <= items.size() && row < 40) {
        std::size_t end = items.find('\n', start);
        if (end == std::string_view::npos) end = items.size();
        const std::string item(items.substr(start, std::min<std::size_t>(end - start, 30)));
        if (ws.OutputGrid.RowCount() <= row + 1) ws.OutputGrid.SetRowCount(row + 2);
        if (ws.StimulusGrid.RowCount() <= row + 1) ws.StimulusGrid.SetRowCount(row + 2);
        ws.StimulusGrid.SetCell(0, row, item);
        ws.OutputGrid.SetCell(1, row, item);
        ++row;
        start = end + 1;
    }
    ws.NextRow = row;
    ws.AnalyseAll();
    // The lists following the results and back, as the window's presenter does it.
    static GridPresenter grids(ws);
    for (int r = 1; r < row; ++r) grids.SyncNeighbourLists(r);
    for (int r = 1; r < ws.OrthoNeighbours.NeighList.RowCount() && r < 5; ++r)
        grids.NeighListClick(ws.OrthoNeighbours, r);
    return 0;
}

// The orthographic neighbour search: six-letter items per second with every neighbour field and
// both list options on, and a whole-list analysis of 10,000 items that fills the neighbour list.
// Runs against the shipped whole-word lexicon when it is there, else against a made-up lexicon
// of 50,000 words.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/analysis/workspace.h"
#include "core/lexicon/lexicon.h"
#include "core/neighbours/neighbour_search.h"
#include "core/text/collation.h"

namespace fs = std::filesystem;
using namespace zirtel;

namespace {

constexpr const char* kNeighbourBoxes[] = {
    "NBox",       "N_StarBox", "N1Box",      "N2Box",   "N3Box",       "N4Box",      "N5Box",
    "PBox",       "HFPBox",    "HFNBox",     "LFNBox",  "NFmaxBox",    "NFminBox",   "NFmuBox",
    "NFsigmaBox", "SubsetBox", "SubFreqBox", "NSubBox", "SupersetBox", "SupFreqBox", "NSupBox",
};

// Basque-looking words: consonants and vowels mostly alternating, so that many of them are
// one letter apart.
std::string MadeUpWord(std::mt19937& rng, int length) {
    static const std::string consonants = "bdgklmnprstxz";
    static const std::string vowels = "aeiou";
    std::uniform_int_distribution<int> c(0, static_cast<int>(consonants.size()) - 1);
    std::uniform_int_distribution<int> v(0, static_cast<int>(vowels.size()) - 1);
    std::bernoulli_distribution startVowel(0.3), cluster(0.15);
    std::string w;
    bool vowel = startVowel(rng);
    while (static_cast<int>(w.size()) < length) {
        w += vowel ? vowels[static_cast<std::size_t>(v(rng))]
                   : consonants[static_cast<std::size_t>(c(rng))];
        if (!cluster(rng)) vowel = !vowel;
    }
    return w;
}

struct BenchLexicon {
    Lexicon Lex;
    std::string Source;
};

const BenchLexicon& TheLexicon() {
    static const BenchLexicon lex = [] {
        BenchLexicon b;
        SilentFeedback ui;
        const fs::path shipped = fs::path(ZIRTEL_SHIPPED_DATA) / kWholeWordFile;
        if (fs::exists(shipped) && LoadWholeWordLexicon(shipped, b.Lex, ui) && b.Lex.Size() > 0) {
            b.Source = "shipped lexicon, " + std::to_string(b.Lex.Size()) + " words";
            return b;
        }
        std::mt19937 rng(11);
        std::uniform_int_distribution<int> length(3, 10);
        std::exponential_distribution<float> freq(0.05f);
        std::set<std::string> distinct;
        while (distinct.size() < 50000) distinct.insert(MadeUpWord(rng, length(rng)));
        std::vector<std::string> words(distinct.begin(), distinct.end());
        std::sort(words.begin(), words.end(), CollateLess);
        for (std::string& w : words) {
            b.Lex.LexWords.push_back(std::move(w));
            b.Lex.LexFreqs.push_back(freq(rng));
        }
        b.Lex.BuildIndexes();
        b.Source = "made-up lexicon, " + std::to_string(b.Lex.Size()) + " words";
        return b;
    }();
    return lex;
}

// Six-letter items: half of them words of the lexicon, half made up.
std::vector<std::string> SixLetterItems(int count) {
    const Lexicon& lex = TheLexicon().Lex;
    std::vector<std::string> sixes;
    for (const std::string& w : lex.LexWords)
        if (w.size() == 6) sixes.push_back(w);
    std::mt19937 rng(5);
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0 && !sixes.empty())
            items.push_back(sixes[static_cast<std::size_t>(rng() % sixes.size())]);
        else
            items.push_back(MadeUpWord(rng, 6));
    }
    return items;
}

void SetUpWorkspace(Workspace& ws, const std::vector<std::string>& items) {
    ws.Setup.WholeWords = TheLexicon().Lex;
    ws.Decimals = 2;
    ws.Setup.Options.UntickAllFields();
    for (const char* box : kNeighbourBoxes) ws.Setup.Options.SetTicked(box, true);
    ws.Setup.Options.SetTicked("NListBox", true);
    ws.Setup.Options.SetTicked("IncludeDeletionNsBox", true);
    ws.Setup.Options.SetTicked("IncludeAdditionNsBox", true);
    ws.AssignColumns();
    const int rows = static_cast<int>(items.size());
    ws.OutputGrid.SetRowCount(rows + 5);
    ws.StimulusGrid.SetRowCount(rows + 5);
    for (int r = 1; r <= rows; ++r) {
        ws.OutputGrid.SetCell(1, r, items[static_cast<std::size_t>(r - 1)]);
        ws.StimulusGrid.SetCell(0, r, items[static_cast<std::size_t>(r - 1)]);
    }
    ws.NextRow = rows + 1;
}

// One search per item, every field of the neighbourhood shown, the list filled.
void BM_OrthoNeighbourSearch_SixLetters(benchmark::State& state) {
    const std::vector<std::string> items = SixLetterItems(1000);
    SilentFeedback ui;
    Workspace ws(ui, fs::temp_directory_path());
    SetUpWorkspace(ws, items);
    MeasureContext ctx = ws.Measures(true);
    RowValues cells;
    const FieldSet fields = ws.ShownFields();
    int row = 1;
    for (auto _ : state) {
        cells.Start(ws.Item(row), fields);
        FindOrthoNeighbours(ctx, cells);
        if (++row > static_cast<int>(items.size())) {
            row = 1;
            ws.OrthoNeighbours.Clear();
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(TheLexicon().Source);
}
BENCHMARK(BM_OrthoNeighbourSearch_SixLetters);

// The whole-list analysis of 10,000 items with the neighbour fields on and the list filled.
void BM_AnalyseAll_10000Items_ListFilled(benchmark::State& state) {
    const std::vector<std::string> items = SixLetterItems(10000);
    SilentFeedback ui;
    Workspace ws(ui, fs::temp_directory_path());
    SetUpWorkspace(ws, items);
    for (auto _ : state) ws.AnalyseAll();
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(items.size()));
    state.counters["list_rows"] = ws.OrthoNeighbours.CurrentRow;
    state.SetLabel(TheLexicon().Source);
}
BENCHMARK(BM_AnalyseAll_10000Items_ListFilled)->Unit(benchmark::kMillisecond);

// The same analysis with every field of the catalogue shown, against the shipped data files
// (skipped when they are not there).
void BM_AnalyseAll_10000Items_EveryField(benchmark::State& state) {
    const fs::path shipped(ZIRTEL_SHIPPED_DATA);
    if (!fs::exists(shipped / kWholeWordFile)) {
        state.SkipWithError("no shipped lexicon");
        return;
    }
    const std::vector<std::string> items = SixLetterItems(10000);
    SilentFeedback ui;
    Workspace ws(ui, shipped);
    ws.Startup();
    SetUpWorkspace(ws, items);
    for (int f = 0; f < kFieldCount; ++f) ws.Setup.Options.SetFieldTicked(f, true);
    ws.AssignColumns();
    for (auto _ : state) ws.AnalyseAll();
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(items.size()));
    state.counters["list_rows"] = ws.OrthoNeighbours.CurrentRow;
}
BENCHMARK(BM_AnalyseAll_10000Items_EveryField)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

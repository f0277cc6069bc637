// Speed of the phonological neighbour search (six-phoneme items, every field on) and of reading
// the seventeen biphone tables.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/analysis/workspace.h"
#include "core/phonology/biphone_tables.h"
#include "core/phonology/phon_neighbour_search.h"
#include "core/text/letters.h"

namespace zirtel {
namespace {

namespace fs = std::filesystem;

fs::path BenchDir() {
    const fs::path dir = fs::temp_directory_path() / "zirtel_bench_phonology";
    fs::create_directories(dir);
    return dir;
}

// A 50,000-word lexicon: words in collation order, pronunciations of 3 to 10 phonemes built of
// consonant-vowel syllables over part of the inventory (so that words have neighbours).
void WriteSyntheticLexicon(const fs::path& path) {
    const std::string consonants = "bdgklmnrst";
    const std::string vowels = "AEIOU";
    std::mt19937 rng(12345);
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < 50000; ++i) {
        std::string word;
        for (int k = 0, v = i; k < 4; ++k, v /= 26)
            word.insert(word.begin(), static_cast<char>('a' + v % 26));
        word.insert(0, "w");
        const int phonemes = 3 + static_cast<int>(rng() % 8);
        std::string pron;
        for (int p = 0; p < phonemes; ++p) {
            if (p > 0 && p % 2 == 0) pron += '-';
            pron +=
                p % 2 == 0 ? consonants[rng() % consonants.size()] : vowels[rng() % vowels.size()];
        }
        out << word << '\t' << (rng() % 1000) << '\t' << word << '\t' << pron << '\n';
    }
}

// The shipped lexicon when there is one, else the synthetic one.
fs::path LexiconFolder() {
    const fs::path shipped = fs::path(ZIRTEL_SHIPPED_DATA);
    if (fs::exists(shipped / kWholeWordFile)) return shipped;
    const fs::path dir = BenchDir() / "lexicon";
    fs::create_directories(dir);
    if (!fs::exists(dir / kWholeWordFile)) WriteSyntheticLexicon(dir / kWholeWordFile);
    return dir;
}

void BM_PhonNeighbourSearch(benchmark::State& state) {
    SilentFeedback ui;
    Workspace ws(ui, LexiconFolder());
    ws.Startup();
    ws.Setup.Options.SetTicked("W_FREQ_Box", false);
    for (const char* box : {"PNBox", "PN1Box", "PN2Box", "PN3Box", "PN4Box", "PPBox", "HFPNBox",
                            "LFPNBox", "PNFmaxBox", "PNFminBox", "PNFmuBox", "PNFsigmaBox"})
        ws.Setup.Options.SetTicked(box, true);
    ws.AssignColumns();
    // Up to 2,000 words of the lexicon whose pronunciation has six positions.
    const Lexicon& lex = ws.Setup.WholeWords;
    int rows = 0;
    for (int i = 0; i < lex.Size() && rows < 2000; ++i)
        if (RemoveHyphens(lex.LexPhonForms[static_cast<std::size_t>(i)]).size() == 6)
            ws.OutputGrid.SetCell(1, ++rows, lex.LexWords[static_cast<std::size_t>(i)]);
    if (rows == 0) {
        state.SkipWithError("no six-phoneme word in the lexicon");
        return;
    }
    // The pronunciation indexes are built on first use: not in the timed loop.
    benchmark::DoNotOptimize(lex.FindPronunciation(""));
    long long neighbours = 0;
    int row = 0;
    MeasureContext ctx = ws.Measures(true);
    RowValues cells;
    const FieldSet fields = ws.ShownFields();
    for (auto _ : state) {
        if (row == rows) {
            row = 0;
            ws.PhonNeighbours.Clear();
        }
        cells.Start(ws.Item(++row), fields);
        AnalysePhonNeighbours(ctx, cells);
        benchmark::DoNotOptimize(cells.At(FieldId::kPN).Number());
    }
    for (int r = 1; r <= rows; ++r) {
        cells.Start(ws.Item(r), fields);
        AnalysePhonNeighbours(ctx, cells);
        neighbours += cells.At(FieldId::kPN).Integer();
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["lexicon"] = lex.Size();
    state.counters["neighbours_per_item"] = static_cast<double>(neighbours) / rows;
}
BENCHMARK(BM_PhonNeighbourSearch);

// The shipped tables when there are, else seventeen files of 676 records.
fs::path BiphoneFolder() {
    const fs::path shipped = fs::path(ZIRTEL_SHIPPED_DATA);
    if (fs::exists(shipped / "ZR_BPF18.txt")) return shipped;
    const fs::path dir = BenchDir() / "biphones";
    fs::create_directories(dir);
    std::mt19937 rng(777);
    for (int n = kMinBiphonePhonemes; n <= kMaxBiphonePhonemes; ++n) {
        const fs::path file = dir / ("ZR_BPF" + std::to_string(n) + ".txt");
        if (fs::exists(file)) continue;
        std::ofstream out(file, std::ios::binary);
        out << "Biphone";
        for (int i = 1; i < n; ++i) out << "\tType" << i;
        for (int i = 1; i < n; ++i) out << "\tToken" << i;
        out << '\n';
        for (char a : kPhonemeSymbols)
            for (char b : kPhonemeSymbols) {
                out << a << b;
                for (int i = 1; i < n; ++i) out << '\t' << rng() % 500;
                for (int i = 1; i < n; ++i) out << '\t' << (rng() % 100000) / 7.0;
                out << '\n';
            }
    }
    return dir;
}

void BM_LoadBiphoneTables(benchmark::State& state) {
    const fs::path dir = BiphoneFolder();
    SilentFeedback ui;
    for (auto _ : state) {
        state.PauseTiming();
        auto tables = std::make_unique<BiphoneTables>();
        state.ResumeTiming();
        LoadBiphoneTables(*tables, dir, ui);
        benchmark::DoNotOptimize(tables->BiphoneLabels.size());
        state.PauseTiming();
        tables.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadBiphoneTables)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zirtel

BENCHMARK_MAIN();

// Speed of the item statistics: building the syllable tables, reading the bigram files, the
// homophone lookup, and a whole analysis with every pronunciation, bigram, syllable and
// transposed-letter field shown.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/analysis/workspace.h"
#include "core/feedback/feedback.h"
#include "core/lexicon/lexicon.h"
#include "core/measures/bigram_tables.h"
#include "core/measures/pronunciation_measures.h"
#include "core/measures/syllable_tables.h"
#include "core/text/collation.h"
#include "core/text/text_file.h"

namespace fs = std::filesystem;
using namespace zirtel;

namespace {

// A synthetic Basque-like lexicon: words of one to four syllables from an inventory of 480
// syllables; the pronunciation maps tx to tS, x to S and drops h (so some words are homophones).
struct SyntheticEntry {
    std::string Word, Orth, Pron;
    float Freq;
};

std::vector<SyntheticEntry> MakeEntries(std::size_t count, unsigned seed) {
    static const char* const onsets[] = {"",  "b", "d", "g", "h", "k", "l",  "m",
                                         "n", "p", "r", "s", "t", "x", "tx", "z"};
    static const char* const vowels[] = {"a", "e", "i", "o", "u"};
    static const char* const codas[] = {"", "n", "r", "s", "k", "l"};
    struct Syll {
        std::string Orth, Pron;
    };
    std::vector<Syll> inventory;
    for (const char* o : onsets)
        for (const char* v : vowels)
            for (const char* c : codas) {
                const std::string onset = o;
                std::string orth = onset;
                orth.append(v).append(c);
                std::string pron = onset == "tx"  ? "tS"
                                   : onset == "x" ? "S"
                                   : onset == "h" ? ""
                                                  : onset;
                pron.append(v).append(c);
                inventory.push_back({orth, pron});
            }
    std::mt19937 rng(seed);
    std::uniform_int_distribution<std::size_t> pick(0, inventory.size() - 1);
    std::discrete_distribution<int> syllables({5, 30, 50, 15}); // 1..4 syllables
    std::set<std::string> seen;
    std::vector<SyntheticEntry> entries;
    entries.reserve(count);
    while (entries.size() < count) {
        const int n = syllables(rng) + 1;
        SyntheticEntry e;
        if (rng() % 4 == 0) e.Pron.push_back('\''); // stressed first syllable
        for (int s = 0; s < n; ++s) {
            const Syll& y = inventory[pick(rng)];
            if (s > 0) {
                e.Orth.push_back('-');
                e.Pron.push_back('-');
            }
            e.Word.append(y.Orth);
            e.Orth.append(y.Orth);
            e.Pron.append(y.Pron);
        }
        if (e.Word.size() < 2 || e.Word.size() > 18 || !seen.insert(e.Word).second) continue;
        e.Freq = static_cast<float>(rng() % 5000) / 10.0f;
        entries.push_back(std::move(e));
    }
    std::sort(entries.begin(), entries.end(), [](const SyntheticEntry& a, const SyntheticEntry& b) {
        return CollateLess(a.Word, b.Word);
    });
    return entries;
}

Lexicon MakeLexicon(const std::vector<SyntheticEntry>& entries) {
    Lexicon lex;
    for (const SyntheticEntry& e : entries) {
        lex.LexWords.push_back(e.Word);
        lex.LexFreqs.push_back(e.Freq);
        lex.LexOrthSylls.push_back(e.Orth);
        lex.LexPhonForms.push_back(e.Pron);
    }
    lex.BuildIndexes();
    return lex;
}

void WriteLexiconFile(const fs::path& path, const std::vector<SyntheticEntry>& entries) {
    std::string text;
    char freq[32];
    for (const SyntheticEntry& e : entries) {
        std::snprintf(freq, sizeof freq, "%.1f", static_cast<double>(e.Freq));
        for (const std::string* field : {&e.Word, &e.Orth, &e.Pron}) {
            text.append(*field);
            text.push_back('\t');
            if (field == &e.Word) text.append(freq).push_back('\t');
        }
        text.back() = '\n';
    }
    WriteFileAtomically(path, text);
}

// Full bigram files for lengths 2 to 18 with random values.
void WriteBigramFiles(const fs::path& folder) {
    std::mt19937 rng(7);
    for (int n = kBigramMinLength; n <= kBigramMaxLength; ++n) {
        std::string text = "bigrama\n";
        char buf[32];
        for (int r = 0; r < kBigramCount; ++r) {
            text += static_cast<char>('a' + r / 27 % 26);
            text += static_cast<char>('a' + r % 27 % 26);
            for (int p = 0; p < n - 1; ++p) {
                text.push_back('\t');
                text.append(std::to_string(rng() % 3000));
            }
            for (int p = 0; p < n - 1; ++p) {
                std::snprintf(buf, sizeof buf, "\t%.4f", static_cast<double>(rng() % 100000) / 7.0);
                text += buf;
            }
            text += '\n';
        }
        WriteFileAtomically(folder / BigramFileName(n), text);
    }
}

fs::path BenchFolder() {
    static const fs::path folder = [] {
        fs::path dir = fs::temp_directory_path() / "zirtel_bench_item_measures";
        fs::create_directories(dir);
        WriteBigramFiles(dir);
        WriteLexiconFile(dir / kWholeWordFile, MakeEntries(50000, 11));
        return dir;
    }();
    return folder;
}

void BM_BuildBothSyllableTableSets(benchmark::State& state) {
    const Lexicon lex = MakeLexicon(MakeEntries(500000, 3));
    SilentFeedback ui;
    for (auto _ : state) {
        SyllableTableSet phon, orth;
        phon.Build(lex, SyllableTableSet::Source::Pronunciations, ui);
        orth.Build(lex, SyllableTableSet::Source::Syllabifications, ui);
        benchmark::DoNotOptimize(phon.Table(3, 3).Size());
        benchmark::DoNotOptimize(orth.Table(2, 1).Size());
    }
}
BENCHMARK(BM_BuildBothSyllableTableSets)->Unit(benchmark::kMillisecond);

void BM_ReadAllBigramFiles(benchmark::State& state) {
    const fs::path folder = BenchFolder();
    SilentFeedback ui;
    for (auto _ : state) {
        BigramTables tables;
        tables.ReadAll(folder, ui);
        benchmark::DoNotOptimize(tables.Token(18, 16, 728));
    }
}
BENCHMARK(BM_ReadAllBigramFiles)->Unit(benchmark::kMillisecond);

// HOM for one item: lookup of the item and of its first homophone, and the cell written. On
// the shipped lexicon when it is there, else on a synthetic one of 50,000 entries.
void BM_HomophonePerItem(benchmark::State& state) {
    SilentFeedback ui;
    const fs::path shipped = fs::path(ZIRTEL_SHIPPED_DATA);
    const bool useShipped = FileExists(shipped / kWholeWordFile);
    Workspace ws(ui, useShipped ? shipped : BenchFolder());
    ws.Startup();
    ws.Setup.Options.SetTicked("HomophonyBox", true);
    ws.AssignColumns();
    const int items = 1000;
    const int step = std::max(1, ws.Setup.WholeWords.Size() / items);
    for (int r = 1; r <= items; ++r)
        ws.OutputGrid.SetCell(
            1, r, ws.Setup.WholeWords.LexWords[static_cast<std::size_t>((r - 1) * step)]);
    MeasureContext ctx = ws.Measures();
    RowValues cells;
    const FieldSet fields = MakeFieldSet({FieldId::kHOM});
    int row = 1;
    for (auto _ : state) {
        cells.Start(ws.Item(row), fields);
        WriteHomophone(ctx, cells);
        row = row == items ? 1 : row + 1;
    }
    state.SetLabel(useShipped ? "shipped lexicon" : "synthetic lexicon, 50000 entries");
}
BENCHMARK(BM_HomophonePerItem)->Unit(benchmark::kMicrosecond);

// A workspace over the synthetic lexicon and bigram files with every field of the item
// statistics shown and 10,000 items, half of them words.
struct AnalysisSetup {
    SilentFeedback ui;
    Workspace ws;
    explicit AnalysisSetup(const fs::path& folder) : ws(ui, folder) {
        ws.Startup();
        for (const char* box :
             {"DISCBox",      "P1Box",        "CV_PBox",      "LenSBox",      "LenPBox",
              "HomophonyBox", "BF1_Box",      "BF2_Box",      "BF3_Box",      "BF4_Box",
              "BF5_Box",      "TokenBFBox",   "TypeBFBox",    "SLBFBox",      "MLBFBox",
              "PSF1_TP_Box",  "PSF1_TK_Box",  "PSF1_Max_Box", "PSF2_TP_Box",  "PSF2_TK_Box",
              "PSF2_Max_Box", "PSF3_TP_Box",  "PSF3_TK_Box",  "PSF3_Max_Box", "OSF1_TP_Box",
              "OSF1_TK_Box",  "OSF1_Max_Box", "OSF2_TP_Box",  "OSF2_TK_Box",  "OSF2_Max_Box",
              "OSF3_TP_Box",  "OSF3_TK_Box",  "OSF3_Max_Box", "TLBox",        "TLFreqBox",
              "TLPosBox",     "NATL_Box"})
            ws.Setup.Options.SetTicked(box, true);
        ws.AssignColumns();
        std::mt19937 rng(5);
        std::string list;
        for (int i = 0; i < 10000; ++i) {
            std::string w =
                ws.Setup.WholeWords.LexWords[rng() % ws.Setup.WholeWords.LexWords.size()];
            if (i % 2) std::shuffle(w.begin(), w.end(), rng); // mostly a nonword
            list.append(w).push_back('\n');
        }
        const fs::path input = BenchFolder() / "items.txt";
        WriteFileAtomically(input, list);
        ws.ReadInputFile(input);
    }
};

void BM_AnalyseAllFirstRun(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto setup = std::make_unique<AnalysisSetup>(BenchFolder());
        state.ResumeTiming();
        setup->ws.AnalyseAll(); // reads the bigram files and builds the syllable tables
        state.PauseTiming();
        setup.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AnalyseAllFirstRun)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AnalyseAllAgain(benchmark::State& state) {
    AnalysisSetup setup(BenchFolder());
    setup.ws.AnalyseAll();
    for (auto _ : state) setup.ws.AnalyseAll();
}
BENCHMARK(BM_AnalyseAllAgain)->Unit(benchmark::kMillisecond);

// The same on the shipped lexicon and bigram files, when they are there.
void BM_AnalyseAllShippedData(benchmark::State& state) {
    const fs::path shipped = fs::path(ZIRTEL_SHIPPED_DATA);
    if (!FileExists(shipped / kWholeWordFile)) {
        state.SkipWithError("no shipped lexicon");
        return;
    }
    AnalysisSetup setup(shipped);
    setup.ws.AnalyseAll();
    for (auto _ : state) setup.ws.AnalyseAll();
}
BENCHMARK(BM_AnalyseAllShippedData)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

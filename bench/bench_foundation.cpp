// Start-up and lookup speed: loading the whole-word lexicon, word lookups, and analysing a list
// of 10,000 items with the lexical and letter measures.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/analysis/workspace.h"
#include "core/lexicon/lexicon.h"
#include "core/text/collation.h"

namespace {

using namespace zirtel;

std::string RandomWord(std::mt19937& rng) {
    static const std::string letters = "aaaeeeiiooubdgkmnrrstxz";
    std::uniform_int_distribution<int> len(3, 12), pick(0, static_cast<int>(letters.size()) - 1);
    std::string w;
    const int n = len(rng);
    for (int i = 0; i < n; ++i) w.push_back(letters[static_cast<std::size_t>(pick(rng))]);
    return w;
}

// A synthetic whole-word file of `n` entries in collation order, written once.
std::filesystem::path SyntheticLexicon(int n) {
    const auto path =
        std::filesystem::temp_directory_path() / ("zirtel-bench-" + std::to_string(n) + ".txt");
    if (std::filesystem::exists(path)) return path;
    std::mt19937 rng(42);
    std::set<std::string> words;
    while (static_cast<int>(words.size()) < n) words.insert(RandomWord(rng));
    std::vector<std::string> sorted(words.begin(), words.end());
    std::sort(sorted.begin(), sorted.end(), CollateLess);
    std::ofstream out(path);
    for (const std::string& w : sorted) {
        std::string pron;
        for (std::size_t i = 0; i < w.size(); ++i) {
            if (i == w.size() / 2) pron.push_back('-');
            pron.push_back(std::string("aeiou").find(w[i]) != std::string::npos
                               ? static_cast<char>(w[i] - 32)
                               : w[i]);
        }
        out << w << '\t' << (rng() % 100000) / 100.0 << '\t' << w.substr(0, w.size() / 2) << '-'
            << w.substr(w.size() / 2) << '\t' << pron << '\n';
    }
    return path;
}

std::filesystem::path ShippedOrSynthetic() {
    const std::filesystem::path shipped =
        std::filesystem::path(ZIRTEL_SHIPPED_DATA) / "nwfreq_EUS.txt";
    return std::filesystem::exists(shipped) ? shipped : SyntheticLexicon(50000);
}

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
    }
    return 0;
}

void BM_LoadWholeWord500k(benchmark::State& state) {
    const auto path = SyntheticLexicon(500000);
    SilentFeedback fb;
    long rss = 0;
    for (auto _ : state) {
        Lexicon lex;
        LoadWholeWordLexicon(path, lex, fb);
        benchmark::DoNotOptimize(lex.Size());
        rss = std::max(rss, ResidentKiB());
    }
    state.counters["peak_rss_MiB"] = static_cast<double>(rss) / 1024.0;
}
BENCHMARK(BM_LoadWholeWord500k)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoadShippedLexicon(benchmark::State& state) {
    const auto path = ShippedOrSynthetic();
    SilentFeedback fb;
    for (auto _ : state) {
        Lexicon lex;
        LoadWholeWordLexicon(path, lex, fb);
        benchmark::DoNotOptimize(lex.Size());
    }
}
BENCHMARK(BM_LoadShippedLexicon)->Unit(benchmark::kMillisecond);

// The origin file, read on the first item that asks for JATORRIA (never at start-up).
void BM_LoadShippedOrigins(benchmark::State& state) {
    const std::filesystem::path path = std::filesystem::path(ZIRTEL_SHIPPED_DATA) / kOriginFile;
    SilentFeedback fb;
    for (auto _ : state) {
        WordOrigins origins;
        LoadWordOrigins(path, origins, fb);
        benchmark::DoNotOptimize(origins.Words.size());
    }
}
BENCHMARK(BM_LoadShippedOrigins)->Unit(benchmark::kMillisecond);

void BM_WordLookup(benchmark::State& state) {
    SilentFeedback fb;
    Lexicon lex;
    LoadWholeWordLexicon(ShippedOrSynthetic(), lex, fb);
    std::mt19937 rng(7);
    std::vector<std::string> probes;
    for (int i = 0; i < 4096; ++i)
        probes.push_back(i % 2 ? lex.LexWords[rng() % lex.LexWords.size()] : RandomWord(rng));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lex.Find(probes[i++ & 4095]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WordLookup);

void BM_AnalyseAll10kLexical(benchmark::State& state) {
    SilentFeedback fb;
    const auto lexPath = ShippedOrSynthetic();
    Workspace ws(fb, lexPath.parent_path());
    LoadWholeWordLexicon(lexPath, ws.Setup.WholeWords, fb);
    for (const char* box : {"Log_FreqBox", "LenLBox", "CV_OBox", "RepBox", "OrthSyllBox"})
        ws.Setup.Options.SetTicked(box, true);
    ws.Decimals = 2;
    ws.AssignColumns();
    std::string text;
    std::mt19937 rng(3);
    for (int i = 0; i < 10000; ++i)
        text += (i % 2 ? ws.Setup.WholeWords.LexWords[rng() % ws.Setup.WholeWords.LexWords.size()]
                       : RandomWord(rng)) +
                "\n";
    ws.PasteItems(text);
    for (auto _ : state) ws.AnalyseAll();
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_AnalyseAll10kLexical)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

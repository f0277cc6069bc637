// The Levenshtein neighbourhood against the shipped whole-word lexicon: OLD20 and PLD20 of
// 10,000 items of six to ten letters (half of them words of the lexicon, half made up and
// pronounced by the rules), the same with the tied entries kept (as OLD20F and PLD20F need them),
// both over every entry of the lexicon, the plain dynamic programming on a sample for comparison,
// the time to build the two indexes and the memory they hold.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/analysis/workspace.h"
#include "core/lexicon/lexicon.h"
#include "core/neighbours/levenshtein_index.h"
#include "core/phonology/pronunciation_rules.h"

namespace fs = std::filesystem;
using namespace zirtel;

namespace {

struct Data {
    Lexicon Lex;
    std::vector<std::string> OrthKeys, PhonKeys; // of the lexicon's entries
    std::vector<std::string> Items, ItemPhon;    // the items' keys
};

std::string MadeUpWord(std::mt19937& rng, int length) {
    static const std::string consonants = "bdgklmnprstxz";
    static const std::string vowels = "aeiou";
    std::string w;
    bool vowel = rng() % 3 == 0;
    while (static_cast<int>(w.size()) < length) {
        w += vowel ? vowels[rng() % vowels.size()] : consonants[rng() % consonants.size()];
        if (rng() % 7 != 0) vowel = !vowel;
    }
    return w;
}

const Data* TheData() {
    static const Data* data = []() -> const Data* {
        auto* d = new Data;
        SilentFeedback ui;
        const fs::path shipped = fs::path(ZIRTEL_SHIPPED_DATA) / kWholeWordFile;
        if (!fs::exists(shipped) || !LoadWholeWordLexicon(shipped, d->Lex, ui)) return nullptr;
        for (const std::string& w : d->Lex.LexWords) d->OrthKeys.push_back(OrthographicKey(w));
        for (const std::string& p : d->Lex.LexPhonForms) d->PhonKeys.push_back(PhonologicalKey(p));
        std::vector<std::size_t> middle;
        for (std::size_t i = 0; i < d->Lex.LexWords.size(); ++i)
            if (d->Lex.LexWords[i].size() >= 6 && d->Lex.LexWords[i].size() <= 10)
                middle.push_back(i);
        std::mt19937 rng(16);
        while (d->Items.size() < 10000) {
            if (d->Items.size() % 2 == 0) {
                const std::size_t entry = middle[rng() % middle.size()];
                d->Items.push_back(d->OrthKeys[entry]);
                d->ItemPhon.push_back(d->PhonKeys[entry]);
                continue;
            }
            const std::string word = MadeUpWord(rng, 6 + static_cast<int>(rng() % 5));
            const Pronunciation p = Pronounce(word);
            if (p.Outcome != PronunciationOutcome::Ok) continue;
            d->Items.push_back(word);
            d->ItemPhon.push_back(PhonologicalKey(p.Text));
        }
        return d;
    }();
    return data;
}

// `ties`: the entries kept as well; `whole`: the lexicon's own keys as the items.
void Run(benchmark::State& state, bool phonological, bool ties = false, bool whole = false) {
    const Data* d = TheData();
    if (!d) {
        state.SkipWithError("no shipped lexicon");
        return;
    }
    const std::vector<std::string>& keys = phonological ? d->PhonKeys : d->OrthKeys;
    const LevenshteinIndex index(keys);
    const std::vector<std::string>& items = whole ? keys : (phonological ? d->ItemPhon : d->Items);
    double sum = 0;
    int missing = 0;
    for (auto _ : state) {
        for (const std::string& item : items) {
            const std::optional<double> v =
                ties ? index.ClosestEntries(item).Mean : index.MeanClosest(item);
            if (v)
                sum += *v;
            else
                ++missing;
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(items.size()));
    state.counters["mean"] =
        sum / (static_cast<double>(state.iterations() * items.size()) - missing);
    state.counters["index_MB"] = static_cast<double>(index.MemoryBytes()) / 1e6;
}

void BM_OLD20_10000Items(benchmark::State& state) {
    Run(state, false);
}
BENCHMARK(BM_OLD20_10000Items)->Unit(benchmark::kMillisecond);

void BM_PLD20_10000Items(benchmark::State& state) {
    Run(state, true);
}
BENCHMARK(BM_PLD20_10000Items)->Unit(benchmark::kMillisecond);

void BM_OLD20Ties_10000Items(benchmark::State& state) {
    Run(state, false, true);
}
BENCHMARK(BM_OLD20Ties_10000Items)->Unit(benchmark::kMillisecond);

void BM_PLD20Ties_10000Items(benchmark::State& state) {
    Run(state, true, true);
}
BENCHMARK(BM_PLD20Ties_10000Items)->Unit(benchmark::kMillisecond);

void BM_OLD20_WholeLexicon(benchmark::State& state) {
    Run(state, false, false, true);
}
BENCHMARK(BM_OLD20_WholeLexicon)->Unit(benchmark::kMillisecond);

void BM_OLD20Ties_WholeLexicon(benchmark::State& state) {
    Run(state, false, true, true);
}
BENCHMARK(BM_OLD20Ties_WholeLexicon)->Unit(benchmark::kMillisecond);

void BM_PLD20Ties_WholeLexicon(benchmark::State& state) {
    Run(state, true, true, true);
}
BENCHMARK(BM_PLD20Ties_WholeLexicon)->Unit(benchmark::kMillisecond);

// The plain dynamic programming over every entry, for the first 100 items.
void BM_OLD20_PlainDistance_100Items(benchmark::State& state) {
    const Data* d = TheData();
    if (!d) {
        state.SkipWithError("no shipped lexicon");
        return;
    }
    for (auto _ : state) {
        for (std::size_t i = 0; i < 100; ++i) {
            std::vector<int> dist;
            for (const std::string& key : d->OrthKeys)
                if (const int x = LevenshteinDistance(d->Items[i], key); x > 0) dist.push_back(x);
            std::nth_element(dist.begin(), dist.begin() + 19, dist.end());
            benchmark::DoNotOptimize(dist.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_OLD20_PlainDistance_100Items)->Unit(benchmark::kMillisecond);

// Building both indexes, as a lexicon load does when either field is shown.
void BM_BuildBothIndexes(benchmark::State& state) {
    const Data* d = TheData();
    if (!d) {
        state.SkipWithError("no shipped lexicon");
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        const LevenshteinIndex orth(d->OrthKeys), phon(d->PhonKeys);
        bytes = orth.MemoryBytes() + phon.MemoryBytes();
    }
    state.counters["both_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_BuildBothIndexes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

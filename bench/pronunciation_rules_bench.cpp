// Speed of the syllabifier, the pronunciation rules and the pair table writer on the shipped
// whole-word lexicon.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/feedback/feedback.h"
#include "core/lexicon/lexicon.h"
#include "core/measures/bigram_table_writer.h"
#include "core/phonology/pronunciation_rules.h"
#include "core/phonology/syllabifier.h"

namespace {

const zirtel::Lexicon& Shipped() {
    static const zirtel::Lexicon lexicon = [] {
        zirtel::Lexicon lex;
        zirtel::SilentFeedback feedback;
        zirtel::LoadWholeWordLexicon(std::filesystem::path(ZIRTEL_SHIPPED_DATA) / "nwfreq_EUS.txt",
                                     lex, feedback);
        return lex;
    }();
    return lexicon;
}

void BM_SyllabifyLexicon(benchmark::State& state) {
    const auto& words = Shipped().LexWords;
    for (auto _ : state)
        for (const auto& w : words) benchmark::DoNotOptimize(zirtel::Syllabify(w));
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(words.size()));
}
BENCHMARK(BM_SyllabifyLexicon)->Unit(benchmark::kMillisecond);

void BM_PronounceLexicon(benchmark::State& state) {
    const auto& words = Shipped().LexWords;
    for (auto _ : state)
        for (const auto& w : words) benchmark::DoNotOptimize(zirtel::Pronounce(w));
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(words.size()));
}
BENCHMARK(BM_PronounceLexicon)->Unit(benchmark::kMillisecond);

void BM_PronounceNonword(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(zirtel::Pronounce("txindurrazkotz"));
}
BENCHMARK(BM_PronounceNonword);

void BM_AllPairTables(benchmark::State& state) {
    const auto& lex = Shipped();
    for (auto _ : state) {
        for (int n = 2; n <= 18; ++n) {
            benchmark::DoNotOptimize(
                zirtel::BigramTableFileText(zirtel::CountBigrams(lex.LexWords, lex.LexFreqs, n)));
            benchmark::DoNotOptimize(zirtel::BiphoneTableFileText(
                zirtel::CountBiphones(lex.LexPhonForms, lex.LexFreqs, n)));
        }
    }
}
BENCHMARK(BM_AllPairTables)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

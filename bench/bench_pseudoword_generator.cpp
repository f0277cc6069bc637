// The pseudoword generator against the shipped whole-word lexicon: 10 pseudowords for each of
// 100 templates (lexicon words of 5 to 9 letters spread over the whole list), the transition
// table built anew in every run, with and without OLD20.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/feedback/feedback.h"
#include "core/generator/old20_function.h"
#include "core/generator/pseudoword_generator.h"
#include "core/lexicon/lexicon.h"

namespace fs = std::filesystem;
using namespace zirtel;

namespace {

const Lexicon& ShippedLexicon() {
    static const Lexicon lexicon = [] {
        Lexicon lex;
        SilentFeedback silent;
        LoadWholeWordLexicon(fs::path(ZIRTEL_SHIPPED_DATA) / "nwfreq_EUS.txt", lex, silent);
        return lex;
    }();
    return lexicon;
}

std::vector<std::string> Templates(const Lexicon& lexicon, int count) {
    std::vector<std::string> templates;
    const int stride = lexicon.Size() / count;
    for (int start = 0; start < lexicon.Size() && static_cast<int>(templates.size()) < count;
         start += stride) {
        for (int i = start; i < lexicon.Size(); ++i) {
            const std::size_t n = lexicon.LexWords[static_cast<std::size_t>(i)].size();
            if (n >= 5 && n <= 9) {
                templates.push_back(lexicon.LexWords[static_cast<std::size_t>(i)]);
                break;
            }
        }
    }
    return templates;
}

// state.range(0): 1 with OLD20 (its index built in every run too), 0 without.
void BM_Generate100x10(benchmark::State& state) {
    const Lexicon& lexicon = ShippedLexicon();
    if (lexicon.Empty()) {
        state.SkipWithError("the shipped lexicon was not found");
        return;
    }
    const std::vector<std::string> templates = Templates(lexicon, 100);
    GeneratorSettings settings;
    settings.Seed = 2026;
    long long found = 0, examined = 0;
    for (auto _ : state) {
        const PseudowordGenerator generator(lexicon, state.range(0) != 0
                                                         ? MakeOld20Function(lexicon)
                                                         : PseudowordGenerator::Old20Function{});
        const GeneratorRun run = generator.Generate(templates, settings);
        found = static_cast<long long>(run.Pseudowords.size());
        examined = 0;
        for (const TemplateOutcome& o : run.Outcomes) examined += o.Examined;
        benchmark::DoNotOptimize(run);
    }
    state.counters["templates"] = static_cast<double>(templates.size());
    state.counters["pseudowords"] = static_cast<double>(found);
    state.counters["walks"] = static_cast<double>(examined);
}
BENCHMARK(BM_Generate100x10)
    ->ArgName("old20")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_TransitionTable(benchmark::State& state) {
    const Lexicon& lexicon = ShippedLexicon();
    for (auto _ : state) {
        const TransitionTable table(lexicon.LexWords);
        benchmark::DoNotOptimize(table.PairCount());
    }
}
BENCHMARK(BM_TransitionTable)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

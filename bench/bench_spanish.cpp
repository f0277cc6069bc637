// The fields of the group "Gaztelania" against the shipped data: each field alone over 10,000
// items (half words of the whole-word lexicon, half made up), measured on one thread the way the
// results measure a row, and the time to read the Spanish forms and the translations.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/analysis/field_catalogue.h"
#include "core/analysis/item_statistics.h"
#include "core/analysis/workspace.h"
#include "core/fields/row_values.h"
#include "core/lexicon/spanish_words.h"

namespace fs = std::filesystem;
using namespace zirtel;

namespace {

const fs::path kShipped = ZIRTEL_SHIPPED_DATA;

std::vector<std::string> Items(const Lexicon& lex) {
    std::mt19937 rng(32);
    static const std::string letters = "abdegiklmnoprstuxz";
    std::vector<std::string> items;
    while (items.size() < 10000) {
        if (items.size() % 2 == 0) {
            items.push_back(lex.LexWords[rng() % lex.LexWords.size()]);
            continue;
        }
        std::string w;
        for (std::size_t n = 4 + rng() % 6; w.size() < n;) w += letters[rng() % letters.size()];
        items.push_back(w);
    }
    return items;
}

void BM_SpanishField(benchmark::State& state) {
    static const FieldId fields[] = {FieldId::kES_MAIZT,   FieldId::kES_ZIPF,  FieldId::kES_N,
                                     FieldId::kES_N_MAIZT, FieldId::kES_OLD20, FieldId::kITZULPENA,
                                     FieldId::kKOGNATU};
    const FieldId field = fields[state.range(0)];
    SilentFeedback ui;
    Workspace ws(ui, kShipped);
    ws.Startup();
    if (ws.WholeWords.Empty()) {
        state.SkipWithError("no shipped lexicon");
        return;
    }
    const std::vector<std::string> items = Items(ws.WholeWords);
    MeasureContext ctx = ws.Measures();
    FieldSet wanted;
    wanted.set(static_cast<std::size_t>(FieldIndex(field)));
    RowValues values;
    MeasureItem(ctx, items[0], wanted, values); // the tables are read and built here
    for (auto _ : state)
        for (const std::string& item : items) {
            MeasureItem(ctx, item, wanted, values);
            benchmark::DoNotOptimize(values);
        }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(items.size()));
    state.SetLabel(
        std::string(FieldCatalogue()[static_cast<std::size_t>(FieldIndex(field))].Mnemonic));
}
BENCHMARK(BM_SpanishField)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

void BM_ReadSpanishFiles(benchmark::State& state) {
    SilentFeedback ui;
    for (auto _ : state) {
        SpanishWords words;
        Translations translations;
        LoadSpanishWords(kShipped / kSpanishFormFile, words, ui);
        LoadTranslations(kShipped / kTranslationFile, translations, ui);
        benchmark::DoNotOptimize(words);
        benchmark::DoNotOptimize(translations);
    }
}
BENCHMARK(BM_ReadSpanishFiles)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// Fields measured alone against the shipped data, each over 10,000 items (half words of the
// whole-word lexicon, half made up), on one thread the way the results measure a row: the group
// "Gaztelania", the phonotactic, uniqueness, clustering, Levenshtein-frequency and morphology
// fields (rule pronunciations on, so the made-up items have theirs). Also the time to read the
// Spanish files and to build each of the tables those fields read.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/analysis/field_catalogue.h"
#include "core/analysis/item_statistics.h"
#include "core/analysis/table_store.h"
#include "core/analysis/workspace.h"
#include "core/fields/row_values.h"
#include "core/lexicon/spanish_words.h"

namespace fs = std::filesystem;
using namespace zirtel;

namespace {

const fs::path kShipped = ZIRTEL_SHIPPED_DATA;

constexpr FieldId kFields[] = {
    FieldId::kES_MAIZT,      FieldId::kES_ZIPF,   FieldId::kES_N,       FieldId::kES_N_MAIZT,
    FieldId::kES_OLD20,      FieldId::kITZULPENA, FieldId::kKOGNATU,    FieldId::kFP_SEG,
    FieldId::kFP_BIF,        FieldId::kOP_SEG,    FieldId::kOP_BIF,     FieldId::kUP_ORT,
    FieldId::kUP_FON,        FieldId::kCC_ORT,    FieldId::kCC_FON,     FieldId::kOLD20F,
    FieldId::kPLD20F,        FieldId::kLEMA,      FieldId::kLEMA_MAIZT, FieldId::kFAMILIA,
    FieldId::kFAMILIA_MAIZT, FieldId::kENTROPIA};

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

void BM_Field(benchmark::State& state) {
    const FieldId field = kFields[static_cast<std::size_t>(state.range(0))];
    SilentFeedback ui;
    Workspace ws(ui, kShipped);
    ws.Startup();
    ws.Setup.RulePronunciations = true;
    if (ws.Setup.WholeWords.Empty()) {
        state.SkipWithError("no shipped lexicon");
        return;
    }
    const std::vector<std::string> items = Items(ws.Setup.WholeWords);
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
BENCHMARK(BM_Field)->DenseRange(0, std::size(kFields) - 1)->Unit(benchmark::kMillisecond);

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

// Each table built afresh from the loaded lexicon: 0 the letters' and 1 the pronunciations'
// phonotactic tables, 2 and 3 their prefix tables, 4 the morphology (reading the form and lemma
// files).
void BM_BuildTable(benchmark::State& state) {
    SilentFeedback ui;
    Workspace ws(ui, kShipped);
    ws.Startup();
    for (auto _ : state) {
        TableStore tables(kShipped);
        switch (state.range(0)) {
        case 0:
        case 1:
            benchmark::DoNotOptimize(
                &tables.Phonotactics(state.range(0) == 1, ws.Setup.WholeWords));
            break;
        case 2:
        case 3:
            benchmark::DoNotOptimize(&tables.Prefixes(state.range(0) == 3, ws.Setup.WholeWords));
            break;
        default:
            benchmark::DoNotOptimize(&tables.FormLemmas(ws.Setup.WholeWords, ui));
        }
    }
}
BENCHMARK(BM_BuildTable)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

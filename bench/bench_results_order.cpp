// Sorting and filtering the rows of a large results grid (row_order.h), and the histogram of a
// field over the whole lexicon (field_distribution.h).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "core/analysis/field_distribution.h"
#include "core/analysis/row_order.h"
#include "core/analysis/workspace.h"
#include "core/fields/value_format.h"

namespace fs = std::filesystem;
using namespace zirtel;

namespace {

// 100,000 measured item rows with H_MAIZT, LUZ_L and KB_O shown, a tenth of them missing.
class LargeResults {
  public:
    static constexpr int kRows = 100000;
    LargeResults()
        : Dir_(fs::temp_directory_path() / ("zirtel_bench_order_" + std::to_string(::getpid()))),
          Ws_(Ui_, Dir_) {
        fs::create_directories(Dir_);
        Ws_.PrepareGrids();
        Ws_.Decimals = 2;
        for (const char* box : {"LenLBox", "CV_OBox"}) Ws_.Setup.Options.SetTicked(box, true);
        Ws_.AssignColumns();
        std::mt19937 rng(11);
        std::uniform_real_distribution<double> freq(0, 5000);
        std::uniform_int_distribution<int> length(2, 14), letter(0, 25);
        const ValueStyle style{.Decimals = 2};
        for (int r = 1; r <= kRows; ++r) {
            std::string item;
            const int n = length(rng);
            for (int i = 0; i < n; ++i) item += static_cast<char>('a' + letter(rng));
            Ws_.OutputGrid.SetCell(1, r, item);
            Ws_.StimulusGrid.SetCell(0, r, item);
            const Value f =
                r % 10 == 0 ? Value::Missing(MissingReason::NotInLexicon) : Value::Real(freq(rng));
            const Value values[] = {f, Value::Count(n), Value::Text(std::string(n, 'C'))};
            for (int c = 2; c < Ws_.NextCol; ++c) {
                const Value& v = values[c - 2];
                Ws_.Results.SetValue(r, c, v);
                Ws_.OutputGrid.SetCell(c, r, ValueText(*Ws_.Results.FieldOfColumn(c), v, style));
            }
        }
        Ws_.NextRow = kRows + 1;
    }
    ~LargeResults() {
        std::error_code ec;
        fs::remove_all(Dir_, ec);
    }
    Workspace& WS() { return Ws_; }

  private:
    SilentFeedback Ui_;
    fs::path Dir_;
    Workspace Ws_;
};

// One sort of the 100,000 rows by H_MAIZT (each run the other way round).
void BM_SortRows_100000(benchmark::State& state) {
    LargeResults results;
    bool descending = false;
    for (auto _ : state) {
        SortRows(results.WS(), results.WS().Columns.Col_H_MAIZT, descending);
        descending = !descending;
    }
    state.SetItemsProcessed(state.iterations() * LargeResults::kRows);
}
BENCHMARK(BM_SortRows_100000)->Unit(benchmark::kMillisecond);

// The filter line read and applied to the 100,000 rows: a numeric condition, a range and a
// text pattern.
void BM_FilterRows_100000(benchmark::State& state) {
    LargeResults results;
    const char* lines[] = {"H_MAIZT > 2500", "LUZ_L 4-6", "KB_O CCC*"};
    int i = 0, shown = 0;
    for (auto _ : state) {
        std::string error;
        results.WS().Filter = ParseRowFilter(results.WS(), lines[i++ % 3], error);
        shown = results.WS().ShownRowCount();
        benchmark::DoNotOptimize(shown);
    }
    state.SetItemsProcessed(state.iterations() * LargeResults::kRows);
}
BENCHMARK(BM_FilterRows_100000)->Unit(benchmark::kMillisecond);

// The histogram of a field over the whole shipped lexicon: every word measured for the field,
// the values sorted, the bins counted (H_MAIZT, and the letter count LUZ_L and the bigram mean
// BM_TP).
void BM_LexiconHistogram(benchmark::State& state) {
    SilentFeedback ui;
    Workspace ws(ui, ZIRTEL_SHIPPED_DATA);
    ws.Startup();
    const FieldId field = static_cast<FieldId>(state.range(0));
    const std::vector<double> items = {1, 10, 100};
    std::size_t words = 0;
    LexiconDistribution(ws, field); // the tables the field reads, loaded once
    for (auto _ : state) {
        const FieldDistribution d = LexiconDistribution(ws, field);
        const Histogram h = MakeHistogram(items, d.Values, 10);
        words = d.Values.size();
        benchmark::DoNotOptimize(h.Lexicon.data());
    }
    state.counters["words"] = static_cast<double>(words);
}
BENCHMARK(BM_LexiconHistogram)
    ->Arg(FieldIndex(FieldId::kH_MAIZT))
    ->Arg(FieldIndex(FieldId::kLUZ_L))
    ->Arg(FieldIndex(FieldId::kBM_TP))
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

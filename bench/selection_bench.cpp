// Speed of the stimulus selector on the shipped lexicon: 2x2 designs (frequency by length) with
// the pool's statistics measured in the run, as "zirtel --select" does it; and the two halves of
// such a run apart: the pool's statistics, and the rows drawn from a measured pool.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "core/analysis/field_catalogue.h"
#include "core/analysis/workspace.h"
#include "core/feedback/feedback.h"
#include "core/random/random_draw.h"
#include "core/selection/design.h"
#include "core/selection/engine_statistics.h"
#include "core/selection/selection_report.h"
#include "core/selection/selector.h"

namespace fs = std::filesystem;

namespace {

const fs::path kShipped = ZIRTEL_SHIPPED_DATA;

fs::path WriteDesign(const std::string& name, const std::string& text) {
    const fs::path path = fs::temp_directory_path() / name;
    std::ofstream(path) << text;
    return path;
}

int Run(std::vector<std::string> args, std::string& out) {
    args.insert(args.begin(), "zirtel");
    args.push_back("--data-dir");
    args.push_back(kShipped.string());
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    std::ostringstream o, e;
    const int status = zirtel::RunBatch(static_cast<int>(argv.size()), argv.data(), o, e);
    out = o.str();
    return status;
}

// Frequency as LOG10_MAIZT (log10 of the frequency per million + 1): up to 1 per million, and
// 10 per million or more; 4-6 and 7-9 letters; matched on syllables, N and bigram frequency.
const char* const kDesign = "pool lexicon\n"
                            "split LOG10_MAIZT 0-0.31 1.04-5\n"
                            "split LUZ_L 4-6 7-9\n"
                            "control LUZ_S\n"
                            "control N -1 1\n"
                            "control BM_TK -100 100\n"
                            "generate 40 seed 1\n";

// Whole "--select" runs of a design, with further arguments.
void SelectRuns(benchmark::State& state, const std::string& name, const char* text,
                const std::vector<std::string>& more = {}) {
    const fs::path design = WriteDesign(name, text);
    std::vector<std::string> args{"--select", design.string()};
    args.insert(args.end(), more.begin(), more.end());
    std::size_t rows = 0;
    for (auto _ : state) {
        std::string out;
        if (Run(args, out) != 0) state.SkipWithError("--select failed");
        rows = static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n')) - 1;
    }
    state.counters["rows"] = static_cast<double>(rows);
    fs::remove(design);
}

void BM_Select40Rows2x2(benchmark::State& state) {
    SelectRuns(state, "zirtel_bench_select.design", kDesign);
}
BENCHMARK(BM_Select40Rows2x2)->Unit(benchmark::kSecond)->Iterations(1);

// The design of the speed target: Zipf up to 3 (1 per million or less) against 4 and up (10 per
// million or more), by 4-6 against 7-9 letters; matched on syllables (exactly), N (within 1),
// bigram token frequency (within 100) and OLD20 (within 0.3).
const char* const kTargetDesign = "pool lexicon\n"
                                  "split ZIPF 0-3 4-9\n"
                                  "split LUZ_L 4-6 7-9\n"
                                  "control LUZ_S\n"
                                  "control N -1 1\n"
                                  "control BM_TK -100 100\n"
                                  "control OLD20 -0.3 0.3\n"
                                  "generate 40 seed 1\n";

// The whole run: start-up, the pool's statistics on the six fields, 40 rows, the output.
void BM_SelectTargetDesign(benchmark::State& state) {
    SelectRuns(state, "zirtel_bench_target.design", kTargetDesign);
}
BENCHMARK(BM_SelectTargetDesign)->Unit(benchmark::kSecond)->Iterations(1);

// The design of the speed target as a user writes it (frequency 1-3 against 4-7 on the Zipf
// scale, rows matched balanced), whole runs with state.range(0) workers measuring the pool.
const char* const kWorkersDesign = "pool lexicon\n"
                                   "split ZIPF 1-3 4-7\n"
                                   "split LUZ_L 4-6 7-9\n"
                                   "control LUZ_S\n"
                                   "control N -1 1\n"
                                   "control BM_TK -100 100\n"
                                   "control OLD20 -0.3 0.3\n"
                                   "generate 40 match balanced seed 1\n";

void BM_SelectWithWorkers(benchmark::State& state) {
    SelectRuns(state, "zirtel_bench_workers.design", kWorkersDesign,
               {"--jobs", std::to_string(state.range(0))});
}
BENCHMARK(BM_SelectWithWorkers)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kSecond)
    ->Iterations(3)
    ->UseRealTime();

// The pool's statistics alone, as the run measures them: every word of the lexicon on the split
// fields, then the words that fall in a cell on the four controlled fields.
void BM_TargetPoolStatistics(benchmark::State& state) {
    const zirtel::Design design = zirtel::ParseDesign(kTargetDesign).Value;
    const std::vector<int> fields = zirtel::DesignFields(design);
    zirtel::SilentFeedback ui;
    zirtel::Workspace ws(ui, kShipped);
    ws.Startup();
    const auto items = *zirtel::PoolItems(ws.Setup, design, {});
    std::size_t kept = 0;
    for (auto _ : state) {
        zirtel::EngineStatistics stats(ws.Setup, fields, ws.Decimals);
        kept = zirtel::MeasurePool(design, items, stats, true)->Size();
    }
    state.counters["words"] = static_cast<double>(items.size());
    state.counters["in_cells"] = static_cast<double>(kept);
}
BENCHMARK(BM_TargetPoolStatistics)->Unit(benchmark::kSecond)->Iterations(1);

// For comparison: every word of the lexicon on all six fields. Its rows must be the run's.
void BM_WholeLexiconOnSixFields(benchmark::State& state) {
    const zirtel::Design design = zirtel::ParseDesign(kTargetDesign).Value;
    const std::vector<int> fields = zirtel::DesignFields(design);
    zirtel::SilentFeedback ui;
    zirtel::Workspace ws(ui, kShipped);
    ws.Startup();
    const auto items = *zirtel::PoolItems(ws.Setup, design, {});
    zirtel::EngineStatistics stats(ws.Setup, fields, ws.Decimals);
    std::optional<zirtel::MeasuredItems> whole;
    for (auto _ : state) whole = zirtel::MeasureItems(items, fields, stats);
    state.counters["words"] = static_cast<double>(items.size());
    const zirtel::MeasuredItems pool = *zirtel::MeasurePool(design, items, stats, true);
    if (zirtel::LongOutput(*zirtel::Generate(design, *whole, 1), *whole) !=
        zirtel::LongOutput(*zirtel::Generate(design, pool, 1), pool))
        state.SkipWithError("the rows differ from those of the pool measured in two rounds");
}
BENCHMARK(BM_WholeLexiconOnSixFields)->Unit(benchmark::kSecond)->Iterations(1);

// The rows alone, from the measured pool.
void BM_TargetRows(benchmark::State& state) {
    const zirtel::Design design = zirtel::ParseDesign(kTargetDesign).Value;
    const std::vector<int> fields = zirtel::DesignFields(design);
    zirtel::SilentFeedback ui;
    zirtel::Workspace ws(ui, kShipped);
    ws.Startup();
    const auto items = *zirtel::PoolItems(ws.Setup, design, {});
    zirtel::EngineStatistics stats(ws.Setup, fields, ws.Decimals);
    const zirtel::MeasuredItems pool = *zirtel::MeasurePool(design, items, stats, true);
    std::size_t rows = 0;
    for (auto _ : state) rows = zirtel::Generate(design, pool, 1)->Rows.size();
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_TargetRows)->Unit(benchmark::kMillisecond);

// Rows that cannot be made, from a pool of state.range(0) measured items (no lexicon): two cells
// of frequency, N controlled within a range no item reaches; or one cell that no item falls in.
// Each reference fails once, so failing costs time linear in the pool.
zirtel::MeasuredItems SyntheticPool(std::size_t size, const zirtel::Design& design) {
    zirtel::MeasuredItems pool;
    pool.Fields = zirtel::DesignFields(design);
    zirtel::RandomEngine rng(7);
    for (std::size_t i = 0; i < size; ++i) {
        std::vector<zirtel::Value> values;
        for (int f : pool.Fields)
            values.push_back(
                f == zirtel::FindField("N")
                    ? zirtel::Value::Count(static_cast<long long>(zirtel::BoundedDraw(rng, 20)))
                    : zirtel::Value::Real(i % 2 == 0 ? 1.0 : 50.0));
        pool.Add("w" + std::to_string(i), values);
    }
    return pool;
}

void FailingRows(benchmark::State& state, const char* text) {
    const zirtel::Design design = zirtel::ParseDesign(text).Value;
    const zirtel::MeasuredItems pool =
        SyntheticPool(static_cast<std::size_t>(state.range(0)), design);
    std::size_t rows = 0;
    for (auto _ : state) rows = zirtel::Generate(design, pool, 1)->Rows.size();
    if (rows != 0) state.SkipWithError("rows were made");
    state.counters["pool"] = static_cast<double>(pool.Size());
}

void BM_RowsWithImpossibleControls(benchmark::State& state) {
    FailingRows(state, "split H_MAIZT 0-9.99 10-100\ncontrol N 100 200\ngenerate 40 seed 1\n");
}
BENCHMARK(BM_RowsWithImpossibleControls)->Arg(20000)->Arg(150000)->Unit(benchmark::kMillisecond);

void BM_RowsWithAnEmptyCell(benchmark::State& state) {
    FailingRows(state, "split H_MAIZT 0-9.99 10-100 1000-2000\ncontrol N -1 1\n"
                       "generate 40 seed 1\n");
}
BENCHMARK(BM_RowsWithAnEmptyCell)->Arg(20000)->Arg(150000)->Unit(benchmark::kMillisecond);

} // namespace

// The README's design, whole runs without (0) and with (1) the balance report in a file.
const char* const kReadmeDesign = "pool lexicon\n"
                                  "filter JATORRIA euskara mailegua\n"
                                  "split H_MAIZT 0-1 10-100000\n"
                                  "split LUZ_L 4-6 7-9\n"
                                  "control LUZ_S\n"
                                  "control N -1 1\n"
                                  "generate 40 match balanced seed 1\n";

void BM_SelectReadmeDesign(benchmark::State& state) {
    const fs::path design = WriteDesign("zirtel_bench_readme.design", kReadmeDesign);
    const fs::path report = fs::temp_directory_path() / "zirtel_bench_readme_report.tsv";
    std::vector<std::string> args{"--select", design.string()};
    if (state.range(0) == 1) args.insert(args.end(), {"--report", report.string()});
    for (auto _ : state) {
        std::string out;
        if (Run(args, out) != 0) state.SkipWithError("--select failed");
    }
    fs::remove(design);
    fs::remove(report);
}
BENCHMARK(BM_SelectReadmeDesign)->Arg(0)->Arg(1)->Unit(benchmark::kSecond)->Iterations(3);

// The report alone (figures, tables, text) for the README design's 40 rows.
void BM_ReadmeReport(benchmark::State& state) {
    const zirtel::Design design = zirtel::ParseDesign(kReadmeDesign).Value;
    zirtel::SilentFeedback ui;
    zirtel::Workspace ws(ui, kShipped);
    ws.Startup();
    const auto items = *zirtel::PoolItems(ws.Setup, design, {});
    zirtel::EngineStatistics stats(ws.Setup, zirtel::DesignFields(design), ws.Decimals);
    const zirtel::MeasuredItems pool = *zirtel::MeasurePool(design, items, stats, true);
    const zirtel::Selection selection = *zirtel::Generate(design, pool, 1);
    const zirtel::ReportRun run{"zirtel", "bench", {}, {}, ""};
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = zirtel::ReportTsv(zirtel::MakeSelectionReport(design, selection, pool, run)).size();
    state.counters["rows"] = static_cast<double>(selection.Rows.size());
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ReadmeReport)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();

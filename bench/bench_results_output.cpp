// Results out: saving a large results grid, and the batch mode end to end.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "core/analysis/field_catalogue.h"
#include "core/analysis/results_output.h"
#include "core/analysis/workspace.h"
#include "core/text/collation.h"
#include "core/text/format.h"

namespace fs = std::filesystem;
using namespace zirtel;

namespace {

fs::path BenchFolder() {
    const fs::path dir =
        fs::temp_directory_path() / ("zirtel_bench_results_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}

std::string RandomWord(std::mt19937& rng, int minLen, int maxLen) {
    static const std::string letters = "aaabdeeefghiiijklmnoooprsttuuxz";
    std::uniform_int_distribution<int> len(minLen, maxLen),
        pick(0, static_cast<int>(letters.size()) - 1);
    std::string w;
    const int n = len(rng);
    for (int i = 0; i < n; ++i) w += letters[static_cast<std::size_t>(pick(rng))];
    return w;
}

// Saving 10,000 item rows with all 83 fields shown, each cell a 7-character number.
void BM_SaveResults_10000x83(benchmark::State& state) {
    SilentFeedback ui;
    const fs::path dir = BenchFolder();
    Workspace ws(ui, dir);
    ws.Startup();
    for (int f = 0; f < kFieldCount; ++f) ws.Setup.Options.SetFieldTicked(f, true);
    ws.AssignColumns();
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> value(0, 999);
    const int rows = 10000;
    for (int r = 1; r <= rows; ++r) {
        ws.OutputGrid.SetCell(1, r, RandomWord(rng, 3, 12));
        for (int c = 2; c < ws.NextCol; ++c)
            ws.OutputGrid.SetCell(c, r, FormatReal7(value(rng), 2));
    }
    ws.NextRow = rows + 1;
    const fs::path out = dir / "results.txt";
    for (auto _ : state) benchmark::DoNotOptimize(SaveOutputFile(ws, out));
    state.counters["bytes"] = static_cast<double>(fs::file_size(out));
    fs::remove_all(dir);
}
BENCHMARK(BM_SaveResults_10000x83)->Unit(benchmark::kMillisecond);

// The batch mode over 10,000 items with the default fields, start-up included (lexicon load,
// reading the items, analysis, writing the results file). Uses the shipped lexicon when it is
// there, else a generated one of 60,000 entries.
void BM_Batch_10000Items(benchmark::State& state) {
    const fs::path dir = BenchFolder();
    fs::path dataDir = ZIRTEL_SHIPPED_DATA;
    std::mt19937 rng(11);
    if (!fs::exists(dataDir / kWholeWordFile)) {
        dataDir = dir;
        std::vector<std::string> words;
        while (words.size() < 60000) words.push_back(RandomWord(rng, 2, 14));
        std::sort(words.begin(), words.end(),
                  [](const std::string& a, const std::string& b) { return CollateLess(a, b); });
        words.erase(std::unique(words.begin(), words.end(),
                                [](const std::string& a, const std::string& b) {
                                    return CollateCompare(a, b) == 0;
                                }),
                    words.end());
        std::ofstream lex(dir / kWholeWordFile, std::ios::binary);
        std::uniform_real_distribution<double> freq(0.01, 5000);
        for (const std::string& w : words)
            lex << w << '\t' << FormatReal(freq(rng), 0, 2) << '\t' << w.substr(0, 2) << '-'
                << w.substr(2) << '\t' << w.substr(0, 2) << '-' << w.substr(2) << '\n';
        state.counters["lexicon"] = static_cast<double>(words.size());
    }
    {
        std::ofstream items(dir / "items.txt", std::ios::binary);
        for (int i = 0; i < 10000; ++i) items << RandomWord(rng, 3, 12) << '\n';
    }
    const std::string itemsPath = (dir / "items.txt").string(),
                      outPath = (dir / "out.txt").string(), data = dataDir.string();
    const char* argv[] = {"zirtel",     "--batch", itemsPath.c_str(), "--data-dir",
                          data.c_str(), "-o",      outPath.c_str()};
    for (auto _ : state) {
        std::ostringstream out, err;
        benchmark::DoNotOptimize(RunBatch(7, argv, out, err));
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_Batch_10000Items)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// The results grid with every field shown over 100,000 items: the bytes its cells take and the
// time to fill it the way the analysis does (the items first, then each row emptied and its
// fields written left to right); and the whole analysis of 100,000 items into the window's
// workspace. Run the latter alone under /usr/bin/time -v for the peak resident memory:
//   bench_grid_memory --benchmark_filter=AnalyseAll
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "core/analysis/field_catalogue.h"
#include "core/analysis/item_statistics.h"
#include "core/analysis/workspace.h"
#include "core/grid/string_grid.h"

namespace fs = std::filesystem;
using namespace zirtel;

namespace {

constexpr int kItems = 100000;

// 100,000 distinct items: the words of the shipped lexicon, then one-letter changes of them
// (nonwords with neighbours, as stimulus lists have).
std::vector<std::string> BenchItems() {
    std::vector<std::string> words;
    std::ifstream lex(fs::path(ZIRTEL_SHIPPED_DATA) / kWholeWordFile, std::ios::binary);
    std::string line;
    while (std::getline(lex, line)) {
        const std::string word = line.substr(0, line.find('\t'));
        if (word.size() >= static_cast<std::size_t>(kMinItemLength) &&
            word.size() <= static_cast<std::size_t>(kMaxItemLength) &&
            std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
            words.push_back(word);
    }
    std::set<std::string> seen(words.begin(), words.end());
    std::vector<std::string> items;
    // Spread the words over the list so that any prefix of it has words of every kind.
    for (std::size_t i = 0; i < words.size(); ++i)
        items.push_back(words[(i * 7919) % words.size()]);
    static const std::string letters = "aeiouktrnslbdgmz";
    for (std::size_t i = 0; items.size() < static_cast<std::size_t>(kItems); ++i) {
        std::string w = words[(i * 104729) % words.size()];
        w[i % w.size()] = letters[i % letters.size()];
        if (seen.insert(w).second) items.push_back(w);
    }
    items.resize(static_cast<std::size_t>(kItems));
    return items;
}

// A workspace on the shipped data with every field shown.
struct AllFieldsWorkspace {
    SilentFeedback UI;
    Workspace WS{UI, ZIRTEL_SHIPPED_DATA};
    AllFieldsWorkspace() {
        WS.Startup();
        for (int f = 0; f < kFieldCount; ++f) WS.Setup.Options.SetFieldTicked(f, true);
        WS.AssignColumns();
    }
};

// Fills a grid of `rows` item rows as reading the items and then analysing them all does,
// cycling through the rows of `sample` (row 0 the headers; column 1 the item).
void FillLikeAnalysis(StringGrid& grid, const StringGrid& sample, int sampleRows, int cols,
                      int rows) {
    grid.SetColCount(sample.ColCount());
    for (int c = 1; c < cols; ++c) grid.SetCell(c, 0, std::string(sample.Cell(c, 0)));
    grid.SetRowCount(rows + 5);
    for (int r = 1; r <= rows; ++r)
        grid.SetCell(1, r, std::string(sample.Cell(1, 1 + (r - 1) % sampleRows)));
    for (int r = 1; r <= rows; ++r) {
        const int from = 1 + (r - 1) % sampleRows;
        for (int c = 2; c < cols; ++c) grid.SetCell(c, r, std::string());
        for (int c = 2; c < cols; ++c) grid.SetCell(c, r, std::string(sample.Cell(c, from)));
    }
}

void BM_GridFill_100000ItemsAllFields(benchmark::State& state) {
    AllFieldsWorkspace all;
    Workspace& ws = all.WS;
    const std::vector<std::string> items = BenchItems();
    const int sampleRows = 3000;
    ws.OutputGrid.SetRowCount(sampleRows + 5);
    for (int r = 1; r <= sampleRows; ++r)
        ws.OutputGrid.SetCell(1, r, items[static_cast<std::size_t>(r - 1) * 33]);
    for (int r = 1; r <= sampleRows; ++r) ws.AnalyseItem(r);
    std::size_t bytes = 0;
    for (auto _ : state) {
        StringGrid grid(67, 30);
        FillLikeAnalysis(grid, ws.OutputGrid, sampleRows, ws.NextCol, kItems);
        state.PauseTiming();
        bytes = grid.MemoryBytes();
        state.ResumeTiming();
    }
    const double cells = static_cast<double>(kItems) * (ws.NextCol - 1);
    double text = 0;
    for (int r = 1; r <= kItems; ++r)
        for (int c = 1; c < ws.NextCol; ++c)
            text += static_cast<double>(ws.OutputGrid.Cell(c, 1 + (r - 1) % sampleRows).size());
    state.counters["text_bytes_per_cell"] = text / cells;
    state.counters["columns"] = ws.NextCol - 1;
    state.counters["grid_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["bytes_per_cell"] = static_cast<double>(bytes) / cells;
}
BENCHMARK(BM_GridFill_100000ItemsAllFields)->Unit(benchmark::kMillisecond);

// Reading 100,000 items into the window's workspace and analysing them all with every field.
void BM_AnalyseAll_100000ItemsAllFields(benchmark::State& state) {
    const fs::path dir =
        fs::temp_directory_path() / ("zirtel_bench_grid_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    {
        std::ofstream out(dir / "items.txt", std::ios::binary);
        for (const std::string& item : BenchItems()) out << item << '\n';
    }
    for (auto _ : state) {
        state.PauseTiming();
        AllFieldsWorkspace all;
        Workspace& ws = all.WS;
        state.ResumeTiming();
        ws.ReadInputFile(dir / "items.txt");
        ws.AnalyseAll();
        state.PauseTiming();
        state.counters["results_MB"] = static_cast<double>(ws.OutputGrid.MemoryBytes()) / 1e6;
        state.counters["lists_MB"] =
            static_cast<double>(ws.OrthoNeighbours.NeighList.MemoryBytes() +
                                ws.PhonNeighbours.NeighList.MemoryBytes()) /
            1e6;
        state.counters["list_rows"] =
            ws.OrthoNeighbours.NeighList.RowCount() + ws.PhonNeighbours.NeighList.RowCount();
        state.ResumeTiming();
    }
    state.counters["items/s"] = benchmark::Counter(static_cast<double>(kItems),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    fs::remove_all(dir);
}
BENCHMARK(BM_AnalyseAll_100000ItemsAllFields)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();

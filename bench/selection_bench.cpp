// Speed of the stimulus selector on the shipped lexicon: a 2x2 design (frequency by length)
// with the pool's statistics measured in the run, as "zirtel --select" does it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/selection_batch.h"

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
    const int status = zirtel::RunSelection(static_cast<int>(argv.size()), argv.data(), o, e);
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

void BM_Select40Rows2x2(benchmark::State& state) {
    const fs::path design = WriteDesign("zirtel_bench_select.design", kDesign);
    std::size_t rows = 0;
    for (auto _ : state) {
        std::string out;
        if (Run({"--select", design.string()}, out) != 0) state.SkipWithError("--select failed");
        rows = static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n')) - 1;
    }
    state.counters["rows"] = static_cast<double>(rows);
    fs::remove(design);
}
BENCHMARK(BM_Select40Rows2x2)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();

// Loading a large user-defined field file, looking values up, and reading the help files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/analysis/user_field_file.h"
#include "core/analysis/workspace.h"
#include "core/text/rtf_reader.h"

namespace {

namespace fs = std::filesystem;

std::string Word(int i) {
    std::string w;
    for (int k = 0; k < 7; ++k) {
        w.push_back(static_cast<char>('a' + i % 26));
        i /= 26;
    }
    return w;
}

fs::path MakeUserFile(int words) {
    const fs::path path =
        fs::temp_directory_path() / ("zirtel_bench_user_" + std::to_string(words) + ".txt");
    std::ofstream out(path, std::ios::binary);
    out << "Concreteness\n";
    for (int i = 0; i < words; ++i) out << Word(i * 7919) << '\t' << (i % 700) / 100.0 << '\n';
    return path;
}

void BM_LoadUserField(benchmark::State& state) {
    const fs::path path = MakeUserFile(static_cast<int>(state.range(0)));
    zirtel::SilentFeedback ui;
    zirtel::Workspace ws(ui, fs::temp_directory_path());
    for (auto _ : state) benchmark::DoNotOptimize(zirtel::LoadUserField(ws, path, 0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    fs::remove(path);
}
BENCHMARK(BM_LoadUserField)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);

void BM_UserFieldValue(benchmark::State& state) {
    const fs::path path = MakeUserFile(60000);
    zirtel::SilentFeedback ui;
    zirtel::Workspace ws(ui, fs::temp_directory_path());
    zirtel::LoadUserField(ws, path, 0);
    ws.Setup.Options.UntickAllFields();
    ws.Setup.Options.SetTicked("UserField1_Box", true);
    ws.AssignColumns();
    for (int i = 0; i < 1000; ++i) ws.EnterTypedItem(Word(i * 104729));
    zirtel::MeasureContext ctx = ws.Measures();
    zirtel::RowValues cells;
    const zirtel::FieldSet fields = zirtel::MakeFieldSet({zirtel::FieldId::kUSER1});
    for (auto _ : state)
        for (int r = 1; r <= 1000; ++r) {
            cells.Start(ws.Item(r), fields);
            zirtel::WriteUserFields(ctx, cells);
        }
    state.SetItemsProcessed(state.iterations() * 1000);
    fs::remove(path);
}
BENCHMARK(BM_UserFieldValue)->Unit(benchmark::kMicrosecond);

void BM_ReadHelpFile(benchmark::State& state) {
    const fs::path path = fs::path(ZIRTEL_SHIPPED_DATA) / "FieldDescriptions.rtf";
    for (auto _ : state) benchmark::DoNotOptimize(zirtel::ReadRtfFile(path));
}
BENCHMARK(BM_ReadHelpFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

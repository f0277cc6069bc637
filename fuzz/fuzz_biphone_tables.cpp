// A biphone table file ZR_BPF<n>.txt over arbitrary contents; then every label is looked up.
#include "core/analysis/workspace.h"
#include "core/phonology/biphone_tables.h"
#include "fuzz_support.h"

using namespace zirtel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static fuzz::SilentFeedback feedback;
    static Workspace ws(feedback, fuzz::ScratchDir());
    const int phonemes = kMinBiphonePhonemes + data[0] % (kMaxBiphonePhonemes - 1);
    const auto path = fuzz::ScratchDir() / ("ZR_BPF" + std::to_string(phonemes) + ".txt");
    fuzz::WriteBytes(path, fuzz::AsText(data + 1, size - 1));
    // The program reads each table once per run: start from empty tables every time.
    ws.Biphones = BiphoneTables();
    LoadBiphoneTable(ws, phonemes);
    if (ws.Biphones.Loaded(phonemes)) {
        for (const std::string& label : ws.Biphones.BiphoneLabels) {
            const int row = ws.Biphones.Row(phonemes, label);
            if (row < 0) continue;
            for (int p = 0; p < phonemes - 1; ++p) {
                (void)ws.Biphones.TypeCount(phonemes, p, row);
                (void)ws.Biphones.TokenFreq(phonemes, p, row);
            }
        }
    }
    return 0;
}

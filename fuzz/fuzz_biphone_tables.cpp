// A biphone table file ZR_BPF<n>.txt over arbitrary contents; then every label is looked up.
#include "core/phonology/biphone_tables.h"
#include "fuzz_support.h"

using namespace zirtel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static fuzz::SilentFeedback feedback;
    static BiphoneTables tables;
    const int phonemes = kMinBiphonePhonemes + data[0] % (kMaxBiphonePhonemes - 1);
    const auto path = fuzz::ScratchDir() / ("ZR_BPF" + std::to_string(phonemes) + ".txt");
    fuzz::WriteBytes(path, fuzz::AsText(data + 1, size - 1));
    // The program reads each table once per run: start from empty tables every time.
    tables = BiphoneTables();
    LoadBiphoneTable(tables, fuzz::ScratchDir(), phonemes, feedback);
    if (tables.Loaded(phonemes)) {
        for (const std::string& label : tables.BiphoneLabels) {
            const int row = tables.Row(phonemes, label);
            if (row < 0) continue;
            for (int p = 0; p < phonemes - 1; ++p) {
                (void)tables.TypeCount(phonemes, p, row);
                (void)tables.TokenFreq(phonemes, p, row);
            }
        }
    }
    return 0;
}

// A bigram table file ZR_BF<n>.txt over arbitrary contents; then every cell is read back.
#include "core/measures/bigram_tables.h"
#include "fuzz_support.h"

using namespace zirtel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static fuzz::SilentFeedback feedback;
    static BigramTables tables;
    const int length = kBigramMinLength + data[0] % kBigramLengths;
    const auto path = fuzz::ScratchDir() / BigramFileName(length);
    fuzz::WriteBytes(path, fuzz::AsText(data + 1, size - 1));
    tables.Read(length, path, feedback);
    if (tables.Loaded(length)) {
        long long sum = 0;
        for (int p = 0; p < length - 1; ++p)
            for (int b = 0; b < kBigramCount; ++b) {
                sum += tables.Type(length, p, b);
                if (tables.Token(length, p, b) > 0) ++sum;
            }
        (void)sum;
    }
    return 0;
}

// Items from an input file, pasted text and the entry line, over arbitrary bytes.
#include "core/analysis/workspace.h"
#include "fuzz_support.h"

using namespace zirtel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static fuzz::SilentFeedback feedback;
    Workspace ws(feedback, fuzz::ScratchDir() / "empty-data");
    ws.PrepareGrids();
    const std::string text(fuzz::AsText(data + 1, size - 1));
    switch (data[0] % 3) {
    case 0: {
        const auto path = fuzz::ScratchDir() / "items.txt";
        fuzz::WriteBytes(path, text);
        ws.ReadInputFile(path);
        break;
    }
    case 1:
        ws.PasteItems(text);
        break;
    default: {
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            ws.EnterTypedItem(text.substr(start, end - start));
            start = end + 1;
        }
        break;
    }
    }
    return 0;
}

// Text decoding and the small parsers every reader uses, over arbitrary bytes.
#include "core/text/latin1.h"
#include "core/text/text_file.h"
#include "fuzz_support.h"

using namespace zirtel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);
    const auto path = fuzz::ScratchDir() / "text.txt";
    fuzz::WriteBytes(path, text);
    const auto file = ReadTextFile(path);
    (void)IsValidUtf8(text);
    const Latin1Conversion latin = Utf8ToLatin1(text);
    const std::string utf8 = Latin1ToUtf8(text);
    // Latin-1 written as UTF-8 reads back unchanged.
    if (Utf8ToLatin1(utf8).Text != text) __builtin_trap();
    (void)LowerLatin1(text);
    (void)UpperLatin1(text);
    (void)LowerAscii(text);
    (void)UpperAscii(text);
    (void)Trim(text);
    (void)CountLineFeeds(text);
    if (file) {
        for (std::string_view line : SplitLines(file->Text))
            for (std::string_view token : SplitTokens(line)) {
                (void)ParseFloat(token);
                (void)ParseInt(token);
            }
    }
    (void)ParseFloat(text);
    (void)ParseInt(text);
    (void)latin;
    return 0;
}

// The RTF reader of the help files over arbitrary bytes.
#include "core/text/rtf_reader.h"
#include "fuzz_support.h"

using namespace zirtel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const RtfDocument doc = ParseRtf(fuzz::AsText(data, size));
    (void)doc.PlainText();
    for (const RtfParagraph& p : doc.Paragraphs) (void)p.Text();
    return 0;
}

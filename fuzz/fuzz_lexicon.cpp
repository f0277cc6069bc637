// The whole-word and lemma lexicon readers and the origin file's reader over arbitrary file
// contents.
#include "core/lexicon/lexicon.h"
#include "fuzz_support.h"

using namespace zirtel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static fuzz::SilentFeedback feedback;
    const auto path = fuzz::ScratchDir() / "lexicon.txt";
    const std::string_view text = fuzz::AsText(data + 1, size - 1);
    fuzz::WriteBytes(path, text);
    if (data[0] & 2) {
        WordOrigins origins;
        LoadWordOrigins(path, origins, feedback);
        for (const std::string& w : origins.Words) (void)origins.Find(w);
        (void)origins.Find(text.substr(0, 20));
        return 0;
    }
    Lexicon lex;
    if (data[0] & 1)
        LoadLemmaLexicon(path, lex, feedback);
    else
        LoadWholeWordLexicon(path, lex, feedback);
    // Look up every word and pronunciation it holds, and the first bytes as a word.
    for (int i = 0; i < lex.Size(); ++i) {
        (void)lex.Find(lex.LexWords[static_cast<std::size_t>(i)]);
        (void)lex.FindHomophone(i);
    }
    for (const std::string& p : lex.LexPhonForms) (void)lex.FindPronunciation(RemoveHyphens(p));
    (void)lex.Find(text.substr(0, 20));
    return 0;
}

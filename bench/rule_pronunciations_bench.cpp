// Speed of AnalyseAll over 10,000 nonwords pronounced by the rules ("Sasihitzak arauz
// ahoskatu"), every field that reads a pronunciation or a syllabification ticked.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "core/analysis/workspace.h"
#include "core/feedback/feedback.h"

namespace zirtel {
namespace {

// A pronounceable nonword of two to four consonant-vowel syllables, not a word of the lexicon.
std::string Nonword(std::mt19937& rng, const Lexicon& lex) {
    static const char* const onsets[] = {"b", "d", "g", "k", "l", "m",  "n",  "p",  "r",
                                         "s", "t", "z", "x", "h", "tx", "tz", "ts", "rr"};
    static const char* const vowels[] = {"a", "e", "i", "o", "u", "ai", "au", "ei"};
    for (;;) {
        std::string w;
        const int syllables = 2 + static_cast<int>(rng() % 3);
        for (int s = 0; s < syllables; ++s) {
            w += onsets[rng() % std::size(onsets)];
            w += vowels[rng() % std::size(vowels)];
        }
        if (rng() % 3 == 0) w += "n";
        if (lex.Find(w) < 0) return w;
    }
}

// Argument 1: PLD20 ticked too (its Levenshtein index is built before the timing).
void BM_AnalyseAll10kNonwordsByRules(benchmark::State& state) {
    SilentFeedback ui;
    Workspace ws(ui, ZIRTEL_SHIPPED_DATA);
    ws.Startup();
    ws.Setup.Options.SetTicked("W_FREQ_Box", false);
    ws.Setup.Options.SetTicked("RulePronBox", true);
    for (const char* box :
         {"DISCBox",  "P1Box",       "HomophonyBox", "PronSourceBox", "CV_PBox",   "LenSBox",
          "LenPBox",  "OrthSyllBox", "PNBox",        "PN1Box",        "PN2Box",    "PN3Box",
          "PN4Box",   "PPBox",       "HFPNBox",      "LFPNBox",       "PNFmaxBox", "PNFminBox",
          "PNFmuBox", "PNFsigmaBox", "TokenBPFBox",  "TypeBPFBox",    "SLBPFBox",  "MLBPFBox"})
        ws.Setup.Options.SetTicked(box, true);
    ws.Setup.Options.SetTicked("PLD20Box", state.range(0) == 1);
    for (const char* kind : {"PSF", "OSF"})
        for (int p = 1; p <= 3; ++p)
            for (const char* value : {"_TP_Box", "_TK_Box", "_Max_Box"})
                ws.Setup.Options.SetTicked(kind + std::to_string(p) + value, true);
    ws.AssignColumns();
    std::mt19937 rng(14);
    std::string text;
    for (int i = 0; i < 10000; ++i) text += Nonword(rng, ws.Setup.WholeWords) + "\n";
    ws.PasteItems(text); // analyses once: the biphone files are read, the syllable tables built
    int pronounced = 0;
    for (int row = 1; row <= 10000; ++row)
        pronounced += ws.OutputGrid.Cell(ws.Columns.Col_AHOS_ITURRI, row) == "arauak" ? 1 : 0;
    if (pronounced != 10000) {
        state.SkipWithError("not every nonword was pronounced by the rules");
        return;
    }
    for (auto _ : state) ws.AnalyseAll();
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_AnalyseAll10kNonwordsByRules)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zirtel

BENCHMARK_MAIN();

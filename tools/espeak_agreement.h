// How far the lexicon's pronunciations agree with eSpeak NG's Basque voice: a fixed random
// sample of forms is read by `espeak-ng -v eu -x`, its phoneme mnemonics are written in the
// lexicon's 26 symbols, and the two are compared without syllable and stress marks.
#pragma once

#include <string>
#include <vector>

namespace zirtel::tools {

// eSpeak NG's phonemes of one word ("e_tS_'e_,a", as --sep=_ writes them) in the lexicon's
// symbols (E t x E A); a mnemonic with no counterpart is written "?".
std::string EspeakToInventory(const std::string& espeak);

// The pronunciation with the accepted variants written one way, on both sides: n and l
// palatalised after i (J, L after I or y are n, l), the nasal before a consonant (N, m are n),
// j read as [x] in loans (eSpeak's x, written "H", is j).
std::string VariantsSetAside(const std::string& phonemes);

struct Agreement {
    int Compared = 0;
    int Identical = 0;
    int UpToVariants = 0; // identical once the accepted variants are set aside (includes Identical)
};

// Compares pronunciations (the lexicon's, with "-" and stress marks) with eSpeak NG's readings
// of the same words (EspeakToInventory).
Agreement Compare(const std::vector<std::string>& ours, const std::vector<std::string>& espeak);

// eSpeak NG's readings of the words (UTF-8), in the lexicon's symbols, from one run of
// `program -v eu -q -x --sep=_ -f FILE`. Throws std::runtime_error when it fails.
std::vector<std::string> EspeakReadings(const std::vector<std::string>& words,
                                        const std::string& program);

// `count` indexes below `size` drawn with a fixed seed, in increasing order.
std::vector<std::size_t> FixedSample(std::size_t size, std::size_t count, unsigned seed);

} // namespace zirtel::tools

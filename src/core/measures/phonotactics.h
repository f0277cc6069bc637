// Phonotactic probability (Vitevitch & Luce 2004): how probable an item's segments and segment
// pairs are at their positions among the whole-word lexicon's words, each word weighted by the
// common logarithm of its corpus count. Over pronunciations (without syllable and stress marks)
// for FP_SEG and FP_BIF, over letters (lower case, accents folded as the bigram tables fold
// them) for OP_SEG and OP_BIF.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/fields/measure_context.h"

namespace zirtel {

class Lexicon;

// The positional weights of one kind of segment (letters or phonemes).
class PhonotacticTable {
  public:
    // `keys[i]` is entry i's letters or phonemes, `weights[i]` its weight.
    PhonotacticTable(const std::vector<std::string>& keys, const std::vector<double>& weights);

    // The sum over the key's positions of the segment probabilities: the weight of the words
    // with that segment at that position over the weight of the words that reach the position;
    // a position no word reaches adds 0.
    double SegmentSum(std::string_view key) const;
    // The same for the pairs at positions i, i + 1.
    double BiphoneSum(std::string_view key) const;

  private:
    std::vector<std::array<double, 256>> Segments_;                // [position][byte]
    std::vector<std::unordered_map<std::uint16_t, double>> Pairs_; // [position][pair]
    std::vector<double> Reaching_;     // [position]: weight of the words that have it
    std::vector<double> PairReaching_; // [position]: weight of the words that have i and i + 1
};

// The weight of a word of the whole-word lexicon: log10 of its corpus count, its frequency per
// million times the corpus size (kCorpusMillions).
double PhonotacticWeight(float perMillion);

// The letters and the phonemes as the tables take them.
std::string PhonotacticLetters(std::string_view word);
std::string PhonotacticPhonemes(std::string_view pronunciation);

// FP_SEG, FP_BIF (the item's pronunciation, the lexicon's or the rules'; "   -  " without one),
// OP_SEG, OP_BIF.
void WritePhonotacticProbability(MeasureContext& ctx, RowValues& values);

} // namespace zirtel

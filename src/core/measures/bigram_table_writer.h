// Writes the positional letter-pair and phoneme-pair tables (ZR_BF<n>.txt, ZR_BPF<n>.txt) from a
// lexicon's words, pronunciations and frequencies, in the layout the program reads back:
//   - one header line naming the columns;
//   - then one row per pair, in table order: for letters 729 rows in bigram index order
//     (27 * LetterIndex(first) + LetterIndex(second), after FoldAccents), for phonemes 676 rows
//     in inventory order (first symbol major);
//   - each row: the pair written as its two letters or symbols, the n - 1 type counts (number of
//     words with that pair at positions 1 to n - 1), then the n - 1 token sums (the sums of those
//     words' frequencies, two decimals); fields separated by tabs, lines ended by a line feed.
// Only words of exactly n letters (or n phonemes) count. A pair with a letter outside the
// alphabet (or a symbol outside the inventory) has no row and is not counted.
#pragma once

#include <string>
#include <vector>

namespace zirtel {

// Counts of one table: [position 0..n-2][row].
struct PairTable {
    int Length = 0; // n: letters or phonemes per word
    int Rows = 0;   // 729 or 676
    std::vector<std::vector<int>> Types;
    std::vector<std::vector<double>> Tokens;
};

// Letter pairs of the words (Latin-1) of `length` letters, 2 <= length <= 18.
PairTable CountBigrams(const std::vector<std::string>& words, const std::vector<float>& freqs,
                       int length);
// Phoneme pairs of the pronunciations of `phonemeCount` phonemes once "-" and the stress marks
// (' and ") are removed, 2 <= phonemeCount <= 18.
PairTable CountBiphones(const std::vector<std::string>& pronunciations,
                        const std::vector<float>& freqs, int phonemeCount);

// The text of ZR_BF<n>.txt / ZR_BPF<n>.txt for the table, UTF-8 (ñ written as ñ).
std::string BigramTableFileText(const PairTable& table);
std::string BiphoneTableFileText(const PairTable& table);

// The pronunciation's phonemes: "-" and the stress marks removed.
std::string PhonemesOnly(const std::string& pronunciation);

} // namespace zirtel

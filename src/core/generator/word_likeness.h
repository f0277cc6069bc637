// How well a set of pseudowords passes for words by its letters alone (after Keuleers &
// Brysbaert 2011): the pseudowords are mixed with as many lexicon words of the same lengths,
// drawn with a seed, and each string of the mix is classified as the kind (pseudoword or word)
// of its nearest other string (Levenshtein distance on the letters as the neighbour search folds
// them; of strings equally near, the first in the program's collation). An accuracy near 50 %
// means the set cannot be told from words this way; the pseudowords whose nearest strings are
// all pseudowords give it away.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zirtel {

struct WordLikeness {
    std::size_t Pseudowords = 0; // in the mix
    std::size_t Words = 0;
    std::size_t Correct = 0; // strings whose nearest other string is of their own kind
    // Up to five pseudowords whose nearest strings are all pseudowords, the farthest from any
    // word (beyond their nearest) first, equal ones in collation order.
    std::vector<std::string> Telling;
    // Correct over the strings of the mix, in per cent; 0 for an empty mix.
    double Accuracy() const;
};

// One lexicon word for each pseudoword, of its length, drawn with `seed` without repeats from
// `lexiconWords` (Latin-1), none that is one of the pseudowords (letter case and accents folded);
// a pseudoword whose length no word has left gets none.
std::vector<std::string> LengthMatchedWords(const std::vector<std::string>& lexiconWords,
                                            const std::vector<std::string>& pseudowords,
                                            std::uint64_t seed);

// Classifies every string of the mix of `pseudowords` and `words` by its nearest other string.
WordLikeness ClassifyByNearest(const std::vector<std::string>& pseudowords,
                               const std::vector<std::string>& words);

// "65.0 % of 40 strings told apart by their nearest neighbour (50 % is chance)", followed by
// "; most telling: gala, mela" when some pseudowords give the set away (Latin-1).
std::string WordLikenessText(const WordLikeness& likeness);

} // namespace zirtel

// OLD20 and PLD20 of one item: the mean Levenshtein distance to the 20 closest words of the
// whole-word lexicon, over spellings and over pronunciations. The whole-word lexicon is used in
// lemma mode too, since a neighbourhood is made of word forms. Each index is built the first time
// its field is requested after the lexicon is loaded.
#pragma once

#include <string_view>

#include "core/fields/measure_context.h"
#include "core/neighbours/known_neighbourhoods.h"

namespace zirtel {

// OLD20: the item lower-cased with its accents folded; PLD20: the item's pronunciation in the
// lexicon, or the rules' for an item the lexicon lacks while the context says so, without
// syllable and stress marks ("   -  " for an item without one). Fewer than 20 words at a
// distance above 0: "   -  ".
void WriteLevenshteinNeighbourhood(MeasureContext& ctx, RowValues& values);

// The searched neighbourhood of one key: the mean distance to the 20 closest entries of the
// index and, when `zipf`, the mean Zipf value of the entries that enter it (every entry tied at
// the 20th distance included; `words` gives their frequencies, entry for entry of the index).
// What the fields give when the data folder does not know the key, and what the data builder
// writes for the keys it knows.
Neighbourhood MeasureNeighbourhood(const Lexicon& words, const LevenshteinIndex& index,
                                   std::string_view key, bool zipf);
// The key's neighbourhood as the table knows it, else searched.
Neighbourhood NeighbourhoodOf(const LevenshteinTable& table, const Lexicon& words,
                              std::string_view key, bool zipf);

} // namespace zirtel

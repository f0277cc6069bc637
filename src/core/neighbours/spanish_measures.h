// The item against Spanish, for bilingual readers: whether the string is also a Spanish word and
// how frequent (ES_MAIZT, ES_ZIPF), its Spanish substitution neighbours (ES_N, ES_N_MAIZT) and
// its OLD20 over the Spanish words (ES_OLD20), all on the Spanish subtitle forms, or on the
// Spanish lemmas while the Basque lemmas are current; and the Spanish translation of the item's
// lemma (ITZULPENA) with its similarity to the lemma (KOGNATU). The Spanish files are read the
// first time one of these fields is measured.
#pragma once

#include <string_view>
#include <vector>

#include "core/fields/measure_context.h"
#include "core/fields/neighbour_record.h"

namespace zirtel {

class SpanishWords;

// The Spanish words one letter replaced away from the word (letter case and accents ignored):
// how many, and the sum of their frequencies (ES_N, ES_N_MAIZT).
struct SpanishNeighbours {
    int Count = 0;
    double FreqSum = 0.0;
};
SpanishNeighbours FindSpanishNeighbours(const SpanishWords& words, std::string_view word);

// Records the Spanish neighbours for the lists: the substitution neighbours and, when asked, the
// deletion and addition neighbours, by kind and position as the Basque search records them, each
// with its shown form and frequency, marked Spanish and `listed`.
void RecordSpanishNeighbours(const SpanishWords& words, std::string_view word, bool deletions,
                             bool additions, bool listed, std::vector<NeighbourRecord>& records);

// 1 - Levenshtein(a, b) / the longer length, over the two spellings lower-cased with their
// accents folded; 1 for two empty spellings.
double SpellingSimilarity(std::string_view a, std::string_view b);

// Writes the requested fields of the group "Gaztelania". Letter case and accents are ignored
// (está and esta are one Spanish word, with their frequencies added). An item that is no Spanish
// word has ES_MAIZT and ES_ZIPF missing ("   -  "); fewer than 20 Spanish words at a distance
// above 0 leave ES_OLD20 missing; a form whose lemma has no translation shows "-1" for
// ITZULPENA and "   -  " for KOGNATU. In lemma mode the item is taken as a lemma.
void WriteSpanishMeasures(MeasureContext& ctx, RowValues& values);

} // namespace zirtel

// Syllable frequencies of one item: for its first, second or third syllable, the type count,
// token sum and maximum frequency of that syllable at that place among the whole-word lexicon's
// words with as many syllables as the item (two or three). Spoken syllables (FSM*) come from
// the pronunciations, written syllables (OSM*) from the orthographic syllabifications. The
// item is looked up in the whole-word lexicon, also while the lemmas are current.
#pragma once

#include "core/fields/measure_context.h"

namespace zirtel {

// FSM1_TP .. FSM3_MAX. Builds the spoken syllable tables on first demand.
void WritePhonSyllableFrequencies(MeasureContext& ctx, RowValues& values);
// OSM1_TP .. OSM3_MAX. Builds the written syllable tables on first demand.
void WriteOrthSyllableFrequencies(MeasureContext& ctx, RowValues& values);

} // namespace zirtel

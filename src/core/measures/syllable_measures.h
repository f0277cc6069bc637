// Syllable frequencies of one item: for its first, second or third syllable, the type count,
// token sum and maximum frequency of that syllable at that place among the whole-word lexicon's
// words with as many syllables as the item (two or three). Spoken syllables (FSM*) come from
// the pronunciations, written syllables (OSM*) from the orthographic syllabifications. The
// item is looked up in the whole-word lexicon, also while the lemmas are current.
#pragma once

namespace zirtel {

class Workspace;

// FSM<position>_TP, FSM<position>_TK, FSM<position>_MAX; position 1..3. Builds the spoken
// syllable tables on first demand.
void WritePhonSyllableFrequency(Workspace& ws, int row, int position);
// OSM<position>_TP, OSM<position>_TK, OSM<position>_MAX; position 1..3. Builds the written
// syllable tables on first demand.
void WriteOrthSyllableFrequency(Workspace& ws, int row, int position);

} // namespace zirtel

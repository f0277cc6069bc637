// Measures of the item's pronunciation (DISC symbols, "-" between syllables, the stress marks
// ' and " before stressed syllables): the pronunciation itself (AHOSKERA), its first phoneme
// (1F), its consonant/vowel pattern (KB_F), its length in syllables (LUZ_S) and in phonemes
// (LUZ_F), a homophone (HOM), and where the pronunciation comes from (AHOS_ITURRI).
// Pronunciations belong to the whole-word lexicon: the item is looked up there, also while the
// lemmas are current; an item it lacks is pronounced by the rules while the context says so
// (PronounceItem), and its HOM is then its pseudohomophone.
#pragma once

#include <string>
#include <string_view>

#include "core/fields/measure_context.h"

namespace zirtel {

// AHOSKERA and 1F, whichever are shown.
void WritePronunciation(MeasureContext& ctx, RowValues& values);
void WritePhonCVPattern(MeasureContext& ctx, RowValues& values);       // KB_F
void WriteHomophone(MeasureContext& ctx, RowValues& values);           // HOM
void WriteSyllableLength(MeasureContext& ctx, RowValues& values);      // LUZ_S
void WritePhonemeLength(MeasureContext& ctx, RowValues& values);       // LUZ_F
void WritePronunciationSource(MeasureContext& ctx, RowValues& values); // AHOS_ITURRI

// The consonant/vowel pattern of a pronunciation: C or V per phoneme, marks skipped.
std::string PhonCVPattern(std::string_view pronunciation);
// Phonemes of a pronunciation: its characters that are not marks (' " -).
int PhonemeCount(std::string_view pronunciation);

} // namespace zirtel

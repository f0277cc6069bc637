// Measures of the item's pronunciation (DISC symbols, "-" between syllables, the stress marks
// ' and " before stressed syllables): the pronunciation itself (AHOSKERA), its first phoneme
// (1F), its consonant/vowel pattern (KB_F), its length in syllables (LUZ_S) and in phonemes
// (LUZ_F), and a homophone (HOM). Pronunciations belong to the whole-word lexicon: the item is
// looked up there, also while the lemmas are current.
#pragma once

#include <string>
#include <string_view>

#include "core/fields/measure_context.h"

namespace zirtel {

// AHOSKERA and 1F, whichever are shown.
void WritePronunciation(MeasureContext& ctx, RowCells& cells);
void WritePhonCVPattern(MeasureContext& ctx, RowCells& cells);  // KB_F
void WriteHomophone(MeasureContext& ctx, RowCells& cells);      // HOM
void WriteSyllableLength(MeasureContext& ctx, RowCells& cells); // LUZ_S
void WritePhonemeLength(MeasureContext& ctx, RowCells& cells);  // LUZ_F

// The consonant/vowel pattern of a pronunciation: C or V per phoneme, marks skipped.
std::string PhonCVPattern(std::string_view pronunciation);
// Phonemes of a pronunciation: its characters that are not marks (' " -).
int PhonemeCount(std::string_view pronunciation);

} // namespace zirtel

// Lexical and letter-structure measures of one item: word frequency (H_MAIZT), log frequency
// (LOG10_MAIZT), the Zipf scale (ZIPF), length in letters (LUZ_L), the written consonant/vowel
// pattern (KB_O), the orthographic syllabification (ORT_SILAB), letter repetition (ERREP) and the
// word's origin (JATORRIA). Each writes its own field when that field is requested.
#pragma once

#include <optional>

#include "core/fields/measure_context.h"

namespace zirtel {

void WriteWordFrequency(MeasureContext& ctx, RowValues& values);
void WriteLogFrequency(MeasureContext& ctx, RowValues& values);
// ZIPF: log10(frequency per million) + 3 with the current lexicon's frequency; missing (not in
// the lexicon, "   -  ") for an item not in it or with frequency 0.
void WriteZipf(MeasureContext& ctx, RowValues& values);
void WriteLetterLength(MeasureContext& ctx, RowValues& values);
void WriteOrthCVPattern(MeasureContext& ctx, RowValues& values);
void WriteOrthSyllabification(MeasureContext& ctx, RowValues& values);
void WriteLetterRepetition(MeasureContext& ctx, RowValues& values);
// JATORRIA: the item's origin in the origin file (read on the first item that asks for it),
// whichever lexicon is current; missing for an item the file does not list.
void WriteWordOrigin(MeasureContext& ctx, RowValues& values);

} // namespace zirtel

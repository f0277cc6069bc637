// Lexical and letter-structure measures of one item: word frequency (H_MAIZT), log frequency
// (LOG10_MAIZT), length in letters (LUZ_L), the written consonant/vowel pattern (KB_O), the
// orthographic syllabification (ORT_SILAB) and letter repetition (ERREP). Each writes its own
// field when that field is requested.
#pragma once

#include "core/fields/measure_context.h"

namespace zirtel {

void WriteWordFrequency(MeasureContext& ctx, RowCells& cells);
void WriteLogFrequency(MeasureContext& ctx, RowCells& cells);
void WriteLetterLength(MeasureContext& ctx, RowCells& cells);
void WriteOrthCVPattern(MeasureContext& ctx, RowCells& cells);
void WriteOrthSyllabification(MeasureContext& ctx, RowCells& cells);
void WriteLetterRepetition(MeasureContext& ctx, RowCells& cells);

} // namespace zirtel

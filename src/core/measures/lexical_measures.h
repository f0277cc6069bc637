// Lexical and letter-structure measures of one item: word frequency (H_MAIZT), log frequency
// (LOG10_MAIZT), length in letters (LUZ_L), the written consonant/vowel pattern (KB_O), the
// orthographic syllabification (ORT_SILAB) and letter repetition (ERREP). Each writes its own
// column of the item's row when that column is shown.
#pragma once

namespace zirtel {

class Workspace;

void WriteWordFrequency(Workspace& ws, int row);
void WriteLogFrequency(Workspace& ws, int row);
void WriteLetterLength(Workspace& ws, int row);
void WriteOrthCVPattern(Workspace& ws, int row);
void WriteOrthSyllabification(Workspace& ws, int row);
void WriteLetterRepetition(Workspace& ws, int row);

} // namespace zirtel

// Transposed-letter words: lexicon words that differ from the item by swapping two adjacent
// letters (TL, TL_MAIZT, TL_KOK) or two letters with one letter between them (NATL). The item
// is lower-cased (A-Z) and its accented vowels are taken as plain vowels; ñ stays ñ. Candidates
// are looked up in the current lexicon; where several are words, the one at the highest
// position is shown.
#pragma once

#include <string>
#include <string_view>

#include "core/fields/measure_context.h"

namespace zirtel {

class Lexicon;

struct Transposition {
    std::string Word; // the candidate as formed (normalised and swapped)
    int Entry = -1;   // its lexicon entry, -1 when none was found
    int Position = 0; // 1-based position of the first swapped letter
};

// The transposition of the letters at distance `distance` (1: adjacent, 2: one letter between)
// with the highest position whose candidate is a word of the lexicon; Entry -1 when none is.
Transposition FindTransposition(const Lexicon& lexicon, std::string_view item, int distance);

// TL, TL_MAIZT and TL_KOK, whichever are shown.
void WriteTransposedLetters(MeasureContext& ctx, RowValues& values);
// NATL.
void WriteNonAdjacentTransposition(MeasureContext& ctx, RowValues& values);

} // namespace zirtel

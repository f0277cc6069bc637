// The OLD20 the generator reports for templates and pseudowords: the mean Levenshtein distance
// from the word to its 20 closest words of the whole-word lexicon, the word itself (distance 0)
// not counted; nothing when fewer than 20 words are left.
#pragma once

#include "core/generator/pseudoword_generator.h"
#include "core/lexicon/lexicon.h"

namespace zirtel {

// A function over the lexicon's words as they are now (it keeps its own copy of what it needs).
PseudowordGenerator::Old20Function MakeOld20Function(const Lexicon& lexicon);

} // namespace zirtel

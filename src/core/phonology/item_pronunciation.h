// The pronunciation and syllabification of an item, and where they came from: the whole-word
// lexicon when the item is one of its words, else (when asked for) the pronunciation rules and
// the syllabifier applied to the lower-cased item. Every measure that reads a pronunciation or a
// syllabification takes them from here.
#pragma once

#include <string>
#include <string_view>

#include "core/fields/item_phonology.h"
#include "core/fields/measure_context.h"
#include "core/lexicon/lexicon.h"

namespace zirtel {

class RowValues;

// The item's pronunciation and syllabification. An item found in `wholeWords` (letter case
// ignored) gets its entry's; any other item gets the rules' when `useRules` is set and the rules
// can pronounce it (no digit, apostrophe or other letter outside the rules, at least one vowel),
// and none otherwise. Entry is the item's entry whenever it is a word, even of a lexicon without
// pronunciations.
ItemPhonology PronounceItem(const Lexicon& wholeWords, std::string_view item, bool useRules);

// The phonology of the item being measured, as PronounceItem gives it for the context's
// whole-word lexicon and its rule option: worked out on the first call for the item and kept in
// `values` until the next item starts.
const ItemPhonology& ItemPhonologyOf(const MeasureContext& ctx, RowValues& values);

// The pseudohomophone of a pronunciation: the first entry in list order whose pronunciation
// equals `pronunciation` exactly (syllable marks included), or -1.
int FindPseudohomophone(const Lexicon& wholeWords, std::string_view pronunciation);

// The text of the pronunciation source field: "hiztegia", "arauak", or empty.
const char* PronunciationSourceText(PronunciationSource source);

} // namespace zirtel

// The pronunciation and syllabification of an item, and where they came from: the whole-word
// lexicon when the item is one of its words, else (when asked for) the pronunciation rules and
// the syllabifier applied to the lower-cased item. Every measure that reads a pronunciation or a
// syllabification takes them from here.
#pragma once

#include <string>
#include <string_view>

#include "core/lexicon/lexicon.h"

namespace zirtel {

enum class PronunciationSource {
    None,    // neither the lexicon nor the rules give one
    Lexicon, // the item's entry in the whole-word lexicon
    Rules,   // the rules, for an item not in the whole-word lexicon
};

struct ItemPhonology {
    PronunciationSource Source = PronunciationSource::None;
    int Entry = -1;        // the whole-word lexicon entry when Source is Lexicon, else -1
    std::string Phon;      // the pronunciation, syllables separated by "-"
    std::string Syllables; // the written syllables, separated by "-"

    bool Known() const { return Source != PronunciationSource::None; }
};

// The item's pronunciation and syllabification. An item found in `wholeWords` (letter case
// ignored) gets its entry's; any other item gets the rules' when `useRules` is set and the rules
// can pronounce it (no digit, apostrophe or other letter outside the rules, at least one vowel),
// and none otherwise.
ItemPhonology PronounceItem(const Lexicon& wholeWords, std::string_view item, bool useRules);

// The pseudohomophone of a pronunciation: the first entry in list order whose pronunciation
// equals `pronunciation` exactly (syllable marks included), or -1.
int FindPseudohomophone(const Lexicon& wholeWords, std::string_view pronunciation);

// The text of the pronunciation source field: "hiztegia", "arauak", or empty.
const char* PronunciationSourceText(PronunciationSource source);

} // namespace zirtel

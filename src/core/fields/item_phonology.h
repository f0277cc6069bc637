// The pronunciation and syllabification of the item being measured, and where they came from.
// They are worked out once per item (ItemPhonologyOf, in phonology/item_pronunciation.h) and
// kept with the item's values, so that every measure that reads them shares one lexicon lookup
// and one run of the rules.
#pragma once

#include <string>

namespace zirtel {

enum class PronunciationSource {
    None,    // neither the lexicon nor the rules give one
    Lexicon, // the item's entry in the whole-word lexicon
    Rules,   // the rules, for an item not in the whole-word lexicon
};

struct ItemPhonology {
    PronunciationSource Source = PronunciationSource::None;
    int Entry = -1;        // the item's whole-word lexicon entry, else -1
    std::string Phon;      // the pronunciation, syllables separated by "-"
    std::string Syllables; // the written syllables, separated by "-"

    bool Known() const { return Source != PronunciationSource::None; }
};

} // namespace zirtel

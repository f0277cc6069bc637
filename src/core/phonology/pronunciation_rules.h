// The pronunciation rules of Basque spelling: a written word becomes a string of symbols of the
// 26-symbol phoneme inventory (kPhonemeSymbols), one character per phoneme, with "-" between
// syllables and no stress marks. Syllables follow the orthographic syllabification. The
// letter-by-letter rules are set out in pronunciation_rules.cpp where they are applied.
#pragma once

#include <string>
#include <string_view>

namespace zirtel {

enum class PronunciationOutcome {
    Ok,
    LetterOutsideRules, // a letter the rules do not cover (not a-z, ñ, á é í ó ú ü)
    NoVowel,            // no vowel letter, hence no syllable
};

struct Pronunciation {
    PronunciationOutcome Outcome = PronunciationOutcome::Ok;
    std::string Text;   // the pronunciation when Outcome is Ok, else empty
    char Offending = 0; // the first letter outside the rules, for LetterOutsideRules
};

// How c before e, i or a vowel y is read in a loan: as in Spanish, T (the reading also given to a
// word whose origin is not known), or as in English and French, s.
enum class SoftC { Spanish, EnglishOrFrench };

// The pronunciation of a written word (Latin-1, letter case ignored): mendia -> mEn-dI-A.
Pronunciation Pronounce(std::string_view word, SoftC softC = SoftC::Spanish);

// Whether the rules cover the letter (lower case): a-z, ñ, á é í ó ú ü.
bool IsCoveredLetter(char c);

} // namespace zirtel

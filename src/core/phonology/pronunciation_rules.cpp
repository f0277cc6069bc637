#include "core/phonology/pronunciation_rules.h"

#include <cstddef>
#include <vector>

#include "core/measures/letters.h"
#include "core/phonology/syllabifier.h"
#include "core/text/latin1.h"

namespace zirtel {
namespace {

// Vowels: a e i o u and their accented forms become A E I O U (ü becomes U). The second element
// of a falling diphthong is a glide: i becomes y (ai ei oi ui), u becomes w (au eu).
std::string VowelPhoneme(char letter, bool secondOfDiphthong) {
    const char base = FoldAccents(std::string_view(&letter, 1))[0];
    if (secondOfDiphthong && base == 'i') return "y";
    if (secondOfDiphthong && base == 'u') return "w";
    switch (base) {
    case 'a':
        return "A";
    case 'e':
        return "E";
    case 'i':
        return "I";
    case 'o':
        return "O";
    default:
        return "U";
    }
}

// Digraphs: tx -> t x, ts -> t s, tz -> t T, ch -> t x (chef), rr -> R, ll -> L, sh -> x
// (flash), tt -> t and dd -> j (the palatal stops, which have no symbol of their own), qu
// before e or i -> k (its u is silent).
std::string DigraphPhonemes(char first, char second) {
    if (first == 't' && second == 'x') return "tx";
    if (first == 't' && second == 's') return "ts";
    if (first == 't' && second == 'z') return "tT";
    if (first == 't') return "t";
    if (first == 'c') return "tx";
    if (first == 's') return "x";
    if (first == 'q') return "k";
    if (first == 'r') return "R";
    if (first == 'l') return "L";
    return "j"; // dd
}

// Single consonant letters: r at the start of the word -> R, elsewhere r; s -> s; z -> T;
// x -> x; ñ -> J; c, k, q -> k; v -> b; h is silent; j -> j; y -> j; w -> w; b d f g l m n p t
// stay as they are, except t before ch, which is silent (ketchup). (n before k or g, b or p is
// settled afterwards, over the whole word.)
std::string ConsonantPhoneme(char letter, bool wordInitial) {
    switch (letter) {
    case 'r':
        return wordInitial ? "R" : "r";
    case 'z':
        return "T";
    case '\xF1':
        return "J";
    case 'c':
    case 'q':
        return "k";
    case 'v':
        return "b";
    case 'h':
        return "";
    case 'y':
        return "j";
    default:
        return std::string(1, letter);
    }
}

} // namespace

bool IsCoveredLetter(char c) {
    return (c >= 'a' && c <= 'z') || IsAccentedLetter(c);
}

Pronunciation Pronounce(std::string_view word) {
    Pronunciation result;
    const std::string lower = LowerLatin1(word);
    for (char c : lower) {
        if (!IsCoveredLetter(c)) {
            result.Outcome = PronunciationOutcome::LetterOutsideRules;
            result.Offending = c;
            return result;
        }
    }
    const std::vector<std::string> syllables = OrthographicSyllables(lower);
    if (syllables.empty()) {
        result.Outcome = PronunciationOutcome::NoVowel;
        return result;
    }

    // Phonemes unit by unit; '-' marks the syllable boundaries, which fall between units.
    std::vector<std::size_t> syllableStarts;
    std::size_t offset = 0;
    for (const std::string& syl : syllables) {
        syllableStarts.push_back(offset);
        offset += syl.size();
    }
    const std::vector<SpellingUnit> units = SpellingUnits(lower);
    std::string phonemes;
    std::size_t nextSyllable = 1;
    for (std::size_t k = 0; k < units.size(); ++k) {
        const SpellingUnit& u = units[k];
        if (nextSyllable < syllableStarts.size() && u.Start == syllableStarts[nextSyllable]) {
            phonemes += '-';
            ++nextSyllable;
        }
        const char c = lower[u.Start];
        if (u.Nucleus && c == 'y') {
            phonemes += 'I'; // y after a consonant is the vowel i
        } else if (u.Nucleus) {
            phonemes += VowelPhoneme(c, false);
            if (u.Length == 2) phonemes += VowelPhoneme(lower[u.Start + 1], true);
        } else if (u.Length == 2) {
            phonemes += DigraphPhonemes(c, lower[u.Start + 1]);
        } else if (c == 't' && k + 1 < units.size() && units[k + 1].Length == 2 &&
                   lower[units[k + 1].Start] == 'c') {
            // t before ch is silent
        } else {
            phonemes += ConsonantPhoneme(c, u.Start == 0);
        }
    }

    // n before k or g (the next phoneme, across a syllable boundary too) is the velar nasal N,
    // before b or p the labial m.
    for (std::size_t i = 0; i < phonemes.size(); ++i) {
        if (phonemes[i] != 'n') continue;
        std::size_t j = i + 1;
        if (j < phonemes.size() && phonemes[j] == '-') ++j;
        if (j >= phonemes.size()) continue;
        if (phonemes[j] == 'k' || phonemes[j] == 'g') phonemes[i] = 'N';
        if (phonemes[j] == 'b' || phonemes[j] == 'p') phonemes[i] = 'm';
    }
    result.Text = std::move(phonemes);
    return result;
}

} // namespace zirtel

#include "core/phonology/pronunciation_rules.h"

#include <cstddef>
#include <vector>

#include "core/measures/letters.h"
#include "core/phonology/syllabifier.h"
#include "core/text/latin1.h"

namespace zirtel {
namespace {

// Vowels: a e i o u and their accented forms become A E I O U (ü becomes U). Inside a syllable
// two vowels in a row are a falling diphthong (the syllabifier splits every other sequence), and
// its second element is a glide: i becomes y (ai ei oi ui), u becomes w (au eu).
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

// Digraphs, each written as its own phonemes: tx -> t x, ts -> t s, tz -> t T, rr -> R,
// ll -> L; dd and tt have no symbol of their own and keep their letters (d d, t t).
std::string DigraphPhonemes(char first, char second) {
    if (first == 't' && second == 'x') return "tx";
    if (first == 't' && second == 's') return "ts";
    if (first == 't' && second == 'z') return "tT";
    if (first == 'r') return "R";
    if (first == 'l') return "L";
    if (first == 'd') return "dd";
    return "tt";
}

// Single consonant letters: r at the start of the word -> R, elsewhere r; s -> s; z -> T;
// x -> x; ñ -> J; c, k, q -> k; v -> b; h is silent; j -> j; y -> j; w -> w; b d f g l m n p t
// stay as they are. (n before k or g is settled afterwards, over the whole word.)
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

    // Phonemes syllable by syllable; '-' marks the boundaries.
    std::string phonemes;
    bool wordStart = true;
    for (std::size_t s = 0; s < syllables.size(); ++s) {
        if (s > 0) phonemes += '-';
        const std::string& syl = syllables[s];
        bool afterVowel = false;
        for (std::size_t i = 0; i < syl.size();) {
            const char c = syl[i];
            if (IsVowelLetter(c)) {
                phonemes += VowelPhoneme(c, afterVowel);
                afterVowel = true;
                ++i;
            } else if (i + 1 < syl.size() && IsConsonantDigraph(c, syl[i + 1])) {
                phonemes += DigraphPhonemes(c, syl[i + 1]);
                afterVowel = false;
                i += 2;
            } else {
                phonemes += ConsonantPhoneme(c, wordStart);
                afterVowel = false;
                ++i;
            }
            wordStart = false;
        }
    }

    // n before k or g (the next phoneme, across a syllable boundary too) is the velar nasal N.
    for (std::size_t i = 0; i < phonemes.size(); ++i) {
        if (phonemes[i] != 'n') continue;
        std::size_t j = i + 1;
        if (j < phonemes.size() && phonemes[j] == '-') ++j;
        if (j < phonemes.size() && (phonemes[j] == 'k' || phonemes[j] == 'g')) phonemes[i] = 'N';
    }
    result.Text = std::move(phonemes);
    return result;
}

} // namespace zirtel

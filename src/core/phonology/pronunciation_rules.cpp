#include "core/phonology/pronunciation_rules.h"

#include <cstddef>
#include <vector>

#include "core/phonology/syllabifier.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"

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
// x -> x; ñ -> J; c, k, q -> k (c before e, i or y is settled by the loan's origin); v -> b; h is
// silent; j -> j; y -> j; w -> w; b d f g l m n p t stay as they are, except t before ch, which is
// silent (ketchup). (n before k or g, b or p is settled afterwards, over the whole word.)
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

// Whether a c before the letter is soft: e, i (plain or accented) or y.
bool IsFrontVowelLetter(char letter) {
    const char base = FoldAccents(std::string_view(&letter, 1))[0];
    return base == 'e' || base == 'i' || base == 'y';
}

} // namespace

bool IsCoveredLetter(char c) {
    return (c >= 'a' && c <= 'z') || IsAccentedLetter(c);
}

Pronunciation Pronounce(std::string_view word, SoftC softC) {
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

    // Phonemes unit by unit, each unit marked when a syllable begins with it.
    std::vector<std::size_t> syllableStarts;
    std::size_t offset = 0;
    for (const std::string& syl : syllables) {
        syllableStarts.push_back(offset);
        offset += syl.size();
    }
    const std::vector<SpellingUnit> units = SpellingUnits(lower);
    struct Sound {
        std::string Phonemes;
        bool StartsSyllable = false;
    };
    std::vector<Sound> sounds(units.size());
    std::size_t nextSyllable = 1;
    for (std::size_t k = 0; k < units.size(); ++k) {
        const SpellingUnit& u = units[k];
        if (nextSyllable < syllableStarts.size() && u.Start == syllableStarts[nextSyllable]) {
            sounds[k].StartsSyllable = true;
            ++nextSyllable;
        }
        const char c = lower[u.Start];
        std::string& out = sounds[k].Phonemes;
        if (u.Nucleus && c == 'y') {
            out.assign(1, 'I'); // y after a consonant is the vowel i (one char: GCC 12's -O3
                                // -Wrestrict misreads a literal assigned here)
        } else if (u.Nucleus) {
            out = VowelPhoneme(c, false);
            if (u.Length == 2) out += VowelPhoneme(lower[u.Start + 1], true);
        } else if (u.Length == 2) {
            out = DigraphPhonemes(c, lower[u.Start + 1]);
        } else if (c == 't' && k + 1 < units.size() && units[k + 1].Length == 2 &&
                   lower[units[k + 1].Start] == 'c') {
            // t before ch is silent
        } else if (c == 'c' && k + 1 < units.size() && units[k + 1].Nucleus &&
                   IsFrontVowelLetter(lower[units[k + 1].Start])) {
            out.assign(1, softC == SoftC::EnglishOrFrench ? 's' : 'T'); // c before e, i or y
        } else {
            out = ConsonantPhoneme(c, u.Start == 0);
        }
    }

    // Loan spellings of one consonant: ph, th and gh are f, t and g; a doubled consonant letter
    // (or ck) is one phoneme (sheriff, pizza, rock), rr, ll, tt and dd being digraphs already.
    // The consonant keeps the syllable boundary that fell inside it before it (piz-za: pI-TA).
    for (std::size_t k = 0; k + 1 < units.size(); ++k) {
        const SpellingUnit& a = units[k];
        const SpellingUnit& b = units[k + 1];
        if (a.Nucleus || b.Nucleus || a.Length != 1 || b.Length != 1) continue;
        const char first = lower[a.Start], second = lower[b.Start];
        const bool hDigraph = second == 'h' && (first == 'p' || first == 't' || first == 'g');
        const bool doubled = (first == second || (first == 'c' && second == 'k')) &&
                             sounds[k].Phonemes == sounds[k + 1].Phonemes &&
                             sounds[k].Phonemes.size() == 1;
        if (!hDigraph && !doubled) continue;
        if (first == 'p' && hDigraph) sounds[k].Phonemes.assign(1, 'f');
        sounds[k + 1].Phonemes.clear();
        if (sounds[k + 1].StartsSyllable) {
            sounds[k + 1].StartsSyllable = false;
            sounds[k].StartsSyllable = true;
        }
    }
    std::string phonemes;
    for (const Sound& s : sounds) {
        if (s.StartsSyllable) phonemes += '-';
        phonemes += s.Phonemes;
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

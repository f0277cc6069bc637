#include "core/phonology/syllabifier.h"

#include <cstddef>

#include "core/phonology/pronunciation_rules.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"

namespace zirtel {
namespace {

// Stop + liquid clusters that begin a syllable together.
bool IsOnsetCluster(char first, char second) {
    if (second == 'l')
        return first == 'p' || first == 'b' || first == 'k' || first == 'g' || first == 'f';
    if (second == 'r')
        return first == 'p' || first == 'b' || first == 't' || first == 'd' || first == 'k' ||
               first == 'g' || first == 'f';
    return false;
}

bool IsConsonantLetter(char c) {
    return IsCoveredLetter(c) && !IsVowelLetter(c) && c != 'y';
}

// Whether the letter at `i` is a nucleus: a vowel letter, or y after a consonant letter other
// than a w that follows a vowel (there w and y are glides: newyork, lawyer).
bool IsNucleusAt(const std::string& lower, std::size_t i) {
    if (IsVowelLetter(lower[i])) return true;
    if (lower[i] != 'y' || i == 0 || !IsConsonantLetter(lower[i - 1])) return false;
    return !(lower[i - 1] == 'w' && i >= 2 && IsVowelLetter(lower[i - 2]));
}

// Whether the letters at `i` and `i + 1` are one consonant: tx ts tz tt rr ll dd ch sh, qu
// before e or i; sh is s + h in the prefix des- (deshidratatu).
bool IsDigraphAt(const std::string& lower, std::size_t i) {
    if (i + 1 >= lower.size()) return false;
    const char first = lower[i], second = lower[i + 1];
    switch (first) {
    case 't':
        return second == 'x' || second == 's' || second == 'z' || second == 't';
    case 'r':
    case 'l':
    case 'd':
        return second == first;
    case 'c':
        return second == 'h';
    case 's':
        return second == 'h' && !(i == 2 && lower.compare(0, 2, "de") == 0);
    case 'q': {
        if (second != 'u' || i + 2 >= lower.size()) return false;
        const char after = FoldAccents(std::string_view(&lower[i + 2], 1))[0];
        return after == 'e' || after == 'i';
    }
    default:
        return false;
    }
}

} // namespace

std::vector<SpellingUnit> SpellingUnits(std::string_view lowerWord) {
    const std::string lower(lowerWord);
    std::vector<SpellingUnit> units;
    std::size_t i = 0;
    while (i < lower.size()) {
        SpellingUnit u;
        u.Start = i;
        u.Nucleus = IsNucleusAt(lower, i);
        const bool pair = u.Nucleus ? i + 1 < lower.size() && lower[i] != 'y' &&
                                          IsFallingDiphthong(lower[i], lower[i + 1])
                                    : IsDigraphAt(lower, i);
        u.Length = pair ? 2 : 1;
        units.push_back(u);
        i += u.Length;
    }
    return units;
}

bool IsFallingDiphthong(char first, char second) {
    const std::string folded = FoldAccents(std::string_view(&first, 1));
    const char base = folded[0];
    if (second == 'i') return base == 'a' || base == 'e' || base == 'o' || base == 'u';
    if (second == 'u') return base == 'a' || base == 'e';
    return false;
}

std::vector<std::string> OrthographicSyllables(std::string_view word) {
    const std::string lower = LowerLatin1(word);
    const std::vector<SpellingUnit> units = SpellingUnits(lower);
    std::vector<std::size_t> nuclei; // unit numbers of the nuclei
    for (std::size_t k = 0; k < units.size(); ++k)
        if (units[k].Nucleus) nuclei.push_back(k);
    if (nuclei.empty()) return {};

    // Where each syllable after the first begins: the consonants between two nuclei are shared
    // out so that the next syllable gets the last consonant unit, or the last two when they are
    // single letters making a stop + liquid cluster.
    std::vector<std::size_t> starts;
    for (std::size_t n = 0; n + 1 < nuclei.size(); ++n) {
        const std::size_t first = nuclei[n] + 1; // first consonant unit after the nucleus
        const std::size_t next = nuclei[n + 1];
        const std::size_t count = next - first;
        std::size_t begin = next; // unit that begins the next syllable
        if (count == 1) {
            begin = first;
        } else if (count >= 2) {
            const SpellingUnit& a = units[next - 2];
            const SpellingUnit& b = units[next - 1];
            const bool cluster =
                a.Length == 1 && b.Length == 1 && IsOnsetCluster(lower[a.Start], lower[b.Start]);
            begin = cluster ? next - 2 : next - 1;
        }
        starts.push_back(units[begin].Start);
    }

    std::vector<std::string> syllables;
    std::size_t from = 0;
    for (std::size_t s : starts) {
        syllables.emplace_back(word.substr(from, s - from));
        from = s;
    }
    syllables.emplace_back(word.substr(from));
    return syllables;
}

std::string Syllabify(std::string_view word) {
    std::string out;
    for (const std::string& s : OrthographicSyllables(word)) {
        if (!out.empty()) out += '-';
        out += s;
    }
    return out;
}

} // namespace zirtel

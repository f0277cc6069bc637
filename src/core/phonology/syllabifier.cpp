#include "core/phonology/syllabifier.h"

#include <cstddef>

#include "core/measures/letters.h"
#include "core/text/latin1.h"

namespace zirtel {
namespace {

// A letter or digraph of the word: a nucleus (one vowel or a diphthong) or a consonant
// (one letter or a digraph).
struct Unit {
    std::size_t Start = 0;
    std::size_t Length = 0;
    bool Nucleus = false;
};

// Stop + liquid clusters that begin a syllable together.
bool IsOnsetCluster(char first, char second) {
    if (second == 'l')
        return first == 'p' || first == 'b' || first == 'k' || first == 'g' || first == 'f';
    if (second == 'r')
        return first == 'p' || first == 'b' || first == 't' || first == 'd' || first == 'k' ||
               first == 'g' || first == 'f';
    return false;
}

std::vector<Unit> SplitUnits(const std::string& lower) {
    std::vector<Unit> units;
    std::size_t i = 0;
    while (i < lower.size()) {
        Unit u;
        u.Start = i;
        u.Nucleus = IsVowelLetter(lower[i]);
        const bool pair =
            i + 1 < lower.size() && (u.Nucleus ? IsFallingDiphthong(lower[i], lower[i + 1])
                                               : IsConsonantDigraph(lower[i], lower[i + 1]));
        u.Length = pair ? 2 : 1;
        units.push_back(u);
        i += u.Length;
    }
    return units;
}

} // namespace

bool IsConsonantDigraph(char first, char second) {
    switch (first) {
    case 't':
        return second == 'x' || second == 's' || second == 'z' || second == 't';
    case 'r':
        return second == 'r';
    case 'l':
        return second == 'l';
    case 'd':
        return second == 'd';
    default:
        return false;
    }
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
    const std::vector<Unit> units = SplitUnits(lower);
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
            const Unit& a = units[next - 2];
            const Unit& b = units[next - 1];
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

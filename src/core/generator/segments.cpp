#include "core/generator/segments.h"

#include "core/phonology/syllabifier.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"

namespace zirtel {

std::optional<Segmentation> SegmentWord(std::string_view word) {
    Segmentation s;
    s.Syllables = OrthographicSyllables(LowerLatin1(word));
    if (s.Syllables.empty()) return std::nullopt;
    s.Segments.reserve(3 * s.Syllables.size());
    for (const std::string& syllable : s.Syllables) {
        std::size_t first = 0;
        while (first < syllable.size() && !IsVowelLetter(syllable[first])) ++first;
        std::size_t end = first;
        while (end < syllable.size() && IsVowelLetter(syllable[end])) ++end;
        s.Segments.push_back(syllable.substr(0, first));
        s.Segments.push_back(syllable.substr(first, end - first));
        s.Segments.push_back(syllable.substr(end));
    }
    return s;
}

} // namespace zirtel

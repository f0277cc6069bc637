// A written word as the generator sees it: per syllable of the engine's syllabification an onset
// (the consonants before the vowels), a nucleus (the vowel run: one vowel or a diphthong) and a
// coda (the rest). Letters are lower case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zirtel {

struct Segmentation {
    std::vector<std::string> Syllables; // as the syllabifier splits the word
    std::vector<std::string> Segments;  // onset, nucleus, coda of each syllable in turn
    int SyllableCount() const { return static_cast<int>(Syllables.size()); }
};

// The segments of the word (Latin-1, letter case ignored); nothing when it has no vowel letter.
std::optional<Segmentation> SegmentWord(std::string_view word);

} // namespace zirtel

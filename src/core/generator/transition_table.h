// The generator's transition table. Every word of the lexicon is ^, its segments (onset,
// nucleus, coda per syllable) and $; a segment is keyed by its position in that sequence (^ is
// position 0, $ is position 3 x syllables + 1), the word's syllable count and its letters. For
// each pair of adjacent segments the table holds the number of words that contain it (a type
// count).
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zirtel {

struct SegmentKey {
    int Syllables = 0;
    int Position = 0;
    std::string Letters; // "^" and "$" for the two ends
};

class TransitionTable {
  public:
    struct Edge {
        int To = 0;    // segment number
        int Count = 0; // words with this pair
    };

    // Segments every word with a vowel letter; words without one add nothing, and so does word i
    // when `leftOut[i]` is true.
    explicit TransitionTable(const std::vector<std::string>& words,
                             const std::vector<bool>& leftOut = {});

    // The number of a segment, or -1 when no word has it.
    int Find(int syllables, int position, std::string_view letters) const;
    int Start(int syllables) const { return Find(syllables, 0, "^"); }
    int End(int syllables) const { return Find(syllables, 3 * syllables + 1, "$"); }
    const SegmentKey& Key(int segment) const { return Keys_[static_cast<std::size_t>(segment)]; }
    int SegmentCount() const { return static_cast<int>(Keys_.size()); }

    // The pairs that begin with the segment, ordered by the letters of the second one.
    const std::vector<Edge>& Next(int segment) const {
        return Next_[static_cast<std::size_t>(segment)];
    }
    // The count of the pair (from, to) of segment numbers; 0 when no word has it or either is -1.
    int Count(int from, int to) const;
    // The same by keys: the pair whose first segment is at `position` of words of `syllables`.
    int Count(int syllables, int position, std::string_view from, std::string_view to) const;
    // All segments of words with the syllable count at one position, ordered by their letters.
    const std::vector<int>& Layer(int syllables, int position) const;
    // Number of distinct pairs.
    std::size_t PairCount() const { return Counts_.size(); }

  private:
    int Intern(int syllables, int position, std::string_view letters);
    static std::string MapKey(int syllables, int position, std::string_view letters);

    std::vector<SegmentKey> Keys_;
    std::unordered_map<std::string, int> Ids_;
    std::unordered_map<unsigned long long, int> Counts_;
    std::vector<std::vector<Edge>> Next_;
    std::vector<std::vector<std::vector<int>>> Layers_; // [syllables][position]
};

} // namespace zirtel

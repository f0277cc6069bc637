// Syllable frequency tables: for words of two and of three syllables, and for each syllable
// position, every distinct syllable text (exact, letter case counts) with the number of
// lexicon words that have it there (type), the sum of their frequencies (token) and the highest
// of their frequencies (maximum). One set is built from the pronunciations, one from the
// orthographic syllabifications, both from the whole-word lexicon.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zirtel {

class Feedback;
class Lexicon;

// Syllables of a pronunciation or syllabification: 1 plus the number of "-" among all its
// characters but the last.
int SyllableCount(std::string_view text);

// Syllable `position` (1, 2 or 3) of a text. Separators are "-" and the middle dot (B7). The
// first syllable runs from the first character to the first separator; a later syllable starts
// right after its separator (searched from the second character on), takes its first character
// whatever it is, then the characters from "A" to "{" (bytes 65 to 123) that follow. The result
// is a part of `text`.
std::string_view ExtractSyllable(std::string_view text, int position);

struct SyllableCounts {
    std::int32_t Type = 0;
    float Token = 0.0f;
    float Max = 0.0f;
};

// One table: distinct syllable texts in order of first appearance, found through a hash index.
class SyllableTable {
  public:
    void Add(std::string_view syllable, float frequency);
    // The counts of a syllable, or nothing when the table does not hold it.
    const SyllableCounts* Find(std::string_view syllable) const;
    int Size() const { return static_cast<int>(Texts_.size()); }
    const std::string& Text(int i) const { return Texts_[static_cast<std::size_t>(i)]; }
    void Clear();

  private:
    std::uint64_t Hash(std::string_view s) const;
    int Slot(std::string_view s, std::uint64_t hash) const;
    void Grow();

    std::vector<std::string> Texts_;
    std::vector<SyllableCounts> Counts_;
    std::vector<std::uint64_t> Hashes_;
    std::vector<std::int32_t> Slots_; // -1: empty
};

// The five tables of one set, keyed by (syllables of the word, position): (2, 1), (2, 2),
// (3, 1), (3, 2), (3, 3).
class SyllableTableSet {
  public:
    enum class Source { Pronunciations, Syllabifications };

    bool Built = false;

    // Builds the tables from every entry of the lexicon, in lexicon order, behind the progress
    // window "Maiztasun silabikoak kalkulatzen ... ", which is closed when done.
    void Build(const Lexicon& lexicon, Source source, Feedback& feedback);
    // Discards the tables and clears the built flag (the lexicon was loaded again).
    void Reset();

    // syllables 2 or 3, position 1..syllables.
    const SyllableTable& Table(int syllables, int position) const;

  private:
    SyllableTable& MutableTable(int syllables, int position);
    std::array<SyllableTable, 5> Tables_;
};

} // namespace zirtel

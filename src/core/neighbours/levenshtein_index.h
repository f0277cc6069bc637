// The Levenshtein neighbourhood of an item: the mean edit distance (insertion, deletion and
// substitution each cost 1) between the item and the k closest entries of a lexicon, entries
// equal to the item not counted. Over spellings it gives OLD20, over pronunciations PLD20.
//
// The index keeps each distinct key once, with the number of entries that share it, bucketed by
// length. A query visits the buckets from its own length outwards and stops when the length
// difference alone reaches the k-th best distance found so far; within a bucket a lower bound
// from the letter counts skips entries that cannot come closer than that, and the distance of
// the rest is computed bit-parallel, 64 pattern positions per machine word. The letter counts are
// compared four or eight entries to an instruction.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zirtel {

// Lower-cased, accents folded exactly as the orthographic neighbour search folds them (ñ stays
// its own letter).
std::string OrthographicKey(std::string_view word);
// A pronunciation with the syllable and stress marks removed; one symbol per character, case
// kept.
std::string PhonologicalKey(std::string_view pronunciation);

// The plain dynamic-programming edit distance: the reference the index is checked against.
int LevenshteinDistance(std::string_view a, std::string_view b);

class LevenshteinIndex {
  public:
    explicit LevenshteinIndex(const std::vector<std::string>& keys); // one key per lexicon entry

    // Mean of the k smallest Levenshtein distances > 0 between `key` and the entries; nullopt
    // when fewer than k entries lie at a distance > 0.
    std::optional<double> MeanClosest(std::string_view key, int k = 20) const;

    // Bytes held by the index.
    std::size_t MemoryBytes() const;

  private:
    static constexpr int kBins = 16; // letter-count bins per key, each count saturating at 15

    struct Bucket {                         // the distinct keys of one length
        std::string Chars;                  // key i at [i * length, (i + 1) * length)
        std::vector<std::uint8_t> Counts;   // the keys' bin counts, 8 bytes a key
        std::vector<std::uint32_t> Entries; // lexicon entries sharing key i
    };

    void CountBins(std::string_view key, std::uint8_t* counts) const;

    std::uint8_t BinOf_[256]{};   // byte -> bin: the 15 commonest bytes alone, the rest in bin 15
    std::vector<Bucket> Buckets_; // by key length
};

// How the letter counts of the entries are compared with the query's: by default with the widest
// vector instructions the processor has. Every way gives the same results; tests check each.
enum class LevenshteinScan { Widest, Sse2, Portable };
void SetLevenshteinScan(LevenshteinScan scan);

} // namespace zirtel

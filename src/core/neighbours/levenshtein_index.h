// The Levenshtein neighbourhood of an item: the mean edit distance (insertion, deletion and
// substitution each cost 1) between the item and the k closest entries of a lexicon, entries
// equal to the item not counted. Over spellings it gives OLD20, over pronunciations PLD20.
//
// The index keeps each distinct key once, with the lexicon entries that share it, bucketed by
// length. A query visits the lengths from its own outwards (a ring: the lengths `gap` shorter
// and longer) and works through lower bounds in rising order: the letter counts give every entry
// of a ring a lower bound, computed once for the whole ring 32 entries at a time, and at bound t
// the entries whose bound is t have their distances computed, 32 (or 16) entries side by side in
// the lanes of a vector register. The search stops when t reaches the k-th best distance found
// so far.
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

    struct Neighbour {
        std::uint32_t Entry; // index of the key passed to the constructor
        int Distance;
    };
    struct Closest {
        std::optional<double> Mean;     // as MeanClosest gives it
        std::vector<Neighbour> Entries; // by distance, then entry
    };
    // The mean of the k closest and the entries that enter it: every entry at a distance above 0
    // and up to the k-th smallest distance, all the entries tied at that distance included (so
    // there may be more than k). No entries when the mean is nullopt.
    Closest ClosestEntries(std::string_view key, int k = 20) const;

    // Bytes held by the index.
    std::size_t MemoryBytes() const;

  private:
    static constexpr int kBins = 16; // letter-count bins per key, each count saturating at 15

    struct Bucket {                       // the distinct keys of one length
        std::size_t Size = 0;             // keys
        std::vector<std::uint8_t> Counts; // the keys' bin counts, 8 bytes a key, 32 keys a block
        // Each block's least and greatest count of each bin, 16 bytes each.
        std::vector<std::uint8_t> Summaries;
        // Key i at i * (16 + length): the bits of its letter pairs (two 64-bit words), then its
        // bytes; then padding.
        std::string Records;
        std::vector<std::uint32_t> First; // key i's entries: Entries_[First[i], First[i + 1])
    };

    template <bool Ties> struct Search;

    void CountBins(std::string_view key, std::uint8_t* counts) const;
    // The bits of the key's letter pairs, and how many of its pairs no key has.
    int PairBits(std::string_view key, std::uint64_t* bits) const;

    std::uint8_t BinOf_[256]{};         // byte -> bin: the 15 commonest bytes alone, the rest in 15
    std::vector<std::uint8_t> PairBit_; // letter pair -> bit (PairIndex), kNoPairBit for none
    std::vector<Bucket> Buckets_;       // by key length
    std::vector<std::uint32_t> Entries_; // lexicon entries, grouped by key
};

// How the letter counts and distances of the entries are computed: by default with the widest
// vector instructions the processor has. Every way gives the same results; tests check each.
enum class LevenshteinScan { Widest, Sse2, Portable };
void SetLevenshteinScan(LevenshteinScan scan);

} // namespace zirtel

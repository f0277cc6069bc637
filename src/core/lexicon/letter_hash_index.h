// A hash index for neighbour searches over a list of strings that live elsewhere (the owner
// passes them in): maps a text to the first position in list order whose string matches it,
// letter case ignored (the collation's equality) or exact, like StringIndex. The hash is a
// polynomial over the case-folded letters, so the hash of a text one letter away from another
// (a letter replaced, removed or inserted) follows from the other's in a few operations
// (EditHashes). Each slot keeps part of its key's hash beside the position, so that a probe
// reads a key's string only when the hashes agree, and a byte of it in a table of its own, so
// that a probe for a text that is not there reads only that small table.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zirtel {

// Case folding of Latin-1 bytes as a table: A-Z and the accented capitals (but not the
// multiplication sign) to their small letters; every other byte unchanged.
struct Latin1FoldTable {
    std::array<unsigned char, 256> Lower{};
    constexpr Latin1FoldTable() {
        for (int b = 0; b < 256; ++b) {
            const bool capital = (b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7);
            Lower[static_cast<std::size_t>(b)] = static_cast<unsigned char>(capital ? b + 32 : b);
        }
    }
};
inline constexpr Latin1FoldTable kLatin1Fold{};

class LetterHashIndex {
  public:
    enum class Match { IgnoreCase, Exact };
    explicit LetterHashIndex(Match match = Match::IgnoreCase) : Match_(match) {}

    // Indexes keys[i] for every i; where several keys match, the first one wins.
    // `firstOf`, when given, receives for each key the position of the first key that matches
    // it (its own position when none comes before it).
    void Build(const std::vector<std::string>& keys, std::vector<int>* firstOf = nullptr);
    // Indexes only the positions in `order`, in that order (the first of equal keys wins).
    void Build(const std::vector<std::string>& keys, const std::vector<int>& order);
    void Clear();

    // Position of the first matching key, or -1. `keys` is the list the index was built on.
    int Find(const std::vector<std::string>& keys, std::string_view text) const {
        return FindHashed(keys, text, Hash(text));
    }
    // The same, with the text's hash already known (Hash(text), or from EditHashes).
    int FindHashed(const std::vector<std::string>& keys, std::string_view text,
                   std::uint64_t hash) const {
        if (Slots_.empty()) return -1;
        const std::uint64_t mixed = Mix(hash);
        const std::uint8_t tag = TagOf(mixed);
        const auto check = static_cast<std::uint32_t>(mixed >> 32);
        for (std::uint64_t i = mixed & Mask_;; i = (i + 1) & Mask_) {
            const std::uint8_t t = Tags_[i];
            if (t == 0) return -1;
            if (t != tag) continue;
            const Slot& s = Slots_[i];
            if (s.Check == check && Equal(keys[static_cast<std::size_t>(s.Position)], text))
                return s.Position;
        }
    }

    // Starts bringing the slot where a lookup of `hash` begins into the cache: a search that
    // knows its next candidates' hashes asks for them all before it looks them up.
    void Prefetch(std::uint64_t hash) const {
        if (!Tags_.empty()) __builtin_prefetch(&Tags_[Mix(hash) & Mask_]);
    }

    // The polynomial hash of the folded letters: sum of (letter + 1) * kBase^(distance from the
    // end), modulo 2^64.
    static constexpr std::uint64_t kBase = 0x9E3779B97F4A7C15ull;
    unsigned Value(char c) const {
        const auto b = static_cast<unsigned char>(c);
        return (Match_ == Match::IgnoreCase ? kLatin1Fold.Lower[b] : b) + 1u;
    }
    std::uint64_t Hash(std::string_view s) const {
        std::uint64_t h = 0;
        for (char c : s) h = h * kBase + Value(c);
        return h;
    }
    bool Equal(std::string_view a, std::string_view b) const {
        if (a.size() != b.size()) return false;
        if (Match_ == Match::Exact) return a == b;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i] != b[i] && kLatin1Fold.Lower[static_cast<unsigned char>(a[i])] !=
                                    kLatin1Fold.Lower[static_cast<unsigned char>(b[i])])
                return false;
        return true;
    }

  private:
    struct Slot {
        std::uint32_t Check = 0;    // the upper half of the key's mixed hash
        std::int32_t Position = -1; // -1: empty
    };
    // A byte of the mixed hash, never 0 (the tag of an empty slot).
    static std::uint8_t TagOf(std::uint64_t mixed) {
        const auto t = static_cast<std::uint8_t>(mixed >> 56);
        return t != 0 ? t : 1;
    }
    static std::uint64_t Mix(std::uint64_t h) {
        h ^= h >> 33;
        h *= 0xFF51AFD7ED558CCDull;
        h ^= h >> 33;
        h *= 0xC4CEB9FE1A85EC53ull;
        h ^= h >> 33;
        return h;
    }
    // Inserts keys[position], its mixed hash known; the position of the first matching key.
    int Insert(const std::vector<std::string>& keys, int position, std::uint64_t mixed);
    void Fill(const std::vector<std::string>& keys, const std::vector<int>* order,
              std::vector<int>* firstOf);

    Match Match_;
    std::vector<Slot> Slots_;
    // One byte a slot, beside the slots: a lookup of a text that is not there (most of a
    // search's lookups) reads only these, an eighth of the slots' bytes, which stay in the cache.
    std::vector<std::uint8_t> Tags_;
    std::uint64_t Mask_ = 0;
};

// The hashes of the texts one edit away from a base text, each in constant time. Positions
// count from 0; an insertion at `at` puts the letter in front of the base's letter `at` (at the
// end when `at` is the length).
class EditHashes {
  public:
    EditHashes(const LetterHashIndex& index, std::string_view base);

    std::uint64_t Whole() const { return Prefix_[Length_]; }
    std::uint64_t Substituted(std::size_t at, char c) const {
        return Prefix_[Length_] + (static_cast<std::uint64_t>(Index_.Value(c)) - Values_[at]) *
                                      Power_[Length_ - 1 - at];
    }
    std::uint64_t Deleted(std::size_t at) const {
        return Prefix_[at] * Power_[Length_ - 1 - at] + Suffix_[at + 1];
    }
    std::uint64_t Inserted(std::size_t at, char c) const {
        return Prefix_[at] * Power_[Length_ + 1 - at] +
               static_cast<std::uint64_t>(Index_.Value(c)) * Power_[Length_ - at] + Suffix_[at];
    }

  private:
    const LetterHashIndex& Index_;
    std::size_t Length_;
    std::vector<std::uint64_t> Values_; // letter values
    std::vector<std::uint64_t> Prefix_; // [i]: hash of the first i letters
    std::vector<std::uint64_t> Suffix_; // [i]: hash of the letters from i on, as they end the text
    std::vector<std::uint64_t> Power_;  // [k]: kBase^k
};

} // namespace zirtel

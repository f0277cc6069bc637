// A small filter in front of a letter hash index: from a text's length and hash it tells that
// the text is surely not one of the index's keys, reading one machine word from a table of a few
// bits per key. A neighbour search tries hundreds of candidates for each item and finds a handful:
// the filter turns away nearly all the others without touching the index, whose table is many
// times larger than the processor's nearest cache. Keys are kept apart by length, so that one
// item's candidates (of three lengths) read only a part of the table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/lexicon/letter_hash_index.h"

namespace zirtel {

class PresenceFilter {
  public:
    // Enters every key, hashed as `index` hashes it.
    void Build(const LetterHashIndex& index, const std::vector<std::string>& keys);

    // The keys of one length: a search that tries many candidates of the same length asks
    // this once and then each candidate.
    class OfLength {
      public:
        // False when no key of the length has this hash; true when one may have.
        bool MayContain(std::uint64_t hash) const {
            if (Count_ == 0) return false;
            const std::uint64_t m = Mixed(hash);
            const std::uint64_t word =
                Words_[(static_cast<std::uint64_t>(static_cast<std::uint32_t>(m)) * Count_) >> 32];
            const std::uint64_t bits = BitsOf(m);
            return (word & bits) == bits;
        }

      private:
        friend class PresenceFilter;
        const std::uint64_t* Words_ = nullptr;
        std::uint64_t Count_ = 0; // none: no key has the length
    };
    OfLength ForLength(std::size_t length) const {
        OfLength view;
        if (length < Segments_.size()) {
            view.Words_ = Words_.data() + Segments_[length].First;
            view.Count_ = Segments_[length].Count;
        }
        return view;
    }
    // False when no key has this length and hash; true when one may have (a key entered always
    // answers true; another text now and then does too).
    bool MayContain(std::size_t length, std::uint64_t hash) const {
        return ForLength(length).MayContain(hash);
    }

  private:
    struct Segment {
        std::uint32_t First = 0; // first word of the keys of this length
        std::uint32_t Count = 0; // words, at least one
    };
    static std::uint64_t Mixed(std::uint64_t h) {
        h ^= h >> 31;
        h *= 0xBF58476D1CE4E5B9ull;
        h ^= h >> 29;
        return h;
    }
    // Four bits of the word, chosen by bits of the mixed hash that do not choose the word.
    static std::uint64_t BitsOf(std::uint64_t m) {
        return (1ull << ((m >> 40) & 63)) | (1ull << ((m >> 46) & 63)) |
               (1ull << ((m >> 52) & 63)) | (1ull << (m >> 58));
    }

    std::vector<Segment> Segments_; // [length]
    std::vector<std::uint64_t> Words_;
};

} // namespace zirtel

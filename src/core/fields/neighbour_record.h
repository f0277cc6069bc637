// A neighbour of the item being measured, as a neighbour search finds it: the word, how it
// differs from the item, where, and its frequency. The searches record every neighbour they find
// (in the order they find them) with the item's values; the neighbour lists and the tidy
// neighbour table are written from these records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zirtel {

enum class NeighbourKind : std::uint8_t {
    Substitution, // one letter (phoneme) replaced
    Deletion,     // one removed
    Addition,     // one inserted
};

struct NeighbourRecord {
    std::string Word; // the neighbour as the lexicon spells it (Latin-1)
    NeighbourKind Kind = NeighbourKind::Substitution;
    int Position = 0;    // 1-based; for an addition the place of the new letter or phoneme
    float Frequency = 0; // in the lexicon the search used
    // Shown in the neighbour list: the orthographic list shows its neighbours only while it is
    // shown, and its deletion and addition neighbours only when they are asked for.
    bool Listed = true;
    // A Spanish word ("Gehitu gaztelaniazko auzokideak"): the orthographic list shows it in a
    // block of its own after the item's Basque neighbours, the tidy table in the list "spanish".
    bool Spanish = false;
};

// Walks a search's records in their order, kind by kind and position by position, as the list
// layouts take them.
class NeighbourRecordCursor {
  public:
    explicit NeighbourRecordCursor(const std::vector<NeighbourRecord>& records)
        : Records_(records) {}
    // Calls `write` with each of the next records that are of `kind` at `position`.
    template <class Write> void Each(NeighbourKind kind, int position, Write&& write) {
        for (; Next_ < Records_.size() && Records_[Next_].Kind == kind &&
               Records_[Next_].Position == position;
             ++Next_)
            write(Records_[Next_]);
    }

  private:
    const std::vector<NeighbourRecord>& Records_;
    std::size_t Next_ = 0;
};

} // namespace zirtel

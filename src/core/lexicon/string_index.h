// A hash index over a list of strings that live elsewhere (the owner passes them in): maps a text
// to the first position in list order whose string matches it. Two matching rules: letter case
// ignored (the same equality as the collation) or exact. Lookups neither allocate nor scan.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zirtel {

class StringIndex {
  public:
    enum class Match { IgnoreCase, Exact };
    explicit StringIndex(Match match = Match::IgnoreCase) : Match_(match) {}

    // Indexes keys[i] for every i; where several keys match, the first one wins.
    void Build(const std::vector<std::string>& keys);
    // Indexes only the positions in `order`, in that order (the first of equal keys wins).
    void Build(const std::vector<std::string>& keys, const std::vector<int>& order);
    void Clear();

    // Position of the first matching key, or -1. `keys` is the list the index was built on.
    int Find(const std::vector<std::string>& keys, std::string_view text) const;

  private:
    std::uint64_t Hash(std::string_view s) const;
    bool Equal(std::string_view a, std::string_view b) const;
    void Insert(const std::vector<std::string>& keys, int position);

    // A slot holds a position (-1: empty) and the high half of its key's hash, so that a probe
    // reads a key only when the halves agree: a text that is not there (most of the candidates
    // of a neighbour search) rarely costs more than the slots themselves.
    struct Slot {
        std::int32_t Position = -1;
        std::uint32_t Tag = 0;
    };
    static std::uint32_t TagOf(std::uint64_t hash) {
        return static_cast<std::uint32_t>(hash >> 32);
    }

    Match Match_;
    std::vector<Slot> Slots_;
    std::uint64_t Mask_ = 0;
};

} // namespace zirtel

// The uniqueness point of an item, over spellings (UP_ORT: lower case, accents folded) or
// pronunciations (UP_FON: without syllable and stress marks): the smallest k such that no other
// word of the whole-word lexicon begins with the item's first k letters (phonemes). An item that
// is a proper prefix of another word, and a nonword that is, has its length + 1; for a nonword the
// point is where it leaves every word (its deviation point).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/fields/measure_context.h"

namespace zirtel {

// The lexicon's distinct keys in byte order.
class PrefixTable {
  public:
    explicit PrefixTable(std::vector<std::string> keys);
    // 1 + the longest prefix the key shares with any other key.
    int UniquenessPoint(std::string_view key) const;

  private:
    std::vector<std::string> Keys_;
};

// UP_ORT and UP_FON (the item's pronunciation, the lexicon's or the rules'; "   -  " without one).
void WriteUniquenessPoints(MeasureContext& ctx, RowValues& values);

} // namespace zirtel

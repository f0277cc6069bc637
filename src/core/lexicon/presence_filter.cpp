#include "core/lexicon/presence_filter.h"

#include <algorithm>

namespace zirtel {

void PresenceFilter::Build(const LetterHashIndex& index, const std::vector<std::string>& keys) {
    // Thirty-two bits a key: about one text in a thousand that is not a key gets through.
    constexpr std::size_t kKeysPerWord = 2;
    std::size_t longest = 0;
    for (const std::string& key : keys) longest = std::max(longest, key.size());
    std::vector<std::size_t> perLength(keys.empty() ? 0 : longest + 1, 0);
    for (const std::string& key : keys) ++perLength[key.size()];
    Segments_.assign(perLength.size(), Segment{});
    std::uint32_t first = 0;
    for (std::size_t len = 0; len < perLength.size(); ++len) {
        const auto count =
            static_cast<std::uint32_t>((perLength[len] + kKeysPerWord - 1) / kKeysPerWord);
        Segments_[len] = Segment{first, std::max<std::uint32_t>(count, 1)};
        first += Segments_[len].Count;
    }
    Words_.assign(first, 0);
    for (const std::string& key : keys) {
        const Segment& seg = Segments_[key.size()];
        const std::uint64_t m = Mixed(index.Hash(key));
        Words_[seg.First +
               ((static_cast<std::uint64_t>(static_cast<std::uint32_t>(m)) * seg.Count) >> 32)] |=
            BitsOf(m);
    }
}

} // namespace zirtel

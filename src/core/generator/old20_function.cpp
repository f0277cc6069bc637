#include "core/generator/old20_function.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <queue>
#include <string>
#include <vector>

#include "core/text/latin1.h"

namespace zirtel {

namespace {

constexpr int kClosest = 20;

// The Levenshtein distance of a and b when it is below `limit`; `limit` or more otherwise (the
// rows stop once every cell has reached the limit).
int Levenshtein(std::string_view a, std::string_view b, int limit, std::vector<int>& row) {
    row.resize(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        int smallest = row[0];
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] =
                std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
            smallest = std::min(smallest, row[j]);
        }
        if (smallest >= limit) return limit;
    }
    return row[b.size()];
}

// Letter counts in 32 bins (a byte's low five bits). The summed differences of two words' counts
// plus their length difference, halved and rounded up, never exceeds their distance: a
// substitution changes the sum by at most 2, an insertion or deletion changes it by 1 and the
// length difference by 1.
using Histogram = std::array<std::uint8_t, 32>;

Histogram Count(std::string_view word) {
    Histogram h{};
    for (const char c : word) ++h[static_cast<unsigned char>(c) & 31u];
    return h;
}

int LowerBound(const Histogram& a, const Histogram& b, int lengthDifference) {
    int l1 = 0;
    for (std::size_t i = 0; i < a.size(); ++i) l1 += std::abs(int{a[i]} - int{b[i]});
    return (l1 + lengthDifference + 1) / 2;
}

// The lexicon's words in lower case, by length, with their letter counts.
struct WordsByLength {
    std::vector<std::vector<std::string>> Lists;
    std::vector<std::vector<Histogram>> Counts;
};

} // namespace

PseudowordGenerator::Old20Function MakeOld20Function(const Lexicon& lexicon) {
    auto words = std::make_shared<WordsByLength>();
    for (const std::string& w : lexicon.LexWords) {
        std::string key = LowerLatin1(w);
        if (words->Lists.size() <= key.size()) {
            words->Lists.resize(key.size() + 1);
            words->Counts.resize(key.size() + 1);
        }
        words->Counts[key.size()].push_back(Count(key));
        words->Lists[key.size()].push_back(std::move(key));
    }
    return [words](std::string_view word) -> std::optional<double> {
        const std::string key = LowerLatin1(word);
        const int length = static_cast<int>(key.size());
        const Histogram mine = Count(key);
        const int longest = static_cast<int>(words->Lists.size()) - 1;
        // The 20 smallest distances above 0 so far, the largest on top. A word whose length
        // differs by at least the 20th distance cannot come closer, nor a word whose distance
        // reaches it: such words leave the mean unchanged.
        std::priority_queue<int> best;
        std::vector<int> row;
        auto bound = [&] { return best.size() < kClosest ? INT_MAX : best.top(); };
        for (int diff = 0; diff <= std::max(length, longest) && diff < bound(); ++diff) {
            for (const int len : {length - diff, length + diff}) {
                if (len < 0 || len > longest || (diff == 0 && len != length)) continue;
                const auto& list = words->Lists[static_cast<std::size_t>(len)];
                const auto& counts = words->Counts[static_cast<std::size_t>(len)];
                for (std::size_t w = 0; w < list.size(); ++w) {
                    if (best.size() == kClosest && LowerBound(mine, counts[w], diff) >= best.top())
                        continue;
                    const int d = Levenshtein(key, list[w], bound(), row);
                    if (d == 0 || d >= bound()) continue;
                    best.push(d);
                    if (best.size() > kClosest) best.pop();
                }
                if (diff == 0) break;
            }
        }
        if (best.size() < kClosest) return std::nullopt;
        int sum = 0;
        for (; !best.empty(); best.pop()) sum += best.top();
        return sum / static_cast<double>(kClosest);
    };
}

} // namespace zirtel

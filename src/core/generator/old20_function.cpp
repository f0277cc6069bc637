#include "core/generator/old20_function.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/text/latin1.h"

namespace zirtel {

namespace {

int Levenshtein(std::string_view a, std::string_view b, std::vector<int>& row) {
    row.resize(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] =
                std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

PseudowordGenerator::Old20Function MakeOld20Function(const Lexicon& lexicon) {
    auto keys = std::make_shared<std::vector<std::string>>();
    keys->reserve(lexicon.LexWords.size());
    for (const std::string& w : lexicon.LexWords) keys->push_back(LowerLatin1(w));
    return [keys](std::string_view word) -> std::optional<double> {
        const std::string key = LowerLatin1(word);
        std::vector<int> distances, row;
        distances.reserve(keys->size());
        for (const std::string& other : *keys) {
            const int d = Levenshtein(key, other, row);
            if (d > 0) distances.push_back(d);
        }
        if (distances.size() < 20) return std::nullopt;
        std::partial_sort(distances.begin(), distances.begin() + 20, distances.end());
        int sum = 0;
        for (int i = 0; i < 20; ++i) sum += distances[static_cast<std::size_t>(i)];
        return sum / 20.0;
    };
}

} // namespace zirtel

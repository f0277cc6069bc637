#include "core/generator/word_likeness.h"

#include <algorithm>
#include <climits>
#include <map>
#include <unordered_set>

#include "core/generator/pseudoword_generator.h"
#include "core/neighbours/levenshtein_index.h"
#include "core/random/random_draw.h"
#include "core/text/collation.h"
#include "core/text/format.h"
#include "core/text/latin1.h"

namespace zirtel {

double WordLikeness::Accuracy() const {
    const std::size_t total = Pseudowords + Words;
    return total == 0 ? 0.0 : 100.0 * static_cast<double>(Correct) / static_cast<double>(total);
}

std::vector<std::string> LengthMatchedWords(const std::vector<std::string>& lexiconWords,
                                            const std::vector<std::string>& pseudowords,
                                            std::uint64_t seed) {
    std::unordered_set<std::string> taken;
    for (const std::string& p : pseudowords) taken.insert(FoldedWordKey(p));
    std::map<std::size_t, std::vector<std::size_t>> byLength; // length -> words, lexicon order
    for (std::size_t w = 0; w < lexiconWords.size(); ++w)
        if (taken.insert(FoldedWordKey(lexiconWords[w])).second)
            byLength[lexiconWords[w].size()].push_back(w);
    RandomEngine rng(seed);
    std::vector<std::string> drawn;
    for (const std::string& p : pseudowords) {
        const auto found = byLength.find(p.size());
        if (found == byLength.end() || found->second.empty()) continue;
        std::vector<std::size_t>& left = found->second;
        const auto k = static_cast<std::size_t>(BoundedDraw(rng, left.size()));
        drawn.push_back(lexiconWords[left[k]]);
        left[k] = left.back();
        left.pop_back();
    }
    return drawn;
}

WordLikeness ClassifyByNearest(const std::vector<std::string>& pseudowords,
                               const std::vector<std::string>& words) {
    std::vector<std::string> mix = pseudowords;
    mix.insert(mix.end(), words.begin(), words.end());
    std::vector<std::string> keys;
    for (const std::string& s : mix) keys.push_back(OrthographicKey(s));
    const std::size_t n = mix.size();
    const auto isPseudoword = [&](std::size_t i) { return i < pseudowords.size(); };

    WordLikeness result;
    result.Pseudowords = pseudowords.size();
    result.Words = words.size();
    std::vector<std::pair<int, std::size_t>> telling; // (margin, pseudoword)
    for (std::size_t i = 0; i < n; ++i) {
        int nearest = INT_MAX, nearestWord = INT_MAX, nearestPseudoword = INT_MAX;
        std::size_t choice = i;
        for (std::size_t j = 0; j < n; ++j) {
            if (j == i) continue;
            const int d = LevenshteinDistance(keys[i], keys[j]);
            int& ofKind = isPseudoword(j) ? nearestPseudoword : nearestWord;
            ofKind = std::min(ofKind, d);
            if (d < nearest || (d == nearest && CollateCompare(mix[j], mix[choice]) < 0)) {
                nearest = d;
                choice = j;
            }
        }
        if (choice != i && isPseudoword(choice) == isPseudoword(i)) ++result.Correct;
        if (isPseudoword(i) && nearestPseudoword < nearestWord)
            telling.emplace_back(nearestWord == INT_MAX ? INT_MAX : nearestWord - nearestPseudoword,
                                 i);
    }
    std::sort(telling.begin(), telling.end(), [&](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first > b.first;
        return CollateCompare(mix[a.second], mix[b.second]) < 0;
    });
    for (std::size_t k = 0; k < telling.size() && k < 5; ++k)
        result.Telling.push_back(mix[telling[k].second]);
    return result;
}

std::string WordLikenessText(const WordLikeness& likeness) {
    std::string text = Trim(FormatReal(likeness.Accuracy(), 0, 1)) + " % of " +
                       std::to_string(likeness.Pseudowords + likeness.Words) +
                       " strings told apart by their nearest neighbour (50 % is chance)";
    for (std::size_t k = 0; k < likeness.Telling.size(); ++k)
        text += (k == 0 ? "; most telling: " : ", ") + likeness.Telling[k];
    return text;
}

} // namespace zirtel

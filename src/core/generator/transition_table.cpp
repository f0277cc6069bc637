#include "core/generator/transition_table.h"

#include <algorithm>

#include "core/generator/segments.h"

namespace zirtel {

namespace {

unsigned long long PairKey(int from, int to) {
    return (static_cast<unsigned long long>(static_cast<unsigned>(from)) << 32) |
           static_cast<unsigned>(to);
}

const std::vector<int> kNoSegments;

} // namespace

std::string TransitionTable::MapKey(int syllables, int position, std::string_view letters) {
    std::string key = std::to_string(syllables) + ':' + std::to_string(position) + ':';
    key += letters;
    return key;
}

int TransitionTable::Intern(int syllables, int position, std::string_view letters) {
    const auto [it, added] =
        Ids_.try_emplace(MapKey(syllables, position, letters), static_cast<int>(Keys_.size()));
    if (added) {
        Keys_.push_back(SegmentKey{syllables, position, std::string(letters)});
        const auto s = static_cast<std::size_t>(syllables);
        if (Layers_.size() <= s) Layers_.resize(s + 1);
        Layers_[s].resize(static_cast<std::size_t>(3 * syllables + 2));
        Layers_[s][static_cast<std::size_t>(position)].push_back(it->second);
    }
    return it->second;
}

TransitionTable::TransitionTable(const std::vector<std::string>& words,
                                 const std::vector<bool>& leftOut) {
    std::vector<int> path;
    for (std::size_t w = 0; w < words.size(); ++w) {
        if (w < leftOut.size() && leftOut[w]) continue;
        const std::optional<Segmentation> seg = SegmentWord(words[w]);
        if (!seg) continue;
        const int s = seg->SyllableCount();
        path.clear();
        path.push_back(Intern(s, 0, "^"));
        for (std::size_t i = 0; i < seg->Segments.size(); ++i)
            path.push_back(Intern(s, static_cast<int>(i) + 1, seg->Segments[i]));
        path.push_back(Intern(s, 3 * s + 1, "$"));
        // Positions are part of the keys, so a word holds each pair at most once.
        for (std::size_t i = 0; i + 1 < path.size(); ++i) ++Counts_[PairKey(path[i], path[i + 1])];
    }
    auto byLetters = [this](int a, int b) {
        return Keys_[static_cast<std::size_t>(a)].Letters <
               Keys_[static_cast<std::size_t>(b)].Letters;
    };
    Next_.resize(Keys_.size());
    for (const auto& [pair, count] : Counts_)
        Next_[static_cast<std::size_t>(pair >> 32)].push_back(
            Edge{static_cast<int>(pair & 0xFFFFFFFFu), count});
    for (std::vector<Edge>& edges : Next_)
        std::sort(edges.begin(), edges.end(),
                  [&](const Edge& a, const Edge& b) { return byLetters(a.To, b.To); });
    for (auto& layers : Layers_)
        for (std::vector<int>& layer : layers) std::sort(layer.begin(), layer.end(), byLetters);
}

int TransitionTable::Find(int syllables, int position, std::string_view letters) const {
    const auto it = Ids_.find(MapKey(syllables, position, letters));
    return it == Ids_.end() ? -1 : it->second;
}

int TransitionTable::Count(int from, int to) const {
    if (from < 0 || to < 0) return 0;
    const auto it = Counts_.find(PairKey(from, to));
    return it == Counts_.end() ? 0 : it->second;
}

int TransitionTable::Count(int syllables, int position, std::string_view from,
                           std::string_view to) const {
    return Count(Find(syllables, position, from), Find(syllables, position + 1, to));
}

const std::vector<int>& TransitionTable::Layer(int syllables, int position) const {
    const auto s = static_cast<std::size_t>(syllables);
    if (syllables < 0 || s >= Layers_.size() || position < 0 ||
        static_cast<std::size_t>(position) >= Layers_[s].size())
        return kNoSegments;
    return Layers_[s][static_cast<std::size_t>(position)];
}

} // namespace zirtel

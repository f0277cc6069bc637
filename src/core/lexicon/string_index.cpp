#include "core/lexicon/string_index.h"

#include "core/text/latin1.h"

namespace zirtel {

std::uint64_t StringIndex::Hash(std::string_view s) const {
    std::uint64_t h = 1469598103934665603ull;
    if (Match_ == Match::IgnoreCase) {
        for (char c : s)
            h = (h ^ static_cast<unsigned char>(LowerLatin1Char(c))) * 1099511628211ull;
    } else {
        for (char c : s) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return h ^ (h >> 29);
}

bool StringIndex::Equal(std::string_view a, std::string_view b) const {
    if (a.size() != b.size()) return false;
    if (Match_ == Match::Exact) return a == b;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && LowerLatin1Char(a[i]) != LowerLatin1Char(b[i])) return false;
    return true;
}

void StringIndex::Clear() {
    Slots_.clear();
    Mask_ = 0;
}

void StringIndex::Build(const std::vector<std::string>& keys) {
    std::vector<int> order(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) order[i] = static_cast<int>(i);
    Build(keys, order);
}

void StringIndex::Build(const std::vector<std::string>& keys, const std::vector<int>& order) {
    std::size_t cap = 16;
    while (cap < order.size() * 2) cap <<= 1;
    Slots_.assign(cap, Slot{});
    Mask_ = cap - 1;
    for (int p : order) Insert(keys, p);
}

void StringIndex::Insert(const std::vector<std::string>& keys, int position) {
    const std::string& key = keys[static_cast<std::size_t>(position)];
    const std::uint64_t hash = Hash(key);
    const std::uint32_t tag = TagOf(hash);
    std::uint64_t i = hash & Mask_;
    while (Slots_[i].Position >= 0) {
        const Slot& s = Slots_[i];
        if (s.Tag == tag && Equal(keys[static_cast<std::size_t>(s.Position)], key))
            return; // first one wins
        i = (i + 1) & Mask_;
    }
    Slots_[i] = Slot{position, tag};
}

int StringIndex::Find(const std::vector<std::string>& keys, std::string_view text) const {
    if (Slots_.empty()) return -1;
    const std::uint64_t hash = Hash(text);
    const std::uint32_t tag = TagOf(hash);
    std::uint64_t i = hash & Mask_;
    while (Slots_[i].Position >= 0) {
        const Slot& s = Slots_[i];
        if (s.Tag == tag && Equal(keys[static_cast<std::size_t>(s.Position)], text))
            return s.Position;
        i = (i + 1) & Mask_;
    }
    return -1;
}

} // namespace zirtel

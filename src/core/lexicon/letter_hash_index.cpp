#include "core/lexicon/letter_hash_index.h"

namespace zirtel {

void LetterHashIndex::Clear() {
    Slots_.clear();
    Tags_.clear();
    Mask_ = 0;
}

void LetterHashIndex::Build(const std::vector<std::string>& keys, std::vector<int>* firstOf) {
    Fill(keys, nullptr, firstOf);
}

void LetterHashIndex::Build(const std::vector<std::string>& keys, const std::vector<int>& order) {
    Fill(keys, &order, nullptr);
}

void LetterHashIndex::Fill(const std::vector<std::string>& keys, const std::vector<int>* order,
                           std::vector<int>* firstOf) {
    const std::size_t n = order ? order->size() : keys.size();
    std::size_t cap = 16;
    while (cap < n * 2) cap <<= 1;
    Slots_.assign(cap, Slot{});
    Tags_.assign(cap, 0);
    Mask_ = cap - 1;
    if (firstOf) firstOf->assign(keys.size(), -1);
    auto positionAt = [order](std::size_t i) { return order ? (*order)[i] : static_cast<int>(i); };
    // The hashes first, then the insertions, the slots of a few keys ahead asked for early.
    std::vector<std::uint64_t> mixed(n);
    for (std::size_t i = 0; i < n; ++i)
        mixed[i] = Mix(Hash(keys[static_cast<std::size_t>(positionAt(i))]));
    constexpr std::size_t kAhead = 8;
    for (std::size_t i = 0; i < n; ++i) {
        if (i + kAhead < n) {
            __builtin_prefetch(&Tags_[mixed[i + kAhead] & Mask_]);
            __builtin_prefetch(&Slots_[mixed[i + kAhead] & Mask_]);
        }
        const int position = positionAt(i);
        const int first = Insert(keys, position, mixed[i]);
        if (firstOf) (*firstOf)[static_cast<std::size_t>(position)] = first;
    }
}

int LetterHashIndex::Insert(const std::vector<std::string>& keys, int position,
                            std::uint64_t mixed) {
    const std::string& key = keys[static_cast<std::size_t>(position)];
    const auto check = static_cast<std::uint32_t>(mixed >> 32);
    const std::uint8_t tag = TagOf(mixed);
    std::uint64_t i = mixed & Mask_;
    while (Tags_[i] != 0) {
        const Slot& s = Slots_[i];
        if (Tags_[i] == tag && s.Check == check &&
            Equal(keys[static_cast<std::size_t>(s.Position)], key))
            return s.Position; // the first one wins
        i = (i + 1) & Mask_;
    }
    Slots_[i] = Slot{check, position};
    Tags_[i] = tag;
    return position;
}

EditHashes::EditHashes(const LetterHashIndex& index, std::string_view base)
    : Index_(index), Length_(base.size()), Values_(base.size()), Prefix_(base.size() + 1, 0),
      Suffix_(base.size() + 1, 0), Power_(base.size() + 2, 1) {
    for (std::size_t k = 1; k < Power_.size(); ++k)
        Power_[k] = Power_[k - 1] * LetterHashIndex::kBase;
    for (std::size_t i = 0; i < Length_; ++i) {
        Values_[i] = index.Value(base[i]);
        Prefix_[i + 1] = Prefix_[i] * LetterHashIndex::kBase + Values_[i];
    }
    for (std::size_t i = Length_; i-- > 0;)
        Suffix_[i] = Suffix_[i + 1] + Values_[i] * Power_[Length_ - 1 - i];
}

} // namespace zirtel

#include "core/measures/syllable_tables.h"

#include <algorithm>
#include <stdexcept>

#include "core/feedback/feedback.h"
#include "core/lexicon/lexicon.h"

namespace zirtel {

namespace {

constexpr unsigned char kMiddleDot = 0xB7;

bool IsSeparator(char c) {
    return c == '-' || static_cast<unsigned char>(c) == kMiddleDot;
}

// Where a syllable after the first may go on: "A" to "{".
bool ContinuesSyllable(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 65 && b <= 123;
}

std::size_t FindSeparator(std::string_view text, std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i)
        if (IsSeparator(text[i])) return i;
    return std::string_view::npos;
}

} // namespace

int SyllableCount(std::string_view text) {
    if (text.empty()) return 1;
    return 1 + static_cast<int>(std::count(text.begin(), text.end() - 1, '-'));
}

std::string_view ExtractSyllable(std::string_view text, int position) {
    if (text.empty() || position < 1 || position > 3) return {};
    if (position == 1) {
        std::size_t end = 1;
        while (end < text.size() && !IsSeparator(text[end])) ++end;
        return text.substr(0, end);
    }
    std::size_t sep = FindSeparator(text, 1);
    if (position == 3 && sep != std::string_view::npos) sep = FindSeparator(text, sep + 1);
    if (sep == std::string_view::npos || sep + 1 >= text.size()) return {};
    const std::size_t start = sep + 1;
    std::size_t end = start + 1;
    while (end < text.size() && ContinuesSyllable(text[end])) ++end;
    return text.substr(start, end - start);
}

// ---- SyllableTable ----

std::uint64_t SyllableTable::Hash(std::string_view s) const {
    std::uint64_t h = 1469598103934665603ull;
    for (char c : s) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h ^ (h >> 31);
}

// The slot that holds the syllable, or the empty slot where it would go.
int SyllableTable::Slot(std::string_view s, std::uint64_t hash) const {
    const std::uint64_t mask = Slots_.size() - 1;
    std::uint64_t i = hash & mask;
    while (true) {
        const std::int32_t entry = Slots_[i];
        if (entry < 0) return static_cast<int>(i);
        const auto e = static_cast<std::size_t>(entry);
        if (Hashes_[e] == hash && Texts_[e] == s) return static_cast<int>(i);
        i = (i + 1) & mask;
    }
}

void SyllableTable::Grow() {
    const std::size_t capacity = std::max<std::size_t>(64, Slots_.size() * 2);
    Slots_.assign(capacity, -1);
    const std::uint64_t mask = capacity - 1;
    for (std::size_t e = 0; e < Texts_.size(); ++e) {
        std::uint64_t i = Hashes_[e] & mask;
        while (Slots_[i] >= 0) i = (i + 1) & mask;
        Slots_[i] = static_cast<std::int32_t>(e);
    }
}

void SyllableTable::Add(std::string_view syllable, float frequency) {
    if ((Texts_.size() + 1) * 2 > Slots_.size()) Grow();
    const std::uint64_t hash = Hash(syllable);
    const auto slot = static_cast<std::size_t>(Slot(syllable, hash));
    if (Slots_[slot] < 0) {
        Slots_[slot] = static_cast<std::int32_t>(Texts_.size());
        Texts_.emplace_back(syllable);
        Counts_.emplace_back();
        Hashes_.push_back(hash);
    }
    SyllableCounts& c = Counts_[static_cast<std::size_t>(Slots_[slot])];
    c.Type += 1;
    c.Token += frequency;
    if (frequency > c.Max) c.Max = frequency;
}

const SyllableCounts* SyllableTable::Find(std::string_view syllable) const {
    if (Slots_.empty()) return nullptr;
    const std::int32_t entry = Slots_[static_cast<std::size_t>(Slot(syllable, Hash(syllable)))];
    return entry < 0 ? nullptr : &Counts_[static_cast<std::size_t>(entry)];
}

void SyllableTable::Clear() {
    Texts_.clear();
    Counts_.clear();
    Hashes_.clear();
    Slots_.clear();
}

// ---- SyllableTableSet ----

namespace {
std::size_t TableIndex(int syllables, int position) {
    if (syllables == 2 && position >= 1 && position <= 2)
        return static_cast<std::size_t>(position - 1);
    if (syllables == 3 && position >= 1 && position <= 3)
        return static_cast<std::size_t>(position + 1);
    throw std::out_of_range("no syllable table for this word length and position");
}
} // namespace

const SyllableTable& SyllableTableSet::Table(int syllables, int position) const {
    return Tables_[TableIndex(syllables, position)];
}

SyllableTable& SyllableTableSet::MutableTable(int syllables, int position) {
    return Tables_[TableIndex(syllables, position)];
}

void SyllableTableSet::Reset() {
    for (SyllableTable& t : Tables_) t.Clear();
    Built = false;
}

void SyllableTableSet::Build(const Lexicon& lexicon, Source source, Feedback& feedback) {
    for (SyllableTable& t : Tables_) t.Clear();
    const std::vector<std::string>& texts =
        source == Source::Pronunciations ? lexicon.LexPhonForms : lexicon.LexOrthSylls;
    const std::size_t entries = std::min(texts.size(), lexicon.LexFreqs.size());
    {
        auto progress =
            feedback.OpenProgress("Maiztasun silabikoak kalkulatzen ... ", "", lexicon.Size());
        BusyCursor busy(feedback);
        for (std::size_t i = 0; i < entries; ++i) {
            progress->Step();
            const std::string& text = texts[i];
            const int syllables = SyllableCount(text);
            if (syllables != 2 && syllables != 3) continue;
            const float f = lexicon.LexFreqs[i];
            for (int position = 1; position <= syllables; ++position)
                MutableTable(syllables, position).Add(ExtractSyllable(text, position), f);
        }
        progress->SetPosition(lexicon.Size());
    } // the progress window closes here
    Built = true;
}

} // namespace zirtel

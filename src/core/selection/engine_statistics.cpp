#include "core/selection/engine_statistics.h"

#include <atomic>
#include <thread>
#include <unordered_set>
#include <utility>

#include "core/analysis/field_catalogue.h"
#include "core/analysis/item_list.h"
#include "core/analysis/item_statistics.h"
#include "core/feedback/held_feedback.h"
#include "core/text/collation.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

bool Analysable(const std::string& item) {
    return static_cast<int>(item.size()) >= kMinItemLength &&
           static_cast<int>(item.size()) <= kMaxItemLength;
}

// The items without repeats (letter case ignored), each at its first place.
std::vector<std::string> Distinct(std::vector<std::string> items) {
    std::unordered_set<std::string> seen;
    seen.reserve(items.size());
    std::size_t kept = 0;
    for (std::string& item : items)
        if (seen.insert(CollationEqualityKey(item)).second) {
            if (&items[kept] != &item) items[kept] = std::move(item);
            ++kept;
        }
    items.resize(kept);
    return items;
}

FieldSet SetOf(const std::vector<int>& fields) {
    FieldSet set;
    for (int f : fields) set.set(static_cast<std::size_t>(f));
    return set;
}

// The values of `fields` for `item` into `values`.
void MeasureInto(MeasureContext& ctx, RowValues& row, const std::string& item,
                 const std::vector<int>& fields, std::vector<Value>& values) {
    // An item the analysis refuses has no value in any field (MissingReason::ItemLength).
    MeasureItem(ctx, LowerAscii(item), SetOf(fields), row);
    values.clear();
    values.reserve(fields.size());
    for (int f : fields) values.push_back(row.At(f));
}

} // namespace

// A worker other than this thread: its messages wait for their item's turn.
struct EngineStatistics::Helper {
    HeldFeedback UI;
    MeasureContext Context;
    RowValues Values;
    explicit Helper(const MeasureContext& base) : Context(base.Redirected(UI, nullptr, nullptr)) {}
};

EngineStatistics::EngineStatistics(MeasuringSetup& setup, const std::vector<int>& fields,
                                   int decimals, int jobs)
    : Context_(setup.Measures()), Decimals_(decimals), Jobs_(std::max(jobs, 1)) {
    setup.Options.UntickAllFields();
    for (int f : fields) setup.Options.SetFieldTicked(f, true);
    setup.Options.SetTicked("NListBox", false); // nothing is listed
}

EngineStatistics::~EngineStatistics() = default;

void EngineStatistics::Measure(const std::string& item, const std::vector<int>& fields,
                               std::vector<Value>& values) {
    MeasureInto(Context_, Values_, item, fields, values);
    if (Analysable(item)) Loaded_ |= SetOf(fields);
}

void EngineStatistics::MeasureRange(const std::vector<std::string>& items, std::size_t begin,
                                    std::size_t end, const std::vector<int>& fields,
                                    const ValuesTaker& take) {
    // Until an item has been measured on these fields (and the tables they read are loaded), one
    // by one on this thread, the messages straight to the user.
    const FieldSet requested = SetOf(fields);
    std::vector<Value> values;
    std::size_t next = begin;
    for (; next < end && (Jobs_ == 1 || (requested & ~Loaded_).any()); ++next) {
        Measure(items[next], fields, values);
        take(next, values);
    }
    if (next == end) return;
    // PLD20 builds its index on the first item found in the lexicon: built here, before the
    // workers share it.
    if ((requested[static_cast<std::size_t>(FieldIndex(FieldId::kPLD20))] ||
         requested[static_cast<std::size_t>(FieldIndex(FieldId::kPLD20F))]) &&
        Context_.WholeWords.HasPronunciations())
        Context_.Tables.PhonLevenshtein(Context_.WholeWords);
    while (static_cast<int>(Helpers_.size()) < Jobs_ - 1)
        Helpers_.push_back(std::make_unique<Helper>(Context_));

    std::vector<std::vector<HeldMessage>> messages(end - next);
    std::atomic<std::size_t> taken{next};
    constexpr std::size_t kChunk = 16;
    auto work = [&](MeasureContext& ctx, RowValues& row, HeldFeedback* held) {
        std::vector<Value> measured;
        for (;;) {
            const std::size_t start = taken.fetch_add(kChunk);
            if (start >= end) return;
            for (std::size_t i = start; i < std::min(start + kChunk, end); ++i) {
                MeasureInto(ctx, row, items[i], fields, measured);
                take(i, measured);
                if (held) messages[i - next] = std::exchange(held->Messages, {});
            }
        }
    };
    HeldFeedback mine; // this thread's messages wait their turn too
    MeasureContext own = Context_.Redirected(mine, nullptr, nullptr);
    std::vector<std::thread> threads;
    for (const auto& h : Helpers_)
        threads.emplace_back(work, std::ref(h->Context), std::ref(h->Values), &h->UI);
    work(own, Values_, &mine);
    for (std::thread& t : threads) t.join();
    for (const auto& held : messages)
        for (const HeldMessage& m : held) Context_.UI.ShowMessage(m.Caption, m.Text, m.Buttons);
}

void PrepareForDesign(MeasuringSetup& setup, const Design& design) {
    if (design.Lemmas && setup.Lemmas.Empty())
        LoadLemmaLexicon(setup.AppDir / kLemmaFile, setup.Lemmas, setup.UI);
    setup.LemmasCurrent = design.Lemmas;
    setup.Options.SetTicked("RulePronBox", design.RulePronunciations);
    setup.RulePronunciations = design.RulePronunciations;
}

std::optional<std::vector<std::string>> ReadItemsFile(MeasuringSetup& setup,
                                                      const std::filesystem::path& path) {
    std::optional<ItemList> list = ReadItemList(setup.UI, path);
    if (!list) return std::nullopt;
    return std::move(list->Stimuli.Items);
}

std::optional<std::filesystem::path> PoolFile(const Design& design,
                                              const std::filesystem::path& designFolder) {
    if (design.PoolIsLexicon) return std::nullopt;
    std::filesystem::path file(Latin1ToUtf8(design.PoolFile));
    return file.is_relative() ? designFolder / file : file;
}

std::optional<std::vector<std::string>> PoolItems(MeasuringSetup& setup, const Design& design,
                                                  const std::filesystem::path& designFolder) {
    if (const auto file = PoolFile(design, designFolder)) {
        auto items = ReadItemsFile(setup, *file);
        if (items) *items = Distinct(std::move(*items));
        return items;
    }
    // The lexicon's index names each word's first equal entry: the words that are it are the
    // distinct ones.
    const Lexicon& words = setup.WholeWords;
    std::vector<std::string> items;
    items.reserve(words.LexWords.size());
    for (std::size_t i = 0; i < words.LexWords.size(); ++i)
        if (const std::string& w = words.LexWords[i];
            Analysable(w) && words.Find(w) == static_cast<int>(i))
            items.push_back(w);
    return items;
}

} // namespace zirtel

#include "core/selection/engine_statistics.h"

#include <unordered_set>

#include "core/analysis/field_catalogue.h"
#include "core/analysis/item_list.h"
#include "core/analysis/item_statistics.h"
#include "core/text/collation.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

bool Analysable(const std::string& item) {
    return static_cast<int>(item.size()) >= kMinItemLength &&
           static_cast<int>(item.size()) <= kMaxItemLength;
}

// The items without repeats (letter case ignored), each at its first place.
std::vector<std::string> Distinct(const std::vector<std::string>& items) {
    std::unordered_set<std::string> seen;
    std::vector<std::string> kept;
    kept.reserve(items.size());
    for (const std::string& item : items)
        if (seen.insert(CollationEqualityKey(item)).second) kept.push_back(item);
    return kept;
}

} // namespace

EngineStatistics::EngineStatistics(MeasuringSetup& setup, const std::vector<int>& fields,
                                   int decimals)
    : Context_(setup.Measures()), Decimals_(decimals) {
    setup.Options.UntickAllFields();
    for (int f : fields) setup.Options.SetFieldTicked(f, true);
    setup.Options.SetTicked("NListBox", false); // nothing is listed
}

void EngineStatistics::Measure(const std::string& item, const std::vector<int>& fields,
                               std::vector<Value>& values) {
    FieldSet requested;
    for (int f : fields) requested.set(static_cast<std::size_t>(f));
    // An item the analysis refuses has no value in any field (MissingReason::ItemLength).
    MeasureItem(Context_, LowerAscii(item), requested, Values_);
    values.clear();
    values.reserve(fields.size());
    for (int f : fields) values.push_back(Values_.At(f));
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
        if (items) *items = Distinct(*items);
        return items;
    }
    std::vector<std::string> items;
    items.reserve(setup.WholeWords.LexWords.size());
    for (const std::string& w : setup.WholeWords.LexWords)
        if (Analysable(w)) items.push_back(w);
    return Distinct(items);
}

} // namespace zirtel

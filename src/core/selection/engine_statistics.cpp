#include "core/selection/engine_statistics.h"

#include <unordered_set>

#include "core/analysis/field_catalogue.h"
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

EngineStatistics::EngineStatistics(Workspace& ws, const std::vector<int>& fields)
    : Context_(ws.Measures()), Decimals_(ws.Decimals) {
    ws.Options.UntickAllFields();
    for (int f : fields) ws.Options.SetFieldTicked(f, true);
    ws.Options.SetTicked("NListBox", false); // nothing is listed
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

void PrepareForDesign(Workspace& ws, const Design& design) {
    if (design.Lemmas && ws.Lemmas.Empty())
        LoadLemmaLexicon(ws.AppDir / kLemmaFile, ws.Lemmas, ws.UI);
    ws.LemmasCurrent = design.Lemmas;
    ws.Options.SetTicked("RulePronBox", design.RulePronunciations);
    ws.RulePronunciations = design.RulePronunciations;
}

std::optional<std::vector<std::string>> ReadItemsFile(Workspace& ws,
                                                      const std::filesystem::path& path) {
    if (!ws.ReadInputFile(path)) return std::nullopt;
    std::vector<std::string> items = ws.Stimuli.Items;
    ws.ClearItems();
    return items;
}

std::optional<std::filesystem::path> PoolFile(const Design& design,
                                              const std::filesystem::path& designFolder) {
    if (design.PoolIsLexicon) return std::nullopt;
    std::filesystem::path file(Latin1ToUtf8(design.PoolFile));
    return file.is_relative() ? designFolder / file : file;
}

std::optional<std::vector<std::string>> PoolItems(Workspace& ws, const Design& design,
                                                  const std::filesystem::path& designFolder) {
    if (const auto file = PoolFile(design, designFolder)) {
        auto items = ReadItemsFile(ws, *file);
        if (items) *items = Distinct(*items);
        return items;
    }
    std::vector<std::string> items;
    items.reserve(ws.WholeWords.LexWords.size());
    for (const std::string& w : ws.WholeWords.LexWords)
        if (Analysable(w)) items.push_back(w);
    return Distinct(items);
}

} // namespace zirtel

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

EngineStatistics::EngineStatistics(Workspace& ws, const std::vector<int>& fields) : Ws_(ws) {
    Ws_.Options.UntickAllFields();
    for (int f : fields) Ws_.Options.SetFieldTicked(f, true);
    Ws_.Options.SetTicked("NListBox", false);
    Ws_.AssignColumns();
    Ws_.ClearItems();
}

std::vector<std::string> EngineStatistics::FieldTexts(const std::string& item,
                                                      const std::vector<int>& fields) {
    const std::string lowered = LowerAscii(item);
    // An item the analysis refuses has no value in any field.
    if (!Analysable(lowered)) return std::vector<std::string>(fields.size(), "-1");
    Ws_.OutputGrid.SetCell(1, 1, lowered);
    Ws_.AnalyseItem(1);
    std::vector<std::string> texts;
    texts.reserve(fields.size());
    for (int f : fields) {
        const int col = Ws_.*(FieldCatalogue()[static_cast<std::size_t>(f)].Col);
        texts.push_back(col > 0 ? Ws_.OutputGrid.Cell(col, 1) : std::string());
    }
    return texts;
}

std::optional<DesignError> UnsupportedInDesign(const Design& design) {
    if (design.RulePronunciations)
        return DesignError{design.RulePronunciationsLine,
                           "rule-pronunciations: the analysis has no rule pronunciations option"};
    return std::nullopt;
}

void PrepareForDesign(Workspace& ws, const Design& design) {
    if (design.Lemmas && ws.Lemmas.Empty())
        LoadLemmaLexicon(ws.AppDir / kLemmaFile, ws.Lemmas, ws.UI);
    ws.LemmasCurrent = design.Lemmas;
}

std::optional<std::vector<std::string>> ReadItemsFile(Workspace& ws,
                                                      const std::filesystem::path& path) {
    if (!ws.ReadInputFile(path)) return std::nullopt;
    std::vector<std::string> items = ws.Stimuli.Items;
    ws.ClearItems();
    return items;
}

std::optional<std::vector<std::string>> PoolItems(Workspace& ws, const Design& design,
                                                  const std::filesystem::path& designFolder) {
    if (!design.PoolIsLexicon) {
        std::filesystem::path file(Latin1ToUtf8(design.PoolFile));
        if (file.is_relative()) file = designFolder / file;
        auto items = ReadItemsFile(ws, file);
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

// The selector on the program's own statistics: the pool and the items to match come from the
// lexicon or an items file, and their values from the analysis of each item, with exactly the
// fields the design names ticked.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/workspace.h"
#include "core/selection/design.h"
#include "core/selection/selector.h"

namespace zirtel {

// Analyses one item at a time in a workspace whose only ticked fields are the ones asked for.
class EngineStatistics : public StatisticsSource {
  public:
    // Ticks `fields` (and nothing else) and turns the neighbour lists off.
    EngineStatistics(Workspace& ws, const std::vector<int>& fields);
    std::vector<std::string> FieldTexts(const std::string& item,
                                        const std::vector<int>& fields) override;

  private:
    Workspace& Ws_;
};

// What the design asks that the analysis cannot give: "rule-pronunciations" while the analysis
// has no rule pronunciations option. Nothing when the design can run.
std::optional<DesignError> UnsupportedInDesign(const Design& design);

// Sets the workspace up for the design: the lemma lexicon current when it says "lemmas" (read
// on first need), the whole-word lexicon otherwise.
void PrepareForDesign(Workspace& ws, const Design& design);

// The design's pool: the whole-word lexicon's words (those the analysis takes: 2 to 18
// letters), or the items of the design's items file (a relative name is taken from
// `designFolder`). Nothing when the items file cannot be read.
std::optional<std::vector<std::string>> PoolItems(Workspace& ws, const Design& design,
                                                  const std::filesystem::path& designFolder);

// The items of an items file, as the input file reader takes them; nothing when it cannot be
// opened (the workspace has then told the user).
std::optional<std::vector<std::string>> ReadItemsFile(Workspace& ws,
                                                      const std::filesystem::path& path);

} // namespace zirtel

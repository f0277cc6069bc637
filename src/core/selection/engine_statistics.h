// The selector on the program's own statistics: the pool and the items to match come from the
// lexicon or an items file, and their values from the grid-free statistics call (MeasureItem),
// with exactly the fields the design names requested.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/measuring_setup.h"
#include "core/fields/row_values.h"
#include "core/selection/design.h"
#include "core/selection/selector.h"

namespace zirtel {

// Measures one item at a time on the setup's lexicons, user fields and tables, with no grid
// and no neighbour list: only the writers of the fields asked for run.
class EngineStatistics : public StatisticsSource {
  public:
    // Ticks `fields` (the design's) and nothing else in the setup's options, and unticks the
    // neighbour list, so that its settings record what is measured; the setup's lexicon choice
    // and user fields must be final. The values are shown with `decimals`.
    EngineStatistics(MeasuringSetup& setup, const std::vector<int>& fields, int decimals);
    void Measure(const std::string& item, const std::vector<int>& fields,
                 std::vector<Value>& values) override;
    int Decimals() const override { return Decimals_; }

  private:
    MeasureContext Context_;
    int Decimals_;
    RowValues Values_;
};

// Sets the measuring up for the design: the lemma lexicon current when it says "lemmas" (read
// on first need), the whole-word lexicon otherwise; "Sasihitzak arauz ahoskatu" ticked when it
// says "rule-pronunciations", unticked otherwise, and the measures follow it.
void PrepareForDesign(MeasuringSetup& setup, const Design& design);

// The design's items file, a relative name taken from `designFolder`; nothing for the lexicon.
std::optional<std::filesystem::path> PoolFile(const Design& design,
                                              const std::filesystem::path& designFolder);

// The design's pool: the whole-word lexicon's words (those the analysis takes: 2 to 18
// letters), or the items of the design's items file (a relative name is taken from
// `designFolder`). Nothing when the items file cannot be read.
std::optional<std::vector<std::string>> PoolItems(MeasuringSetup& setup, const Design& design,
                                                  const std::filesystem::path& designFolder);

// The items of an items file, as the input file reader takes them; nothing when it cannot be
// opened (the user has then been told, through the setup's Feedback).
std::optional<std::vector<std::string>> ReadItemsFile(MeasuringSetup& setup,
                                                      const std::filesystem::path& path);

} // namespace zirtel

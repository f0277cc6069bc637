// The selector on the program's own statistics: the pool and the items to match come from the
// lexicon or an items file, and their values from the grid-free statistics call (MeasureItem),
// with exactly the fields the design names requested.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/measuring_setup.h"
#include "core/fields/row_values.h"
#include "core/selection/design.h"
#include "core/selection/selector.h"

namespace zirtel {

// Measures items on the setup's lexicons, user fields and tables, with no grid and no neighbour
// list: only the writers of the fields asked for run. A range of items is shared among `jobs`
// workers (this thread among them) once an item has been measured on this thread (and the tables
// it reads are loaded); the workers' messages are shown in item order.
class EngineStatistics : public StatisticsSource {
  public:
    // Ticks `fields` (the design's) and nothing else in the setup's options, and unticks the
    // neighbour list, so that its settings record what is measured; the setup's lexicon choice
    // and user fields must be final. The values are shown with `decimals`.
    EngineStatistics(MeasuringSetup& setup, const std::vector<int>& fields, int decimals,
                     int jobs = 1);
    ~EngineStatistics() override;
    void Measure(const std::string& item, const std::vector<int>& fields,
                 std::vector<Value>& values) override;
    void MeasureRange(const std::vector<std::string>& items, std::size_t begin, std::size_t end,
                      const std::vector<int>& fields, const ValuesTaker& take) override;
    int Decimals() const override { return Decimals_; }

  private:
    struct Helper;

    MeasureContext Context_;
    int Decimals_;
    RowValues Values_;
    int Jobs_;
    FieldSet Loaded_; // fields an item has been measured on: the tables they read are loaded
    std::vector<std::unique_ptr<Helper>> Helpers_; // the other workers, made on first need
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

// The statistics of one item, with no grid: the call behind the results grid (AnalyseItem), and
// the call for tools that measure many words (thousands of candidates, the whole lexicon)
// without building a row for each. Given the measure context, the requested fields and an item,
// it runs the writer of every requested field once, in their fixed order, and returns the values.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/fields/fields.h"
#include "core/fields/measure_context.h"
#include "core/fields/row_values.h"

namespace zirtel {

class AnalysisOptions;

inline constexpr int kMinItemLength = 2;
inline constexpr int kMaxItemLength = 18;
// The message of an item longer than kMaxItemLength.
std::string LongItemText();

// The fields whose boxes are ticked.
FieldSet TickedFields(const AnalysisOptions& options);
// The fields named by their mnemonics (letter case ignored, "N_STAR" for "N*"); throws
// std::invalid_argument for a name that is not a field.
FieldSet FieldsNamed(std::initializer_list<std::string_view> mnemonics);

// Measures the item for the requested fields into `values` (started afresh). False when the
// item has fewer than 2 or more than 18 characters: then every requested field is missing
// (MissingReason::ItemLength). A writer runs when any field of its family is requested; the
// orthographic neighbour search also runs while the context lists deletion or addition
// neighbours.
bool MeasureItem(MeasureContext& ctx, std::string_view item, const FieldSet& fields,
                 RowValues& values);

// The values of the item by field index (kFieldCount; missing, not measured, for a field not
// requested); an empty vector when the item's length is outside 2..18.
std::vector<Value> ItemValues(MeasureContext& ctx, std::string_view item, const FieldSet& fields);
// The same as the results grid shows them, with `decimals` (empty for a field not requested).
std::vector<std::string> ItemStatistics(MeasureContext& ctx, std::string_view item,
                                        const FieldSet& fields, int decimals = 2);

} // namespace zirtel

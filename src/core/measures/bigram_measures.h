// Bigram measures of one item, from the bigram tables of its length: the token value of the
// pairs at positions 1 to 5 (1_BM .. 5_BM), the mean token and type values (BM_TK, BM_TP), and
// the sum and mean of the log10 token values (BMLB, BMLBB). When the table of the item's length
// could not be read, the measures show their failure texts and warn ("Abisua").
#pragma once

#include <optional>
#include <string_view>

#include "core/fields/measure_context.h"

namespace zirtel {

class BigramTables;

// All requested bigram fields, in their order: 1_BM .. 5_BM, BM_TK, BM_TP, BMLB, BMLBB. The
// bigram files are read on the first item that requests one.
void WriteBigramMeasures(MeasureContext& ctx, RowValues& values);

// Sum of log10 of the item's token values that are above 0 (32-bit accumulator); nothing when
// the tables of the item's length are not loaded.
std::optional<float> BigramLogSum(const BigramTables& tables, std::string_view item);

} // namespace zirtel

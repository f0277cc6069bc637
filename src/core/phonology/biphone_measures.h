// The biphone measures of one item, from the positional biphone tables of its phoneme count:
// TK_BB (mean token frequency), TP_BB (mean type count), BPMLB (sum of the log10 token
// frequencies) and BPMLBB (that sum per biphone). Each is written when it is requested.
// The item's pronunciation comes from the whole-word lexicon; its phonemes are the pronunciation
// without stress marks (' and ") and syllable marks (-).
#pragma once

#include <string>
#include <string_view>

#include "core/fields/measure_context.h"

namespace zirtel {

// The phonemes of a pronunciation: without stress and syllable marks.
std::string BiphonePhonemes(std::string_view pronunciation);

// TK_BB, TP_BB, BPMLB, BPMLBB, whichever are requested. The biphone files are read on the
// first item that requests one.
void WriteBiphoneMeasures(MeasureContext& ctx, RowValues& values);

} // namespace zirtel

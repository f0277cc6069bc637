// The biphone measures of one item, from the positional biphone tables of its phoneme count:
// TK_BB (mean token frequency), TP_BB (mean type count), BPMLB (sum of the log10 token
// frequencies) and BPMLBB (that sum per biphone). Each writes its own column when it is shown.
// The item's pronunciation comes from the whole-word lexicon; its phonemes are the pronunciation
// without stress marks (' and ") and syllable marks (-).
#pragma once

#include <string>
#include <string_view>

namespace zirtel {

class Workspace;

// Whether any of the four biphone fields is shown.
bool BiphoneFieldsShown(const Workspace& ws);

// The phonemes of a pronunciation: without stress and syllable marks.
std::string BiphonePhonemes(std::string_view pronunciation);

void WriteBiphoneTokenMean(Workspace& ws, int row); // TK_BB
void WriteBiphoneTypeMean(Workspace& ws, int row);  // TP_BB
void WriteBiphoneLogSum(Workspace& ws, int row);    // BPMLB
void WriteBiphoneMeanLog(Workspace& ws, int row);   // BPMLBB

} // namespace zirtel

// The phonological neighbour search: the words whose pronunciation differs from the item's by
// one phoneme substituted, deleted or added, and the twelve phonological neighbourhood fields
// (PN, PN1-PN4, PP, HFPN, LFPN, PNF_MAX, PNF_MIN, PNF_MU, PNF_SIG). Every neighbour is also
// entered, with its kind and position, into the phonological neighbour list.
#pragma once

#include "core/fields/measure_context.h"

namespace zirtel {

// Searches the neighbours of the item and writes the requested fields. The item and its
// neighbours are looked up in the whole-word lexicon, whichever lexicon is current (only it has
// pronunciations). An item that is not there (or has no pronunciation) is not searched: its
// fields stay empty and nothing is listed. Every neighbour found is entered into the
// phonological neighbour list, when there is one.
void AnalysePhonNeighbours(MeasureContext& ctx, RowValues& values);

} // namespace zirtel

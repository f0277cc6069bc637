// The phonological neighbour search: the words whose pronunciation differs from the item's by
// one phoneme substituted, deleted or added, and the twelve phonological neighbourhood fields
// (PN, PN1-PN4, PP, HFPN, LFPN, PNF_MAX, PNF_MIN, PNF_MU, PNF_SIG). Every neighbour is also
// entered, with its kind and position, into the phonological neighbour list.
#pragma once

namespace zirtel {

class Workspace;

// Whether any of the twelve phonological neighbourhood fields is shown.
bool PhonNeighbourFieldsShown(const Workspace& ws);

// Searches the neighbours of the item in `row` of the results and writes the shown fields of
// that row. The item and its neighbours are looked up in the whole-word lexicon, whichever
// lexicon is current (only it has pronunciations). An item that is not there (or has no
// pronunciation) is not searched: its fields stay as they are and nothing is listed.
void AnalysePhonNeighbours(Workspace& ws, int row);

} // namespace zirtel

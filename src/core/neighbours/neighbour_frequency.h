// The neighbour frequency measures: substitution neighbours more and less frequent than the
// item (HFN, LFN), the positions with a more frequent one (HFP), the maximum, minimum, mean and
// standard deviation of their frequencies (NF_MAX, NF_MIN, NF_MU, NF_SIG), and the most
// frequent subset and superset with its frequency (AZPIM, AZPIM_MAIZT, GAIN, GAIN_MAIZT).
// Called by the neighbour search for each neighbour it finds.
#pragma once

#include <string>

#include "core/neighbours/neighbour_search.h"

namespace zirtel {

class RowValues;

// A substitution neighbour of frequency `freq` at `position`; called before the search counts it.
void OnSubstitutionNeighbour(NeighbourTally& tally, int position, float freq);

// A deletion neighbour: the first most frequent one (frequency above 0) goes into AZPIM and
// AZPIM_MAIZT.
void OnDeletionNeighbour(RowValues& values, NeighbourTally& tally, const std::string& word,
                         float freq);

// An addition neighbour: likewise into GAIN and GAIN_MAIZT.
void OnAdditionNeighbour(RowValues& values, NeighbourTally& tally, const std::string& word,
                         float freq);

// Writes HFP, HFN, LFN, NF_MAX, NF_MIN, NF_MU and NF_SIG, each when requested.
void WriteFrequencyColumns(RowValues& values, const NeighbourTally& tally);

} // namespace zirtel

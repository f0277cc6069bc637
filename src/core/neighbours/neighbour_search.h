// The orthographic neighbour search: for one item of the results, every word of the current
// word list that differs from it by one letter replaced (substitution neighbours), one letter
// removed (deletion neighbours, subsets) or one letter inserted (addition neighbours,
// supersets). It counts them overall and by position, hands their frequencies to the neighbour
// frequency measures, writes the count columns and, when the list is wanted, lists every
// neighbour in the orthographic neighbour list.
#pragma once

#include <array>

#include "core/fields/measure_context.h"

namespace zirtel {

// Longest item the search takes (the driver rejects longer ones); positions are 1..this.
inline constexpr int kMaxNeighbourItemLength = 18;

// The counts and frequency figures of one search; all zero at its start.
struct NeighbourTally {
    int SubCount = 0;               // substitution neighbours (N)
    int AllCount = 0;               // substitution + deletion + addition neighbours (N*)
    std::array<int, 20> PosCount{}; // substitution neighbours at positions 1..length
    int PosWithNeighbours = 0;      // positions with a substitution neighbour (P)
    int SubsetCount = 0;            // deletion neighbours (NAZPIM)
    int SupersetCount = 0;          // addition neighbours (NGAIN)

    float ItemFreq = 0.0f;         // the item's own frequency, 0 when it is not a word
    int HigherCount = 0;           // substitution neighbours more frequent than the item (HFN)
    int LowerCount = 0;            // ... less frequent (LFN)
    int HigherPositions = 0;       // positions with a more frequent one (HFP)
    int HigherFlaggedPosition = 0; // the position whose more frequent neighbour was counted
    float FreqSum = 0.0f;          // sum of substitution neighbour frequencies
    float FreqSqSum = 0.0f;        // sum of their squares
    float FreqMin = 0.0f;          // lowest substitution neighbour frequency (NF_MIN)
    float FreqMax = 0.0f;          // highest (NF_MAX)
    float BestSubsetFreq = 0.0f;   // highest deletion neighbour frequency so far
    float BestSupersetFreq = 0.0f; // highest addition neighbour frequency so far
};

// Searches the neighbours of the item and writes the requested fields of N, N*, N1..N5, P, the
// frequency measures, AZPIM .. NGAIN; fills the orthographic neighbour list while the list is
// shown ("Erakutsi auzokideen zerrenda"), its deletion and addition neighbours when they are
// to be listed. Items longer than 18 characters are left alone.
void FindOrthoNeighbours(MeasureContext& ctx, RowValues& values);

} // namespace zirtel

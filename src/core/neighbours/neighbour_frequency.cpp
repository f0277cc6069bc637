#include "core/neighbours/neighbour_frequency.h"

#include <cmath>

#include "core/fields/row_cells.h"

namespace zirtel {

void OnSubstitutionNeighbour(NeighbourTally& t, int position, float freq) {
    // Single-precision sums, as the established definitions of these measures form them.
    t.FreqSqSum += freq * freq;
    t.FreqSum += freq;
    if (freq > t.ItemFreq) {
        ++t.HigherCount;
        if (t.HigherFlaggedPosition != position) {
            t.HigherFlaggedPosition = position;
            ++t.HigherPositions;
        }
    } else if (freq < t.ItemFreq) {
        ++t.LowerCount;
    }
    if (t.SubCount == 0) t.FreqMin = freq;
    if (freq < t.FreqMin) t.FreqMin = freq;
    if (freq > t.FreqMax) t.FreqMax = freq;
}

void OnDeletionNeighbour(RowCells& cells, NeighbourTally& t, const std::string& word, float freq) {
    if (!(freq > t.BestSubsetFreq)) return;
    t.BestSubsetFreq = freq;
    cells.Put(FieldId::kAZPIM, word);
    cells.PutReal(FieldId::kAZPIM_MAIZT, freq);
}

void OnAdditionNeighbour(RowCells& cells, NeighbourTally& t, const std::string& word, float freq) {
    if (!(freq > t.BestSupersetFreq)) return;
    t.BestSupersetFreq = freq;
    cells.Put(FieldId::kGAIN, word);
    cells.PutReal(FieldId::kGAIN_MAIZT, freq);
}

void WriteFrequencyColumns(RowCells& cells, const NeighbourTally& t) {
    const float mean = t.SubCount >= 1 ? t.FreqSum / static_cast<float>(t.SubCount) : 0.0f;
    double sigma = 0.0;
    if (t.SubCount >= 2) {
        const double m = mean;
        const double variance =
            (static_cast<double>(t.FreqSqSum) - t.SubCount * m * m) / (t.SubCount - 1);
        // Below this the variance is rounding noise of the sums.
        if (variance >= 0.001) sigma = std::sqrt(variance);
    }
    cells.PutCount(FieldId::kHFP, t.HigherPositions);
    cells.PutCount(FieldId::kHFN, t.HigherCount);
    cells.PutCount(FieldId::kLFN, t.LowerCount);
    cells.PutReal(FieldId::kNF_MAX, t.FreqMax);
    cells.PutReal(FieldId::kNF_MIN, t.FreqMin);
    cells.PutReal(FieldId::kNF_MU, mean);
    cells.PutReal(FieldId::kNF_SIG, sigma);
}

} // namespace zirtel

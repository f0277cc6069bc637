#include "core/neighbours/neighbour_frequency.h"

#include <cmath>

#include "core/fields/row_values.h"

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

void OnDeletionNeighbour(RowValues& values, NeighbourTally& t, const std::string& word,
                         float freq) {
    if (!(freq > t.BestSubsetFreq)) return;
    t.BestSubsetFreq = freq;
    values.PutText(FieldId::kAZPIM, word);
    values.PutReal(FieldId::kAZPIM_MAIZT, freq);
}

void OnAdditionNeighbour(RowValues& values, NeighbourTally& t, const std::string& word,
                         float freq) {
    if (!(freq > t.BestSupersetFreq)) return;
    t.BestSupersetFreq = freq;
    values.PutText(FieldId::kGAIN, word);
    values.PutReal(FieldId::kGAIN_MAIZT, freq);
}

void WriteFrequencyColumns(RowValues& values, const NeighbourTally& t) {
    const float mean = t.SubCount >= 1 ? t.FreqSum / static_cast<float>(t.SubCount) : 0.0f;
    double sigma = 0.0;
    if (t.SubCount >= 2) {
        const double m = mean;
        const double variance =
            (static_cast<double>(t.FreqSqSum) - t.SubCount * m * m) / (t.SubCount - 1);
        // Below this the variance is rounding noise of the sums.
        if (variance >= 0.001) sigma = std::sqrt(variance);
    }
    values.PutCount(FieldId::kHFP, t.HigherPositions);
    values.PutCount(FieldId::kHFN, t.HigherCount);
    values.PutCount(FieldId::kLFN, t.LowerCount);
    values.PutReal(FieldId::kNF_MAX, t.FreqMax);
    values.PutReal(FieldId::kNF_MIN, t.FreqMin);
    values.PutReal(FieldId::kNF_MU, mean);
    values.PutReal(FieldId::kNF_SIG, sigma);
}

} // namespace zirtel

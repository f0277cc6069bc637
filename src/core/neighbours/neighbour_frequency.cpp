#include "core/neighbours/neighbour_frequency.h"

#include <cmath>

#include "core/analysis/workspace.h"

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

void OnDeletionNeighbour(Workspace& ws, int row, NeighbourTally& t, const std::string& word,
                         float freq) {
    if (!(freq > t.BestSubsetFreq)) return;
    t.BestSubsetFreq = freq;
    ws.Put(&FieldColumns::Col_AZPIM, row, word);
    ws.PutReal(&FieldColumns::Col_AZPIM_MAIZT, row, freq);
}

void OnAdditionNeighbour(Workspace& ws, int row, NeighbourTally& t, const std::string& word,
                         float freq) {
    if (!(freq > t.BestSupersetFreq)) return;
    t.BestSupersetFreq = freq;
    ws.Put(&FieldColumns::Col_GAIN, row, word);
    ws.PutReal(&FieldColumns::Col_GAIN_MAIZT, row, freq);
}

void WriteFrequencyColumns(Workspace& ws, int row, const NeighbourTally& t) {
    const float mean = t.SubCount >= 1 ? t.FreqSum / static_cast<float>(t.SubCount) : 0.0f;
    double sigma = 0.0;
    if (t.SubCount >= 2) {
        const double m = mean;
        const double variance =
            (static_cast<double>(t.FreqSqSum) - t.SubCount * m * m) / (t.SubCount - 1);
        // Below this the variance is rounding noise of the sums.
        if (variance >= 0.001) sigma = std::sqrt(variance);
    }
    ws.PutCount(&FieldColumns::Col_HFP, row, t.HigherPositions);
    ws.PutCount(&FieldColumns::Col_HFN, row, t.HigherCount);
    ws.PutCount(&FieldColumns::Col_LFN, row, t.LowerCount);
    ws.PutReal(&FieldColumns::Col_NF_MAX, row, t.FreqMax);
    ws.PutReal(&FieldColumns::Col_NF_MIN, row, t.FreqMin);
    ws.PutReal(&FieldColumns::Col_NF_MU, row, mean);
    ws.PutReal(&FieldColumns::Col_NF_SIG, row, sigma);
}

} // namespace zirtel

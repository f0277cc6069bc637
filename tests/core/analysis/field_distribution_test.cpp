// The histogram's bins and the lexicon percentile of a value.
#include <gtest/gtest.h>

#include <numeric>

#include "core/analysis/field_distribution.h"

namespace zirtel {
namespace {

// Trimmed, the range runs from the lexicon's 1st to its 99th percentile (here 1 and 197 of the
// values 0 to 199) and the values outside count in the end bins; the percentile counts the values
// at or below.
TEST(FieldDistribution, TrimmedBinsAndPercentiles) {
    std::vector<double> lexicon(200);
    std::iota(lexicon.begin(), lexicon.end(), 0.0);
    const Histogram h = MakeHistogram({5, 250}, lexicon, 10, true);
    EXPECT_EQ(h.Low, 1);
    EXPECT_EQ(h.High, 250);
    EXPECT_EQ(h.Items, (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
    // Bins of 24.9 from 1: 0 to 25 in the first (26 values), 26 to 50 in the second ...
    EXPECT_EQ(h.Lexicon, (std::vector<int>{26, 25, 25, 25, 25, 25, 25, 24, 0, 0}));
    const Histogram whole = MakeHistogram({5}, lexicon, 10);
    EXPECT_EQ(whole.Low, 0);
    EXPECT_EQ(whole.High, 199);
    FieldDistribution d{{3, 42.25, 80, 120.5}};
    EXPECT_EQ(d.PercentileOf(80), 75);
    EXPECT_EQ(d.PercentileOf(2), 0);
    EXPECT_EQ(d.PercentileOf(500), 100);
}

} // namespace
} // namespace zirtel

// The statistics of a balance report: a group's summary (count, mean, standard deviation,
// minimum, median, maximum), the Welch t-test between two groups and their standardised mean
// difference. Every figure is computed from unrounded values; the t distribution is Boost.Math's.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace zirtel {

struct GroupSummary {
    std::size_t N = 0;
    double Mean = 0;
    double Sd = 0; // sample standard deviation (n - 1); NaN for fewer than two values
    double Min = 0;
    double Median = 0; // the mean of the two middle values for an even count
    double Max = 0;
    double Variance() const { return Sd * Sd; }
};

// The summary of `values` (NaNs left out); all NaN but N for no value at all.
GroupSummary Summarise(std::vector<double> values);

struct WelchTest {
    double T = 0;
    double Df = 0;
    double P = 0; // two-sided
};

// The Welch t-test of the difference a - b (unequal variances, Welch-Satterthwaite degrees of
// freedom), as R's t.test(a, b) gives it; nothing when a group has fewer than two values or both
// have no spread.
std::optional<WelchTest> Welch(const GroupSummary& a, const GroupSummary& b);

// (mean a - mean b) over the pooled standard deviation, sqrt(((na - 1) va + (nb - 1) vb) /
// (na + nb - 2)); 0 for equal means without spread, an infinity for different ones; NaN when a
// group has fewer than two values.
double StandardisedDifference(const GroupSummary& a, const GroupSummary& b);

} // namespace zirtel

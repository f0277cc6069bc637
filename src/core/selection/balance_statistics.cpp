#include "core/selection/balance_statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <boost/math/distributions/students_t.hpp>

namespace zirtel {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

GroupSummary Summarise(std::vector<double> values) {
    std::erase_if(values, [](double v) { return std::isnan(v); });
    GroupSummary s;
    s.N = values.size();
    if (values.empty()) {
        s.Mean = s.Sd = s.Min = s.Median = s.Max = kNaN;
        return s;
    }
    std::sort(values.begin(), values.end());
    double sum = 0;
    for (double v : values) sum += v;
    const auto n = static_cast<double>(values.size());
    s.Mean = sum / n;
    double squares = 0;
    for (double v : values) squares += (v - s.Mean) * (v - s.Mean);
    s.Sd = values.size() < 2 ? kNaN : std::sqrt(squares / (n - 1));
    s.Min = values.front();
    s.Max = values.back();
    const std::size_t mid = values.size() / 2;
    s.Median = values.size() % 2 == 1 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
    return s;
}

std::optional<WelchTest> Welch(const GroupSummary& a, const GroupSummary& b) {
    if (a.N < 2 || b.N < 2) return std::nullopt;
    const double ea = a.Variance() / static_cast<double>(a.N);
    const double eb = b.Variance() / static_cast<double>(b.N);
    const double se2 = ea + eb;
    if (!(se2 > 0)) return std::nullopt;
    WelchTest w;
    w.T = (a.Mean - b.Mean) / std::sqrt(se2);
    w.Df = se2 * se2 /
           (ea * ea / static_cast<double>(a.N - 1) + eb * eb / static_cast<double>(b.N - 1));
    const boost::math::students_t distribution(w.Df);
    w.P = 2 * boost::math::cdf(boost::math::complement(distribution, std::fabs(w.T)));
    return w;
}

double StandardisedDifference(const GroupSummary& a, const GroupSummary& b) {
    if (a.N < 2 || b.N < 2) return kNaN;
    const double pooled = std::sqrt((static_cast<double>(a.N - 1) * a.Variance() +
                                     static_cast<double>(b.N - 1) * b.Variance()) /
                                    static_cast<double>(a.N + b.N - 2));
    const double difference = a.Mean - b.Mean;
    if (pooled > 0) return difference / pooled;
    if (difference == 0) return 0;
    return difference > 0 ? std::numeric_limits<double>::infinity()
                          : -std::numeric_limits<double>::infinity();
}

} // namespace zirtel

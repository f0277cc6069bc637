// The printed precision of the phonological and biphone figures on large frequencies, worked out
// by hand from tests/data/review_neighbours: the standard deviation of the neighbour
// frequencies is a single-precision value.
#include <gtest/gtest.h>

#include "phon_test_workspace.h"

namespace zirtel::test {
namespace {

using F = FieldColumns;

// lan /lAn/ (5): lab /lAb/ 0 by substitution at position 3, lana /lA-nA/ 4000 by addition.
// Sum 4000, squares 16,000,000 (both exact in single precision); variance
// (16e6 - 4000^2 / 2) / 1 = 8e6, deviation 2000 * sqrt 2 = 2828.4271247...; as a single-precision
// value (steps of 2^-12 between 2048 and 4096) it is 2828 + 1750 / 4096 = 2828.42724609375.
TEST(PhonPrecision, NeighbourDeviationIsASinglePrecisionValue) {
    PhonWorkspace t(TestData("review_neighbours"),
                    {"PNBox", "PN3Box", "PNFmaxBox", "PNFminBox", "PNFmuBox", "PNFsigmaBox"});
    t.Ws.Decimals = 4;
    t.Enter({"lan"});
    t.Ws.AnalyseAll();
    EXPECT_EQ(t.Cell(&F::Col_PN, 1), "   2");
    EXPECT_EQ(t.Cell(&F::Col_PN3, 1), "   1");
    EXPECT_EQ(t.Cell(&F::Col_PNF_MAX, 1), "4000.0000");
    EXPECT_EQ(t.Cell(&F::Col_PNF_MIN, 1), " 0.0000");
    EXPECT_EQ(t.Cell(&F::Col_PNF_MU, 1), "2000.0000");
    EXPECT_EQ(t.Cell(&F::Col_PNF_SIG, 1), "2828.4272");
}

} // namespace
} // namespace zirtel::test

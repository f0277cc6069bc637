// The printed precision of the phonological and biphone figures on large frequencies, worked out
// by hand from tests/data/phon_precision: the standard deviation of the neighbour
// frequencies is a single-precision value, the biphone token mean is the single-precision sum
// divided without further rounding.
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
    PhonWorkspace t(TestData("phon_precision"),
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

// pata /pA-tA/: biphones pA, At, tA with token frequencies 10000.5, 10000, 10000 at positions
// 1, 2, 3 (ZR_BPF4.txt). The sum 30000.5 is exact in single precision; divided by 3 it is
// 10000.1666..., printed 10000.1667 (a single-precision quotient would be 10000.1669921875).
// Types 1 + 1 + 1 over 3; logs 4.0000217 + 4 + 4.
TEST(PhonPrecision, BiphoneTokenMeanDividesTheSumExactly) {
    PhonWorkspace t(TestData("phon_precision"),
                    {"TokenBPFBox", "TypeBPFBox", "SLBPFBox", "MLBPFBox"});
    t.Ws.Decimals = 4;
    t.Enter({"pata"});
    t.Ws.AnalyseAll();
    EXPECT_TRUE(t.UI.Messages.empty());
    EXPECT_EQ(t.Cell(&F::Col_TK_BB, 1), "10000.1667");
    EXPECT_EQ(t.Cell(&F::Col_TP_BB, 1), " 1.0000");
    EXPECT_EQ(t.Cell(&F::Col_BPMLB, 1), "12.0000");
    EXPECT_EQ(t.Cell(&F::Col_BPMLBB, 1), " 4.0000");
}

} // namespace
} // namespace zirtel::test

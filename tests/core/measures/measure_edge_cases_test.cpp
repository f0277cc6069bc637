// Edge cases of the item statistics over the hand-made data of tests/data/review_measures: a
// 9-entry lexicon and ZR_BF3.txt, in which only the pairs (b, a) at position 1 (type 1, token 2)
// and (a, t) at position 2 (type 1, token 16) are not 0.
#include <gtest/gtest.h>

#include "measure_run.h"

namespace zirtel::test {
namespace {

using FC = FieldColumns;

std::filesystem::path EdgeData() {
    return std::filesystem::path(ZIRTEL_TEST_DATA) / "review_measures";
}

TEST(MeasureEdgeCases, LogBigramSumAddsEachLogarithmToTheSinglePrecisionSum) {
    MeasureRun run({"BF1_Box", "BF2_Box", "SLBFBox", "MLBFBox"}, EdgeData());
    run.ws.Decimals = 4;
    run.Analyse({"bat"});
    EXPECT_TRUE(run.fb.Messages.empty());
    EXPECT_EQ(run.Cell(1, &FC::Col_1_BM), " 2.0000");
    EXPECT_EQ(run.Cell(1, &FC::Col_2_BM), "16.0000");
    // log10 2 + log10 16 = log10 32 = 1.50514998 (below the half-way point 1.50515), held in a
    // single-precision sum: 1.50514996. Rounding log10 16 to single precision before the
    // addition would give 1.50515008 and show 1.5052.
    EXPECT_EQ(run.Cell(1, &FC::Col_BMLB), " 1.5051");
    EXPECT_EQ(run.Cell(1, &FC::Col_BMLBB), " 0.7526"); // 1.50514996 / 2
}

} // namespace
} // namespace zirtel::test

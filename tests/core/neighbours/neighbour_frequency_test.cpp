// The neighbour frequency measures on the hand-made lexicon of tests/data/neighbours.
#include "core/neighbours/neighbour_test_support.h"

namespace zirtel::test {
namespace {

using FC = FieldColumns;
using NeighbourFrequencyTest = NeighbourWorkspace;

TEST_F(NeighbourFrequencyTest, NeighboursAgainstTheItemsOwnFrequency) {
    TickAllNeighbourFields(false, false);
    // kantil 50: mantil 50 santil 80 | kontil 20 | kanbil 100 kandil 60 kanpil 10 | kantiz 5.
    // mara 10: bara 15 kara 5 | maka 10 (as frequent as the item: neither higher nor lower).
    const int r = Enter({"kantil", "mara"});
    Ws.AnalyseAll();
    EXPECT_EQ(At(&FC::Col_HFN, r), "   3");
    EXPECT_EQ(At(&FC::Col_LFN, r), "   3");
    EXPECT_EQ(At(&FC::Col_HFP, r), "   2"); // position 4 once for its two more frequent words
    EXPECT_EQ(At(&FC::Col_NF_MAX, r), " 100.00");
    EXPECT_EQ(At(&FC::Col_NF_MIN, r), "   5.00");
    EXPECT_EQ(At(&FC::Col_NF_MU, r), "  46.43");  // 325 / 7
    EXPECT_EQ(At(&FC::Col_NF_SIG, r), "  36.37"); // sqrt((23025 - 325^2/7) / 6)

    EXPECT_EQ(At(&FC::Col_HFN, r + 1), "   1");
    EXPECT_EQ(At(&FC::Col_LFN, r + 1), "   1");
    EXPECT_EQ(At(&FC::Col_HFP, r + 1), "   1");
    EXPECT_EQ(At(&FC::Col_NF_MU, r + 1), "  10.00");
    EXPECT_EQ(At(&FC::Col_NF_SIG, r + 1), "   5.00"); // sqrt((350 - 300) / 2)
}

TEST_F(NeighbourFrequencyTest, MeanAndStandardDeviation) {
    TickAllNeighbourFields(false, false);
    // pev (not a word): pez 7. rof 4: raf 4, rif 4. tej 2: sej 1, tez 3. qqq: none.
    const int r = Enter({"pev", "rof", "tej", "qqq"});
    Ws.AnalyseAll();
    EXPECT_EQ(At(&FC::Col_NF_MU, r), "   7.00");
    EXPECT_EQ(At(&FC::Col_NF_SIG, r), "   0.00");
    EXPECT_EQ(At(&FC::Col_NF_MIN, r), "   7.00");
    EXPECT_EQ(At(&FC::Col_HFN, r), "   1"); // against frequency 0
    EXPECT_EQ(At(&FC::Col_HFP, r), "   1");

    EXPECT_EQ(At(&FC::Col_NF_MU, r + 1), "   4.00");
    EXPECT_EQ(At(&FC::Col_NF_SIG, r + 1), "   0.00");
    EXPECT_EQ(At(&FC::Col_HFN, r + 1), "   0");
    EXPECT_EQ(At(&FC::Col_LFN, r + 1), "   0");

    EXPECT_EQ(At(&FC::Col_NF_MU, r + 2), "   2.00");
    EXPECT_EQ(At(&FC::Col_NF_SIG, r + 2), "   1.41");
    EXPECT_EQ(At(&FC::Col_NF_MAX, r + 2), "   3.00");
    EXPECT_EQ(At(&FC::Col_NF_MIN, r + 2), "   1.00");

    for (auto col : {&FC::Col_HFP, &FC::Col_HFN, &FC::Col_LFN}) EXPECT_EQ(At(col, r + 3), "   0");
    for (auto col : {&FC::Col_NF_MAX, &FC::Col_NF_MIN, &FC::Col_NF_MU, &FC::Col_NF_SIG})
        EXPECT_EQ(At(col, r + 3), "   0.00");

    // The standard deviation alone still uses the true mean; with 4 decimals.
    Tick({"NFsigmaBox"});
    Ws.Decimals = 4;
    Ws.AnalyseAll();
    EXPECT_EQ(At(&FC::Col_NF_SIG, r + 2), " 1.4142");
    EXPECT_EQ(Ws.Columns.Col_NF_MU, 0);
}

TEST_F(NeighbourFrequencyTest, MostFrequentSubsetAndSuperset) {
    TickAllNeighbourFields(false, false);
    // kantil: subsets antil 30 and kanti 30 (the first found keeps the columns); supersets
    // akantil and kantila, both of frequency 0. lor: subset or 0; supersets alor 5, lozr 12,
    // loñr 12 (ñ after z), lora 12.
    const int r = Enter({"kantil", "lor"});
    Ws.AnalyseAll();
    EXPECT_EQ(At(&FC::Col_AZPIM, r), "antil");
    EXPECT_EQ(At(&FC::Col_AZPIM_MAIZT, r), "  30.00");
    EXPECT_EQ(At(&FC::Col_GAIN, r), "");
    EXPECT_EQ(At(&FC::Col_GAIN_MAIZT, r), "");
    EXPECT_EQ(At(&FC::Col_NGAIN, r), "   2");

    EXPECT_EQ(At(&FC::Col_AZPIM, r + 1), "");
    EXPECT_EQ(At(&FC::Col_AZPIM_MAIZT, r + 1), "");
    EXPECT_EQ(At(&FC::Col_NAZPIM, r + 1), "   1");
    EXPECT_EQ(At(&FC::Col_GAIN, r + 1), "lozr");
    EXPECT_EQ(At(&FC::Col_GAIN_MAIZT, r + 1), "  12.00");
    EXPECT_EQ(At(&FC::Col_NGAIN, r + 1), "   4");
    EXPECT_EQ(At(&FC::Col_N, r + 1), "   0");
    EXPECT_EQ(At(&FC::Col_N_STAR, r + 1), "   5");
}

} // namespace
} // namespace zirtel::test

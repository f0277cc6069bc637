// Edge cases of the item statistics over the hand-made data of tests/data/measure_edges: a
// 9-entry lexicon and ZR_BF3.txt, in which only the pairs (b, a) at position 1 (type 1, token 2)
// and (a, t) at position 2 (type 1, token 16) are not 0.
#include <gtest/gtest.h>

#include "measure_run.h"

namespace zirtel::test {
namespace {

using FC = FieldColumns;

std::filesystem::path EdgeData() {
    return std::filesystem::path(ZIRTEL_TEST_DATA) / "measure_edges";
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

TEST(MeasureEdgeCases, LaterWrittenSyllablesRunFromByteAToByteOpeningBrace) {
    MeasureRun run({"OSF1_TP_Box", "OSF1_TK_Box", "OSF1_Max_Box", "OSF2_TP_Box", "OSF2_TK_Box",
                    "OSF2_Max_Box", "PSF1_TP_Box", "PSF1_TK_Box", "PSF1_Max_Box"},
                   EdgeData());
    run.Analyse({"bada", "bade", "badi", "bado", "badu", "bady"});
    EXPECT_TRUE(run.fb.Messages.empty());
    // Second syllables: ba-d@a gives d ("@" is byte 64), ba-dAe gives dAe ("A" is 65),
    // ba-d{i gives d{i ("{" is 123), ba-d|o gives d ("|" is 124), ba-d gives d; ba-@y keeps
    // its first character whatever it is: @y. So d is shared by bada, bado and badu.
    const std::string d[] = {"   3", " 100.00", "  50.00"};
    EXPECT_EQ(run.Cell(1, &FC::Col_OSM2_TP), d[0]);
    EXPECT_EQ(run.Cell(1, &FC::Col_OSM2_TK), d[1]);
    EXPECT_EQ(run.Cell(1, &FC::Col_OSM2_MAX), d[2]);
    EXPECT_EQ(run.Cell(2, &FC::Col_OSM2_TP), "   1");
    EXPECT_EQ(run.Cell(2, &FC::Col_OSM2_TK), "  20.00");
    EXPECT_EQ(run.Cell(3, &FC::Col_OSM2_TP), "   1");
    EXPECT_EQ(run.Cell(3, &FC::Col_OSM2_MAX), "  30.00");
    EXPECT_EQ(run.Cell(4, &FC::Col_OSM2_TP), d[0]);
    EXPECT_EQ(run.Cell(4, &FC::Col_OSM2_TK), d[1]);
    EXPECT_EQ(run.Cell(5, &FC::Col_OSM2_MAX), d[2]);
    EXPECT_EQ(run.Cell(6, &FC::Col_OSM2_TP), "   1");
    EXPECT_EQ(run.Cell(6, &FC::Col_OSM2_TK), "  60.00");
    // First syllables: ba in all six written and all six spoken forms (10 + 20 + ... + 60).
    EXPECT_EQ(run.Cell(6, &FC::Col_OSM1_TP), "   6");
    EXPECT_EQ(run.Cell(6, &FC::Col_OSM1_TK), " 210.00");
    EXPECT_EQ(run.Cell(1, &FC::Col_FSM1_MAX), "  60.00");
}

TEST(MeasureEdgeCases, PhonemeClassesAndAHomophoneWithTheSameWrittenForm) {
    MeasureRun run({"P1Box", "CV_PBox", "LenSBox", "LenPBox", "HomophonyBox"}, EdgeData());
    run.Analyse({"ditza", "bat"});
    // DZTNRJ_yc-xhvw: D Z T N R J _ x h v w are consonants (capitals through their small
    // letters), y and c are not in the consonant list, so they count as vowels.
    EXPECT_EQ(run.Cell(1, &FC::Col_1F), "D");
    EXPECT_EQ(run.Cell(1, &FC::Col_KB_F), "CCCCCCCVVCCCC");
    EXPECT_EQ(run.Cell(1, &FC::Col_LUZ_F), "  13");
    EXPECT_EQ(run.Cell(1, &FC::Col_LUZ_S), "   2");
    EXPECT_EQ(run.Cell(1, &FC::Col_HOM), "-1");
    // bat and Bat are both "bat": the item finds bat, whose homophone is the other entry.
    EXPECT_EQ(run.Cell(2, &FC::Col_HOM), "Bat");
}

TEST(MeasureEdgeCases, SyllableTablesThenBigramsThenBiphonesForEachItem) {
    // tests/data/measures has ZR_BF2, 3 and 6 and no biphone files.
    MeasureRun run({"PSF1_TP_Box", "OSF1_TP_Box", "BF1_Box", "TokenBPFBox"});
    run.Analyse({"etxea", "ama"});
    std::vector<std::string> labels;
    for (const auto& p : run.fb.Progresses) labels.push_back(p->Label);
    const std::string syll = "Maiztasun silabikoak kalkulatzen ... ";
    const std::string bigram = "Bigramen maiztasunen irakurketa ... ";
    EXPECT_EQ(labels, (std::vector<std::string>{"Analysing all items ...", syll, syll, bigram,
                                                bigram, bigram}));
    // etxea: five letters and five phonemes ('e-tSe-a), no table of either; ama ('a-ma) has
    // three phonemes.
    EXPECT_EQ(run.fb.MessageLines(),
              (std::vector<std::string>{
                  "Abisua: Couldn't load ZR_BF5.txt: Ezin da kalkulatu 5 letra-estimuluen "
                  "bigrama-maiztasuna",
                  "Abisua: Couldn't load ZR_BPF5.txt: Can't calculate biphone frequency for 5 "
                  "phoneme stimuli",
                  "Abisua: Couldn't load ZR_BPF3.txt: Can't calculate biphone frequency for 3 "
                  "phoneme stimuli"}));
    EXPECT_EQ(run.Cell(1, &FC::Col_FSM1_TP), "   1");
    EXPECT_EQ(run.Cell(1, &FC::Col_OSM1_TP), "   1");
    EXPECT_EQ(run.Cell(2, &FC::Col_1_BM), "  20.00");
}

} // namespace
} // namespace zirtel::test

// Pronunciation measures over the hand-made lexicon tests/data/measures/nwfreq_EUS.txt.
#include <gtest/gtest.h>

#include "measure_run.h"

namespace zirtel::test {
namespace {

using FC = FieldColumns;

TEST(PronunciationMeasures, PronunciationFirstPhonemePatternAndLengths) {
    MeasureRun run({"DISCBox", "P1Box", "CV_PBox", "LenSBox", "LenPBox"});
    EXPECT_TRUE(run.StartupMessages.empty());
    run.Analyse({"etxea", "ura", "kaixo", "ille", "zu", "abereak", "zzzz"});

    // etxea 'e-tSe-a: the stress mark is not a phoneme; S is a consonant.
    EXPECT_EQ(run.Cell(1, &FC::Col_AHOSKERA), "'e-tSe-a");
    EXPECT_EQ(run.Cell(1, &FC::Col_1F), "e");
    EXPECT_EQ(run.Cell(1, &FC::Col_KB_F), "VCCVV");
    EXPECT_EQ(run.Cell(1, &FC::Col_LUZ_S), "   3");
    EXPECT_EQ(run.Cell(1, &FC::Col_LUZ_F), "   5");
    // ura "u-ra: the quotation mark is a stress mark too.
    EXPECT_EQ(run.Cell(2, &FC::Col_AHOSKERA), "\"u-ra");
    EXPECT_EQ(run.Cell(2, &FC::Col_1F), "u");
    EXPECT_EQ(run.Cell(2, &FC::Col_KB_F), "VCV");
    EXPECT_EQ(run.Cell(2, &FC::Col_LUZ_F), "   3");
    // kaixo 'kaj-So: j is a consonant.
    EXPECT_EQ(run.Cell(3, &FC::Col_1F), "k");
    EXPECT_EQ(run.Cell(3, &FC::Col_KB_F), "CVCCV");
    EXPECT_EQ(run.Cell(3, &FC::Col_LUZ_S), "   2");
    // ille i-LE: L is a consonant through l, E is a vowel.
    EXPECT_EQ(run.Cell(4, &FC::Col_KB_F), "VCV");
    // zu su-: a "-" in last place is not counted.
    EXPECT_EQ(run.Cell(5, &FC::Col_LUZ_S), "   1");
    EXPECT_EQ(run.Cell(5, &FC::Col_LUZ_F), "   2");
    EXPECT_EQ(run.Cell(5, &FC::Col_KB_F), "CV");
    // abereak: three "-", four syllables.
    EXPECT_EQ(run.Cell(6, &FC::Col_LUZ_S), "   4");
    EXPECT_EQ(run.Cell(6, &FC::Col_LUZ_F), "   7");
    // Not in the lexicon.
    EXPECT_EQ(run.Cell(7, &FC::Col_AHOSKERA), "-1");
    EXPECT_EQ(run.Cell(7, &FC::Col_1F), "-1");
    EXPECT_EQ(run.Cell(7, &FC::Col_KB_F), "-1");
    EXPECT_EQ(run.Cell(7, &FC::Col_LUZ_S), "   -  ");
    EXPECT_EQ(run.Cell(7, &FC::Col_LUZ_F), "   -  ");
    EXPECT_TRUE(run.fb.Messages.empty());
}

TEST(PronunciationMeasures, HomophoneIsTheFirstOtherEntryWithTheExactPronunciation) {
    MeasureRun run({"HomophonyBox"});
    run.Analyse({"ala", "hala", "sare", "xare", "etxea", "zzzz"});
    // ala, hala and Hala (in this lexicon order, frequencies 40, 90, 300) are all a-la: each
    // shows the first of the others, not the most frequent.
    EXPECT_EQ(run.Cell(1, &FC::Col_HOM), "hala");
    EXPECT_EQ(run.Cell(2, &FC::Col_HOM), "ala");
    // sa-re and Sa-re differ in letter case only: not homophones.
    EXPECT_EQ(run.Cell(3, &FC::Col_HOM), "-1");
    EXPECT_EQ(run.Cell(4, &FC::Col_HOM), "-1");
    EXPECT_EQ(run.Cell(5, &FC::Col_HOM), "-1");
    EXPECT_EQ(run.Cell(6, &FC::Col_HOM), "-1");
}

TEST(PronunciationMeasures, PronunciationsComeFromTheWholeWordsWhileLemmasAreCurrent) {
    MeasureRun run({"DISCBox", "HomophonyBox", "LenSBox"});
    run.ws.EnterTypedItem("etxea");
    run.ws.EnterTypedItem("hala");
    run.ws.UseLemmaLexicon(); // etxea and hala are no lemmas
    EXPECT_EQ(run.Cell(1, &FC::Col_AHOSKERA), "'e-tSe-a");
    EXPECT_EQ(run.Cell(1, &FC::Col_LUZ_S), "   3");
    EXPECT_EQ(run.Cell(2, &FC::Col_HOM), "ala");
}

} // namespace
} // namespace zirtel::test

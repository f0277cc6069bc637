// Transposed-letter words over the hand-made lexicon tests/data/measures/nwfreq_EUS.txt and
// lemmas lemak_EUS2.txt.
#include <gtest/gtest.h>

#include "measure_run.h"

namespace zirtel::test {
namespace {

using FC = FieldColumns;

TEST(TransposedLetters, AdjacentAndNonAdjacentWords) {
    MeasureRun run({"TLBox", "TLFreqBox", "TLPosBox", "NATL_Box"});
    run.Analyse({"uar", "aru", "ze", "aaa", "etxa\xE9",
                 "\xF1"
                 "baar",
                 "ba\xF1"
                 "ar",
                 "zzzz"});

    // uar: swapping letters 1-2 gives aur and 2-3 gives ura, both words: the higher one shows.
    EXPECT_EQ(run.Cell(1, &FC::Col_TL), "ura");
    EXPECT_EQ(run.Cell(1, &FC::Col_TL_MAIZT), "  20.00");
    EXPECT_EQ(run.Cell(1, &FC::Col_TL_KOK), "   2");
    EXPECT_EQ(run.Cell(1, &FC::Col_NATL), ""); // rau is no word
    // aru: letters 2-3 give aur; letters 1 and 3 give ura.
    EXPECT_EQ(run.Cell(2, &FC::Col_TL), "aur");
    EXPECT_EQ(run.Cell(2, &FC::Col_TL_MAIZT), "  30.00");
    EXPECT_EQ(run.Cell(2, &FC::Col_TL_KOK), "   2");
    EXPECT_EQ(run.Cell(2, &FC::Col_NATL), "ura");
    // A two-letter item: a transposed word, never a non-adjacent one.
    EXPECT_EQ(run.Cell(3, &FC::Col_TL), "ez");
    EXPECT_EQ(run.Cell(3, &FC::Col_TL_MAIZT), " 300.00");
    EXPECT_EQ(run.Cell(3, &FC::Col_TL_KOK), "   1");
    EXPECT_EQ(run.Cell(3, &FC::Col_NATL), "");
    // aaa forms no candidate.
    EXPECT_EQ(run.Cell(4, &FC::Col_TL), "");
    EXPECT_EQ(run.Cell(4, &FC::Col_TL_MAIZT), "");
    EXPECT_EQ(run.Cell(4, &FC::Col_TL_KOK), "");
    // etxaé is read as etxae: letters 4-5 give etxea, shown without the accent.
    EXPECT_EQ(run.Cell(5, &FC::Col_TL), "etxea");
    EXPECT_EQ(run.Cell(5, &FC::Col_TL_MAIZT), " 120.00");
    EXPECT_EQ(run.Cell(5, &FC::Col_TL_KOK), "   4");
    // ñbaar: letters 1-2 give bñaar, 2-3 ñabar (a word, shown with its ñ).
    EXPECT_EQ(run.Cell(6, &FC::Col_TL), "\xF1"
                                        "abar");
    EXPECT_EQ(run.Cell(6, &FC::Col_TL_MAIZT), "   6.00");
    EXPECT_EQ(run.Cell(6, &FC::Col_TL_KOK), "   2");
    // bañar: letters 1 and 3 give ñabar.
    EXPECT_EQ(run.Cell(7, &FC::Col_NATL), "\xF1"
                                          "abar");
    EXPECT_EQ(run.Cell(7, &FC::Col_TL), "");
    EXPECT_EQ(run.Cell(8, &FC::Col_TL), "");
    EXPECT_EQ(run.Cell(8, &FC::Col_NATL), "");
    EXPECT_TRUE(run.fb.Messages.empty());
}

TEST(TransposedLetters, FrequenciesComeFromTheCurrentLexicon) {
    MeasureRun run({"TLBox", "TLFreqBox"});
    run.ws.EnterTypedItem("uar");
    run.ws.EnterTypedItem("etxae");
    run.ws.UseLemmaLexicon();
    EXPECT_EQ(run.Cell(1, &FC::Col_TL), "ura");
    EXPECT_EQ(run.Cell(1, &FC::Col_TL_MAIZT), "  77.00");
    EXPECT_EQ(run.Cell(2, &FC::Col_TL), ""); // etxea is no lemma
    run.ws.UseWholeWordLexicon();
    EXPECT_EQ(run.Cell(1, &FC::Col_TL_MAIZT), "  20.00");
    EXPECT_EQ(run.Cell(2, &FC::Col_TL), "etxea");
}

} // namespace
} // namespace zirtel::test

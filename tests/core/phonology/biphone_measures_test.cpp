// The biphone measures, worked out by hand from tests/data/phonology: the lexicon and the
// tables ZR_BPF2.txt, ZR_BPF3.txt and ZR_BPF4.txt (the other phoneme counts have no file).
#include <gtest/gtest.h>

#include "phon_test_workspace.h"

namespace zirtel::test {
namespace {

using F = FieldColumns;

constexpr std::initializer_list<const char*> kAllBiphoneBoxes = {"TokenBPFBox", "TypeBPFBox",
                                                                 "SLBPFBox", "MLBPFBox"};

std::vector<std::string> Cells(const PhonWorkspace& t, int row) {
    return {t.Cell(&F::Col_TK_BB, row), t.Cell(&F::Col_TP_BB, row), t.Cell(&F::Col_BPMLB, row),
            t.Cell(&F::Col_BPMLBB, row)};
}

using Cells4 = std::vector<std::string>;

TEST(BiphoneMeasures, ValuesFromTheTables) {
    PhonWorkspace t(PhonologyData(), kAllBiphoneBoxes);
    t.Enter({"lo", "ez", "lot", "tita", "mesa", "zzz"});
    t.Ws.AnalyseAll();
    EXPECT_TRUE(t.UI.Messages.empty());
    // lo /lO/: one biphone, lO at position 1: type 7, token 120.5; log10 120.5 = 2.081.
    EXPECT_EQ(Cells(t, 1), (Cells4{" 120.50", "   7.00", "   2.08", "   2.08"}));
    // ez /Es/: its only biphone has token frequency 0: no log is taken.
    EXPECT_EQ(Cells(t, 2), (Cells4{"   0.00", "   0.00", "   0.00", "   0.00"}));
    // lot /lOt/: lO (type 6, token 300) and Ot, whose row is all 0: it adds nothing and still
    // counts in the divisor. log10 300 = 2.477.
    EXPECT_EQ(Cells(t, 3), (Cells4{" 150.00", "   3.00", "   2.48", "   1.24"}));
    // tita /tTA/: tT (not TT: letter case counts) type 1 token 10 at position 1, TA type 4
    // token 1000 at position 2.
    EXPECT_EQ(Cells(t, 4), (Cells4{" 505.00", "   2.50", "   4.00", "   2.00"}));
    // mesa /'mE-sA/: four phonemes without the stress mark; mE 10/100, Es 20/1000, sA 30/10000
    // at positions 1, 2, 3.
    EXPECT_EQ(Cells(t, 5), (Cells4{"3700.00", "  20.00", "   9.00", "   3.00"}));
    // zzz is not in the lexicon.
    EXPECT_EQ(Cells(t, 6), (Cells4{"   -  ", "   -  ", "    -", "   -  "}));
}

// boskoa has six phonemes and bitxi five (its stress mark is none); there is no ZR_BPF5.txt
// nor ZR_BPF6.txt.
TEST(BiphoneMeasures, MissingTableWarnings) {
    const std::string english = "Abisua: Couldn't load ZR_BPF6.txt: Can't calculate biphone "
                                "frequency for 6 phoneme stimuli";
    const std::string basque = "Abisua:  Ezin da kalkulatu 6 fonema-estimuluen bifonema-maiztasuna";
    const std::string mixed = "Abisua: Couldn't load ZR_BPF6.txt: Ezin da kalkulatu 6 "
                              "fonema-estimuluen bifonema-maiztasuna";
    using Lines = std::vector<std::string>;
    {
        // All four: only the TK_BB box, once per item; items of other counts are unaffected.
        PhonWorkspace t(PhonologyData(), kAllBiphoneBoxes);
        t.Enter({"boskoa", "mesa", "bitxi"});
        t.Ws.AnalyseAll();
        EXPECT_EQ(
            t.UI.MessageLines(),
            (Lines{english, "Abisua: Couldn't load ZR_BPF5.txt: Can't calculate biphone frequency "
                            "for 5 phoneme stimuli"}));
        EXPECT_EQ(t.UI.Messages[0].Buttons, MessageButtons::Ok);
        EXPECT_EQ(Cells(t, 1), (Cells4{"-1", "-1", "    -", "-1"}));
        EXPECT_EQ(Cells(t, 2), (Cells4{"3700.00", "  20.00", "   9.00", "   3.00"}));
    }
    {
        PhonWorkspace t(PhonologyData(), {"TypeBPFBox"});
        t.Enter({"boskoa"});
        t.Ws.AnalyseAll();
        EXPECT_EQ(t.UI.MessageLines(), (Lines{basque}));
        EXPECT_EQ(t.Cell(&F::Col_TP_BB, 1), "-1");
    }
    {
        // Both log measures: one box each.
        PhonWorkspace t(PhonologyData(), {"SLBPFBox", "MLBPFBox"});
        t.Enter({"boskoa"});
        t.Ws.AnalyseAll();
        EXPECT_EQ(t.UI.MessageLines(), (Lines{mixed, mixed}));
        EXPECT_EQ(t.Cell(&F::Col_BPMLB, 1), "    -");
        EXPECT_EQ(t.Cell(&F::Col_BPMLBB, 1), "-1");
    }
    {
        PhonWorkspace t(PhonologyData(), {"TypeBPFBox", "MLBPFBox"});
        t.Enter({"boskoa"});
        t.Ws.AnalyseAll();
        EXPECT_EQ(t.UI.MessageLines(), (Lines{basque}));
    }
    {
        // 22 phonemes: beyond the tables.
        PhonWorkspace t(PhonologyData(), {"TokenBPFBox", "SLBPFBox"});
        t.Enter({"luzeegia"});
        t.Ws.AnalyseAll();
        EXPECT_EQ(
            t.UI.MessageLines(),
            (Lines{"Abisua: Couldn't load ZR_BPF22.txt: Can't calculate biphone frequency for 22 "
                   "phoneme stimuli"}));
        EXPECT_EQ(t.Cell(&F::Col_TK_BB, 1), "-1");
        EXPECT_EQ(t.Cell(&F::Col_BPMLB, 1), "    -");
    }
}

// While the lemmas are current, the pronunciation still comes from the whole-word lexicon.
TEST(BiphoneMeasures, LemmaMode) {
    PhonWorkspace t(PhonologyData(), {"TokenBPFBox"});
    t.Enter({"mesa", "lo"});
    t.Ws.UseLemmaLexicon();
    EXPECT_EQ(t.Cell(&F::Col_TK_BB, 1), "3700.00");
    EXPECT_EQ(t.Cell(&F::Col_TK_BB, 2), " 120.50");
}

} // namespace
} // namespace zirtel::test

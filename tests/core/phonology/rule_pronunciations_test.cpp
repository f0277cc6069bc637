// Rule pronunciations for items not in the whole-word lexicon ("Sasihitzak arauz ahoskatu"),
// worked out by hand from tests/data/rule_pronunciations: its lexicon and ZR_BPF4.txt.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "phon_test_workspace.h"

namespace zirtel::test {
namespace {

using F = FieldColumns;
using Col = int FieldColumns::*;

std::filesystem::path RuleData() {
    return TestData("rule_pronunciations");
}

// Every field that reads a pronunciation or a syllabification, but the syllable frequencies.
const std::vector<Col> kPronunciationFields = {
    &F::Col_AHOSKERA, &F::Col_1F,        &F::Col_HOM,   &F::Col_KB_F,    &F::Col_LUZ_S,
    &F::Col_LUZ_F,    &F::Col_ORT_SILAB, &F::Col_PN,    &F::Col_PN1,     &F::Col_PN2,
    &F::Col_PN3,      &F::Col_PN4,       &F::Col_PP,    &F::Col_PNF_MAX, &F::Col_PNF_MIN,
    &F::Col_PNF_MU,   &F::Col_PNF_SIG,   &F::Col_TK_BB, &F::Col_TP_BB,   &F::Col_BPMLB,
    &F::Col_BPMLBB};

constexpr std::initializer_list<const char*> kBoxes = {
    "DISCBox",     "P1Box",       "HomophonyBox", "CV_PBox",      "LenSBox",     "LenPBox",
    "OrthSyllBox", "PNBox",       "PN1Box",       "PN2Box",       "PN3Box",      "PN4Box",
    "PPBox",       "HFPNBox",     "LFPNBox",      "PNFmaxBox",    "PNFminBox",   "PNFmuBox",
    "PNFsigmaBox", "TokenBPFBox", "TypeBPFBox",   "SLBPFBox",     "MLBPFBox",    "PronSourceBox",
    "PSF1_TP_Box", "PSF1_TK_Box", "PSF1_Max_Box", "PSF2_TP_Box",  "PSF2_TK_Box", "PSF2_Max_Box",
    "OSF1_TP_Box", "OSF2_TP_Box", "OSF2_TK_Box",  "OSF2_Max_Box", "RulePronBox"};

std::vector<std::string> Row(const PhonWorkspace& t, const std::vector<Col>& cols, int row) {
    std::vector<std::string> cells;
    for (Col c : cols) cells.push_back(t.Cell(c, row));
    return cells;
}

// katu /kA-tU/ (12), once a word of the lexicon, once taken out of it and pronounced by the
// rules: the same pronunciation fields, neighbours (patu, kalu, atu and katua) and biphones
// (kA 30, At 20, tU 40 tokens; 3, 2, 4 types). Only what depends on the item's own frequency,
// 12 or 0, changes: HFPN and LFPN.
TEST(RulePronunciations, AnItemTakenOutOfTheLexiconMeasuresAsItDidInIt) {
    TempDir dir;
    std::filesystem::copy_file(RuleData() / "ZR_BPF4.txt", dir / "ZR_BPF4.txt");
    {
        std::ifstream in(RuleData() / "nwfreq_EUS.txt");
        std::ofstream out(dir / "nwfreq_EUS.txt");
        for (std::string line; std::getline(in, line);)
            if (line.rfind("katu\t", 0) != 0) out << line << '\n';
    }
    PhonWorkspace full(RuleData(), kBoxes);
    full.Enter({"katu"});
    full.Ws.AnalyseAll();
    PhonWorkspace removed(dir.Path(), kBoxes);
    removed.Enter({"katu"});
    removed.Ws.AnalyseAll();
    EXPECT_TRUE(full.UI.Messages.empty());
    EXPECT_TRUE(removed.UI.Messages.empty());

    const std::vector<std::string> expected = {
        "kA-tU",   "k",       "-1",      "CVCV",    "   2",    "   4",    "ka-tu",
        "   4",    "   1",    "   0",    "   1",    "   0",    "   2",    "   6.00",
        "   2.00", "   3.75", "   1.71", "  30.00", "   3.00", "   4.38", "   1.46"};
    EXPECT_EQ(Row(full, kPronunciationFields, 1), expected);
    EXPECT_EQ(Row(removed, kPronunciationFields, 1), expected);
    const std::string list = full.Ws.PhonNeighbours.SaveText();
    EXPECT_NE(list.find("patu"), std::string::npos);
    EXPECT_EQ(removed.Ws.PhonNeighbours.SaveText(), list);
    EXPECT_EQ(Row(full, {&F::Col_HFPN, &F::Col_LFPN, &F::Col_AHOS_ITURRI}, 1),
              (std::vector<std::string>{"   0", "   4", "hiztegia"}));
    EXPECT_EQ(Row(removed, {&F::Col_HFPN, &F::Col_LFPN, &F::Col_AHOS_ITURRI}, 1),
              (std::vector<std::string>{"   4", "   0", "arauak"}));

    // Untick the option: katu is again an item the lexicon lacks.
    removed.Ws.Setup.Options.SetTicked("RulePronBox", false);
    removed.Ws.AssignColumns();
    removed.Ws.AnalyseAll();
    EXPECT_EQ(Row(removed,
                  {&F::Col_AHOSKERA, &F::Col_HOM, &F::Col_LUZ_F, &F::Col_ORT_SILAB, &F::Col_PN,
                   &F::Col_TK_BB, &F::Col_AHOS_ITURRI},
                  1),
              (std::vector<std::string>{"-1", "-1", "   -  ", "-1", "", "   -  ", ""}));
}

// The pseudohomophones, the syllable frequencies of a nonword, and an item the rules cannot
// pronounce. qatu /kA-tU/ ka as syllable 1 of two: kalu 3 and katu 12; tU as syllable 2: atu
// 2, katu 12, patu 4; the written qa is no word's first syllable, tu ends atu, katu and patu.
TEST(RulePronunciations, PseudohomophonesSyllableFrequenciesAndUnpronounceableItems) {
    PhonWorkspace t(RuleData(), kBoxes);
    t.Enter({"hetxea", "iru", "qatu", "krt", "etxea"});
    t.Ws.AnalyseAll();
    const std::vector<Col> cols = {&F::Col_HOM, &F::Col_AHOSKERA, &F::Col_ORT_SILAB,
                                   &F::Col_AHOS_ITURRI};
    using Cells = std::vector<std::string>;
    EXPECT_EQ(Row(t, cols, 1), (Cells{"etxea", "E-txE-A", "he-txe-a", "arauak"}));
    EXPECT_EQ(Row(t, cols, 2), (Cells{"hiru", "I-rU", "i-ru", "arauak"}));
    EXPECT_EQ(Row(t, cols, 3), (Cells{"katu", "kA-tU", "qa-tu", "arauak"}));
    EXPECT_EQ(Row(t, cols, 4), (Cells{"-1", "-1", "-1", ""}));
    // A word keeps its homophone: the first other entry with its pronunciation.
    EXPECT_EQ(Row(t, cols, 5), (Cells{"etxeha", "E-txE-A", "e-txe-a", "hiztegia"}));

    EXPECT_EQ(
        Row(t,
            {&F::Col_FSM1_TP, &F::Col_FSM1_TK, &F::Col_FSM1_MAX, &F::Col_FSM2_TP, &F::Col_FSM2_TK,
             &F::Col_FSM2_MAX, &F::Col_OSM1_TP, &F::Col_OSM2_TP, &F::Col_OSM2_TK, &F::Col_OSM2_MAX},
            3),
        (Cells{"   2", "  15.00", "  12.00", "   3", "  18.00", "  12.00", "", "   3", "  18.00",
               "  12.00"}));
    EXPECT_EQ(Row(t, {&F::Col_LUZ_F, &F::Col_KB_F, &F::Col_PN, &F::Col_TK_BB}, 4),
              (Cells{"   -  ", "-1", "", "   -  "}));
}

} // namespace
} // namespace zirtel::test

// The phonological neighbourhood fields, worked out by hand from the lexicon in
// tests/data/phonology/nwfreq_EUS.txt.
#include <gtest/gtest.h>

#include "core/phonology/phon_neighbour_search.h"
#include "phon_test_workspace.h"

namespace zirtel::test {
namespace {

using F = FieldColumns;

constexpr std::initializer_list<const char*> kAllPhonBoxes = {
    "PNBox",   "PN1Box",  "PN2Box",    "PN3Box",    "PN4Box",   "PPBox",
    "HFPNBox", "LFPNBox", "PNFmaxBox", "PNFminBox", "PNFmuBox", "PNFsigmaBox"};

struct Row {
    const char* PN;
    const char* PN1;
    const char* PN2;
    const char* PN3;
    const char* PN4;
    const char* PP;
    const char* HFPN;
    const char* LFPN;
    const char* Max;
    const char* Min;
    const char* Mu;
    const char* Sig;
};

void ExpectRow(const PhonWorkspace& t, int row, const Row& e) {
    SCOPED_TRACE("row " + std::to_string(row) + " " + std::string(t.Ws.Item(row)));
    EXPECT_EQ(t.Cell(&F::Col_PN, row), e.PN);
    EXPECT_EQ(t.Cell(&F::Col_PN1, row), e.PN1);
    EXPECT_EQ(t.Cell(&F::Col_PN2, row), e.PN2);
    EXPECT_EQ(t.Cell(&F::Col_PN3, row), e.PN3);
    EXPECT_EQ(t.Cell(&F::Col_PN4, row), e.PN4);
    EXPECT_EQ(t.Cell(&F::Col_PP, row), e.PP);
    EXPECT_EQ(t.Cell(&F::Col_HFPN, row), e.HFPN);
    EXPECT_EQ(t.Cell(&F::Col_LFPN, row), e.LFPN);
    EXPECT_EQ(t.Cell(&F::Col_PNF_MAX, row), e.Max);
    EXPECT_EQ(t.Cell(&F::Col_PNF_MIN, row), e.Min);
    EXPECT_EQ(t.Cell(&F::Col_PNF_MU, row), e.Mu);
    EXPECT_EQ(t.Cell(&F::Col_PNF_SIG, row), e.Sig);
}

// kata /kA-tA/ (10): substitutions bata 20, gata 5 (position 1), kasa 10, kaza /kATA/ 3
// (position 3; kala /kA-La/ differs from the candidate kALA in letter case only), deletions
// ata 30 and kat 1, additions katak 7 / kattak 9 (homophones /kAtAk/: one neighbour, kattak)
// and katas 2. Sum 80 over 8, squares 1520: variance 720/7, deviation 10.14.
TEST(PhonNeighbourSearch, CountsAndFrequencyStatistics) {
    PhonWorkspace t(PhonologyData(), kAllPhonBoxes);
    t.Enter({"kata", "lo", "anna", "mesa", "ez", "zzz", "bitxi", "luzeegia"});
    t.Ws.AnalyseAll();
    EXPECT_TRUE(t.UI.Messages.empty());

    ExpectRow(t, 1,
              {"   8", "   2", "   0", "   2", "   0", "   2", "   2", "   5", "  30.00", "   1.00",
               "  10.00", "  10.14"});
    // lo /lO/ (2): bo 3 by substitution, lot 1 by addition: frequencies 1 and 3.
    ExpectRow(t, 2,
              {"   2", "   1", "   0", "   0", "   0", "   1", "   1", "   1", "   3.00", "   1.00",
               "   2.00", "   1.41"});
    // anna /An-nA/ (6): deleting either n gives ana /A-nA/ (4), found twice.
    ExpectRow(t, 3,
              {"   2", "   0", "   0", "   0", "   0", "   0", "   0", "   2", "   4.00", "   4.00",
               "   4.00", "   0.00"});
    // mesa /'mE-sA/ (7): the stress mark is position 1, so mese /'mE-sE/ 2 is a substitution at
    // position 5 and meza /mE-sA/ 12 the deletion of position 1.
    ExpectRow(t, 4,
              {"   2", "   0", "   0", "   0", "   0", "   1", "   1", "   1", "  12.00", "   2.00",
               "   7.00", "   7.07"});
    // ez /Es/: no neighbour at all.
    ExpectRow(t, 5,
              {"   0", "   0", "   0", "   0", "   0", "   0", "   0", "   0", "   0.00", "   0.00",
               "   0.00", "   0.00"});
    // zzz is not in the lexicon: nothing is written.
    ExpectRow(t, 6, {"", "", "", "", "", "", "", "", "", "", "", ""});
    // bitxi /bI--tS'-I/ (5): positions b I t S ' I; bitsi /bIts'-I/ 3 at position 4, bitxia
    // /bI-tSI/ 8 by deleting the stress mark. Squares 73, variance 12.5.
    ExpectRow(t, 7,
              {"   2", "   0", "   0", "   0", "   1", "   1", "   1", "   1", "   8.00", "   3.00",
               "   5.50", "   3.54"});
    // luzeegia: 22 positions; luzeegie (6) differs at the last one.
    ExpectRow(t, 8,
              {"   1", "   0", "   0", "   0", "   0", "   1", "   1", "   0", "   6.00", "   6.00",
               "   6.00", "   0.00"});
}

// While the lemmas are current, the item, its neighbours and their frequencies still come from
// the whole-word lexicon: kata keeps its whole-word frequency 10 (the lemma file says 500), and
// mesa, which is no lemma, is still searched.
TEST(PhonNeighbourSearch, LemmaModeUsesTheWholeWordLexicon) {
    PhonWorkspace t(PhonologyData(), {"PNBox", "HFPNBox", "LFPNBox", "W_FREQ_Box"});
    t.Enter({"kata", "mesa"});
    t.Ws.UseLemmaLexicon();
    EXPECT_EQ(t.UI.MessageLines(),
              (std::vector<std::string>{"Abisua: 1 item ez dago lemen hitzegian (forma jokatua "
                                        "edo sasihitza da, eta haren maiztasuna 0 da): mesa"}));
    EXPECT_EQ(t.Cell(&F::Col_H_MAIZT, 1), " 500.00");
    EXPECT_EQ(t.Cell(&F::Col_PN, 1), "   8");
    EXPECT_EQ(t.Cell(&F::Col_HFPN, 1), "   2");
    EXPECT_EQ(t.Cell(&F::Col_LFPN, 1), "   5");
    EXPECT_EQ(t.Cell(&F::Col_PN, 2), "   2");
}

// Only the shown fields are written; with none of the twelve shown, the list stays empty.
TEST(PhonNeighbourSearch, OnlyShownFieldsAndOnlyWhenOneIsShown) {
    PhonWorkspace some(PhonologyData(), {"PN3Box", "PNFsigmaBox"});
    some.Enter({"kata"});
    some.Ws.AnalyseAll();
    EXPECT_EQ(some.Ws.Columns.Col_PN3, 2);
    EXPECT_EQ(some.Ws.Columns.Col_PNF_SIG, 3);
    EXPECT_EQ(some.Ws.OutputGrid.Cell(2, 1), "   2");
    EXPECT_EQ(some.Ws.OutputGrid.Cell(3, 1), "  10.14");
    EXPECT_EQ(some.Ws.OutputGrid.Cell(4, 1), "");
    EXPECT_EQ(some.List(0, 1), "KATA");

    PhonWorkspace none(PhonologyData(), {"NBox"});
    none.Enter({"kata"});
    none.Ws.AnalyseAll();
    EXPECT_EQ(none.List(0, 1), "");
    EXPECT_EQ(none.Ws.PhonNeighbours.CurrentRow, 1);
}

} // namespace
} // namespace zirtel::test

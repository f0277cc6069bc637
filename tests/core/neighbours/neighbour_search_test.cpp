// The orthographic neighbour search on the hand-made lexicon of tests/data/neighbours: counts
// overall and by position, the 27-letter alphabet with ñ, doubled letters, odd items.
#include "core/lexicon/lexicon.h"
#include "core/neighbours/neighbour_search.h"
#include "core/neighbours/neighbour_test_support.h"

namespace zirtel::test {
namespace {

using FC = FieldColumns;
using OrthoSearchTest = NeighbourWorkspace;

TEST_F(OrthoSearchTest, TheHandMadeLexiconIsInListOrder) {
    RecordingFeedback ui;
    Lexicon lex;
    ASSERT_TRUE(LoadWholeWordLexicon(ZIRTEL_TEST_DATA "/neighbours/nwfreq_EUS.txt", lex, ui));
    EXPECT_TRUE(ui.Messages.empty());
}

TEST_F(OrthoSearchTest, CountsNeighboursOverallAndByPosition) {
    TickAllNeighbourFields(false, false);
    // kantil: mantil santil | kontil | - | kanbil kandil kanpil | - | kantiz;
    // deletions antil kanti; additions akantil kantila. iz: ez | iñ.
    const int r = Enter({"kantil", "iz"});
    Ws.AnalyseAll();
    EXPECT_EQ(At(&FC::Col_N, r), "   7");
    EXPECT_EQ(At(&FC::Col_N1, r), "   2");
    EXPECT_EQ(At(&FC::Col_N2, r), "   1");
    EXPECT_EQ(At(&FC::Col_N3, r), "   0");
    EXPECT_EQ(At(&FC::Col_N4, r), "   3");
    EXPECT_EQ(At(&FC::Col_N5, r), "   0");
    EXPECT_EQ(At(&FC::Col_P, r), "   4"); // positions 1, 2, 4 and 6
    EXPECT_EQ(At(&FC::Col_NAZPIM, r), "   2");
    EXPECT_EQ(At(&FC::Col_NGAIN, r), "   2");
    EXPECT_EQ(At(&FC::Col_N_STAR, r), "  11");

    EXPECT_EQ(At(&FC::Col_N, r + 1), "   2");
    EXPECT_EQ(At(&FC::Col_N1, r + 1), "   1");
    EXPECT_EQ(At(&FC::Col_N2, r + 1), "   1");
    EXPECT_EQ(At(&FC::Col_N3, r + 1), "   0");
    EXPECT_EQ(At(&FC::Col_N4, r + 1), "   0");
    EXPECT_EQ(At(&FC::Col_N5, r + 1), "   0");
    EXPECT_EQ(At(&FC::Col_P, r + 1), "   2");
    EXPECT_EQ(At(&FC::Col_N_STAR, r + 1), "   2");
}

TEST_F(OrthoSearchTest, EnyeIsTheTwentySeventhLetterAfterZ) {
    TickAllNeighbourFields(true, true);
    // "o{a" is in the lexicon too: it is no neighbour of anything.
    const int r = Enter({"ona", L1("oña"), L1("ÓNA")});
    Ws.AnalyseAll();
    EXPECT_EQ(At(&FC::Col_N, r), "   3");
    EXPECT_EQ(At(&FC::Col_N2, r), "   3");
    EXPECT_EQ(At(&FC::Col_HFN, r), "   1"); // oña 9 against ona 5
    EXPECT_EQ(At(&FC::Col_NF_MAX, r), "   9.00");
    EXPECT_EQ(ListRow(1), (Row{"ONA", "Sub", "2", "oka", "oza", L1("oña")}));

    // oña: substitutions at its ñ, and the deletion ña.
    EXPECT_EQ(At(&FC::Col_N, r + 1), "   3");
    EXPECT_EQ(At(&FC::Col_LFN, r + 1), "   3");
    EXPECT_EQ(At(&FC::Col_NAZPIM, r + 1), "   1");
    EXPECT_EQ(At(&FC::Col_AZPIM, r + 1), L1("ña"));
    EXPECT_EQ(At(&FC::Col_AZPIM_MAIZT, r + 1), "   4.00");
    EXPECT_EQ(ListRow(4), (Row{L1("OÑA"), "Sub", "2", "oka", "ona", "oza"}));
    EXPECT_EQ(ListRow(6), (Row{"", "Del", "1", L1("ña")}));

    // óna: its own frequency (1) with the accent, its neighbours those of ona.
    EXPECT_EQ(At(&FC::Col_N, r + 2), "   3");
    EXPECT_EQ(At(&FC::Col_HFN, r + 2), "   3");
    EXPECT_EQ(At(&FC::Col_LFN, r + 2), "   0");
    EXPECT_EQ(ListRow(8), (Row{L1("ÓNA"), "Sub", "2", "oka", "oza", L1("oña")}));

    // The item of a result row finds its block, capitals and accents notwithstanding, and a
    // block's first row finds its item's row.
    EXPECT_EQ(Ws.OrthoNeighbours.FindItemRow(std::string(Ws.Item(r + 2))), 8);
    EXPECT_EQ(Ws.FindItemRow(Ws.OrthoNeighbours.NeighList.Cell(0, 4)), r + 1);

    // An item with a capital Ñ (input files lower-case A-Z only) does not find itself through
    // ñ; inserting o finds oña.
    const int raw = PutRaw(L1("Ña"));
    Ws.AnalyseAll();
    EXPECT_EQ(At(&FC::Col_N, raw), "   0");
    EXPECT_EQ(At(&FC::Col_NGAIN, raw), "   1");
    EXPECT_EQ(At(&FC::Col_N_STAR, raw), "   1");
}

TEST_F(OrthoSearchTest, DoubledLettersAreRemovedAndInsertedOnce) {
    TickAllNeighbourFields(true, true);
    const std::string a17(17, 'a'), a18(18, 'a'), a19(19, 'a');
    const int r = Enter({"tolla", a18});
    Ws.AnalyseAll();
    // tola by removing either l; tollla by inserting l before, between or after the two.
    EXPECT_EQ(At(&FC::Col_NAZPIM, r), "   1");
    EXPECT_EQ(At(&FC::Col_NGAIN, r), "   1");
    EXPECT_EQ(At(&FC::Col_N_STAR, r), "   2");
    EXPECT_EQ(At(&FC::Col_AZPIM, r), "tola");
    EXPECT_EQ(At(&FC::Col_GAIN, r), "tollla");
    // Eighteen a's: seventeen and nineteen a's, each found once.
    EXPECT_EQ(At(&FC::Col_N, r + 1), "   0");
    EXPECT_EQ(At(&FC::Col_NAZPIM, r + 1), "   1");
    EXPECT_EQ(At(&FC::Col_NGAIN, r + 1), "   1");
    EXPECT_EQ(At(&FC::Col_AZPIM, r + 1), a17);
    EXPECT_EQ(At(&FC::Col_GAIN, r + 1), a19);
    EXPECT_EQ(At(&FC::Col_GAIN_MAIZT, r + 1), "   2.00");
}

TEST_F(OrthoSearchTest, OddItemsAreSearchedWithoutHarm) {
    TickAllNeighbourFields(true, true);
    // No letter goes in front of an apostrophe: z'ab and abz' are not found, 'zab and ab'z are.
    const int first = PutRaw("'ab");
    PutRaw("ab'");
    const std::vector<std::string> odd = {"x1-9'",
                                          "\x01\xFF",
                                          "--",
                                          std::string(18, '\''),
                                          L1("ÁÉÍÓÚÜ"),
                                          "Q'q'Q'q'Q'q'Q'q'Q'",
                                          std::string(10, '\xF1')};
    for (const std::string& o : odd) PutRaw(o);
    Ws.AnalyseAll();
    EXPECT_TRUE(UI.Messages.empty());
    EXPECT_EQ(At(&FC::Col_NGAIN, first), "   1");
    EXPECT_EQ(At(&FC::Col_GAIN, first), "'zab");
    EXPECT_EQ(At(&FC::Col_NGAIN, first + 1), "   1");
    EXPECT_EQ(At(&FC::Col_GAIN, first + 1), "ab'z");
    for (int r = first + 2; r < first + 2 + static_cast<int>(odd.size()); ++r) {
        EXPECT_EQ(At(&FC::Col_N, r), "   0") << r;
        EXPECT_EQ(At(&FC::Col_N_STAR, r), "   0") << r;
        EXPECT_EQ(At(&FC::Col_NF_SIG, r), "   0.00") << r;
    }

    // Called directly on an item the driver would refuse, the search leaves the row alone.
    const int tooLong = PutRaw(std::string(19, 'a'));
    FindOrthoNeighbours(Ws, tooLong);
    EXPECT_EQ(At(&FC::Col_N, tooLong), "");
    EXPECT_EQ(At(&FC::Col_NAZPIM, tooLong), "");
}

TEST_F(OrthoSearchTest, TheLemmaListIsSearchedWhileItIsCurrent) {
    TickAllNeighbourFields(false, false);
    const int r = Enter({"kantil"});
    Ws.UseLemmaLexicon(); // santil 1, kantil 7, kantal 3
    EXPECT_EQ(At(&FC::Col_N, r), "   2");
    EXPECT_EQ(At(&FC::Col_N1, r), "   1");
    EXPECT_EQ(At(&FC::Col_N5, r), "   1");
    EXPECT_EQ(At(&FC::Col_LFN, r), "   2");
    EXPECT_EQ(At(&FC::Col_NF_MAX, r), "   3.00");
    EXPECT_EQ(At(&FC::Col_NAZPIM, r), "   0");
}

TEST_F(OrthoSearchTest, RunsWhenOneOfItsFieldsOrListOptionsIsOn) {
    const int r = Enter({"mara"});
    Tick({"W_FREQ_Box"});
    Ws.AnalyseAll();
    EXPECT_TRUE(ListRow(1).empty()); // the list is shown, but nothing asks for the search

    Tick({"SupersetBox"});
    Ws.AnalyseAll();
    EXPECT_EQ(At(&FC::Col_GAIN, r), "zmara");
    EXPECT_EQ(ListRow(1), (Row{"MARA", "Sub", "1", "bara", "kara"}));

    Tick({});
    Ws.Setup.Options.SetTicked("IncludeDeletionNsBox", true);
    Ws.AssignColumns();
    Ws.AnalyseAll();
    EXPECT_EQ(ListRow(4), (Row{"", "Del", "2", "mra"}));
    EXPECT_EQ(ListRow(5), Row{});

    // The list box is read at each search: unticked, nothing is listed from then on.
    Ws.Setup.Options.SetTicked("NListBox", false);
    Tick({"NBox"});
    Ws.ShowNeighbourList = true;
    Ws.AnalyseAll();
    EXPECT_FALSE(Ws.ShowNeighbourList);
    EXPECT_EQ(At(&FC::Col_N, r), "   3");
    for (int row = 1; row < Ws.OrthoNeighbours.NeighList.RowCount(); ++row)
        EXPECT_TRUE(ListRow(row).empty());
}

} // namespace
} // namespace zirtel::test

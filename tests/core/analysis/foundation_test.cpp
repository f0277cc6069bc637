#include <gtest/gtest.h>

#include "core/analysis/workspace.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

using test::RecordedMessage;

class Foundation : public ::testing::Test {
  protected:
    Foundation() : WS(Fb, test::TestData("foundation")) { WS.Startup(); }
    std::string Out(int col, int row) const { return std::string(WS.OutputGrid.Cell(col, row)); }
    void Tick(std::initializer_list<const char*> boxes, bool on = true) {
        for (const char* b : boxes) WS.Setup.Options.SetTicked(b, on);
        WS.AssignColumns();
    }
    test::RecordingFeedback Fb;
    Workspace WS;
};

TEST_F(Foundation, StartsWithEmptyRowsAndTheWordFrequencyColumn) {
    EXPECT_EQ(WS.StimulusGrid.Cell(0, 0), "Sarrera");
    EXPECT_EQ(WS.StimulusGrid.Cell(0, 1), "");
    EXPECT_EQ(WS.StimulusGrid.Cell(0, 29), "");
    EXPECT_EQ(WS.StimulusGrid.RowCount(), 80);
    EXPECT_EQ(WS.OutputGrid.RowCount(), 30);
    EXPECT_EQ(WS.OutputGrid.ColCount(), 67);
    EXPECT_EQ(Out(1, 0), "Sarrera ");
    EXPECT_EQ(Out(2, 0), "  H_MAIZT ");
    EXPECT_EQ(Out(3, 0), "");
    EXPECT_EQ(WS.Columns.Col_H_MAIZT, 2);
    EXPECT_EQ(WS.NextCol, 3);
    EXPECT_EQ(WS.Decimals, 2);
    EXPECT_TRUE(Fb.Messages.empty());
}

TEST_F(Foundation, ColumnsFollowTheCatalogueOrderNotTheTickOrder) {
    Tick({"NBox", "BF1_Box"});
    WS.Setup.Options.SetTicked("W_FREQ_Box", false);
    WS.AssignColumns();
    EXPECT_EQ(WS.Columns.Col_1_BM, 2);
    EXPECT_EQ(WS.Columns.Col_N, 3);
    EXPECT_EQ(WS.Columns.Col_H_MAIZT, 0);
    EXPECT_EQ(Out(2, 0), " 1_BM ");
    EXPECT_EQ(Out(3, 0), "   N   ");

    // Every field ticked: the grid widens past its 67 columns; NATL is labelled too.
    for (int f = 0; f < kFieldCount; ++f) WS.Setup.Options.SetFieldTicked(f, true);
    WS.Decimals = 4;
    WS.AssignColumns();
    EXPECT_EQ(WS.NextCol, 2 + kFieldCount);
    EXPECT_GE(WS.OutputGrid.ColCount(), 2 + kFieldCount);
    EXPECT_EQ(WS.Columns.Col_OSM3_MAX, 84);
    EXPECT_EQ(Out(84, 0), "  OSM3_MAX  ");
    EXPECT_EQ(Out(85, 0), " OLD20 ");
    EXPECT_EQ(Out(86, 0), " PLD20 ");
    EXPECT_EQ(Out(87, 0), " ZIPF ");
    EXPECT_EQ(Out(WS.Columns.Col_USER1, 0), "Undefined");
    EXPECT_EQ(Out(WS.Columns.Col_NATL, 0), " NATL ");
}

TEST_F(Foundation, TypedItemsAreTrimmedLowerCasedAndNeverStoredTwice) {
    EXPECT_EQ(WS.EnterTypedItem(" Etxe "), Workspace::EntryResult::Entered);
    EXPECT_EQ(Out(1, 1), "etxe");
    EXPECT_EQ(WS.StimulusGrid.Cell(0, 1), "etxe");
    EXPECT_EQ(WS.NextRow, 2);
    EXPECT_EQ(WS.EnterTypedItem("etxe"), Workspace::EntryResult::Duplicate);
    EXPECT_EQ(WS.EnterTypedItem(" etxe"), Workspace::EntryResult::Duplicate);
    EXPECT_EQ(WS.EnterTypedItem("\xD1"
                                "ABAR"),
              Workspace::EntryResult::Entered); // accented capitals too
    EXPECT_EQ(Out(1, 2), "\xF1"
                         "abar");
    // An empty or blank entry enters nothing and says nothing.
    EXPECT_EQ(WS.EnterTypedItem(""), Workspace::EntryResult::Empty);
    EXPECT_EQ(WS.EnterTypedItem("  \t "), Workspace::EntryResult::Empty);
    const RecordedMessage dup{"Abisua", "Elementu hori dagoeneko sartuta dago.",
                              MessageButtons::Ok};
    EXPECT_EQ(Fb.Messages, (std::vector<RecordedMessage>{dup, dup}));
    EXPECT_EQ(WS.NextRow, 3);
    EXPECT_EQ(Out(1, 3), "");
    EXPECT_EQ(WS.StimulusGrid.Cell(0, 3), "");
}

TEST_F(Foundation, GridCellEntryAndGrowth) {
    WS.StimulusGrid.SetCell(0, 1, "mendi");
    EXPECT_EQ(WS.CommitStimulusCell(1), Workspace::EntryResult::Entered);
    EXPECT_EQ(Out(1, 1), "mendi");
    // Committing the same row again is no duplicate of itself.
    EXPECT_EQ(WS.CommitStimulusCell(1), Workspace::EntryResult::Entered);
    WS.StimulusGrid.SetCell(0, 4, "MENDI");
    EXPECT_EQ(WS.CommitStimulusCell(4), Workspace::EntryResult::Duplicate);
    EXPECT_EQ(WS.StimulusGrid.Cell(0, 4), "");
    EXPECT_EQ(Fb.Messages.size(), 1u);

    WS.ClearItems();
    for (int i = 0; i < 29; ++i) WS.EnterTypedItem("w" + std::to_string(i));
    EXPECT_EQ(WS.NextRow, 30);
    EXPECT_EQ(WS.OutputGrid.RowCount(), 31); // one more row as the last one is reached
    EXPECT_EQ(WS.StimulusGrid.RowCount(), 31);
}

TEST_F(Foundation, InputFileWithDirectivesConditionsAndSkippedLines) {
    ASSERT_TRUE(WS.ReadInputFile(test::TestData("foundation/items.txt")));
    EXPECT_EQ(Out(1, 1), "etxe");
    EXPECT_EQ(Out(1, 2), "\xF1"
                         "abar");
    EXPECT_EQ(Out(1, 3), "mendi");
    EXPECT_EQ(Out(1, 4), "mendia");
    EXPECT_EQ(Out(1, 5), "");
    EXPECT_EQ(WS.StimulusGrid.Cell(0, 4), "mendia");
    EXPECT_EQ(WS.StimulusGrid.Cell(0, 5), "");
    EXPECT_EQ(WS.NextRow, 5);
    EXPECT_EQ(WS.OutputGrid.RowCount(), 9); // 4 items + 5
    EXPECT_EQ(WS.Stimuli.ItemCount, 4);
    EXPECT_EQ(WS.Stimuli.ConditionNames[2], "Hitz arruntak");
    ASSERT_EQ(Fb.Progresses.size(), 1u);
    EXPECT_EQ(Fb.Progresses[0]->Label, "Reading input file ...");
    EXPECT_FALSE(Fb.Progresses[0]->Open);
    EXPECT_EQ(Fb.MessageLines(), (std::vector<std::string>{"Abisua: 1 lerro saltatu dira, ez "
                                                           "baitira letra batez hasten: 3etxe "
                                                           "(2. lerroa)"}));

    Fb.Clear();
    EXPECT_FALSE(WS.ReadInputFile(test::TestData("foundation/missing.txt")));
    ASSERT_EQ(Fb.Messages.size(), 1u);
    EXPECT_EQ(Fb.Messages[0].Caption, "File Error");
    EXPECT_EQ(Fb.Messages[0].Text,
              "Can't open input file " + test::TestData("foundation/missing.txt").string());
    EXPECT_EQ(Out(1, 4), "mendia"); // unchanged
}

TEST_F(Foundation, PasteKeepsLettersAndTheLastLineWithoutLineFeed) {
    WS.PasteItems("a\r\nB1b\n\xE1"
                  "rbol-x\nlast");
    EXPECT_EQ(Out(1, 1), "a");
    EXPECT_EQ(Out(1, 2), "bb");
    EXPECT_EQ(Out(1, 3), "\xE1"
                         "rbolx");
    EXPECT_EQ(Out(1, 4), "last");
    EXPECT_EQ(WS.NextRow, 5);
    // The paste analyses all items: a one-letter item is named.
    EXPECT_EQ(Out(WS.Columns.Col_H_MAIZT, 2), "   0.00");
    EXPECT_EQ(Out(WS.Columns.Col_H_MAIZT, 1), "");
    EXPECT_EQ(Fb.MessageLines(),
              (std::vector<std::string>{"Errorea: 1 item ez da aztertu: itemek 2 eta 18 letra "
                                        "artean izan behar dituzte. a (1 letra)"}));
}

TEST_F(Foundation, LexicalAndLetterMeasures) {
    Tick({"Log_FreqBox", "LenLBox", "CV_OBox", "RepBox", "OrthSyllBox"});
    for (const char* item : {"ETXE", "etxea", "mendi", "xyz",
                             "\xC1"
                             "rbolaizugarriaaaa"})
        WS.EnterTypedItem(item);
    WS.OutputGrid.SetCell(1, 3, "MENDI"); // typed in capitals through the grid
    WS.AnalyseAll();
    EXPECT_TRUE(Fb.Messages.empty());
    const int F = WS.Columns.Col_H_MAIZT, L = WS.Columns.Col_LOG10_MAIZT, N = WS.Columns.Col_LUZ_L,
              CV = WS.Columns.Col_KB_O, R = WS.Columns.Col_ERREP, S = WS.Columns.Col_ORT_SILAB;
    EXPECT_EQ(Out(F, 1), "   9.00");
    EXPECT_EQ(Out(L, 1), "   1.00"); // log10(9 + 1)
    EXPECT_EQ(Out(N, 1), "   4");
    EXPECT_EQ(Out(CV, 1), "VCCV           ");
    EXPECT_EQ(Out(S, 1), "e-txe");
    EXPECT_EQ(Out(R, 1), "rep"); // e twice
    EXPECT_EQ(Out(F, 2), "  25.50");
    EXPECT_EQ(Out(CV, 2), "VCCVV          ");
    EXPECT_EQ(Out(R, 2), "rep");
    EXPECT_EQ(Out(S, 2), "e-txe-a");
    EXPECT_EQ(Out(F, 3), "  40.00");
    EXPECT_EQ(Out(S, 3), "men-di");
    EXPECT_EQ(Out(R, 3), "");
    EXPECT_EQ(Out(F, 4), "   0.00");
    EXPECT_EQ(Out(L, 4), "   0.00");
    EXPECT_EQ(Out(S, 4), "-1");
    EXPECT_EQ(Out(CV, 4), "CCC            ");
    // 18 letters with an accented capital: a vowel, not lower-cased; no padding.
    EXPECT_EQ(Out(CV, 5), "VCCVCVVCVCVCCVVVVV");
    EXPECT_EQ(Out(N, 5), "  18");
}

TEST_F(Foundation, LengthLimitsAndAnalysingTheSelection) {
    WS.EnterTypedItem("etxea");
    WS.EnterTypedItem("a");
    WS.EnterTypedItem("abcdefghijklmnopqrs"); // 19 letters
    WS.AnalyseAll();
    // One message for the analysis, naming the items with their lengths.
    const RecordedMessage length{"Errorea",
                                 "2 item ez dira aztertu: itemek 2 eta 18 letra artean izan "
                                 "behar dituzte. a (1 letra), abcdefghijklmnopqrs (19 letra)",
                                 MessageButtons::Ok};
    EXPECT_EQ(Fb.Messages, (std::vector<RecordedMessage>{length}));
    ASSERT_EQ(Fb.Progresses.size(), 1u);
    EXPECT_EQ(Fb.Progresses[0]->Label, "Analysing all items ...");
    EXPECT_EQ(Fb.Progresses[0]->Max, 30);
    EXPECT_FALSE(Fb.Progresses[0]->Open);
    // Selected: the same message.
    Fb.Clear();
    std::string edit;
    WS.AnalyseSelected(1, 3, edit);
    EXPECT_EQ(Fb.Messages, (std::vector<RecordedMessage>{length}));
    EXPECT_TRUE(Fb.Progresses.empty());
}

TEST_F(Foundation, QuickEntryBeforeAnyItemAndLatestAnalysisOnly) {
    std::string edit = " Mendi ";
    WS.AnalyseSelected(1, 1, edit);
    EXPECT_EQ(edit, "");
    EXPECT_EQ(Out(1, 1), "mendi");
    EXPECT_EQ(Out(WS.Columns.Col_H_MAIZT, 1), "  40.00");
    EXPECT_EQ(WS.NextRow, 2);
    // After "Berria" the entry line is no longer entered.
    WS.ClearItems();
    edit = "etxe";
    WS.AnalyseSelected(1, 1, edit);
    EXPECT_EQ(edit, "etxe");
    EXPECT_EQ(Out(1, 1), "");

    // A switch of lexicon rewrites every row from the lemma list; syllabifications stay.
    Tick({"OrthSyllBox"});
    WS.EnterTypedItem("etxe");
    WS.EnterTypedItem("bat");
    WS.AnalyseAll();
    EXPECT_EQ(Out(WS.Columns.Col_H_MAIZT, 2), " 900.00");
    Fb.Clear();
    WS.UseLemmaLexicon();
    EXPECT_EQ(Out(WS.Columns.Col_H_MAIZT, 1), " 120.25");
    EXPECT_EQ(Out(WS.Columns.Col_H_MAIZT, 2), "   0.00");
    EXPECT_EQ(Out(WS.Columns.Col_ORT_SILAB, 1), "e-txe");
    // bat is a word form, not a lemma: said once for the analysis.
    EXPECT_EQ(Fb.MessageLines(),
              (std::vector<std::string>{"Abisua: 1 item ez dago lemen hitzegian (forma jokatua edo "
                                        "sasihitza da, eta haren maiztasuna 0 da): bat"}));
    Fb.Clear();
    WS.UseWholeWordLexicon();
    EXPECT_EQ(Out(WS.Columns.Col_H_MAIZT, 1), "   9.00");
    EXPECT_TRUE(Fb.Messages.empty());
}

} // namespace
} // namespace zirtel

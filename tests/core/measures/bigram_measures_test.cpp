// Bigram measures over the hand-made tables ZR_BF2.txt, ZR_BF3.txt and ZR_BF6.txt (lengths 4
// and 5, among others, have no file). Expected values worked out from those files by hand.
#include <gtest/gtest.h>

#include <cctype>

#include "core/measures/bigram_tables.h"
#include "measure_run.h"

namespace zirtel::test {
namespace {

using FC = FieldColumns;

std::string Warning(int n) {
    return "Abisua: Couldn't load ZR_BF" + std::to_string(n) + ".txt: Ezin da kalkulatu " +
           std::to_string(n) + " letra-estimuluen bigrama-maiztasuna";
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

TEST(BigramMeasures, PositionalValuesAndMeansForTwoThreeAndSixLetters) {
    MeasureRun run({"BF1_Box", "BF2_Box", "BF3_Box", "BF4_Box", "BF5_Box", "TokenBFBox",
                    "TypeBFBox", "SLBFBox", "MLBFBox"});
    run.Analyse({"ez", "ama", "mam", "abcdef"});
    EXPECT_TRUE(run.fb.Messages.empty());

    // ez: one bigram (e, z) = row 133: type 7, token 100.
    EXPECT_EQ(run.Cell(1, &FC::Col_1_BM), " 100.00");
    EXPECT_EQ(run.Cell(1, &FC::Col_2_BM), "");
    EXPECT_EQ(run.Cell(1, &FC::Col_5_BM), "");
    EXPECT_EQ(run.Cell(1, &FC::Col_BM_TK), " 100.00");
    EXPECT_EQ(run.Cell(1, &FC::Col_BM_TP), "   7.00");
    EXPECT_EQ(run.Cell(1, &FC::Col_BMLB), "   2.00");
    EXPECT_EQ(run.Cell(1, &FC::Col_BMLBB), "   2.00");

    // ama: "am" at position 1 (token 20, type 4), "ma" at position 2 (token 50, type 6).
    EXPECT_EQ(run.Cell(2, &FC::Col_1_BM), "  20.00");
    EXPECT_EQ(run.Cell(2, &FC::Col_2_BM), "  50.00");
    EXPECT_EQ(run.Cell(2, &FC::Col_3_BM), "");
    EXPECT_EQ(run.Cell(2, &FC::Col_BM_TK), "  35.00");
    EXPECT_EQ(run.Cell(2, &FC::Col_BM_TP), "   5.00");
    EXPECT_EQ(run.Cell(2, &FC::Col_BMLB), "   3.00"); // log 20 + log 50 = log 1000
    EXPECT_EQ(run.Cell(2, &FC::Col_BMLBB), "   1.50");

    // mam: the same pairs at the other positions: "ma" at 1 (8, type 9), "am" at 2 (2, type 1).
    EXPECT_EQ(run.Cell(3, &FC::Col_1_BM), "   8.00");
    EXPECT_EQ(run.Cell(3, &FC::Col_2_BM), "   2.00");
    EXPECT_EQ(run.Cell(3, &FC::Col_BM_TK), "   5.00");
    EXPECT_EQ(run.Cell(3, &FC::Col_BM_TP), "   5.00");
    EXPECT_EQ(run.Cell(3, &FC::Col_BMLB), "   1.20");  // log 16 = 1.2041
    EXPECT_EQ(run.Cell(3, &FC::Col_BMLBB), "   0.60"); // 0.6021

    // abcdef: tokens 1, 10, 100, 1000, 10000 and types 1..5 at positions 1..5 (the other
    // positions of those rows hold 7 and 9).
    EXPECT_EQ(run.Cell(4, &FC::Col_1_BM), "   1.00");
    EXPECT_EQ(run.Cell(4, &FC::Col_2_BM), "  10.00");
    EXPECT_EQ(run.Cell(4, &FC::Col_3_BM), " 100.00");
    EXPECT_EQ(run.Cell(4, &FC::Col_4_BM), "1000.00");
    EXPECT_EQ(run.Cell(4, &FC::Col_5_BM), "10000.00");
    EXPECT_EQ(run.Cell(4, &FC::Col_BM_TK), "2222.20");
    EXPECT_EQ(run.Cell(4, &FC::Col_BM_TP), "   3.00");
    EXPECT_EQ(run.Cell(4, &FC::Col_BMLB), "  10.00");
    EXPECT_EQ(run.Cell(4, &FC::Col_BMLBB), "   2.00");
}

TEST(BigramMeasures, LettersAccentsCapitalsAndCharactersOutsideTheAlphabet) {
    MeasureRun run({"BF1_Box", "TokenBFBox", "TypeBFBox", "SLBFBox", "MLBFBox"});
    run.Analyse({"\xF1o", "a\xF1", "\xE1n", "a1", "zzz"});
    // An item in capitals, as typed into a cell of the item grid (kept unchanged there).
    run.ws.StimulusGrid.SetCell(0, 6, "EZ");
    run.ws.CommitStimulusCell(6);
    run.ws.AnalyseAll();
    EXPECT_TRUE(run.fb.Messages.empty());

    // ño: ñ is letter 26, so (ñ, o) is row 26 * 27 + 14 = 716: token 10, type 3.
    EXPECT_EQ(run.Cell(1, &FC::Col_1_BM), "  10.00");
    EXPECT_EQ(run.Cell(1, &FC::Col_BM_TP), "   3.00");
    // añ: row 26: token 1000.
    EXPECT_EQ(run.Cell(2, &FC::Col_1_BM), "1000.00");
    EXPECT_EQ(run.Cell(2, &FC::Col_BMLB), "   3.00");
    // án is read as an: row 13, token 0.1, whose log is -1: a value, not a failure.
    EXPECT_EQ(run.Cell(3, &FC::Col_1_BM), "   0.10");
    EXPECT_EQ(run.Cell(3, &FC::Col_BM_TP), "   5.00");
    EXPECT_EQ(run.Cell(3, &FC::Col_BMLB), "  -1.00");
    EXPECT_EQ(run.Cell(3, &FC::Col_BMLBB), "  -1.00");
    // a1: the digit has no table entry: 0 everywhere, skipped by the log sum.
    EXPECT_EQ(run.Cell(4, &FC::Col_1_BM), "   0.00");
    EXPECT_EQ(run.Cell(4, &FC::Col_BM_TK), "   0.00");
    EXPECT_EQ(run.Cell(4, &FC::Col_BM_TP), "   0.00");
    EXPECT_EQ(run.Cell(4, &FC::Col_BMLB), "   0.00");
    EXPECT_EQ(run.Cell(4, &FC::Col_BMLBB), "   0.00");
    // zzz: both pairs have token 0: the log measures are 0, not a failure.
    EXPECT_EQ(run.Cell(5, &FC::Col_BMLB), "   0.00");
    EXPECT_EQ(run.Cell(5, &FC::Col_BMLBB), "   0.00");
    // EZ: capitals are read as small letters.
    EXPECT_EQ(run.ws.Item(6), "EZ");
    EXPECT_EQ(run.Cell(6, &FC::Col_1_BM), " 100.00");
}

TEST(BigramMeasures, MissingTableWarningsCountOrderAndTexts) {
    { // Five positions and the mean token: six boxes for one 4-letter item.
        MeasureRun run({"BF1_Box", "BF2_Box", "BF3_Box", "BF4_Box", "BF5_Box", "TokenBFBox"});
        run.Analyse({"etxe"});
        EXPECT_EQ(run.fb.MessageLines(), std::vector<std::string>(6, Warning(4)));
        for (auto col : {&FC::Col_1_BM, &FC::Col_2_BM, &FC::Col_3_BM, &FC::Col_4_BM, &FC::Col_5_BM,
                         &FC::Col_BM_TK})
            EXPECT_EQ(run.Cell(1, col), "-1");
        EXPECT_EQ(run.fb.Messages[0].Buttons, MessageButtons::Ok);
    }
    { // Only the two log measures: two boxes.
        MeasureRun run({"SLBFBox", "MLBFBox"});
        run.Analyse({"etxe"});
        EXPECT_EQ(run.fb.MessageLines(), std::vector<std::string>(2, Warning(4)));
        EXPECT_EQ(run.Cell(1, &FC::Col_BMLB), "    -");
        EXPECT_EQ(run.Cell(1, &FC::Col_BMLBB), "-1");
    }
    { // Both means and both log measures: the mean token warns for all four.
        MeasureRun run({"TokenBFBox", "TypeBFBox", "SLBFBox", "MLBFBox"});
        run.Analyse({"etxe"});
        EXPECT_EQ(run.fb.MessageLines(), std::vector<std::string>{Warning(4)});
        EXPECT_EQ(run.Cell(1, &FC::Col_BM_TK), "-1");
        EXPECT_EQ(run.Cell(1, &FC::Col_BM_TP), "-1");
        EXPECT_EQ(run.Cell(1, &FC::Col_BMLB), "    -");
        EXPECT_EQ(run.Cell(1, &FC::Col_BMLBB), "-1");
    }
    { // The mean type without the mean token: it warns, the log measures do not.
        MeasureRun run({"TypeBFBox", "SLBFBox", "MLBFBox"});
        run.Analyse({"etxe"});
        EXPECT_EQ(run.fb.MessageLines(), std::vector<std::string>{Warning(4)});
    }
    { // Items in row order: one box per shown field and missing item, with its own length;
      // the items of lengths 3 and 6 are computed between them.
        MeasureRun run({"BF2_Box", "TokenBFBox"});
        run.Analyse({"etxe", "ama", "mendi", "abcdef"});
        EXPECT_EQ(run.fb.MessageLines(),
                  (std::vector<std::string>{Warning(4), Warning(4), Warning(5), Warning(5)}));
        EXPECT_EQ(run.Cell(1, &FC::Col_2_BM), "-1");
        EXPECT_EQ(run.Cell(2, &FC::Col_2_BM), "  50.00");
        EXPECT_EQ(run.Cell(3, &FC::Col_BM_TK), "-1");
        EXPECT_EQ(run.Cell(4, &FC::Col_BM_TK), "2222.20");
    }
}

// Also keeps the file label each progress window was opened with.
class LabelRecordingFeedback : public RecordingFeedback {
  public:
    std::vector<std::string> OpenedFileLabels;
    std::unique_ptr<ProgressWindow> OpenProgress(const std::string& label,
                                                 const std::string& fileLabel, int max) override {
        OpenedFileLabels.push_back(fileLabel);
        return RecordingFeedback::OpenProgress(label, fileLabel, max);
    }
};

TEST(BigramTables, ReadOnceBehindAProgressWindow) {
    LabelRecordingFeedback fb;
    Workspace ws(fb, MeasuresData());
    ws.Startup();
    ws.Setup.Options.SetTicked("BF1_Box", true);
    ws.AssignColumns();
    ws.EnterTypedItem("ez");
    fb.Clear();
    fb.OpenedFileLabels.clear();
    ws.AnalyseAll();
    ws.AnalyseAll();

    // Three files exist (lengths 2, 3 and 6); each is read once, in order of length, behind a
    // window showing the file's path in capitals, closed when done.
    const std::string label = "Bigramen maiztasunen irakurketa ... ";
    const std::string folder = Upper(MeasuresData().string());
    std::vector<std::string> files;
    for (std::size_t i = 0; i < fb.Progresses.size(); ++i) {
        const auto& p = *fb.Progresses[i];
        if (p.Label != label) continue;
        EXPECT_FALSE(p.Open);
        EXPECT_EQ(p.Max, 676);
        EXPECT_EQ(p.Position, 676);
        EXPECT_EQ(p.FileLabel, " ");
        files.push_back(fb.OpenedFileLabels[i]);
    }
    EXPECT_EQ(files, (std::vector<std::string>{folder + "/ZR_BF2.TXT", folder + "/ZR_BF3.TXT",
                                               folder + "/ZR_BF6.TXT"}));
    EXPECT_EQ(fb.BusyDepth, 0);
    EXPECT_EQ(ws.OutputGrid.Cell(ws.Columns.Col_1_BM, 1), " 100.00");
    EXPECT_TRUE(ws.Setup.Bigrams.Loaded(2));
    EXPECT_TRUE(ws.Setup.Bigrams.Loaded(6));
    EXPECT_FALSE(ws.Setup.Bigrams.Loaded(4));
    EXPECT_FALSE(ws.Setup.Bigrams.Loaded(18));
}

TEST(BigramTables, NotReadWhenNoBigramFieldIsShown) {
    MeasureRun run({"LenLBox"});
    run.Analyse({"ez"});
    EXPECT_EQ(run.ProgressCount("Bigramen maiztasunen irakurketa ... "), 0);
    EXPECT_FALSE(run.ws.Setup.BigramTablesLoaded);
}

} // namespace
} // namespace zirtel::test

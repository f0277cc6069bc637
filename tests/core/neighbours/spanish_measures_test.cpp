// The fields of the group "Gaztelania" on a hand-made Spanish list (tests/data/spanish): 21 keys,
// ate (5.0) and até (1.0) sharing the key ate, ata 2.0, ave 3.0, teléfono 8.0, casa 20.0,
// café 4.0, gel 1.0, vela 2.0 and 13 fillers of three equal letters none of the items has
// (0.5 each); and six translations. The values were worked out by hand:
// - ate: ES_MAIZT 5.0 + 1.0 = 6.00, ES_ZIPF log10(6) + 3 = 3.78; neighbours ata and ave: ES_N 2,
//   ES_N_MAIZT 5.00; ES_OLD20 over the 20 other keys: ata and ave 1, cafe 2, casa, gel and the
//   fillers 3, vela 4, telefono 7: (1 + 1 + 2 + 3 * 15 + 4 + 7) / 20 = 3.00; translation puerta:
//   KOGNATU 1 - Levenshtein(ate, puerta) 5 / 6 = 0.17.
// - kafe: no Spanish word, café one letter away (ES_N 1, 4.00), café as translation: 1 - 1/4.
// - etxea: the translation of its lemma etxe, casa: 1 - 4/4 = 0.00.
// - abiapuntua: the dictionary's mark dropped ("punto de partida"), 1 - 14/16 = 0.125, which
//   "%.2f" rounds to the even 0.12.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/analysis/results_output.h"
#include "core/analysis/tidy_neighbours.h"
#include "core/analysis/workspace.h"
#include "core/neighbours/spanish_measures.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

void TickSpanish(Workspace& ws) {
    ws.Setup.Options.SetTicked("W_FREQ_Box", false);
    for (const char* box : {"SpanishFreqBox", "SpanishZipfBox", "SpanishNBox", "SpanishNFreqBox",
                            "SpanishOLD20Box", "TranslationBox", "CognateBox"})
        ws.Setup.Options.SetTicked(box, true);
    ws.AssignColumns();
}

TEST(SpanishMeasures, EveryFieldOnFormsAndOnLemmas) {
    test::RecordingFeedback ui;
    Workspace ws(ui, test::TestData("spanish"));
    ws.Startup();
    TickSpanish(ws);
    for (const char* item : {"ate", "KAFE", "etxea", "telefono", "abiapuntua", "zzz"})
        ws.EnterTypedItem(item);
    EXPECT_TRUE(ws.Setup.SpanishFilesRead().empty()); // nothing read before a field is measured
    ws.AnalyseAll();
    EXPECT_TRUE(ui.Messages.empty());
    EXPECT_EQ(ws.Setup.SpanishFilesRead().size(), 2u);
    EXPECT_EQ(OutputFileText(ws),
              "Sarrera \t ES_MAIZT \t ES_ZIPF \t  ES_N  \t ES_N_MAIZT \t ES_OLD20 \t ITZULPENA "
              "\t KOGNATU \t\r\n"
              "ate\t   6.00\t   3.78\t   2\t   5.00\t   3.00\tpuerta\t   0.17\t\r\n"
              "kafe\t   -  \t   -  \t   1\t   4.00\t   3.55\tcafé\t   0.75\t\r\n"
              "etxea\t   -  \t   -  \t   0\t   0.00\t   4.55\tcasa\t   0.00\t\r\n"
              "telefono\t   8.00\t   3.90\t   0\t   0.00\t   7.45\tteléfono\t   1.00\t\r\n"
              "abiapuntua\t   -  \t   -  \t   0\t   0.00\t   9.15\tpunto de partida\t   0.12\t\r\n"
              "zzz\t   -  \t   -  \t   0\t   0.00\t   3.15\t-1\t   -  \t\r\n"
              "\t\t\t\t\t\t\t\t\r\n");

    // Lemma mode: the Spanish lemmas (casa 30, puerta 9, café 4, casar 1: four keys, too few
    // for ES_OLD20) and the items as lemmas (etxea is no lemma, etxe is).
    ws.UseLemmaLexicon();
    ws.EnterTypedItem("etxe");
    ws.AnalyseAll();
    EXPECT_EQ(ws.OutputGrid.Cell(2, 1), "   -  "); // ate is no Spanish lemma
    EXPECT_EQ(ws.OutputGrid.Cell(7, 3), "-1");     // etxea: no translation as a lemma
    EXPECT_EQ(ws.OutputGrid.Cell(7, 7), "casa");
    EXPECT_EQ(ws.OutputGrid.Cell(4, 2), "   1");   // kafe: café
    EXPECT_EQ(ws.OutputGrid.Cell(6, 1), "   -  "); // ES_OLD20 over four keys
    EXPECT_EQ(SpellingSimilarity("Telefono", "tel\xE9"
                                             "fono"),
              1.0);
}

TEST(SpanishMeasures, AMissingFileIsToldOnceAndLeavesTheFieldsMissing) {
    test::TempDir dir;
    std::filesystem::copy_file(test::TestData("spanish/nwfreq_EUS.txt"), dir / kWholeWordFile);
    test::RecordingFeedback ui;
    Workspace ws(ui, dir.Path());
    ws.Startup();
    TickSpanish(ws);
    ws.EnterTypedItem("ate");
    ws.EnterTypedItem("etxe");
    ws.AnalyseAll();
    EXPECT_EQ(ui.Messages,
              (std::vector<test::RecordedMessage>{
                  {"Fitxategi-errorea", "Ezin da ireki gaztelaniazko hitzen fitxategia",
                   MessageButtons::OkCancel},
                  {"Fitxategi-errorea", "Ezin da ireki itzulpenen fitxategia",
                   MessageButtons::OkCancel}}));
    EXPECT_EQ(ws.OutputGrid.Cell(2, 1), "   -  ");
    EXPECT_EQ(ws.OutputGrid.Cell(4, 1), "   0");
    EXPECT_EQ(ws.OutputGrid.Cell(7, 2), "-1");
    EXPECT_TRUE(ws.Setup.SpanishFilesRead().empty());
}

// "Gehitu gaztelaniazko auzokideak": the Spanish neighbours follow the item's Basque ones in the
// orthographic list ("es" rows) and go into the tidy table as the list "spanish". gela has the
// Spanish substitution neighbour vela (1st letter) and, with the deletions listed, gel.
TEST(SpanishMeasures, NeighboursListedInABlockOfTheirOwn) {
    test::RecordingFeedback ui;
    Workspace ws(ui, test::TestData("spanish"));
    ws.Startup();
    ws.Setup.Options.SetTicked("W_FREQ_Box", false);
    ws.Setup.Options.SetTicked("SpanishNBox", true);
    ws.Setup.Options.SetTicked("IncludeSpanishNsBox", true);
    ws.Setup.Options.SetTicked("IncludeDeletionNsBox", true);
    ws.AssignColumns();
    ws.EnterTypedItem("gela");
    ws.EnterTypedItem("ate");
    ws.AnalyseAll();
    // The list's rows: gela's Basque neighbour vela, then its Spanish block; ate has only
    // Spanish neighbours.
    std::vector<std::string> rows;
    const StringGrid& list = ws.OrthoNeighbours.NeighList;
    for (int r = 1; r <= ws.OrthoNeighbours.CurrentRow; ++r) {
        std::string row;
        for (int c = 0; c < 5; ++c) (row += list.Cell(c, r)) += "|";
        rows.push_back(row);
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"GELA|Sub|1|vela||", "|||||", "|es|1|vela||",
                                              "|esDel|4|gel||", "|||||", "ATE|es|2|ave||",
                                              "|es|3|ata||", "|||||"}));
    EXPECT_EQ(TidyNeighbourText(ws), "item\tneighbour\tlist\tkind\tposition\tfrequency\n"
                                     "gela\tvela\torthographic\tsubstitution\t1\t3.50\n"
                                     "gela\tvela\tspanish\tsubstitution\t1\t2.00\n"
                                     "gela\tgel\tspanish\tdeletion\t4\t1.00\n"
                                     "ate\tave\tspanish\tsubstitution\t2\t3.00\n"
                                     "ate\tata\tspanish\tsubstitution\t3\t2.00\n");
}

} // namespace
} // namespace zirtel

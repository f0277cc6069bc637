// The phonotactic, uniqueness-point, clustering, Levenshtein-frequency and morphology fields on
// two tiny lexicons (tests/data/modern, tests/data/old20f). Weights are log10(frequency x
// 3.89903); the probabilities were summed by hand from those weights.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/analysis/workspace.h"
#include "core/phonology/clustering.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

// Each item's cells for the ticked boxes, in column order, joined by "|".
std::vector<std::string> Measured(const char* folder, std::initializer_list<const char*> boxes,
                                  std::initializer_list<const char*> items, int decimals,
                                  bool rules = false) {
    test::RecordingFeedback ui;
    Workspace ws(ui, test::TestData(folder));
    ws.Startup();
    ws.Setup.Options.SetTicked("W_FREQ_Box", false);
    ws.Setup.Options.SetTicked("RulePronBox", rules);
    for (const char* box : boxes) ws.Setup.Options.SetTicked(box, true);
    ws.Decimals = decimals;
    ws.AssignColumns();
    for (const char* item : items) ws.EnterTypedItem(item);
    ws.AnalyseAll();
    EXPECT_TRUE(ui.Messages.empty());
    std::vector<std::string> cells;
    for (int r = 1; r <= static_cast<int>(items.size()); ++r) {
        std::string row;
        for (int c = 2; c < ws.NextCol; ++c) row += std::string(ws.OutputGrid.Cell(c, r)) + "|";
        cells.push_back(row);
    }
    return cells;
}

TEST(ModernMeasures, PhonotacticProbabilityAndUniquenessPoints) {
    // Columns: FP_SEG FP_BIF OP_SEG OP_BIF UP_ORT UP_FON (table order).
    // kale: k, a, l, e at positions 1-4 (OP_SEG 1.4964); etxp, a nonword without a pronunciation:
    // letters only. Uniqueness: etxe and kale are prefixes of etxea and kalea (length + 1),
    // katu leaves kale at its 3rd letter, mendia is told from mendi by its last letter, the
    // nonword etxp leaves etxe at its 4th and men is a prefix of mendi (length + 1).
    EXPECT_EQ(Measured("modern",
                       {"PhonSegProbBox", "PhonBiphoneProbBox", "LetterProbBox", "BigramProbBox",
                        "OrthUniquenessBox", "PhonUniquenessBox"},
                       {"kale", "etxe", "katu", "mendia", "etxp", "men"}, 4),
              (std::vector<std::string>{" 1.4964| 0.5836| 1.4964| 0.5836|   5|   5|",
                                        " 1.9595| 1.2639| 1.9595| 1.2639|   5|   5|",
                                        " 0.8469| 0.4695| 0.8469| 0.4695|   3|   3|",
                                        " 1.5634| 1.3621| 1.5634| 1.3621|   6|   6|",
                                        "   -  |   -  | 1.2639| 0.8426|   4|   -  |",
                                        "   -  |   -  | 0.6039| 0.4026|   4|   -  |"}));
}

TEST(ModernMeasures, ClusteringWithThreeNeighboursAndOneLink) {
    // kare's neighbours bare, dare (1st letter) and kale (3rd): of their three pairs only
    // bare-dare are one letter apart: 2 x 1 / (3 x 2). The rules give kare the pronunciation
    // kArE, whose neighbours are the same three. mendi has no neighbour: missing.
    EXPECT_EQ(
        Measured("modern", {"OrthClusteringBox", "PhonClusteringBox"}, {"kare", "mendi"}, 4, true),
        (std::vector<std::string>{" 0.3333| 0.3333|", "   -  |   -  |"}));
    EXPECT_EQ(ClusteringCoefficient({"bare", "dare", "bare", "kale"}), 1.0 / 3.0);
}

TEST(ModernMeasures, LevenshteinFrequencyTakesEveryWordTiedAtTheTwentiethDistance) {
    // aaaa: ten words at distance 1 (Zipf 4) and fifteen at distance 2 (Zipf 5): OLD20 is
    // (10 x 1 + 10 x 2) / 20 = 1.50, OLD20F (10 x 4 + 15 x 5) / 25 = 4.60.
    EXPECT_EQ(Measured("old20f", {"OLD20Box", "OLD20FreqBox"}, {"aaaa"}, 2),
              (std::vector<std::string>{"   1.50|   4.60|"}));
}

TEST(ModernMeasures, MorphologyFromTheFormFile) {
    // etxea's lemma etxe has three forms (10 + 5 + 2 = 17 per million):
    // H = -(10/17 log2 10/17 + 5/17 log2 5/17 + 2/17 log2 2/17) = 1.3328. mendia gives 0.7 of
    // its count to mendi, which has mendi and mendia (4 + 2): H = 0.9183.
    EXPECT_EQ(Measured("modern",
                       {"LemmaBox", "LemmaFreqBox", "FamilyBox", "FamilyFreqBox", "EntropyBox"},
                       {"etxea", "mendia", "kale"}, 4),
              (std::vector<std::string>{"etxe|20.5000|   3|17.0000| 1.3328|",
                                        "mendi| 5.4000|   2| 6.0000| 0.9183|",
                                        "-1|   -  |   -  |   -  |   -  |"}));
}

} // namespace
} // namespace zirtel

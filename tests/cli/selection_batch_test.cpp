// The --select and --match batch commands on the hand-made 60-word lexicon of
// tests/data/selection/engine (frequencies as in lexicon60.txt, USER1 from User1.txt).
#include "cli/selection_batch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_paths.h"

namespace zirtel {
namespace {

namespace fs = std::filesystem;

const fs::path kData = test::TestData("selection/engine");

struct Outcome {
    int Status = -1;
    std::string Out, Err;
};

Outcome Zirtel(std::vector<std::string> args) {
    args.insert(args.begin(), "zirtel");
    args.push_back("--data-dir");
    args.push_back(kData.string());
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    Outcome o;
    o.Status = RunSelection(static_cast<int>(argv.size()), argv.data(), out, err);
    o.Out = out.str();
    o.Err = err.str();
    return o;
}

// Of the eight words with USER1 100..199, only mendi is frequent and five letters long; with
// USER1 within 30 of the A1_B1 reference, abar (110) cannot head a row, ahal (120) and egur
// (160) can: one row, not two (with seed 7, the one ahal heads; egur's would be equally valid).
TEST(SelectionBatch, SelectWritesTheRowsTheLongFormAndTheSettings) {
    test::TempDir dir;
    const std::string design = (kData / "select.design").string();
    const Outcome o = Zirtel({"--select", design, "--long", (dir / "long.tsv").string(),
                              "--settings", (dir / "settings.txt").string()});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Err, "zirtel: only 1 of 2 rows could be made\n");
    EXPECT_EQ(o.Out, "row\tA1_B1\tA1_B2\tA2_B1\tA2_B2\treference_cell\r\n"
                     "1\tahal\takats\tetxe\tmendi\tA1_B1\r\n");
    EXPECT_EQ(test::ReadBytes(dir / "long.tsv"),
              "row\tcell\titem\tis_reference\tUSER1\tH_MAIZT\tLUZ_L\r\n"
              "1\tA1_B1\tahal\t1\t120.00\t5.00\t4\r\n"
              "1\tA1_B2\takats\t0\t130.00\t3.00\t5\r\n"
              "1\tA2_B1\tetxe\t0\t140.00\t300.00\t4\r\n"
              "1\tA2_B2\tmendi\t0\t150.00\t80.00\t5\r\n");
    EXPECT_EQ(test::ReadBytes(dir / "settings.txt"),
              "# zirtel 1.0.0\n# --select " + design + "\n# --data-dir " + kData.string() +
                  "\npool lexicon\nfilter USER1 100 199\nsplit H_MAIZT 0-9.99 10-1000\n"
                  "split LUZ_L 4-4 5-5\ncontrol USER1 -30 30\ngenerate 2 match first seed 7\n");
}

// gose (USER1 180, 4 letters) has only egur within 30 among the 4-letter words; etxe (140) has
// abar, ahal and egur, ahal and egur 20 away: a tie, in collation order.
TEST(SelectionBatch, MatchListsTheNearestItems) {
    const Outcome o = Zirtel({"--match", (kData / "match_items.txt").string(), "--design",
                              (kData / "match.design").string(), "-n", "2"});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Err, "");
    EXPECT_EQ(o.Out, "item\trank\tmatch\tdistance\tUSER1\tLUZ_L\r\n"
                     "gose\t1\tegur\t0.8165\t160.00\t4\r\n"
                     "etxe\t1\tahal\t0.8165\t120.00\t4\r\n"
                     "etxe\t2\tegur\t0.8165\t160.00\t4\r\n");
}

TEST(SelectionBatch, BadDesignsAndArguments) {
    const std::string bad = (kData / "bad.design").string();
    Outcome o = Zirtel({"--select", bad});
    EXPECT_EQ(o.Status, 2);
    EXPECT_EQ(o.Err, "zirtel: " + bad + ": line 3: unknown field 'FOO'\n");
    const std::string rules = (kData / "rules.design").string();
    o = Zirtel({"--select", rules});
    EXPECT_EQ(o.Status, 2);
    EXPECT_EQ(o.Err, "zirtel: " + rules +
                         ": line 2: rule-pronunciations: the analysis has no rule pronunciations "
                         "option\n");
    o = Zirtel({"--select", (kData / "no_such.design").string()});
    EXPECT_EQ(o.Status, 1);
    o = Zirtel({"--select", bad, "-n", "3"});
    EXPECT_EQ(o.Status, 2);
    EXPECT_EQ(o.Err.rfind("zirtel: -n belongs to --match\nUsage: zirtel --select DESIGN", 0), 0u);
    o = Zirtel({"--match", (kData / "match_items.txt").string()});
    EXPECT_EQ(o.Status, 2);
    EXPECT_EQ(o.Err.rfind("zirtel: --match needs --design DESIGN\n", 0), 0u);
}

} // namespace
} // namespace zirtel

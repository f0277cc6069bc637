// The --select and --match batch commands on the hand-made 60-word lexicon of
// tests/data/selection/engine (frequencies as in lexicon60.txt, USER1 from User1.txt).
#include "cli/batch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

namespace fs = std::filesystem;

const fs::path kData = test::TestData("selection/engine");

using test::Outcome;

Outcome Zirtel(std::vector<std::string> args) {
    args.push_back("--data-dir");
    args.push_back(kData.string());
    return test::RunEntry(RunBatch, "zirtel", args);
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
    // The settings of a batch run, with the design as run and its seed.
    const std::string settings = test::ReadBytes(dir / "settings.txt");
    const fs::path data = fs::absolute(kData).lexically_normal();
    for (const std::string& part : {
             std::string("  \"program\": \"zirtel\",\n"),
             std::string("  \"items\": null,\n"),
             "  \"data_files\": [\n    {\"file\": \"" + (data / "nwfreq_EUS.txt").string() +
                 "\", \"sha256\": "
                 "\"8fe5d04c3e742205cf15cc71bdcd8c8970a57626301421eb27ce917f26935a7e\"}\n  ],\n",
             "  \"user_fields\": [\n    {\"field\": \"USER1\", \"name\": \"Irudigarritasuna\", "
             "\"file\": \"" +
                 (data / "User1.txt").string() +
                 "\", \"sha256\": "
                 "\"c777917a99bc67cd1b4834cd1da2f1e4c7bc59ee72bd66247c3a2b3c4ae696b9\"}\n  ],\n",
             std::string("  \"lexicon\": \"whole-word\",\n"),
             std::string(
                 "  \"fields\": [\n    \"USER1\",\n    \"H_MAIZT\",\n    \"LUZ_L\"\n  ],\n"),
         })
        EXPECT_NE(settings.find(part), std::string::npos) << part << "\nin\n" << settings;
    EXPECT_TRUE(settings.ends_with(
        "\n  },\n  \"design_file\": {\"file\": \"" + (data / "select.design").string() +
        "\", \"sha256\": \"d257a54f6d337f65391ec619a2636d74daaadddaadcf3473ecd1ccad3a4e1c17\"},\n"
        "  \"design\": [\n    \"pool lexicon\",\n    \"filter USER1 100 199\",\n"
        "    \"split H_MAIZT 0-9.99 10-1000\",\n    \"split LUZ_L 4-4 5-5\",\n"
        "    \"control USER1 -30 30\",\n    \"generate 2 match first seed 7\"\n  ],\n"
        "  \"seed\": 7\n}\n"))
        << settings;

    // The pool measured by one worker or by three (in chunks of 16 items): the same row.
    for (const char* jobs : {"1", "3"})
        EXPECT_EQ(Zirtel({"--select", design, "--jobs", jobs}).Out, o.Out) << jobs;
}

// --decimals: the long table's real values with as many decimals (the counts stay whole).
TEST(SelectionBatch, DecimalsOfTheLongTable) {
    test::TempDir dir;
    const Outcome o = Zirtel({"--select", (kData / "select.design").string(), "--decimals", "0",
                              "--long", (dir / "long.tsv").string()});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(test::ReadBytes(dir / "long.tsv"),
              "row\tcell\titem\tis_reference\tUSER1\tH_MAIZT\tLUZ_L\r\n"
              "1\tA1_B1\tahal\t1\t120\t5\t4\r\n"
              "1\tA1_B2\takats\t0\t130\t3\t5\r\n"
              "1\tA2_B1\tetxe\t0\t140\t300\t4\r\n"
              "1\tA2_B2\tmendi\t0\t150\t80\t5\r\n");
}

// The balance report of the same run: tab-separated, or text for a name ending in .txt; the files
// with their SHA-256 as the settings give them, the corpus from the data folder's NOTICE. One row
// gives no spread: no standardised difference, no test.
TEST(SelectionBatch, ReportDescribesTheRows) {
    test::TempDir dir;
    const std::string design = (kData / "select.design").string();
    const fs::path data = fs::absolute(kData).lexically_normal();
    Outcome o = Zirtel({"--select", design, "-o", (dir / "rows.tsv").string(), "--report",
                        (dir / "report.tsv").string()});
    EXPECT_EQ(o.Status, 0);
    const std::string tsv = test::ReadBytes(dir / "report.tsv");
    for (const std::string& part : {
             std::string("# largest standardised difference among the controls: none\r\n\r\n"
                         "# cells\r\ncell\tn\tfield\tmean\tsd\tmin\tmedian\tmax\r\n"
                         "A1_B1\t1\tH_MAIZT\t5.0000\tNA\t5.0000\t5.0000\t5.0000\r\n"),
             std::string("H_MAIZT\tA1\tA2\t2\t2\t4.0000\t190.0000\t-186.0000\t-1.6908\t1.0002\t"
                         "0.3400\r\nLUZ_L\tB1\tB2\t2\t2\t4.0000\t5.0000\t-1.0000\tNA\tNA\tNA\r\n"),
             std::string("USER1\tA1_B1\tA2_B2\t120.0000\t150.0000\tNA\tNA\tNA\tNA\tNA\r\n"),
             "# files\r\nfile\tsha256\r\n" + (data / "select.design").string() +
                 "\td257a54f6d337f65391ec619a2636d74daaadddaadcf3473ecd1ccad3a4e1c17\r\n" +
                 (data / "nwfreq_EUS.txt").string() +
                 "\t8fe5d04c3e742205cf15cc71bdcd8c8970a57626301421eb27ce917f26935a7e\r\n",
             std::string("lexicon sources\tHand-made counts of sixty words. Licence: CC0.\r\n"),
         })
        EXPECT_NE(tsv.find(part), std::string::npos) << part << "\nin\n" << tsv;

    o = Zirtel({"--select", design, "-o", (dir / "rows.tsv").string(), "--report",
                (dir / "Report.TXT").string()});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(test::ReadBytes(dir / "Report.TXT")
                  .rfind("largest standardised difference among the controls: none\r\n\r\n"
                         "cells\r\n-----\r\ncell   n  field        mean  sd       min    median"
                         "       max\r\n",
                         0),
              0u);
    // --plots: one SVG per numeric split and control field, beside each other.
    fs::create_directory(dir / "plots");
    o = Zirtel({"--select", design, "-o", (dir / "rows.tsv").string(), "--plots",
                (dir / "plots").string()});
    EXPECT_EQ(o.Status, 0);
    for (const char* plot : {"H_MAIZT.svg", "LUZ_L.svg", "USER1.svg"})
        EXPECT_EQ(test::ReadBytes(dir / "plots" / plot).rfind("<svg xmlns=", 0), 0u) << plot;
    // --plot-format svg,png: the plots also as PNG images, twice the SVG's 520 x 300 (four
    // cells); nine files written at once with the tables.
    fs::create_directory(dir / "png");
    o = Zirtel({"--select", design, "-o", (dir / "rows.tsv").string(), "--long",
                (dir / "long.tsv").string(), "--report", (dir / "report.tsv").string(), "--plots",
                (dir / "png").string(), "--plot-format", "svg,png"});
    EXPECT_EQ(o.Status, 0) << o.Err;
    const std::string png = test::ReadBytes(dir / "png" / "LUZ_L.png");
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 16), std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x04\x10\0\0\x02\x58", 8));
    EXPECT_EQ(test::ReadBytes(dir / "png" / "USER1.svg").rfind("<svg xmlns=", 0), 0u);
    o = Zirtel({"--select", design, "--plots", (dir / "png").string(), "--plot-format", "gif"});
    EXPECT_EQ(o.Status, 2);
    EXPECT_EQ(o.Err.rfind("zirtel: --plot-format must be svg, png or svg,png, not 'gif'\n", 0), 0u)
        << o.Err;
    o = Zirtel({"--match", design, "--design", design, "--report", (dir / "r.tsv").string()});
    EXPECT_EQ(o.Status, 2);
    EXPECT_EQ(o.Err.rfind("zirtel: --report belongs to --select\n", 0), 0u);
}

// gose (USER1 180, 4 letters) has only egur within 30 among the 4-letter words; etxe (140) has
// abar, ahal and egur, ahal and egur 20 away: a tie, in collation order.
TEST(SelectionBatch, MatchListsTheNearestItems) {
    test::TempDir dir;
    const Outcome o = Zirtel({"--match", (kData / "match_items.txt").string(), "--design",
                              (kData / "match.design").string(), "-n", "2",
                              "--settings=" + (dir / "s.json").string()});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Err, "");
    EXPECT_EQ(o.Out, "item\trank\tmatch\tdistance\tUSER1\tLUZ_L\r\n"
                     "gose\t1\tegur\t0.8165\t160.00\t4\r\n"
                     "etxe\t1\tahal\t0.8165\t120.00\t4\r\n"
                     "etxe\t2\tegur\t0.8165\t160.00\t4\r\n");
    const std::string settings = test::ReadBytes(dir / "s.json");
    const fs::path data = fs::absolute(kData).lexically_normal();
    EXPECT_NE(
        settings.find("  \"items\": {\"file\": \"" + (data / "match_items.txt").string() +
                      "\", \"sha256\": "
                      "\"c97e7fd1b54ee7281360d5a20016263b50b2e2b1b52627b162cf82fa40d7946c\"},\n"),
        std::string::npos)
        << settings;
    EXPECT_TRUE(settings.ends_with("  \"design\": [\n    \"pool lexicon\",\n"
                                   "    \"filter USER1 100 199\",\n    \"control USER1 -30 30\",\n"
                                   "    \"control LUZ_L\"\n  ]\n}\n"))
        << settings;
}

// "rule-pronunciations": the nonwords of the pool are pronounced by the rules, qatu kA-tU (4
// phonemes) and hetxea E-txE-A (5); krt has no vowel and no LUZ_F. Without the line no item has
// a pronunciation and no row can be made. The settings keep the line.
TEST(SelectionBatch, RulePronunciationsMeasureThePoolByTheRules) {
    test::TempDir dir;
    const std::string rules = (kData / "rules.design").string();
    const Outcome o = Zirtel({"--select", rules, "--long", (dir / "long.tsv").string(),
                              "--settings", (dir / "settings.txt").string()});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Err, "zirtel: only 1 of 2 rows could be made\n");
    EXPECT_EQ(o.Out, "row\tA1\tA2\treference_cell\r\n1\tqatu\thetxea\tA1\r\n");
    EXPECT_EQ(test::ReadBytes(dir / "long.tsv"), "row\tcell\titem\tis_reference\tLUZ_F\r\n"
                                                 "1\tA1\tqatu\t1\t4\r\n"
                                                 "1\tA2\thetxea\t0\t5\r\n");
    const std::string settings = test::ReadBytes(dir / "settings.txt");
    EXPECT_NE(settings.find("    \"RulePronBox\": true,\n"), std::string::npos) << settings;
    EXPECT_TRUE(
        settings.ends_with("  \"design\": [\n    \"pool items nonwords.txt\",\n"
                           "    \"rule-pronunciations\",\n    \"split LUZ_F 4-4 5-5\",\n"
                           "    \"generate 2 match first seed 3\"\n  ],\n  \"seed\": 3\n}\n"))
        << settings;

    const fs::path plain = dir / "plain.design";
    test::WriteBytes(plain, "pool items " + (kData / "nonwords.txt").string() +
                                "\nsplit LUZ_F 4-4 5-5\ngenerate 2 seed 3\n");
    // No row: nothing produced, an earlier output stays.
    test::WriteBytes(dir / "rows.tsv", "earlier");
    const Outcome none = Zirtel({"--select", plain.string(), "-o", (dir / "rows.tsv").string()});
    EXPECT_EQ(none.Status, 3);
    EXPECT_EQ(none.Err,
              "zirtel: only 0 of 2 rows could be made: no pool item falls in cells A1, A2\n"
              "zirtel: nothing produced: no row could be made; no file written\n");
    EXPECT_EQ(test::ReadBytes(dir / "rows.tsv"), "earlier");
}

// On the generator's lexicon, whose origin file gives kafe as "mailegua" and vela as
// "atzerrikoa": only they pass the filter; both have gela's four letters (a control without
// spread: distance 0), in collation order. The settings name the origin file.
TEST(SelectionBatch, FilterKeepsTheListedOrigins) {
    test::TempDir dir;
    test::WriteBytes(dir / "d.design", "pool lexicon\nfilter JATORRIA atzerrikoa mailegua\n"
                                       "control LUZ_L\n");
    test::WriteBytes(dir / "items.txt", "gela\n");
    const fs::path data = fs::absolute(test::TestData("generator")).lexically_normal();
    const Outcome o = test::RunEntry(RunBatch, "zirtel",
                                     {"--match", (dir / "items.txt").string(), "--design",
                                      (dir / "d.design").string(), "--data-dir", data.string(),
                                      "--settings", (dir / "s.json").string()});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Err, "");
    EXPECT_EQ(o.Out, "item\trank\tmatch\tdistance\tLUZ_L\r\n"
                     "gela\t1\tkafe\t0.0000\t4\r\n"
                     "gela\t2\tvela\t0.0000\t4\r\n");
    EXPECT_NE(
        test::ReadBytes(dir / "s.json")
            .find("    {\"file\": \"" + (data / "jatorria_EUS.txt").string() +
                  "\", \"sha256\": "
                  "\"24da6189d6fda1236cc0daa89d11934c5f90519c31d3c8e0559efbaf51ad9482\"}\n  ],\n"),
        std::string::npos);
}

TEST(SelectionBatch, BadDesignsAndArguments) {
    const std::string bad = (kData / "bad.design").string();
    Outcome o = Zirtel({"--select", bad});
    EXPECT_EQ(o.Status, 2);
    EXPECT_EQ(o.Err, "zirtel: " + bad + ": line 3: unknown field 'FOO'\n");
    o = Zirtel({"--select", (kData / "no_such.design").string()});
    EXPECT_EQ(o.Status, 1);
    o = Zirtel({"--select", bad, "-n", "3"});
    EXPECT_EQ(o.Status, 2);
    EXPECT_EQ(o.Err.rfind("zirtel: -n belongs to --match\nUsage: zirtel --select DESIGN", 0), 0u);
    o = Zirtel({"--select", bad, "--select=" + bad});
    EXPECT_EQ(o.Status, 2);
    EXPECT_EQ(o.Err.rfind("zirtel: option --select is given twice\nUsage: ", 0), 0u);
    o = test::RunEntry(RunBatch, "zirtel", {"--select", bad, "--long"});
    EXPECT_EQ(o.Status, 2);
    EXPECT_EQ(o.Err.rfind("zirtel: option --long needs a value\nUsage: ", 0), 0u);
    o = Zirtel({"--match", (kData / "match_items.txt").string()});
    EXPECT_EQ(o.Status, 2);
    EXPECT_EQ(o.Err.rfind("zirtel: --match needs --design DESIGN\n", 0), 0u);
}

} // namespace
} // namespace zirtel

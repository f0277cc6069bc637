// Results for statistics programs: --missing, --plain, --settings and --neighbours-tidy, and the
// program zirtel-batch, on the hand-made lexicon of tests/data/batch_results:
//   mesa 10 (mE-sA), masa 20 (mA-sA), mes 5 (mEs), mesak 4 (mE-sAk), lesa 2.5 (lE-sA);
//   lemmas: mesa 7, masa 30. Items: mesa, zzzz (not a word: no syllabification, "-1").
// mesa's neighbours, in spelling and in sound alike: lesa (substitution at 1), masa
// (substitution at 2), mes (deletion of the 4th), mesak (addition at 5); N counts the two
// substitutions, PN all four.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "support/run_program.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

namespace fs = std::filesystem;

const fs::path kDir = test::TestData("batch_results");
const std::string kItems = (kDir / "items.txt").string();

using test::Outcome;

Outcome Batch(const std::vector<std::string>& args, bool batchProgram = false) {
    return batchProgram ? test::RunEntry(RunBatchProgram, "zirtel-batch", args)
                        : test::RunEntry(RunBatch, "zirtel", args);
}

// A TSV read back as a reader of tab-separated files does: rows split at LF, cells at tabs.
std::vector<std::vector<std::string>> ReadTsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            cells.push_back(line.substr(start, tab - start));
        cells.push_back(line.substr(start));
        rows.push_back(cells);
    }
    return rows;
}

const std::vector<std::string> kFields = {"--fields", "H_MAIZT,ORT_SILAB,N,PN"};

TEST(BatchResults, MissingTextAndPlainTable) {
    std::vector<std::string> args = {"--batch", kItems, "--data-dir", kDir.string()};
    args.insert(args.end(), kFields.begin(), kFields.end());
    const Outcome marks = Batch(args);
    ASSERT_EQ(marks.Status, 0) << marks.Err;
    EXPECT_EQ(marks.Out, "Sarrera \t  H_MAIZT \tORT_SILAB\t   N   \t   PN   \t\r\n"
                         "mesa\t  10.00\tme-sa\t   2\t   4\t\r\n"
                         "zzzz\t   0.00\t-1\t   0\t\t\r\n"
                         "\t\t\t\t\t\r\n");

    // --missing alone changes the missing values and nothing else: the mark "-1" and the empty
    // PN of zzzz, which has no pronunciation.
    args.insert(args.end(), {"--missing", "NA"});
    Outcome o = Batch(args);
    EXPECT_EQ(o.Out,
              std::regex_replace(marks.Out, std::regex("\t-1\t   0\t\t"), "\tNA\t   0\tNA\t"));

    args.push_back("--plain");
    o = Batch(args);
    ASSERT_EQ(o.Status, 0);
    EXPECT_EQ(o.Out, "Sarrera\tH_MAIZT\tORT_SILAB\tN\tPN\n"
                     "mesa\t10.00\tme-sa\t2\t4\n"
                     "zzzz\t0.00\tNA\t0\tNA\n");
    // Read back: a rectangle whose numeric columns hold only numbers (or nothing).
    const auto rows = ReadTsv(o.Out);
    ASSERT_EQ(rows.size(), 3u);
    for (const auto& row : rows) EXPECT_EQ(row.size(), 5u);
    EXPECT_EQ(std::stod(rows[1][1]), 10.0);
    EXPECT_EQ(std::stoi(rows[2][3]), 0);
    EXPECT_EQ(rows[2][2], "NA");

    // Plain without --missing keeps the mark, trimmed.
    o = Batch({"--batch", kItems, "--data-dir", kDir.string(), "--fields", "ORT_SILAB", "--plain"});
    EXPECT_EQ(o.Out, "Sarrera\tORT_SILAB\nmesa\tme-sa\nzzzz\t-1\n");
}

TEST(BatchResults, TidyNeighbourTable) {
    test::TempDir dir;
    const fs::path tidy = dir / "neighbours.tsv";
    std::vector<std::string> args = {"--batch",
                                     kItems,
                                     "--data-dir",
                                     kDir.string(),
                                     "--include-deletions",
                                     "--include-additions",
                                     "--neighbours-tidy",
                                     tidy.string()};
    args.insert(args.end(), kFields.begin(), kFields.end());
    const Outcome o = Batch(args);
    ASSERT_EQ(o.Status, 0) << o.Err;
    EXPECT_EQ(test::ReadBytes(tidy), "item\tneighbour\tlist\tkind\tposition\tfrequency\n"
                                     "mesa\tlesa\torthographic\tsubstitution\t1\t2.50\n"
                                     "mesa\tmasa\torthographic\tsubstitution\t2\t20.00\n"
                                     "mesa\tmes\torthographic\tdeletion\t4\t5.00\n"
                                     "mesa\tmesak\torthographic\taddition\t5\t4.00\n"
                                     "mesa\tlesa\tphonological\tsubstitution\t1\t2.50\n"
                                     "mesa\tmasa\tphonological\tsubstitution\t2\t20.00\n"
                                     "mesa\tmes\tphonological\tdeletion\t4\t5.00\n"
                                     "mesa\tmesak\tphonological\taddition\t5\t4.00\n");

    // Against the lemmas (masa 30, mesa 7) the only orthographic neighbour is the lemma masa;
    // the sounds belong to the whole-word lexicon.
    args.push_back("--lemmas");
    ASSERT_EQ(Batch(args).Status, 0);
    const auto rows = ReadTsv(test::ReadBytes(tidy));
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[1], (std::vector<std::string>{"mesa", "masa", "orthographic", "substitution",
                                                 "2", "30.00"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"mesa", "lesa", "phonological", "substitution",
                                                 "1", "2.50"}));
    // A list that cannot be written: status 1 and a message naming the file and the reason.
    args[7] = (dir / "no" / "such.tsv").string();
    const Outcome bad = Batch(args);
    EXPECT_EQ(bad.Status, 1);
    EXPECT_EQ(bad.Err, "zirtel: the neighbour table file '" + args[7] +
                           "' could not be written: No such file or directory\n");
    // A table that no chosen field fills would hold its header only: refused before any work.
    const Outcome empty =
        Batch({"--batch", kItems, "--data-dir", kDir.string(), "--neighbours-tidy", tidy.string()});
    EXPECT_EQ(empty.Status, 2);
    EXPECT_TRUE(empty.Err.starts_with("zirtel: --neighbours-tidy: the neighbour lists are filled "
                                      "only while one of N, N*,"))
        << empty.Err;
}

TEST(BatchResults, SettingsRecordTheRun) {
    test::TempDir dir;
    const fs::path json = dir / "run.json";
    std::vector<std::string> args = {
        "--batch", kItems,      "--data-dir", kDir.string(),         "--lemmas",   "--decimals",
        "3",       "--missing", "NA",         "--include-additions", "--settings", json.string()};
    args.insert(args.end(), kFields.begin(), kFields.end());
    const Outcome o = Batch(args);
    ASSERT_EQ(o.Status, 0) << o.Err;
    const std::string text = test::ReadBytes(json);
    const fs::path data = fs::absolute(kDir).lexically_normal();
    for (const std::string& line : {
             std::string("  \"program\": \"zirtel\",\n"),
             std::string("  \"items\": {\"file\": \"") + (data / "items.txt").string() +
                 "\", \"sha256\": "
                 "\"aba516c856bbf720419e535d963d632032fb45a6a15f0705b06627d2fe4fd326\"},\n",
             std::string("  \"data_files\": [\n    {\"file\": \"") +
                 (data / "nwfreq_EUS.txt").string() +
                 "\", \"sha256\": "
                 "\"1a0d5aa3ed9a86a54c9bfff187c1f149d0088f8e16c1e8ae1b81e9998dad65a4\"},\n"
                 "    {\"file\": \"" +
                 (data / "lemak_EUS2.txt").string() +
                 "\", \"sha256\": "
                 "\"897427bc8c6be198ae6e67c2f2f94f9dc0f2cc8d1e6d7770b24de29f629fcd56\"}\n  ],\n",
             std::string("  \"user_fields\": [],\n"),
             std::string("  \"lexicon\": \"lemma\",\n"),
             std::string("  \"decimals\": 3,\n"),
             std::string("  \"missing\": \"NA\",\n"),
             std::string("  \"plain\": false,\n"),
             std::string("  \"fields\": [\n    \"H_MAIZT\",\n    \"ORT_SILAB\",\n    \"N\",\n"
                         "    \"PN\"\n  ],\n"),
             std::string("    \"IncludeAdditionNsBox\": true,\n"),
             std::string("    \"IncludeDeletionNsBox\": false,\n"),
             std::string("    \"W_FREQ_Box\": true,\n"),
         })
        EXPECT_NE(text.find(line), std::string::npos) << line << "\nin\n" << text;
    // The build's version, the one --version and the about boxes give.
    EXPECT_NE(text.find("\n  \"version\": \"" ZIRTEL_VERSION "\",\n"), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with("\n  }\n}\n"));
}

// zirtel-batch takes the batch arguments without "--batch" and names itself.
TEST(BatchResults, BatchProgramNeedsNoBatchWord) {
    const Outcome o =
        Batch({kItems, "--data-dir", kDir.string(), "--fields", "H_MAIZT", "--plain"}, true);
    EXPECT_EQ(o.Status, 0) << o.Err;
    EXPECT_EQ(o.Out, "Sarrera\tH_MAIZT\nmesa\t10.00\nzzzz\t0.00\n");

    const Outcome v = Batch({"--version"}, true);
    EXPECT_EQ(v.Out, "zirtel-batch " ZIRTEL_VERSION "\n");
    const Outcome h = Batch({"--help"}, true);
    EXPECT_EQ(h.Out.rfind("Usage: zirtel-batch ITEMS [-o OUT] [--fields LIST] [--lemmas]", 0), 0u);
    // Continuation lines start under ITEMS.
    EXPECT_NE(h.Out.find("\n                    [--user2 FILE]"), std::string::npos) << h.Out;
    EXPECT_NE(h.Out.find("\n       zirtel-batch --help | --version\n\n"), std::string::npos);
    EXPECT_EQ(h.Out.find("opens the main window"), std::string::npos);
    const Outcome none = Batch({}, true);
    EXPECT_EQ(none.Status, 2);
    EXPECT_NE(none.Err.find("Try 'zirtel-batch --help' for more."), std::string::npos);
}

} // namespace
} // namespace zirtel

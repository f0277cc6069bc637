// Batch runs that used to lose data or report success for nothing: unusable lexicons, lists that
// no field fills, mistyped command lines, standard output as a file, one file named twice.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "support/run_program.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

const fs::path kData = test::TestData("results_output");
const std::string kItems = (kData / "items.txt").string();
const std::string kResults = "Sarrera \t  H_MAIZT \t\r\n"
                             "etxe\t 120.50\t\r\n"
                             "mendi\t  42.25\t\r\n"
                             "\xC3\xB1"
                             "abar\t   3.00\t\r\n"
                             "a\t\t\r\n"
                             "abcdefghijklmnopqrs\t\t\r\n"
                             "etxea\t  80.00\t\r\n"
                             "\t\t\r\n";

using test::Outcome;

Outcome Batch(const std::vector<std::string>& args) {
    return test::RunEntry(RunBatch, "zirtel", args);
}

// The window program where it is built (its start-up is under test), else the batch program.
#ifdef ZIRTEL_WINDOW_PROGRAM
constexpr const char* kProgram = ZIRTEL_WINDOW_PROGRAM;
#else
constexpr const char* kProgram = ZIRTEL_PROGRAM;
#endif

// Runs the program with no display; with `appendTo`, its standard output is appended there.
Outcome Program(const std::vector<std::string>& args, const test::TempDir& dir,
                std::optional<fs::path> appendTo = std::nullopt) {
    test::ChildOptions options;
    options.Scratch = dir.Path();
    options.AppendOutputTo = std::move(appendTo);
    return test::RunChild(kProgram, args, std::move(options));
}

TEST(BatchHardening, AnUnusableLexiconEndsTheRunWithOne) {
    test::TempDir dir;
    const fs::path out = dir / "out.txt";
    auto run = [&](const fs::path& dataDir, std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {"--batch",        kItems, "--data-dir",
                                         dataDir.string(), "-o",   out.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        return Batch(args);
    };
    const std::string cannotOpen =
        "Fitxategi-errorea: Ezin da ireki hitz-maiztasunaren fitxategia\n";
    fs::create_directories(dir / "missing");
    Outcome o = run(dir / "missing");
    EXPECT_EQ(o.Status, 1);
    EXPECT_EQ(o.Err, cannotOpen + "zirtel: the lexicon file '" +
                         (dir / "missing" / "nwfreq_EUS.txt").string() +
                         "' cannot be used: it does not exist\n");
    fs::create_directories(dir / "folder" / "nwfreq_EUS.txt");
    o = run(dir / "folder");
    EXPECT_EQ(o.Status, 1);
    EXPECT_TRUE(o.Err.ends_with("nwfreq_EUS.txt' cannot be used: it is a folder\n")) << o.Err;
    fs::create_directories(dir / "empty");
    WriteBytes(dir / "empty" / "nwfreq_EUS.txt", "");
    o = run(dir / "empty");
    EXPECT_EQ(o.Status, 1);
    EXPECT_TRUE(o.Err.ends_with("nwfreq_EUS.txt' cannot be used: it holds no readable entry\n"));
    fs::create_directories(dir / "binary");
    WriteBytes(dir / "binary" / "nwfreq_EUS.txt", std::string("\x7F"
                                                              "ELF\x02\x01\n\x03\x04",
                                                              9));
    o = run(dir / "binary");
    EXPECT_EQ(o.Status, 1);
    EXPECT_TRUE(o.Err.ends_with("nwfreq_EUS.txt' cannot be used: line 1 holds a control "
                                "character\n"))
        << o.Err;
    // The lemma file with --lemmas.
    fs::create_directories(dir / "nolemmas");
    fs::copy_file(kData / "nwfreq_EUS.txt", dir / "nolemmas" / "nwfreq_EUS.txt");
    o = run(dir / "nolemmas", {"--lemmas"});
    EXPECT_EQ(o.Status, 1);
    EXPECT_EQ(o.Err, "Fitxategi-errorea: Ezin da ireki lema-maiztasunaren fitxategia\n"
                     "zirtel: the lexicon file '" +
                         (dir / "nolemmas" / "lemak_EUS2.txt").string() +
                         "' cannot be used: it does not exist\n");
    EXPECT_FALSE(fs::exists(out));
    // A missing bigram table is still a warning per item only.
    o = run(dir / "nolemmas", {"--fields", "H_MAIZT,1_BM"});
    EXPECT_EQ(o.Status, 0);
}

TEST(BatchHardening, AListThatNoChosenFieldFillsIsABadArgument) {
    test::TempDir dir;
    const std::string list = (dir / "n.txt").string();
    Outcome o = Batch({"--batch", kItems, "--data-dir", kData.string(), "--neighbours", list});
    EXPECT_EQ(o.Status, 2);
    EXPECT_EQ(o.Err,
              "zirtel: --neighbours: the orthographic neighbour list is filled only while one of "
              "N, N*, N1, N2, N3, N4, N5, P, HFN, HFP, LFN, NF_MAX, NF_MIN, NF_MU, NF_SIG, AZPIM, "
              "AZPIM_MAIZT, NAZPIM, GAIN, GAIN_MAIZT, NGAIN, CC_ORT is in --fields (or with "
              "--include-deletions or --include-additions)\n");
    o = Batch({"--batch", kItems, "--data-dir", kData.string(), "--fields", "N",
               "--no-neighbour-list", "--neighbours", list});
    EXPECT_EQ(o.Status, 2);
    o = Batch({"--batch", kItems, "--data-dir", kData.string(), "--fields", "N,H_MAIZT",
               "--phon-neighbours", list});
    EXPECT_EQ(o.Status, 2);
    EXPECT_EQ(o.Err, "zirtel: --phon-neighbours: the phonological neighbour list is filled only "
                     "while one of PN, PN1, PN2, PN3, PN4, PP, HFPN, LFPN, PNF_MAX, PNF_MIN, "
                     "PNF_MU, PNF_SIG, CC_FON is in --fields\n");
    EXPECT_FALSE(fs::exists(list));
    // With a field of each list both are saved.
    o = Batch({"--batch", kItems, "--data-dir", kData.string(), "--fields", "N,PN", "--neighbours",
               list, "--phon-neighbours", (dir / "p.txt").string(), "-o", "-"});
    EXPECT_EQ(o.Status, 0);
    EXPECT_TRUE(fs::exists(list));
    EXPECT_EQ(o.Out.substr(0, o.Out.find('\n')), "Sarrera \t   N   \t   PN   \t\r");
}

TEST(BatchHardening, EveryOtherArgumentListIsABatchCall) {
#ifndef ZIRTEL_WINDOW_PROGRAM
    GTEST_SKIP() << "the window program is not built";
#endif
    test::TempDir dir;
    Outcome o = Program({"-h"}, dir);
    EXPECT_EQ(o.Status, 0);
    EXPECT_TRUE(o.Out.starts_with("Usage: zirtel --batch ITEMS")) << o.Out;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--bacth", kItems}, {"-o", "x"}, {"--help=x"}, {"a", "b"}}) {
        o = Program(args, dir);
        EXPECT_EQ(o.Status, 2) << args[0];
        EXPECT_TRUE(o.Err.starts_with("zirtel: ")) << args[0] << ": " << o.Err;
    }
    // The window without a display: one line, status 1.
    o = Program({kItems}, dir);
    EXPECT_EQ(o.Status, 1);
    EXPECT_EQ(o.Err, "zirtel: no window can be opened: no display could be reached (is DISPLAY "
                     "or WAYLAND_DISPLAY set?); 'zirtel --batch ITEMS' runs without one.\n");
}

TEST(BatchHardening, StandardOutputIsWrittenInPlace) {
    test::TempDir dir;
    const fs::path log = dir / "log.txt";
    WriteBytes(log, "earlier\n");
    const std::vector<std::string> base = {"--batch", kItems, "--data-dir", kData.string(), "-o"};
    auto with = [&](const std::string& out) {
        std::vector<std::string> args = base;
        args.push_back(out);
        return args;
    };
    Outcome o = Program(with("/dev/stdout"), dir, log);
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(ReadBytes(log), "earlier\n" + kResults);
    o = Program(with("/proc/self/fd/1"), dir, log);
    EXPECT_EQ(ReadBytes(log), "earlier\n" + kResults + kResults);
    o = Program(with("-"), dir);
    EXPECT_EQ(o.Out, kResults);
    EXPECT_FALSE(fs::exists("-"));
}

TEST(BatchHardening, OneFileNamedTwiceIsRefusedBeforeAnyWork) {
    test::TempDir dir;
    const fs::path items = dir / "items.txt", out = dir / "out.txt";
    fs::copy_file(kItems, items);
    WriteBytes(out, "old results");
    fs::create_symlink("out.txt", dir / "link.txt");
    fs::create_hard_link(items, dir / "hard.txt");
    struct Case {
        std::vector<std::string> Args;
        std::string Err;
    };
    const std::vector<Case> cases = {
        {{"-o", items.string()},
         "the items file and -o name the same file '" + items.string() + "'"},
        {{"-o", out.string(), "--fields", "N", "--neighbours", (dir / "link.txt").string()},
         "-o and --neighbours name the same file '" + (dir / "link.txt").string() + "'"},
        {{"--user1", (dir / "hard.txt").string(), "--fields", "PN", "--phon-neighbours",
          (dir / "sub" / ".." / "items.txt").string()},
         "the items file and --phon-neighbours name the same file '" +
             (dir / "sub" / ".." / "items.txt").string() + "'"},
        {{"-o", (kData / "nwfreq_EUS.txt").string()},
         "the lexicon and -o name the same file '" + (kData / "nwfreq_EUS.txt").string() + "'"},
    };
    fs::create_directory(dir / "sub");
    for (const Case& c : cases) {
        std::vector<std::string> args = {"--batch", items.string(), "--data-dir", kData.string()};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        const Outcome o = Batch(args);
        EXPECT_EQ(o.Status, 2) << c.Err;
        EXPECT_EQ(o.Err, "zirtel: " + c.Err + "\n");
    }
    EXPECT_EQ(ReadBytes(items), ReadBytes(kItems));
    EXPECT_EQ(ReadBytes(out), "old results");
    // Devices may be named twice.
    const Outcome o = Batch({"--batch", items.string(), "--data-dir", kData.string(), "-o",
                             "/dev/null", "--fields", "N", "--neighbours", "/dev/null"});
    EXPECT_EQ(o.Status, 0);
}

} // namespace
} // namespace zirtel

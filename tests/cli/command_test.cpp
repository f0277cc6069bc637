// What every batch mode shares by the command framework: no output over an input, no success for
// nothing, one option rule, help and settings that name the program as it was run, long output
// names. The data: the selector's 60-word lexicon (tests/data/selection/engine) and the
// generator's (tests/data/generator).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "support/run_program.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

namespace fs = std::filesystem;
using test::Outcome;
using test::ReadBytes;
using test::WriteBytes;

const fs::path kSelection = test::TestData("selection/engine");
const fs::path kGenerator = test::TestData("generator");

Outcome Zirtel(const std::vector<std::string>& args) {
    return test::RunEntry(RunBatch, "zirtel", args);
}

// The files the cases read: a select design with a pool file, a match design, items, templates
// and an exclude list.
struct Inputs {
    test::TempDir Dir;
    fs::path Design = Dir / "d.txt", Pool = Dir / "p.txt", Items = Dir / "mi.txt",
             MatchDesign = Dir / "m.txt", Templates = Dir / "tp.txt", Exclude = Dir / "ex.txt";
    Inputs() {
        WriteBytes(Pool, "abar\nahal\nakats\netxe\nmendi\n");
        WriteBytes(Design, "pool items p.txt\nsplit LUZ_L 4-4 5-5\ngenerate 1 seed 1\n");
        WriteBytes(Items, "gose\netxe\n");
        WriteBytes(MatchDesign, "pool items p.txt\ncontrol LUZ_L\n");
        WriteBytes(Templates, "gela\n");
        WriteBytes(Exclude, "gala\n");
    }
    std::vector<std::string> Contents() const {
        std::vector<std::string> all;
        for (const fs::path& p : {Design, Pool, Items, MatchDesign, Templates, Exclude})
            all.push_back(ReadBytes(p));
        return all;
    }
};

TEST(Command, NoOutputMayNameAnInputOrAnotherOutputInAnyMode) {
    Inputs in;
    const std::vector<std::string> before = in.Contents();
    const std::string sel = kSelection.string(), gen = kGenerator.string();
    const std::string d = in.Design.string(), p = in.Pool.string(), mi = in.Items.string(),
                      m = in.MatchDesign.string(), tp = in.Templates.string(),
                      ex = in.Exclude.string(), x = (in.Dir / "x.tsv").string();
    fs::create_symlink("d.txt", in.Dir / "link.txt");
    struct Case {
        std::vector<std::string> Args;
        std::string Err;
    };
    const std::vector<Case> cases = {
        {{"--select", d, "-o", d, "--data-dir", sel},
         "the design file and -o name the same file '" + d + "'"},
        {{"--select", d, "-o", (in.Dir / "link.txt").string(), "--data-dir", sel},
         "the design file and -o name the same file '" + (in.Dir / "link.txt").string() + "'"},
        {{"--select", d, "-o", p, "--data-dir", sel},
         "the design's pool file and -o name the same file '" + p + "'"},
        {{"--select", d, "-o", x, "--long", x, "--data-dir", sel},
         "-o and --long name the same file '" + x + "'"},
        {{"--select", d, "--long", x, "--report", x, "--data-dir", sel},
         "--long and --report name the same file '" + x + "'"},
        {{"--match", mi, "--design", m, "-o", mi, "--data-dir", sel},
         "the items file and -o name the same file '" + mi + "'"},
        {{"--match", mi, "--design", m, "--settings", m, "--data-dir", sel},
         "the design file and --settings name the same file '" + m + "'"},
        {{"--generate", tp, "-o", tp, "--data-dir", gen},
         "the templates file and -o name the same file '" + tp + "'"},
        {{"--generate", tp, "--settings", tp, "--data-dir", gen},
         "the templates file and --settings name the same file '" + tp + "'"},
        {{"--generate", tp, "--exclude", ex, "-o", ex, "--data-dir", gen},
         "--exclude and -o name the same file '" + ex + "'"},
        {{"--generate", tp, "-o", (kGenerator / "nwfreq_EUS.txt").string(), "--data-dir", gen},
         "the lexicon and -o name the same file '" + (kGenerator / "nwfreq_EUS.txt").string() +
             "'"},
    };
    for (const Case& c : cases) {
        const Outcome o = Zirtel(c.Args);
        EXPECT_EQ(o.Status, 2) << c.Err;
        EXPECT_EQ(o.Err, "zirtel: " + c.Err + "\n");
    }
    EXPECT_EQ(in.Contents(), before);
    EXPECT_FALSE(fs::exists(x));
}

TEST(Command, NoLexiconIsAFailureAndNothingProducedIsNoSuccess) {
    Inputs in;
    const fs::path out = in.Dir / "out.tsv";
    WriteBytes(out, "earlier");
    fs::create_directory(in.Dir / "empty");
    const std::string none = (in.Dir / "empty").string();
    const std::string lexicon = (in.Dir / "empty" / "nwfreq_EUS.txt").string();
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--select", in.Design.string()},
             {"--match", in.Items.string(), "--design", in.MatchDesign.string()},
             {"--generate", in.Templates.string()}}) {
        std::vector<std::string> all = args;
        all.insert(all.end(), {"--data-dir", none, "-o", out.string()});
        const Outcome o = Zirtel(all);
        EXPECT_EQ(o.Status, 1) << args[0];
        EXPECT_EQ(o.Err, "Fitxategi-errorea: Ezin da ireki hitz-maiztasunaren fitxategia\n"
                         "zirtel: the lexicon file '" +
                             lexicon + "' cannot be used: it does not exist\n")
            << args[0];
    }
    // Whole outputs that would be empty: status 3, the earlier output kept.
    WriteBytes(in.MatchDesign, "pool items p.txt\ncontrol LUZ_L 10 20\n");
    WriteBytes(in.Dir / "e.txt", "e\n");
    WriteBytes(in.Dir / "blank.txt", "\n\n  \n");
    struct Case {
        std::vector<std::string> Args;
        std::string Last;
    };
    const std::vector<Case> cases = {
        {{"--match", in.Items.string(), "--design", in.MatchDesign.string(), "--data-dir",
          kSelection.string()},
         "zirtel: nothing produced: no item has a match; no file written\n"},
        {{"--generate", (in.Dir / "e.txt").string(), "--data-dir", kGenerator.string()},
         "zirtel: nothing produced: no pseudoword was made; no file written\n"},
        {{"--batch", (in.Dir / "blank.txt").string(), "--data-dir", kSelection.string()},
         "zirtel: nothing produced: the items file holds no item; no file written\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> all = c.Args;
        all.insert(all.end(), {"-o", out.string(), "--settings", (in.Dir / "s.json").string()});
        const Outcome o = Zirtel(all);
        EXPECT_EQ(o.Status, 3) << c.Args[0];
        EXPECT_TRUE(o.Err.ends_with(c.Last)) << o.Err;
    }
    EXPECT_EQ(ReadBytes(out), "earlier");
    EXPECT_FALSE(fs::exists(in.Dir / "s.json"));
}

TEST(Command, OneOptionRuleAndOneNumberReadingForEveryMode) {
    Inputs in;
    const std::string items = (kSelection / "match_items.txt").string();
    const std::string design = (kSelection / "match.design").string();
    struct Case {
        std::vector<std::string> Args;
        std::string FirstLine;
    };
    const std::vector<Case> cases = {
        {{"--batch", items, "-o", "a", "-o", "b"}, "zirtel: option -o is given twice"},
        {{"--batch", items, "--plain", "--plain"}, "zirtel: option --plain is given twice"},
        {{"--batch", items, "--output=a", "-o", "b"}, "zirtel: option -o is given twice"},
        {{"--match", items, "--design", design, "-n", "1", "-n", "2"},
         "zirtel: option -n is given twice"},
        {{"--match", items, "--design", design, "-n", "+5"},
         "zirtel: -n must be a whole number from 1 to 2147483647, not '+5'"},
        {{"--batch", items, "--decimals", "5"},
         "zirtel: --decimals must be a whole number from 0 to 4, not '5'"},
        {{"--batch", items, "--missing", "N\tA"},
         "zirtel: --missing: the text must not hold a tab or a line end"},
        {{"--select", "d", "--generate", "t"},
         "zirtel: --select and --generate cannot be used together"},
        {{"--match", items}, "zirtel: --match needs --design DESIGN"},
    };
    for (const Case& c : cases) {
        const Outcome o = Zirtel(c.Args);
        EXPECT_EQ(o.Status, 2) << c.FirstLine;
        EXPECT_EQ(o.Err.substr(0, o.Err.find('\n')), c.FirstLine);
    }
    // Leading zeros read the same in every mode.
    const Outcome matched = Zirtel(
        {"--match", items, "--design", design, "-n", "01", "--data-dir", kSelection.string()});
    EXPECT_EQ(matched.Status, 0);
    EXPECT_EQ(matched.Out, "item\trank\tmatch\tdistance\tUSER1\tLUZ_L\r\n"
                           "gose\t1\tegur\t0.8165\t160.00\t4\r\n"
                           "etxe\t1\tahal\t0.8165\t120.00\t4\r\n");
    const Outcome generated = Zirtel({"--generate", in.Templates.string(), "-n", "002", "--seed",
                                      "042", "--data-dir", kGenerator.string()});
    EXPECT_EQ(generated.Status, 0);
    EXPECT_EQ(generated.Out, Zirtel({"--generate", in.Templates.string(), "-n", "2", "--seed", "42",
                                     "--data-dir", kGenerator.string()})
                                 .Out);
    // Every mode has its help, which names the program as it was run.
    for (const std::string mode : {"--select", "--match", "--generate"}) {
        const Outcome help = test::RunEntry(RunBatchProgram, "zirtel-batch", {mode, "--help"});
        EXPECT_EQ(help.Status, 0) << mode;
        EXPECT_TRUE(help.Out.starts_with("Usage: zirtel-batch " + mode + " ")) << help.Out;
        EXPECT_NE(help.Out.find("3 "), std::string::npos) << mode; // the exit statuses
    }
    const Outcome wrong = test::RunEntry(RunBatchProgram, "zirtel-batch", {"--select", "d", "-x"});
    EXPECT_EQ(wrong.Err.substr(0, wrong.Err.find('\n')), "zirtel-batch: unknown option '-x'");
    EXPECT_TRUE(wrong.Err.ends_with("Try 'zirtel-batch --select --help' for more.\n"));
}

// Settings of a run whose paths are not UTF-8 stay valid UTF-8: each such byte as \udcXX.
TEST(Command, SettingsNameTheProgramAndEscapeBytesThatAreNotUtf8) {
    test::TempDir dir;
    const fs::path odd = dir / "x\xFFy";
    fs::create_directory(odd);
    WriteBytes(odd / "tp.txt", "gela\n");
    const fs::path json = odd / "run.json";
    const Outcome o =
        test::RunEntry(RunBatchProgram, "zirtel-batch",
                       {"--generate", (odd / "tp.txt").string(), "-n", "1", "--seed", "3",
                        "--data-dir", kGenerator.string(), "--settings", json.string()});
    ASSERT_EQ(o.Status, 0) << o.Err;
    const std::string text = ReadBytes(json);
    EXPECT_EQ(text.find('\xFF'), std::string::npos);
    EXPECT_TRUE(text.starts_with("{\n  \"program\": \"zirtel-batch\",\n")) << text;
    const std::string escaped = (dir.Path().string() + "/x\\udcffy/tp.txt");
    EXPECT_NE(text.find("  \"templates\": \"" + escaped + "\",\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    \"" + escaped + "\",\n"), std::string::npos) << text; // arguments
    EXPECT_NE(text.find("  \"command\": \"generate\",\n"), std::string::npos);
    EXPECT_NE(text.find("  \"seed\": 3,\n  \"n\": 1,\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("  \"pseudowords\": 1\n}\n")) << text;
}

// A name of 250 bytes is saved (its temporary name is shortened); one beyond the folder's limit
// is refused before any work.
TEST(Command, LongOutputNamesAndUnwritableOutputsFirst) {
    test::TempDir dir;
    const std::string items = (kSelection / "match_items.txt").string();
    const fs::path longName = dir / (std::string(246, 'a') + ".tsv");
    Outcome o =
        Zirtel({"--batch", items, "--data-dir", kSelection.string(), "-o", longName.string()});
    EXPECT_EQ(o.Status, 0) << o.Err;
    EXPECT_EQ(ReadBytes(longName).rfind("Sarrera \t  H_MAIZT \t\r\ngose\t", 0), 0u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
    const fs::path tooLong = dir / (std::string(256, 'b'));
    o = Zirtel({"--generate", (kGenerator / "templates.txt").string(), "--data-dir",
                kGenerator.string(), "--settings", tooLong.string()});
    EXPECT_EQ(o.Status, 1);
    EXPECT_EQ(o.Err, "zirtel: the settings file '" + tooLong.string() +
                         "' could not be written: File name too long\n");
}

} // namespace
} // namespace zirtel

#include "cli/batch.h"

#include "core/analysis/field_catalogue.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(ZIRTEL_TEST_DATA) / "results_output";
const std::string kItems = (kData / "items.txt").string();

// items.txt against the hand-made lexicon: etxe 120.5, mendi 42.25, ñabar 3, etxea 80; "3zzz" is
// skipped, "a" is too short to analyse (silently), the 19-letter item gives the length message.
const std::string kDefaultResults = "Sarrera \t  H_MAIZT \t\r\n"
                                    "etxe\t 120.50\t\r\n"
                                    "mendi\t  42.25\t\r\n"
                                    "\xC3\xB1"
                                    "abar\t   3.00\t\r\n"
                                    "a\t\t\r\n"
                                    "abcdefghijklmnopqrs\t\t\r\n"
                                    "etxea\t  80.00\t\r\n"
                                    "\t\t\r\n";
// The items left out and the item too long to measure are each told once.
const std::string kLengthMessage =
    "Abisua: 1 lerro saltatu dira, ez baitira letra batez hasten: 3zzz (4. lerroa)\n"
    "Errorea: Item length must not exceed 18 letters: \"abcdefghijklmnopqrs\" (line 7)\n";

std::string ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct TempDir {
    TempDir() {
        static int counter = 0;
        Path = fs::temp_directory_path() /
               ("zirtel_batch_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        fs::remove_all(Path);
        fs::create_directories(Path);
    }
    ~TempDir() { fs::remove_all(Path); }
    fs::path Path;
};

using test::Outcome;

// Runs the batch entry point in this process.
Outcome Batch(const std::vector<std::string>& args) {
    return test::RunEntry(RunBatch, "zirtel", args);
}

// Runs a program with no display at all: no DISPLAY, no WAYLAND_DISPLAY, no QT_QPA_PLATFORM. Qt
// is asked to report every plugin it loads, so loading the platform plugin would show on
// standard error.
Outcome Program(const std::string& program, const std::vector<std::string>& args,
                const TempDir& dir) {
    test::ChildOptions options;
    options.Scratch = dir.Path;
    options.Environment = {"QT_DEBUG_PLUGINS=1"};
    return test::RunChild(program, args, std::move(options));
}

TEST(Batch, WritesTheSavedResultsToStandardOutput) {
    const Outcome o = Batch({"--batch", kItems, "--data-dir", kData.string()});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Out, kDefaultResults);
    EXPECT_EQ(o.Err, kLengthMessage);
}

// OLD20 and PLD20 over the 30 words of tests/data/levenshtein (lagun: 8 words at distance 1, 9 at
// 2, then 3s: 35 / 20; its pronunciation lA-gUn gives the same; Laguna, no word: 36 / 20), and
// ZIPF = log10(frequency) + 3 (lagun 680.94, lagún 2.5; lemma lagun 2100.55). In lemma mode the
// neighbourhoods still come from the word forms.
TEST(Batch, LevenshteinNeighbourhoodAndZipf) {
    const fs::path data = fs::path(ZIRTEL_TEST_DATA) / "levenshtein";
    const std::string items = (data / "items.txt").string();
    Outcome o =
        Batch({"--batch", items, "--data-dir", data.string(), "--fields", "zipf,PLD20,old20"});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Out, "Sarrera \t OLD20 \t PLD20 \t ZIPF \t\r\n"
                     "lagun\t   1.75\t   1.75\t   5.83\t\r\n"
                     "lagun\t   1.75\t   1.75\t   5.83\t\r\n"
                     "lag\xC3\xBAn\t   1.75\t   1.75\t   3.40\t\r\n"
                     "laguna\t   1.80\t   -  \t   -  \t\r\n"
                     "\t\t\t\t\r\n");
    o = Batch({"--batch", items, "--data-dir", data.string(), "--fields", "OLD20,PLD20,ZIPF",
               "--lemmas", "--decimals", "3"});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Out, "Sarrera \t OLD20 \t PLD20 \t ZIPF \t\r\n"
                     "lagun\t  1.750\t  1.750\t  6.322\t\r\n"
                     "lagun\t  1.750\t  1.750\t  6.322\t\r\n"
                     "lag\xC3\xBAn\t  1.750\t  1.750\t   -  \t\r\n"
                     "laguna\t  1.800\t   -  \t   -  \t\r\n"
                     "\t\t\t\t\r\n");
}

// PLD20 of a nonword by the rules: laguna lA-gU-nA (Laguna lower-cased first). Distance 1:
// lA-gUn twice (lagun, lagún), lA-gU-nAk, lA-gUnt, lA-gI-nA; 2: lagunari, lagunei, lagunek,
// lagunen, lagunik, laguntza, lagundu, lagin, lagan, lagu, ladun, lakun, bagun, alagun; then 3
// (lagabe, lapur, zagin): (5 + 28 + 3) / 20. The words keep their own.
TEST(Batch, Pld20OfANonwordPronouncedByTheRules) {
    const fs::path data = fs::path(ZIRTEL_TEST_DATA) / "levenshtein";
    const Outcome o = Batch({"--batch", (data / "items.txt").string(), "--data-dir", data.string(),
                             "--fields", "PLD20", "--rule-pronunciations"});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Out, "Sarrera \t PLD20 \t\r\n"
                     "lagun\t   1.75\t\r\n"
                     "lagun\t   1.75\t\r\n"
                     "lag\xC3\xBAn\t   1.75\t\r\n"
                     "laguna\t   1.80\t\r\n"
                     "\t\t\r\n");
}

// JATORRIA over the generator's lexicon (vela "atzerrikoa", the others "euskara"; gelb in no file),
// by two workers; the settings name the origin file only when the field read it.
TEST(Batch, WordOriginWithItsFileInTheSettings) {
    const fs::path data = fs::absolute(test::TestData("generator")).lexically_normal();
    test::TempDir dir;
    test::WriteBytes(dir / "items.txt", "gela\nvela\ngelb\n");
    const std::string items = (dir / "items.txt").string(), settings = (dir / "s.json").string();
    Outcome o = Batch({"--batch", items, "--data-dir", data.string(), "--fields", "jatorria",
                       "--jobs", "2", "--settings", settings});
    EXPECT_EQ(o.Out, "Sarrera \t JATORRIA \t\r\ngela\teuskara\t\r\nvela\tatzerrikoa\t\r\n"
                     "gelb\t-1\t\r\n\t\t\r\n");
    EXPECT_NE(test::ReadBytes(settings).find((data / "jatorria_EUS.txt").string()),
              std::string::npos);
    Batch({"--batch", items, "--data-dir", data.string(), "--settings", settings});
    EXPECT_EQ(test::ReadBytes(settings).find("jatorria_EUS"), std::string::npos);
}

TEST(Batch, FieldsDecimalsAndLemmas) {
    // Catalogue order whatever the order of the list; names in any letter case; 3 decimals.
    Outcome o = Batch({"--batch", kItems, "--data-dir", kData.string(), "--fields",
                       "erREP, luz_l,h_maizt", "--decimals", "3"});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Out, "Sarrera \t  H_MAIZT \t  ERREP \t LUZ_L \t\r\n"
                     "etxe\t120.500\trep\t   4\t\r\n"
                     "mendi\t 42.250\t\t   5\t\r\n"
                     "\xC3\xB1"
                     "abar\t  3.000\trep\t   5\t\r\n"
                     "a\t\t\t\t\r\n"
                     "abcdefghijklmnopqrs\t\t\t\t\r\n"
                     "etxea\t 80.000\trep\t   5\t\r\n"
                     "\t\t\t\t\r\n");

    // The lemma lexicon: etxe 500, mendi 7, the others absent.
    o = Batch({"--batch", kItems, "--data-dir", kData.string(), "--lemmas", "--decimals=1"});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Out, "Sarrera \t  H_MAIZT \t\r\n"
                     "etxe\t  500.0\t\r\n"
                     "mendi\t    7.0\t\r\n"
                     "\xC3\xB1"
                     "abar\t    0.0\t\r\n"
                     "a\t\t\r\n"
                     "abcdefghijklmnopqrs\t\t\r\n"
                     "etxea\t    0.0\t\r\n"
                     "\t\t\r\n");

    // An empty list shows no field: the item column only.
    o = Batch({"--batch", kItems, "--data-dir", kData.string(), "--fields", ""});
    EXPECT_EQ(o.Out, "Sarrera \t\r\netxe\t\r\nmendi\t\r\n\xC3\xB1"
                     "abar\t\r\na\t\r\nabcdefghijklmnopqrs\t\r\netxea\t\r\n\t\r\n");

    // Without the lexicon file there is nothing to measure against: the run stops after the
    // window's message, with no results.
    TempDir empty;
    o = Batch({"--batch", kItems, "--data-dir", empty.Path.string()});
    EXPECT_EQ(o.Status, 1);
    EXPECT_EQ(o.Err, "Fitxategi-errorea: Ezin da ireki hitz-maiztasunaren fitxategia\n"
                     "zirtel: the lexicon file '" +
                         (empty.Path / "nwfreq_EUS.txt").string() +
                         "' cannot be used: it does not exist\n");
    EXPECT_EQ(o.Out, "");
}

TEST(Batch, UserFields) {
    const std::string conc = (kData / "concreteness.txt").string();
    // Field 2 from a file: its name heads the column; a word missing from the file gives 0.
    Outcome o = Batch({"--batch", kItems, "--data-dir", kData.string(), "--user2", conc, "--fields",
                       "H_MAIZT,user2"});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Out, "Sarrera \tConcreteness\t  H_MAIZT \t\r\n"
                     "etxe\t   5.50\t 120.50\t\r\n"
                     "mendi\t   4.25\t  42.25\t\r\n"
                     "\xC3\xB1"
                     "abar\t   0.00\t   3.00\t\r\n"
                     "a\t\t\t\r\n"
                     "abcdefghijklmnopqrs\t\t\t\r\n"
                     "etxea\t   0.00\t  80.00\t\r\n"
                     "\t\t\t\r\n");

    // A loaded field is shown only when it is asked for.
    o = Batch({"--batch", kItems, "--data-dir", kData.string(), "--user1", conc});
    EXPECT_EQ(o.Out, kDefaultResults);

    // "all": every field, but of the user fields only the loaded one.
    o = Batch(
        {"--batch", kItems, "--data-dir", kData.string(), "--user3", conc, "--fields", "ALL"});
    EXPECT_EQ(o.Status, 0);
    const std::string header = o.Out.substr(0, o.Out.find('\n'));
    EXPECT_EQ(header.rfind("Sarrera \tConcreteness\t  H_MAIZT \t LOG10_MAIZT \tAHOSKERA\t", 0), 0u);
    EXPECT_EQ(std::count(header.begin(), header.end(), '\t'), 1 + kFieldCount - 2);
    EXPECT_EQ(header.find("Undefined"), std::string::npos);

    // A user field file that cannot be opened stops the run before any output.
    const std::string missing = (kData / "no_such_field.txt").string();
    o = Batch({"--batch", kItems, "--data-dir", kData.string(), "--user1", missing});
    EXPECT_EQ(o.Status, 1);
    EXPECT_EQ(o.Out, "");
    EXPECT_EQ(o.Err, "zirtel: cannot open the user field file '" + missing + "'\n");
}

TEST(Batch, ArgumentErrorsExitWithTwo) {
    struct Case {
        std::vector<std::string> Args;
        std::string FirstLine;
    };
    const std::vector<Case> cases = {
        {{"--batch"}, "zirtel: no items file given"},
        {{kItems}, "zirtel: --batch is missing"},
        {{"--batch", kItems, "--frobnicate"}, "zirtel: unknown option '--frobnicate'"},
        {{"--batch", kItems, "other.txt"},
         "zirtel: only one items file can be given ('" + kItems + "', 'other.txt')"},
        {{"--batch", kItems, "-o"}, "zirtel: option -o needs a value"},
        {{"--batch", kItems, "--lemmas=yes"}, "zirtel: option --lemmas takes no value"},
        {{"--batch", kItems, "--decimals", "5"},
         "zirtel: --decimals must be a whole number from 0 to 4, not '5'"},
        {{"--batch", kItems, "--decimals", "two"},
         "zirtel: --decimals must be a whole number from 0 to 4, not 'two'"},
        {{"--batch", kItems, "--data-dir", kItems},
         "zirtel: --data-dir: '" + kItems + "' is not a folder"},
    };
    for (const Case& c : cases) {
        const Outcome o = Batch(c.Args);
        EXPECT_EQ(o.Status, 2) << c.FirstLine;
        EXPECT_EQ(o.Out, "") << c.FirstLine;
        EXPECT_EQ(o.Err.substr(0, o.Err.find('\n')), c.FirstLine);
        EXPECT_NE(o.Err.find("Usage: zirtel --batch ITEMS"), std::string::npos);
    }

    // An unknown field is named, with the valid names.
    const Outcome o = Batch({"--batch", kItems, "--fields", "H_MAIZT,foo,N*"});
    EXPECT_EQ(o.Status, 2);
    // The valid names are the mnemonics of the field table, in column order.
    std::string names;
    for (const FieldInfo& f : FieldCatalogue()) names += std::string(f.Mnemonic) + ", ";
    EXPECT_EQ(names.substr(0, 32), "USER1, USER2, USER3, H_MAIZT, LO");
    EXPECT_EQ(o.Err.substr(0, o.Err.find('\n')),
              "zirtel: unknown field 'foo' in --fields; valid names: " + names +
                  "N_STAR (the same as N*), all");

    // Help and version answer on standard output.
    Outcome h = Batch({"--help"});
    EXPECT_EQ(h.Status, 0);
    EXPECT_EQ(h.Out.rfind("Usage: zirtel --batch ITEMS [-o OUT] [--fields LIST]", 0), 0u);
    EXPECT_EQ(h.Err, "");
    h = Batch({"--version"});
    EXPECT_EQ(h.Status, 0);
    EXPECT_TRUE(std::regex_match(h.Out, std::regex("zirtel [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << h.Out;
}

TEST(Batch, FilesThatCannotBeOpenedOrWrittenExitWithOne) {
    TempDir dir;
    // The items file.
    const std::string missing = (dir.Path / "missing.txt").string();
    Outcome o = Batch({"--batch", missing, "--data-dir", kData.string()});
    EXPECT_EQ(o.Status, 1);
    EXPECT_EQ(o.Out, "");
    EXPECT_EQ(o.Err, "File Error: Can't open input file " + missing + "\n");

    // An output whose folder cannot take it: the window's message with the file and the
    // reason, before any work; an earlier output is not replaced.
    const fs::path out = dir.Path / "out.txt";
    test::WriteBytes(out, "earlier");
    o = Batch({"--batch", kItems, "--data-dir", kData.string(), "-o",
               (dir.Path / "no" / "out.txt").string()});
    EXPECT_EQ(o.Status, 1);
    EXPECT_EQ(o.Err, "Fitxategi-errorea: Ezin da gorde irteera-fitxategia: " +
                         (dir.Path / "no" / "out.txt").string() + ": No such file or directory\n");
    for (const auto& [list, message] : std::vector<std::pair<std::string, std::string>>{
             {"--neighbours", "Fitxategi-errorea: Ezin da gorde auzokide-zerrenda: "},
             {"--phon-neighbours", "File Error: Can't save neighbour list: "}}) {
        o = Batch({"--batch", kItems, "--data-dir", kData.string(), "-o", out.string(),
                   "--include-deletions", list, (dir.Path / "no" / "n.txt").string(), "--fields",
                   "H_MAIZT,PNF_SIG"});
        EXPECT_EQ(o.Status, 1);
        EXPECT_EQ(o.Err,
                  message + (dir.Path / "no" / "n.txt").string() + ": No such file or directory\n");
    }
    EXPECT_EQ(ReadBytes(out), "earlier");

    // Standard output that cannot be written.
    std::ostream broken(nullptr);
    std::ostringstream err;
    const char* argv[] = {"zirtel", "--batch", kItems.c_str(), "--data-dir", kData.c_str()};
    EXPECT_EQ(RunBatch(5, argv, broken, err), 1);
    EXPECT_EQ(err.str(),
              kLengthMessage + "zirtel: the results could not be written to standard output\n");
}

TEST(BatchProgram, RunsWithoutADisplayAndFindsItsDataBesideItself) {
    TempDir dir;
    const std::string program = ZIRTEL_PROGRAM;
    Outcome o = Program(program, {"--batch", kItems, "--data-dir", kData.string()}, dir);
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Out, kDefaultResults);
    EXPECT_EQ(o.Err, kLengthMessage); // nothing from Qt: no plugin was loaded

    const fs::path out = dir.Path / "results.txt";
    o = Program(program, {"--batch", kItems, "--data-dir", kData.string(), "-o", out.string()},
                dir);
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Out, "");
    EXPECT_EQ(ReadBytes(out), kDefaultResults);

    o = Program(program, {"--batch", kItems, "--fields", "NOPE"}, dir);
    EXPECT_EQ(o.Status, 2);
    EXPECT_EQ(
        o.Err.rfind("zirtel-batch: unknown field 'NOPE' in --fields; valid names: USER1, ", 0), 0u);

    o = Program(program, {"--batch", (dir.Path / "none.txt").string()}, dir);
    EXPECT_EQ(o.Status, 1);

    // Without --data-dir the lexicon is read from the program's own folder (here a copy of the
    // program beside the hand-made lexicon, run from elsewhere).
    const fs::path copy = dir.Path / "zirtel";
    fs::copy_file(program, copy);
    fs::copy_file(kData / "nwfreq_EUS.txt", dir.Path / "nwfreq_EUS.txt");
    o = Program(copy.string(), {"--batch", kItems}, dir);
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Out, kDefaultResults);
}

} // namespace
} // namespace zirtel

namespace zirtel {
namespace {

// A user field named in --fields without a file for it (none given, no User1.txt in the data
// folder) would be a column headed "Undefined" full of zeros, which the window never shows (its
// box cannot be ticked): a bad argument that says which option is missing.
TEST(Batch, AUserFieldAskedForWithoutItsFileIsABadArgument) {
    Outcome o =
        Batch({"--batch", kItems, "--data-dir", kData.string(), "--fields", "H_MAIZT,user2"});
    EXPECT_EQ(o.Status, 2);
    EXPECT_EQ(o.Out, "");
    EXPECT_EQ(o.Err, "zirtel: USER2 is in --fields but has no file: give --user2 FILE\n");

    // With its file the same list runs.
    o = Batch({"--batch", kItems, "--data-dir", kData.string(), "--fields", "H_MAIZT,user2",
               "--user2", (kData / "concreteness.txt").string()});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Out.substr(0, o.Out.find('\n')), "Sarrera \tConcreteness\t  H_MAIZT \t\r");
}

// --rule-pronunciations: qatu, not in the lexicon, is pronounced by the rules and its HOM is its
// pseudohomophone katu; krt has no vowel. Without the option qatu has no pronunciation. The
// settings file records the option.
TEST(Batch, RulePronunciations) {
    TempDir dir;
    const fs::path items = dir.Path / "items.txt";
    std::ofstream(items) << "qatu\nkatu\nkrt\n";
    const std::string data = (fs::path(ZIRTEL_TEST_DATA) / "rule_pronunciations").string();
    const fs::path settings = dir.Path / "settings.json";
    Outcome o = Batch({"--batch", items.string(), "--data-dir", data, "--fields",
                       "AHOSKERA,HOM,AHOS_ITURRI", "--rule-pronunciations", "--settings",
                       settings.string()});
    EXPECT_EQ(o.Status, 0);
    std::ifstream in(settings);
    const std::string json{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(json.find("\"RulePronBox\": true,\n"), std::string::npos) << json;
    EXPECT_NE(json.find("\"AHOS_ITURRI\"\n  ]"), std::string::npos) << json;
    EXPECT_EQ(o.Out, "Sarrera \tAHOSKERA\t HOM  \t AHOS_ITURRI \t\r\n"
                     "qatu\tkA-tU\tkatu\tarauak\t\r\n"
                     "katu\tkA-tU\t-1\thiztegia\t\r\n"
                     "krt\t-1\t-1\t\t\r\n"
                     "\t\t\t\t\r\n");
    o = Batch(
        {"--batch", items.string(), "--data-dir", data, "--fields", "AHOSKERA,HOM,AHOS_ITURRI"});
    EXPECT_EQ(o.Out.substr(o.Out.find("qatu")), "qatu\t-1\t-1\t\t\r\n"
                                                "katu\tkA-tU\t-1\thiztegia\t\r\n"
                                                "krt\t-1\t-1\t\t\r\n"
                                                "\t\t\t\t\r\n");
}

} // namespace
} // namespace zirtel

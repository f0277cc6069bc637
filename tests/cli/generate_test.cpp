// The batch command --generate on the generator's hand-made lexicon (tests/data/generator).
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/batch_arguments.h"
#include "support/run_program.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

namespace fs = std::filesystem;

const std::string kDir = test::TestData("generator").string();
const std::string kTemplates = test::TestData("generator/templates.txt").string();

using test::Outcome;

Outcome Generate(std::vector<std::string> args) {
    args.insert(args.begin(), "--generate");
    return test::RunEntry(RunBatch, "zirtel", args);
}

// The table without its two OLD20 columns (7 and 8), which the engine's tests check.
std::string WithoutOld20(const std::string& table) {
    std::istringstream in(table);
    std::string line, out;
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            cells.push_back(line.substr(start, tab - start));
        cells.push_back(line.substr(start));
        for (std::size_t c = 0; c < cells.size(); ++c)
            if (c != 6 && c != 7) out += cells[c] + (c + 1 < cells.size() ? "\t" : "\n");
    }
    return out;
}

TEST(Generate, WritesTheTableAndNamesTheTemplatesThatGaveTooFew) {
    const char* argv[] = {"zirtel", "--generate", "t.txt"};
    EXPECT_TRUE(IsBatchInvocation(3, argv));

    // With every word, the same walks as the engine's seeded run: the template is lower-cased as
    // an item.
    Outcome o = Generate({kTemplates, "--data-dir", kDir, "--seed", "42", "--foreign-words"});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(WithoutOld20(o.Out),
              "template\tpseudoword\tsyllables\toverlap\tmax_dev\tsum_dev\tpronunciation\n"
              "gela\tgala\tga-la\t3/4\t1\t1\tgA-lA\n"
              "gela\tmela\tme-la\t3/4\t2\t2\tmE-lA\n"
              "gela\tzela\tze-la\t3/4\t2\t2\tTE-lA\n"
              "gela\tgele\tge-le\t3/4\t2\t3\tgE-lE\n"
              "gela\tgena\tge-na\t3/4\t2\t3\tgE-nA\n"
              "gela\tgeta\tge-ta\t3/4\t0\t0\tgE-tA\n"
              "gela\tgera\tge-ra\t3/4\t4\t5\tgE-rA\n"
              "gela\tgola\tgo-la\t3/4\t5\t5\tgO-lA\n");
    EXPECT_EQ(o.Err, "Abisua: \"gela\": 8 sasihitz aurkitu dira (10 eskatuta): "
                     "bilaketa-espazioa agortu da\n"
                     "Abisua: \"e\": 0 sasihitz aurkitu dira (10 eskatuta): txantiloiak bi "
                     "segmentu ez-huts baino gutxiago ditu: ezin da gainjartzea bete\n"
                     "8 sasihitz, 2 txantiloi; hazia 42\n");

    // By default vela ("atzerrikoa" in the origin file) adds nothing to the pairs: against gela's
    // ^g 3, ge 1, e- 7, -l 2, la 1, a- 5, -$ 23, the same eight in other bands: gala 0 0 (its a-
    // at 7 now matches e-), geta 1 2 (-t 3, ta 2), gena 1 1, zela and mela 2 2 within 2; gele 3 3
    // (e- 8 against a- 5) and gola 4 4 (o- 3) within 4; gera 5 5 (-r 7) within 8.
    o = Generate({kTemplates, "--data-dir", kDir, "--seed", "42"});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(WithoutOld20(o.Out),
              "template\tpseudoword\tsyllables\toverlap\tmax_dev\tsum_dev\tpronunciation\n"
              "gela\tmela\tme-la\t3/4\t2\t2\tmE-lA\n"
              "gela\tzela\tze-la\t3/4\t2\t2\tTE-lA\n"
              "gela\tgala\tga-la\t3/4\t0\t0\tgA-lA\n"
              "gela\tgena\tge-na\t3/4\t1\t1\tgE-nA\n"
              "gela\tgeta\tge-ta\t3/4\t1\t2\tgE-tA\n"
              "gela\tgele\tge-le\t3/4\t3\t3\tgE-lE\n"
              "gela\tgola\tgo-la\t3/4\t4\t4\tgO-lA\n"
              "gela\tgera\tge-ra\t3/4\t5\t5\tgE-rA\n");
    test::TempDir dir;

    // To files; n reached for gela; an exclude file; the settings name the seed and the origin
    // file.
    test::WriteBytes(dir / "no.txt", "geta\nGELE\n");
    o = Generate({kTemplates, "--data-dir", kDir, "--seed=42", "-n", "2", "-o",
                  (dir / "out.tsv").string(), "--exclude", (dir / "no.txt").string(), "--settings",
                  (dir / "run.json").string()});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(o.Out, "");
    const std::string table = WithoutOld20(test::ReadBytes(dir / "out.tsv"));
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 3);
    EXPECT_EQ(table.find("geta"), std::string::npos);
    EXPECT_EQ(table.find("gele"), std::string::npos);
    EXPECT_EQ(o.Err, "Abisua: \"e\": 0 sasihitz aurkitu dira (2 eskatuta): txantiloiak bi "
                     "segmentu ez-huts baino gutxiago ditu: ezin da gainjartzea bete\n"
                     "2 sasihitz, 2 txantiloi; hazia 42\n"
                     "Irteera gordeta\n");
    const std::string settings = test::ReadBytes(dir / "run.json");
    EXPECT_NE(settings.find("\"seed\": 42,"), std::string::npos);
    EXPECT_NE(settings.find("\"n\": 2,"), std::string::npos);
    EXPECT_NE(settings.find("\"overlap\": \"2/3\","), std::string::npos);
    EXPECT_NE(settings.find("\"foreign_words\": false,"), std::string::npos);
    EXPECT_NE(
        settings.find("jatorria_EUS.txt\", \"sha256\": \"24da6189d6fda1236cc0daa89d11934c5f90519c3"
                      "1d3c8e0559efbaf51ad9482\"}\n  ],"),
        std::string::npos);

    // A seed drawn is reported, and giving it back repeats the run.
    o = Generate({kTemplates, "--data-dir", kDir});
    const std::size_t at = o.Err.find("hazia ");
    ASSERT_NE(at, std::string::npos);
    const std::string seed = o.Err.substr(at + 6, o.Err.size() - at - 7);
    EXPECT_EQ(Generate({kTemplates, "--data-dir", kDir, "--seed", seed}).Out, o.Out);
}

// The hand-made dictionary of tests/data/dictionary accepts gal with its suffix -a (gala), mela,
// and Gola, a name, which leaves the lower-case gola a pseudoword: of the eight of the run above
// gala and mela go, and the count says so; the settings name the dictionary. Allowed, the eight
// come back. A dictionary that cannot be opened stops the run before any walk. (The generator's
// data folder holds a dictionary of one word, etxe, which none of these runs makes.)
TEST(Generate, WordsOfTheSpellingDictionaryAreLeftOut) {
    test::TempDir dir;
    const std::string dic = test::TestData("dictionary/eu.dic").string();
    Outcome o = Generate({kTemplates, "--data-dir", kDir, "--seed", "42", "--dictionary", dic,
                          "--settings", (dir / "run.json").string()});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(WithoutOld20(o.Out),
              "template\tpseudoword\tsyllables\toverlap\tmax_dev\tsum_dev\tpronunciation\n"
              "gela\tzela\tze-la\t3/4\t2\t2\tTE-lA\n"
              "gela\tgena\tge-na\t3/4\t1\t1\tgE-nA\n"
              "gela\tgeta\tge-ta\t3/4\t1\t2\tgE-tA\n"
              "gela\tgele\tge-le\t3/4\t3\t3\tgE-lE\n"
              "gela\tgola\tgo-la\t3/4\t4\t4\tgO-lA\n"
              "gela\tgera\tge-ra\t3/4\t5\t5\tgE-rA\n");
    EXPECT_EQ(o.Err, "Abisua: \"gela\": 6 sasihitz aurkitu dira (10 eskatuta): "
                     "bilaketa-espazioa agortu da\n"
                     "Abisua: \"e\": 0 sasihitz aurkitu dira (10 eskatuta): txantiloiak bi "
                     "segmentu ez-huts baino gutxiago ditu: ezin da gainjartzea bete\n"
                     "zirtel: 2 candidates were left out as words of '" +
                         dic + "'\n6 sasihitz, 2 txantiloi; hazia 42\n");
    const std::string settings = test::ReadBytes(dir / "run.json");
    EXPECT_TRUE(settings.ends_with(
        "  \"allow_dictionary_words\": false,\n  \"dictionary_file\": {\"file\": \"" +
        fs::absolute(dic).lexically_normal().string() +
        "\", \"sha256\": "
        "\"a64b6054175d6c0a5e00965b7d3034a2af4498ad026b90e758cb30ddcc6c4119\"},\n"
        "  \"dictionary_words\": 2,\n  \"pseudowords\": 6\n}\n"))
        << settings;

    o = Generate({kTemplates, "--data-dir", kDir, "--seed", "42", "--allow-dictionary-words",
                  "--settings", (dir / "run.json").string()});
    EXPECT_EQ(o.Status, 0);
    EXPECT_EQ(std::count(o.Out.begin(), o.Out.end(), '\n'), 9);
    EXPECT_NE(o.Out.find("\tmela\t"), std::string::npos);
    EXPECT_TRUE(test::ReadBytes(dir / "run.json")
                    .ends_with("  \"allow_dictionary_words\": true,\n"
                               "  \"dictionary_file\": null,\n  \"dictionary_words\": 0,\n"
                               "  \"pseudowords\": 8\n}\n"));

    const std::string none = (dir / "none.dic").string();
    o = Generate(
        {kTemplates, "--data-dir", kDir, "--dictionary", none, "-o", (dir / "out.tsv").string()});
    EXPECT_EQ(o.Status, 1);
    EXPECT_EQ(o.Err,
              "zirtel: the Basque spelling dictionary (eu.aff and eu.dic) was not found in " +
                  none +
                  ": install it (sudo apt-get install hunspell-eu), or pass "
                  "--allow-dictionary-words to keep pseudowords that are real words\n");
    EXPECT_FALSE(fs::exists(dir / "out.tsv"));
    o = Generate({kTemplates, "--dictionary", dic, "--allow-dictionary-words"});
    EXPECT_EQ(o.Status, 2);
    EXPECT_EQ(o.Err.rfind("zirtel: --dictionary and --allow-dictionary-words cannot be used "
                          "together\n",
                          0),
              0u);
}

// --word-likeness: the eight pseudowords of gela mixed with eight of the lexicon's 19 words of
// four letters (the mix's classification is checked on hand-made strings in the engine's
// tests); reported after the summary and in the settings. Without the option, neither.
TEST(Generate, WordLikenessOfTheSet) {
    test::TempDir dir;
    Outcome o = Generate({kTemplates, "--data-dir", kDir, "--seed", "42", "--word-likeness",
                          "--settings", (dir / "run.json").string()});
    EXPECT_EQ(o.Status, 0);
    const std::size_t at = o.Err.find("8 sasihitz, 2 txantiloi; hazia 42\nzirtel: word-likeness: ");
    ASSERT_NE(at, std::string::npos) << o.Err;
    EXPECT_NE(
        o.Err.find(" % of 16 strings told apart by their nearest neighbour (50 % is chance)", at),
        std::string::npos);
    const std::string settings = test::ReadBytes(dir / "run.json");
    EXPECT_NE(settings.find("  \"word_likeness\": {\n    \"strings\": 16,\n    \"words\": 8,\n"),
              std::string::npos)
        << settings;
    o = Generate({kTemplates, "--data-dir", kDir, "--seed", "42", "--settings",
                  (dir / "run.json").string()});
    EXPECT_EQ(o.Err.find("word-likeness"), std::string::npos);
    EXPECT_EQ(test::ReadBytes(dir / "run.json").find("word_likeness"), std::string::npos);
}

TEST(Generate, BadArgumentsAndMissingFiles) {
    struct Case {
        std::vector<std::string> Args;
        std::string FirstLine;
    };
    const std::vector<Case> usage{
        {{}, "zirtel: no templates file given"},
        {{kTemplates, "-n", "0"},
         "zirtel: -n must be a whole number from 1 to 2147483647, not '0'"},
        {{kTemplates, "--overlap", "3/2"},
         "zirtel: --overlap must be a fraction P/Q from 0/1 to 1/1, such as 2/3, not '3/2'"},
        {{kTemplates, "--seed", "-1"},
         "zirtel: --seed must be a whole number from 0 to 18446744073709551615, not '-1'"},
        {{kTemplates, "--max-candidates", "x"},
         "zirtel: --max-candidates must be a whole number from 1 to 9223372036854775807, not "
         "'x'"},
        {{kTemplates, "-n", "2", "-n", "2"}, "zirtel: option -n is given twice"},
        {{kTemplates, "--missing", "NA"}, "zirtel: unknown option '--missing'"},
        {{kTemplates, "--fields", "N"}, "zirtel: unknown option '--fields'"},
        {{kTemplates, "--no-length-match=1"}, "zirtel: option --no-length-match takes no value"},
        {{kTemplates, "--max-es-n", "1"}, "zirtel: --max-es-n needs --not-spanish"},
    };
    for (const Case& c : usage) {
        const Outcome o = Generate(c.Args);
        EXPECT_EQ(o.Status, 2) << c.FirstLine;
        EXPECT_EQ(o.Err.substr(0, o.Err.find('\n')), c.FirstLine);
        EXPECT_NE(o.Err.find("Usage: zirtel --generate TEMPLATES"), std::string::npos);
    }
    const Outcome help = Generate({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_EQ(help.Out.rfind("Usage: zirtel --generate TEMPLATES [-n N]", 0), 0u);

    test::TempDir dir;
    Outcome o = Generate({(dir / "none.txt").string(), "--data-dir", kDir});
    EXPECT_EQ(o.Status, 1);
    EXPECT_EQ(o.Err, "File Error: Can't open input file " + (dir / "none.txt").string() + "\n");
    o = Generate({kTemplates, "--data-dir", kDir, "--exclude", (dir / "none.txt").string()});
    EXPECT_EQ(o.Status, 1);
    EXPECT_EQ(o.Err,
              "zirtel: cannot open the exclude file '" + (dir / "none.txt").string() + "'\n");
    // Foreign words left out need the origin file.
    fs::copy_file(fs::path(kDir) / "nwfreq_EUS.txt", dir / "nwfreq_EUS.txt");
    o = Generate({kTemplates, "--data-dir", dir.Path().string()});
    EXPECT_EQ(o.Status, 1);
    EXPECT_EQ(o.Err, "Fitxategi-errorea: Ezin da ireki hitzen jatorriaren fitxategia\n"
                     "zirtel: the origin file '" +
                         (dir / "jatorria_EUS.txt").string() +
                         "' cannot be used to leave out foreign words and names; with "
                         "--foreign-words every word is used\n");
    EXPECT_EQ(Generate({kTemplates, "--data-dir", dir.Path().string(), "--foreign-words"}).Status,
              0);
    o = Generate(
        {kTemplates, "--data-dir", dir.Path().string(), "--foreign-words", "--not-spanish"});
    EXPECT_EQ(o.Status, 1);
    EXPECT_EQ(o.Err, "Fitxategi-errorea: Ezin da ireki gaztelaniazko hitzen fitxategia\n"
                     "zirtel: the Spanish word file '" +
                         (dir / "es_EUS.txt").string() +
                         "' cannot be used to leave out Spanish words; without --not-spanish "
                         "none is left out\n");
    fs::remove(dir / "nwfreq_EUS.txt");
    o = Generate({kTemplates, "--data-dir", dir.Path().string()});
    EXPECT_EQ(o.Status, 1);
    EXPECT_EQ(o.Err, "Fitxategi-errorea: Ezin da ireki hitz-maiztasunaren fitxategia\n"
                     "zirtel: the lexicon file '" +
                         (dir / "nwfreq_EUS.txt").string() +
                         "' cannot be used: it does not exist\n");
}

} // namespace
} // namespace zirtel

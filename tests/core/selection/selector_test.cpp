// The stimulus selector and matcher on a hand-made 60-word lexicon with hand-set statistics
// (tests/data/selection/lexicon60.txt): H_MAIZT, N and USER1 as the file gives them, LUZ_L and
// KB_O from the letters, LUZ_S absent ("   -  ") for words with a z.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "core/analysis/field_catalogue.h"
#include "core/analysis/workspace.h"
#include "core/random/random_draw.h"
#include "core/selection/design.h"
#include "core/selection/engine_statistics.h"
#include "core/selection/selector.h"
#include "core/text/text_file.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

class TableStatistics : public StatisticsSource {
  public:
    TableStatistics() {
        const auto file = ReadTextFile(test::TestData("selection/lexicon60.txt"));
        EXPECT_TRUE(file);
        for (std::string_view line : SplitLines(file->Text)) {
            const auto t = SplitTokens(line);
            if (t.size() != 4 || t[0].starts_with('#')) continue;
            Words.emplace_back(t[0]);
            Rows[std::string(t[0])] = {std::string(t[1]), std::string(t[2]), std::string(t[3])};
        }
    }
    void Measure(const std::string& item, const std::vector<int>& fields,
                 std::vector<Value>& values) override {
        ++Calls;
        const auto row = Rows.find(item);
        for (int f : fields) {
            const std::string_view name = FieldCatalogue()[static_cast<std::size_t>(f)].Mnemonic;
            const auto number = [&](int at) {
                return row == Rows.end() ? std::string("0")
                                         : row->second[static_cast<std::size_t>(at)];
            };
            if (name == "H_MAIZT")
                values.push_back(Value::Real(std::stod(number(0))));
            else if (name == "N")
                values.push_back(Value::Count(std::stoi(number(1))));
            else if (name == "USER1")
                values.push_back(Value::Real(std::stod(number(2))));
            else if (name == "LUZ_L")
                values.push_back(Value::Count(static_cast<long long>(item.size())));
            else if (name == "LUZ_S")
                values.push_back(item.find('z') != std::string::npos
                                     ? Value::Missing(MissingReason::NoPronunciation)
                                     : Value::Count(static_cast<long long>(item.size())));
            else if (name == "KB_O") {
                std::string p;
                for (char c : item)
                    p += std::string("aeiou").find(c) != std::string::npos ? 'V' : 'C';
                values.push_back(Value::Text(p));
            } else
                values.push_back(Value::Text("?"));
        }
    }
    std::vector<std::string> Words;
    std::map<std::string, std::vector<std::string>> Rows;
    int Calls = 0;
};

Design Parse(const std::string& text, bool forGenerate = true) {
    const DesignParse p = ParseDesign(text, forGenerate);
    EXPECT_FALSE(p.Error) << p.Error->Text();
    return p.Value;
}

MeasuredItems Pool(TableStatistics& stats, const Design& d) {
    return *MeasureItems(stats.Words, DesignFields(d), stats);
}

std::vector<std::string> RowItems(const Selection& s, const MeasuredItems& pool, std::size_t r) {
    std::vector<std::string> items;
    for (std::size_t i : s.Rows[r].Items) items.push_back(pool.Items[i]);
    return items;
}

TEST(SelectionRandom, DrawsAreFixedByTheStandardGeneratorAlone) {
    std::mt19937_64 rng; // default seed 5489
    rng.discard(9999);
    EXPECT_EQ(rng(), 9981545732273789042ULL); // the standard's check value
    std::mt19937_64 a(7), b(7);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(BoundedDraw(a, 8), b() % 8);
    std::vector<int> v{1, 2, 3, 4, 5, 6};
    Shuffle(v, a);
    std::sort(v.begin(), v.end());
    EXPECT_EQ(v, (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(SelectionDesign, ReadsEveryStatementAndWritesItBack) {
    const Design d = Parse("# high and low\n"
                           "pool items my items.txt\n"
                           "lemmas\n"
                           "rule-pronunciations   # as in batch mode\n"
                           "filter user1 100 199\n"
                           "filter jatorria Euskara izena MAILEGUA euskara\n"
                           "split H_MAIZT 0-9.99 10-1000\n"
                           "split LUZ_L 4-4 5-5\n"
                           "control N_STAR -1 1\n"
                           "control KB_O\n"
                           "generate 12 match random seed 42\n");
    EXPECT_FALSE(d.PoolIsLexicon);
    EXPECT_EQ(d.PoolFile, "my items.txt");
    EXPECT_TRUE(d.Lemmas);
    EXPECT_TRUE(d.RulePronunciations);
    ASSERT_EQ(d.Splits.size(), 2u);
    EXPECT_EQ(d.Splits[0].Levels[1].Low, 10);
    EXPECT_EQ(d.Controls[0].Offsets.Low, -1);
    EXPECT_TRUE(d.Controls[1].Exact);
    EXPECT_EQ(d.Match, ReferenceChoice::Random);
    EXPECT_EQ(d.Seed, 42u);
    EXPECT_EQ(CellNames(d), (std::vector<std::string>{"A1_B1", "A1_B2", "A2_B1", "A2_B2"}));
    const std::string text = DesignText(d);
    EXPECT_EQ(text, "pool items my items.txt\nlemmas\nrule-pronunciations\nfilter USER1 100 199\n"
                    "filter JATORRIA euskara izena mailegua\nsplit H_MAIZT 0-9.99 10-1000\nsplit "
                    "LUZ_L 4-4 5-5\ncontrol N* -1 1\n"
                    "control KB_O\ngenerate 12 match random seed 42\n");
    EXPECT_EQ(DesignText(Parse(text)), text);
    EXPECT_EQ(Parse("split n -3--1 0-2\ngenerate 1").Splits[0].Levels[0].High, -1);
    // A pool file name with "#", quotes or odd blanks is written in quotes and read back whole.
    for (const std::string name : {"lists #2/a.txt", "say \"etxe\".txt", " two  blanks\t"}) {
        Design q = d;
        q.PoolFile = name;
        const std::string written = DesignText(q);
        EXPECT_EQ(written.substr(0, written.find('\n')).front(), 'p');
        EXPECT_EQ(Parse(written).PoolFile, name) << written;
    }
    EXPECT_EQ(Parse("pool items \"a\\\\b \\\"c\\\"\"  # comment\nsplit N 0-1\ngenerate 1").PoolFile,
              "a\\b \"c\"");
    // Whole numbers as the command line reads them: leading zeros are no fault.
    EXPECT_EQ(Parse("split N 0-1\ngenerate 05 seed 007").Rows, 5);
}

// "0-0 1-1 ... " with `n` levels.
std::string Levels(int n) {
    std::string levels;
    for (int l = 0; l < n; ++l) levels += std::to_string(l) + "-" + std::to_string(l) + " ";
    return levels;
}

TEST(SelectionDesign, EachErrorNamesItsLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"pool lexicon\n\nfilter FOO 1 2\ngenerate 5", "line 3: unknown field 'FOO'"},
        {"split N 0-2 2-5\ngenerate 5", "line 1: the levels 0-2 and 2-5 overlap"},
        {"split N 3-5 0-2\ngenerate 5", "line 1: the levels are not in ascending order (3-5, 0-2)"},
        {"# a\nfilter N 5 1\nsplit N 0-9\ngenerate 5",
         "line 2: the range 5 1 has LOW greater than HIGH"},
        {"split N 5-1\ngenerate 5", "line 1: the level 5-1 has LOW greater than HIGH"},
        {"split N 0-9\ncontrol KB_O -1 1\ngenerate 5",
         "line 2: the text field KB_O cannot be used in a range (control with LOW HIGH; a text "
         "field can only be matched exactly)"},
        {"split KB_F 0-9\ngenerate 5",
         "line 1: the text field KB_F cannot be used in a range (split)"},
        {"split N 0-9\nfilter AHOS_ITURRI 0 1\ngenerate 5",
         "line 2: the text field AHOS_ITURRI cannot be used in a range (filter)"},
        {"split N 0-9\ncontrol N\n", "line 2: no generate line"},
        {"control N\ngenerate 5", "line 2: no split line"},
        {"split N 0-9\ngenerate 0",
         "line 2: the number of rows '0' is not a whole number from 1 to 2147483647"},
        {"split N 0-9\ngenerate 5 seed 1 seed 2", "line 2: seed is given twice in generate"},
        {"split N 0-9\ngenerate 5 match first match random",
         "line 2: match is given twice in generate"},
        {"pool items \"a.txt\nsplit N 0-9\ngenerate 5",
         "line 1: the pool file name has no closing quote"},
        // 100 x 101 cells; then 10,000 cells of 1,001 rows each.
        {"split N " + Levels(100) + "\nsplit LUZ_L " + Levels(101) + "\ngenerate 1",
         "line 2: the design has 10100 cells, more than 10000"},
        {"split N " + Levels(100) + "\nsplit LUZ_L " + Levels(100) + "\ngenerate 1001",
         "line 3: 1001 rows of 10000 cells are more than 10000000 items"},
        {"generate 1001\nsplit N " + Levels(100) + "\nsplit LUZ_L " + Levels(100),
         "line 3: 1001 rows of 10000 cells are more than 10000000 items"},
        {"split N 0-9\ngenerate 5 match best",
         "line 2: match must be balanced, first or random, not 'best'"},
        {"split N 0-9\ngenerate 5 seed -3",
         "line 2: the seed '-3' is not a whole number from 0 to 18446744073709551615"},
        {"split N 0-9\nsplit N 0-9\nsplit N 0-9\nsplit N 0-9", "line 4: more than 3 split lines"},
        {"select N\n", "line 1: unknown statement 'select'"},
        {"filter N 1 x\n", "line 1: HIGH 'x' is not a number"},
        {"filter JATORRIA euskara basque\n",
         "line 1: 'basque' is not a value of JATORRIA (euskara, mailegua, atzerrikoa, izena, "
         "kreditua)"},
        {"split N 0-9\ngenerate 5\ngenerate 6", "line 3: a second generate line"},
    };
    for (const auto& [text, message] : cases) {
        const DesignParse p = ParseDesign(text);
        ASSERT_TRUE(p.Error) << text;
        EXPECT_EQ(p.Error->Text(), message) << text;
    }
    EXPECT_FALSE(ParseDesign("filter N 1 4\ncontrol N 0 1\n", false).Error);
}

// The pool USER1 100..199 has 8 words; with N controlled exactly, the only possible rows are
// {abar or ahal, akats, etxe, mendi}: the N=3 words have no high-frequency word of five letters.
TEST(SelectionGenerate, TwoByTwoMakesOnlyTheRowsThatExist) {
    TableStatistics stats;
    const std::string design = "filter USER1 100 199\nsplit H_MAIZT 0-9.99 10-1000\n"
                               "split LUZ_L 4-4 5-5\ncontrol N\ngenerate ";
    std::set<std::vector<std::string>> seen;
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        const Design d = Parse(design + "1");
        const MeasuredItems pool = Pool(stats, d);
        const Selection s = *Generate(d, pool, seed);
        ASSERT_EQ(s.Rows.size(), 1u);
        seen.insert(RowItems(s, pool, 0));
        EXPECT_EQ(ShortfallWarning(s), "");
    }
    EXPECT_EQ(seen, (std::set<std::vector<std::string>>{{"abar", "akats", "etxe", "mendi"},
                                                        {"ahal", "akats", "etxe", "mendi"}}));
    const Design d = Parse(design + "3 match first");
    const MeasuredItems pool = Pool(stats, d);
    const Selection s = *Generate(d, pool, 5);
    EXPECT_EQ(s.Rows.size(), 1u);
    EXPECT_EQ(ShortfallWarning(s), "only 1 of 3 rows could be made");
    // No word is that frequent: two empty cells, found before any draw and named.
    const Design high = Parse("split H_MAIZT 0-9.99 100000-200000\nsplit LUZ_L 4-4 5-5\n"
                              "control N\ngenerate 2");
    const MeasuredItems all = Pool(stats, high);
    const Selection empty = *Generate(high, all, 1);
    EXPECT_TRUE(empty.Rows.empty());
    EXPECT_EQ(ShortfallWarning(empty),
              "only 0 of 2 rows could be made: no pool item falls in cells A2_B1, A2_B2");
}

// "filter FIELD -1" keeps the words without a value: LUZ_S is absent for the words with a z.
TEST(SelectionGenerate, AMissingFilterKeepsOnlyTheItemsWithoutAValue) {
    TableStatistics stats;
    const Design d = Parse("filter LUZ_S -1\nsplit N 0-100\ngenerate 3");
    EXPECT_TRUE(d.Filters[0].Missing);
    EXPECT_EQ(FilterText(d.Filters[0]), "-1");
    const MeasuredItems pool = Pool(stats, d);
    const Selection s = *Generate(d, pool, 1);
    ASSERT_EQ(s.Rows.size(), 3u);
    for (std::size_t r = 0; r < s.Rows.size(); ++r)
        EXPECT_NE(RowItems(s, pool, r)[0].find('z'), std::string::npos);
}

TEST(SelectionGenerate, RowsKeepEveryFilterLevelAndControlAndNoItemTwice) {
    TableStatistics stats;
    for (const char* match : {"balanced", "first", "random"}) {
        const Design d =
            Parse(std::string("filter LUZ_S 0 20\nfilter USER1 200 299\n"
                              "split H_MAIZT 0-9.99 10-1000\nsplit LUZ_L 3-4 5-6\n"
                              "control N -2 2\ncontrol USER1 -30 30\ngenerate 6 match ") +
                  match);
        const MeasuredItems pool = Pool(stats, d);
        for (std::uint64_t seed : {1u, 2u, 3u, 99u}) {
            const Selection s = *Generate(d, pool, seed);
            ASSERT_GE(s.Rows.size(), 2u) << match << seed;
            std::set<std::string> used;
            std::map<std::size_t, int> references;
            for (std::size_t r = 0; r < s.Rows.size(); ++r) {
                const SelectionRow& row = s.Rows[r];
                ++references[row.ReferenceCell];
                const std::size_t ref = row.Items[row.ReferenceCell];
                for (std::size_t c = 0; c < 4; ++c) {
                    const std::size_t i = row.Items[c];
                    const std::string& w = pool.Items[i];
                    EXPECT_TRUE(used.insert(w).second) << w;
                    EXPECT_EQ(w.find('z'), std::string::npos) << w; // LUZ_S absent
                    const double user = pool.Number(i, 1), freq = pool.Number(i, 2);
                    const double len = pool.Number(i, 3), n = pool.Number(i, 4);
                    EXPECT_TRUE(user >= 200 && user <= 299) << w;
                    EXPECT_EQ(freq >= 10, c >= 2) << w;
                    EXPECT_EQ(len >= 5, c % 2 == 1) << w;
                    EXPECT_LE(std::fabs(n - pool.Number(ref, 4)), 2) << w;
                    EXPECT_LE(std::fabs(user - pool.Number(ref, 1)), 30) << w;
                }
            }
            if (std::string(match) == "first") {
                EXPECT_EQ(references[0], static_cast<int>(s.Rows.size()));
            }
        }
    }
}

TEST(SelectionGenerate, ASeededRunGivesItsOutputExactly) {
    TableStatistics stats;
    const Design d = Parse("filter USER1 200 299\nsplit H_MAIZT 0-9.99 10-1000\n"
                           "control N -2 2\ngenerate 3 seed 2024\n");
    const MeasuredItems pool = Pool(stats, d);
    const Selection s = *Generate(d, pool, *d.Seed);
    // Balanced over two cells: A2, A1, A2; each row's N within 2 of its reference's.
    EXPECT_EQ(WideOutput(s, pool), "row\tA1\tA2\treference_cell\r\n"
                                   "1\tsoro\tkale\tA2\r\n"
                                   "2\tezti\tmaite\tA1\r\n"
                                   "3\tarto\terdi\tA2\r\n");
    EXPECT_EQ(LongOutput(s, pool), "row\tcell\titem\tis_reference\tUSER1\tH_MAIZT\tN\r\n"
                                   "1\tA1\tsoro\t0\t250.00\t1.80\t5\r\n"
                                   "1\tA2\tkale\t1\t275.00\t55.00\t7\r\n"
                                   "2\tA1\tezti\t1\t260.00\t2.00\t4\r\n"
                                   "2\tA2\tmaite\t0\t230.00\t28.00\t3\r\n"
                                   "3\tA1\tarto\t0\t210.00\t6.00\t5\r\n"
                                   "3\tA2\terdi\t1\t250.00\t60.00\t5\r\n");
}

// Measured in two rounds, the pool is the 45 words of USER1 200..299 (every one of them has a
// frequency in a level), in the lexicon's order: 60 words measured on USER1 and H_MAIZT, then
// those 45 alone on N. The rows are those of the whole pool measured on every field.
TEST(SelectionGenerate, ThePoolIsMeasuredInTwoRoundsWithTheSameRows) {
    TableStatistics stats;
    const Design d = Parse("filter USER1 200 299\nsplit H_MAIZT 0-9.99 10-1000\n"
                           "control N -2 2\ngenerate 3 seed 2024\n");
    const MeasuredItems whole = Pool(stats, d);
    stats.Calls = 0;
    const MeasuredItems pool = *MeasurePool(d, stats.Words, stats, true);
    EXPECT_EQ(stats.Calls, 105);
    ASSERT_EQ(pool.Size(), 45u);
    EXPECT_EQ(pool.Items.front(), "alde");
    EXPECT_EQ(pool.Items.back(), "zeru");
    EXPECT_EQ(pool.Fields, DesignFields(d));
    for (std::uint64_t seed : {2024u, 7u}) {
        const Selection fromWhole = *Generate(d, whole, seed), fromPool = *Generate(d, pool, seed);
        EXPECT_EQ(LongOutput(fromPool, pool), LongOutput(fromWhole, whole));
    }
}

// Pool USER1 100..199: N is 2 for abar ahal akats etxe mendi, 3 for egur ezpal gose (standard
// deviation sqrt(15/56)); USER1 runs 110..180 by tens (standard deviation sqrt(600)).
TEST(SelectionMatch, NearestFirstWithTiesInCollationOrder) {
    TableStatistics stats;
    const Design d = Parse("filter USER1 100 199\ncontrol N -1 1\ncontrol USER1 -30 30\n", false);
    std::vector<std::string> words = stats.Words;
    std::reverse(words.begin(), words.end()); // the pool's order must not decide ties
    const MeasuredItems pool = *MeasureItems(words, DesignFields(d), stats);
    const MeasuredItems targets = *MeasureItems({"gose", "etxe", "zorri"}, DesignFields(d), stats);
    const auto matches = MatchItems(d, pool, targets, 4);
    EXPECT_EQ(MatchOutput(d, matches, pool, targets), "item\trank\tmatch\tdistance\tN\tUSER1\r\n"
                                                      "gose\t1\tezpal\t0.4082\t3\t170.00\r\n"
                                                      "gose\t2\tegur\t0.8165\t3\t160.00\r\n"
                                                      "gose\t3\tmendi\t2.2876\t2\t150.00\r\n"
                                                      "etxe\t1\takats\t0.4082\t2\t130.00\r\n"
                                                      "etxe\t2\tmendi\t0.4082\t2\t150.00\r\n"
                                                      "etxe\t3\tahal\t0.8165\t2\t120.00\r\n"
                                                      "etxe\t4\tabar\t1.2247\t2\t110.00\r\n");
}

// The controls take the values as measured, not as the results round them (tests/data/
// selection/exact): bata 10.004, bete 10.001 and bota 10.0035 all show "10.00", buta 10.02
// "10.02", but only bota lies within 0.001 of bata.
TEST(SelectionMatch, ControlsTakeTheUnroundedValues) {
    SilentFeedback ui;
    Workspace ws(ui, test::TestData("selection/exact"));
    ws.Startup();
    const Design d = Parse("control H_MAIZT -0.001 0.001\n", false);
    EngineStatistics stats(ws.Setup, DesignFields(d), ws.Decimals);
    const MeasuredItems pool =
        *MeasureItems({"bata", "bete", "bota", "buta"}, DesignFields(d), stats);
    const MeasuredItems targets = *MeasureItems({"bata"}, DesignFields(d), stats);
    const auto matches = MatchItems(d, pool, targets, 10);
    ASSERT_EQ(matches.size(), 1u);
    const std::string out = MatchOutput(d, matches, pool, targets);
    EXPECT_TRUE(out.starts_with("item\trank\tmatch\tdistance\tH_MAIZT\r\nbata\t1\tbota\t")) << out;
    // The outputs show the values as the results do.
    EXPECT_TRUE(out.ends_with("\t10.00\r\n")) << out;
}

// The lexicon as a pool: each word once (letter case ignored, its first spelling), none shorter
// than an item may be; measured by two workers as by one.
TEST(SelectionPool, LexiconWordsOnceEachAndTheSameWithWorkers) {
    test::TempDir dir;
    test::WriteBytes(dir / "nwfreq_EUS.txt", "a\t9\ta\ta\nEtxe\t5\te-txe\te-txe\n"
                                             "etxe\t4\te-txe\te-txe\nmendi\t3\tmen-di\tmen-di\n"
                                             "ETXE\t2\te-txe\te-txe\n");
    SilentFeedback ui;
    Workspace ws(ui, dir.Path());
    ws.Startup();
    ASSERT_EQ(ws.Setup.WholeWords.Size(), 5);
    const Design d = Parse("control H_MAIZT\n", false);
    const auto items = PoolItems(ws.Setup, d, dir.Path());
    ASSERT_TRUE(items);
    EXPECT_EQ(*items, (std::vector<std::string>{"Etxe", "mendi"}));
    std::vector<std::string> many;
    for (int i = 0; i < 3000; ++i)
        many.push_back(i % 3 == 0 ? "mendi" : i % 3 == 1 ? "etxe" : "zz");
    EngineStatistics one(ws.Setup, DesignFields(d), ws.Decimals, 1);
    const MeasuredItems alone = *MeasureItems(many, DesignFields(d), one);
    EngineStatistics two(ws.Setup, DesignFields(d), ws.Decimals, 2);
    const MeasuredItems shared = *MeasureItems(many, DesignFields(d), two);
    ASSERT_EQ(shared.Size(), 3000u);
    for (std::size_t i = 0; i < many.size(); ++i)
        EXPECT_EQ(shared.Text(i, 0), alone.Text(i, 0)) << i;
    EXPECT_EQ(shared.Text(0, 0), "3.00");
    EXPECT_EQ(shared.Text(1, 0), "5.00");
    EXPECT_EQ(shared.Text(2, 0), "0.00");
}

// Numbers as a design file (and the window's design form) writes them: plain decimals, the
// shortest that read back the same; the exponent form only for numbers too long to write out.
TEST(Design, NumbersAsPlainDecimals) {
    EXPECT_EQ(DesignNumber(100000), "100000");
    EXPECT_EQ(DesignNumber(9.99), "9.99");
    EXPECT_EQ(DesignNumber(-0.25), "-0.25");
    EXPECT_EQ(DesignNumber(1e30), "1e+30");
    EXPECT_EQ(DesignText(ParseDesign("split H_MAIZT 0-1 10-100000\ngenerate 2\n").Value),
              "pool lexicon\nsplit H_MAIZT 0-1 10-100000\ngenerate 2 match balanced\n");
}

} // namespace
} // namespace zirtel

// The balance report of a selection, on a hand-made pool of 20 items: ten in five rows of two
// cells (A1: H_MAIZT below 10, A2: 10 and more), ten that no row took; the values are set by
// hand. The figures were worked out with the Welch formulas, as R's t.test reports them:
//   a1 <- c(1.5, 3.2, 0.8, 7.1, 4.4); a2 <- c(12.0, 55.3, 20.1, 140.2, 33.3)
//   t.test(a1, a2)   # t = -2.1009, df = 4.0187, p-value = 0.1032
//   t.test(c(2, 2, 3, 2, 3), c(2, 2, 3, 1, 3))   # LUZ_S: t = 0.4472, df = 6.8966, p = 0.6684
//   t.test(c(4, 5, 6, 5, 7), c(5, 5, 6, 4, 6))   # LUZ_L: t = 0.3162, df = 7.3394, p = 0.7606
//   OLD20: t = -0.1696, df = 7.8001, p = 0.8696
// Standardised differences over the pooled SD (equal n: sqrt((va + vb) / 2)): LUZ_L 0.2 / 1.0 =
// 0.2000; LUZ_S 0.2 / sqrt((0.3 + 0.7) / 2) = 0.2828 (the largest); OLD20 -0.04 / 0.3728 =
// -0.1073.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/fields/value.h"
#include "core/selection/design.h"
#include "core/selection/selection_report.h"
#include "core/selection/selector.h"

namespace zirtel {
namespace {

struct Item {
    const char* Word;
    double Frequency;
    int Letters, Syllables;
    const char* Origin;
    double Old20;
};

// Pool index 2r holds row r's A1 item, 2r + 1 its A2 item; the rest take part in no row.
constexpr Item kPool[] = {
    {"abar", 1.5, 4, 2, "euskara", 1.45},  {"mendi", 12.0, 5, 2, "euskara", 1.60},
    {"ahal", 3.2, 5, 2, "euskara", 1.80},  {"kafe", 55.3, 5, 2, "mailegua", 1.75},
    {"egur", 0.8, 6, 3, "mailegua", 2.10}, {"lore", 20.1, 6, 3, "mailegua", 2.40},
    {"gose", 7.1, 5, 2, "euskara", 1.65},  {"etxe", 140.2, 4, 1, "euskara", 1.50},
    {"ur", 4.4, 7, 3, "euskara", 2.30},    {"itsaso", 33.3, 6, 3, "euskara", 2.25},
    {"zaldi", 900, 9, 4, "euskara", 3.0},  {"txori", 0.1, 2, 1, "mailegua", 0.5},
    {"hodei", 450, 8, 4, "euskara", 2.9},  {"ibai", 2.0, 3, 1, "euskara", 1.1},
    {"lurra", 75, 9, 4, "mailegua", 3.3},  {"sua", 0.2, 2, 1, "euskara", 0.7},
    {"haize", 310, 8, 4, "euskara", 2.8},  {"ilargi", 5.5, 3, 1, "euskara", 1.0},
    {"eguzki", 120, 9, 4, "euskara", 3.1}, {"izar", 9.9, 2, 1, "mailegua", 0.9},
};

TEST(SelectionReport, CellsSplitsControlsAndCitations) {
    const DesignParse parsed = ParseDesign("pool lexicon\n"
                                           "split H_MAIZT 0-9.99 10-100000\n"
                                           "control LUZ_L -1 1\n"
                                           "control LUZ_S\n"
                                           "control JATORRIA\n"
                                           "control OLD20 -0.5 0.5\n"
                                           "generate 6 seed 11\n");
    ASSERT_FALSE(parsed.Error);
    const Design& design = parsed.Value;
    MeasuredItems pool;
    pool.Fields = DesignFields(design);
    for (const Item& i : kPool)
        pool.Add(i.Word, {Value::Real(i.Frequency), Value::Count(i.Letters),
                          Value::Count(i.Syllables), Value::Text(i.Origin), Value::Real(i.Old20)});
    Selection selection;
    selection.CellNames = CellNames(design);
    selection.Asked = 6;
    for (std::size_t r = 0; r < 5; ++r) selection.Rows.push_back({{2 * r, 2 * r + 1}, 0});
    ReportRun run{"zirtel-batch",
                  "1.0.0",
                  {{"/d/x.design", "ab12"}, {"/d/nwfreq_EUS.txt", {}}},
                  ReportFile{"/d/nwfreq_EUS.txt", "cd34"},
                  "Word counts of a corpus. Licence: CC BY-SA 4.0."};
    const std::string tsv = ReportTsv(MakeSelectionReport(design, selection, pool, run));

    const std::string expected =
        "# largest standardised difference among the controls: d = 0.2828 (LUZ_S, A1 vs A2)\r\n"
        "\r\n# cells\r\n"
        "cell\tn\tfield\tmean\tsd\tmin\tmedian\tmax\r\n"
        "A1\t5\tH_MAIZT\t3.4000\t2.5050\t0.8000\t3.2000\t7.1000\r\n"
        "A1\t5\tLUZ_L\t5.4000\t1.1402\t4.0000\t5.0000\t7.0000\r\n"
        "A1\t5\tLUZ_S\t2.4000\t0.5477\t2.0000\t2.0000\t3.0000\r\n"
        "A1\t5\tOLD20\t1.8600\t0.3417\t1.4500\t1.8000\t2.3000\r\n"
        "A2\t5\tH_MAIZT\t52.1800\t51.8586\t12.0000\t33.3000\t140.2000\r\n"
        "A2\t5\tLUZ_L\t5.2000\t0.8367\t4.0000\t5.0000\t6.0000\r\n"
        "A2\t5\tLUZ_S\t2.2000\t0.8367\t1.0000\t2.0000\t3.0000\r\n"
        "A2\t5\tOLD20\t1.9000\t0.4016\t1.5000\t1.7500\t2.4000\r\n"
        "\r\n# splits\r\n"
        "field\tlevel_1\tlevel_2\tn_1\tn_2\tmean_1\tmean_2\tdifference\tt\tdf\tp\r\n"
        "H_MAIZT\tA1\tA2\t5\t5\t3.4000\t52.1800\t-48.7800\t-2.1009\t4.0187\t0.1032\r\n"
        "\r\n# controls\r\n"
        "field\tcell_1\tcell_2\tmean_1\tmean_2\tsmd\tt\tdf\tp\texact_matches\r\n"
        "LUZ_L\tA1\tA2\t5.4000\t5.2000\t0.2000\t0.3162\t7.3394\t0.7606\tNA\r\n"
        "LUZ_S\tA1\tA2\t2.4000\t2.2000\t0.2828\t0.4472\t6.8966\t0.6684\t4\r\n"
        "JATORRIA\tA1\tA2\tNA\tNA\tNA\tNA\tNA\tNA\t4\r\n"
        "OLD20\tA1\tA2\t1.8600\t1.9000\t-0.1073\t-0.1696\t7.8001\t0.8696\tNA\r\n"
        "\r\n# run\r\n"
        "name\tvalue\r\n"
        "program\tzirtel-batch\r\nversion\t1.0.0\r\nseed\t11\r\nrows_asked\t6\r\nrows_made\t5\r\n"
        "\r\n# files\r\n"
        "file\tsha256\r\n/d/x.design\tab12\r\n/d/nwfreq_EUS.txt\tNA\r\n"
        "\r\n# design\r\n"
        "statement\r\npool lexicon\r\nsplit H_MAIZT 0-9.99 10-100000\r\ncontrol LUZ_L -1 1\r\n"
        "control LUZ_S\r\ncontrol JATORRIA\r\ncontrol OLD20 -0.5 0.5\r\ngenerate 6 match balanced "
        "seed 11\r\n"
        "\r\n# cite\r\n"
        "what\treference\r\n"
        "program\tZirtel 1.0.0\r\n"
        "lexicon\t/d/nwfreq_EUS.txt (SHA-256 cd34)\r\n"
        "lexicon sources\tWord counts of a corpus. Licence: CC BY-SA 4.0.\r\n"
        "OLD20\tYarkoni, T., Balota, D. A., & Yap, M. J. (2008). Moving beyond Coltheart's N: A "
        "new measure of orthographic similarity. Psychonomic Bulletin & Review, 15(5), "
        "971-979.\r\n";
    EXPECT_EQ(tsv, expected);
}

// The text form: the same figures under titles, in aligned columns, the prose as "name: text".
TEST(SelectionReport, TextFormAlignsColumns) {
    SelectionReport report;
    report.FirstLine = "largest standardised difference among the controls: none";
    report.Sections = {{"splits",
                        {"field", "t", "p"},
                        {{"H_MAIZT", "-2.1009", "0.1032"}, {"N", "12.5000", "NA"}},
                        false},
                       {"run", {"name", "value"}, {{"seed", "11"}}, true}};
    EXPECT_EQ(ReportText(report), "largest standardised difference among the controls: none\r\n"
                                  "\r\nsplits\r\n------\r\n"
                                  "field          t       p\r\n"
                                  "H_MAIZT  -2.1009  0.1032\r\n"
                                  "N        12.5000      NA\r\n"
                                  "\r\nrun\r\n---\r\nseed: 11\r\n");
}

// The lexicon's sources come from its NOTICE paragraph, its lines joined.
TEST(SelectionReport, LexiconSourcesFromTheNotice) {
    EXPECT_EQ(LexiconSourcesOf("Title\n\nWord-form counts (frequencies)\n  Counts of a corpus,\n"
                               "  Licence: CC BY-SA 4.0.\n\nSpelling filter\n  other\n"),
              "Counts of a corpus, Licence: CC BY-SA 4.0.");
    EXPECT_EQ(LexiconSourcesOf("no such paragraph\n"), "");
}

} // namespace
} // namespace zirtel

// Bigram and biphone tables that are not whole tables are refused when read, with the file's
// name and the first bad line, and then count as missing: the measures give their missing-table
// warning instead of values taken from the wrong place.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/lexicon/position_table.h"
#include "core/measures/bigram_tables.h"
#include "core/phonology/biphone_tables.h"
#include "measure_run.h"
#include "support/test_paths.h"

namespace zirtel::test {
namespace {

// A whole table of `rows` labels with `values` numbers of each kind per row: the row's number
// as every type and "0.5" as every token.
std::vector<std::string> Rows(const std::vector<std::string>& labels, int values) {
    std::vector<std::string> rows;
    for (std::size_t r = 0; r < labels.size(); ++r) {
        std::string row = labels[r];
        for (int p = 0; p < values; ++p) row += "\t" + std::to_string(r);
        for (int p = 0; p < values; ++p) row += "\t0.5";
        rows.push_back(row);
    }
    return rows;
}

std::string Join(const std::vector<std::string>& rows) {
    std::string text = "header\n";
    for (const std::string& row : rows) text += row + "\n";
    return text;
}

// The 729 letter pairs as the files write them (UTF-8: ñ is two bytes).
std::vector<std::string> LetterPairs() {
    const std::string letters[27] = {"a", "b", "c", "d", "e", "f", "g", "h", "i",
                                     "j", "k", "l", "m", "n", "o", "p", "q", "r",
                                     "s", "t", "u", "v", "w", "x", "y", "z", "\xC3\xB1"};
    std::vector<std::string> pairs;
    for (const std::string& a : letters)
        for (const std::string& b : letters) pairs.push_back(a + b);
    return pairs;
}

TEST(CorruptTables, EachKindIsRefusedWithItsFileAndFirstBadLine) {
    TempDir dir;
    // Length 3: a row is the label, two types and two tokens; row r is on line r + 2.
    const std::vector<std::string> whole = Rows(LetterPairs(), 2);
    struct Case {
        std::string Name;
        std::string Text;
        std::string Problem; // "" for a table that is read
    };
    const auto edited = [&whole](std::size_t row, const std::string& text) {
        std::vector<std::string> rows = whole;
        rows[row] = text;
        return Join(rows);
    };
    std::vector<std::string> shortened = whole, deleted = whole, longer = whole;
    shortened.resize(100);
    deleted.erase(deleted.begin() + 3);
    longer.push_back("zz\t1\t1\t1\t1");
    const std::vector<Case> cases = {
        {"whole", Join(whole), ""},
        {"blank lines passed over", "header\n\n" + Join(whole).substr(7) + "\n\n", ""},
        {"0 bytes", "", "1. lerroa: fitxategia hutsik dago"},
        {"header only", "header\n", "2. lerroa: 0 errenkada baino ez ditu, 729 behar dira"},
        {"truncated", Join(shortened), "102. lerroa: 100 errenkada baino ez ditu, 729 behar dira"},
        {"cut in a row", edited(5, "af\t5\t5\t0.5"), "7. lerroa: 4 eremu ditu, 5 behar dira"},
        {"a column too many", edited(0, "aa\t0\t0\t0.5\t0.5\t9"),
         "2. lerroa: 6 eremu ditu, 5 behar dira"},
        {"a deleted row", Join(deleted),
         "5. lerroa: 'ae' etiketa dago, 'ad' behar da (4. errenkada)"},
        {"negative token", edited(7, "ah\t7\t7\t-406.75\t0.5"),
         "9. lerroa: '-406.75' ez da zenbaki finitu ez-negatiboa"},
        {"NaN token", edited(7, "ah\t7\t7\t0.5\tnan"),
         "9. lerroa: 'nan' ez da zenbaki finitu ez-negatiboa"},
        {"infinite token", edited(7, "ah\t7\t7\tinf\t0.5"),
         "9. lerroa: 'inf' ez da zenbaki finitu ez-negatiboa"},
        {"negative type", edited(7, "ah\t-3\t7\t0.5\t0.5"),
         "9. lerroa: '-3' ez da zenbaki oso ez-negatiboa"},
        {"junk type", edited(7, "ah\t7\tx\t0.5\t0.5"),
         "9. lerroa: 'x' ez da zenbaki oso ez-negatiboa"},
        {"a row too many", Join(longer), "731. lerroa: 729 errenkada baino gehiago ditu"},
        {"binary",
         std::string("\x7F"
                     "ELF\x02\x01\n\x00\x01\x02 3 4\n",
                     15),
         "2. lerroa: '" + std::string(3, '?') + "' etiketa dago, 'aa' behar da (1. errenkada)"},
    };
    for (const Case& c : cases) {
        const std::filesystem::path path = dir / "ZR_BF3.txt";
        WriteBytes(path, c.Text);
        RecordingFeedback fb;
        BigramTables t;
        t.Read(3, path, fb);
        EXPECT_EQ(t.Loaded(3), c.Problem.empty()) << c.Name;
        if (c.Problem.empty()) {
            EXPECT_TRUE(fb.Messages.empty()) << c.Name;
            // Row 338 is the pair (m, a): type 338 at both positions.
            EXPECT_EQ(t.Type(3, 1, 338), 338) << c.Name;
            EXPECT_EQ(t.Token(3, 0, 728), 0.5f) << c.Name;
            continue;
        }
        EXPECT_EQ(fb.MessageLines(),
                  (std::vector<std::string>{"Fitxategi-errorea: " + path.string() + ": " +
                                            c.Problem + "; taula ez da erabiliko"}))
            << c.Name;
        // Nothing of a refused file stays in the tables.
        EXPECT_EQ(t.Type(3, 0, 0), 0) << c.Name;
        for (const auto& p : fb.Progresses) EXPECT_FALSE(p->Open) << c.Name;
        EXPECT_EQ(fb.BusyDepth, 0) << c.Name;
    }

    // Biphone tables by the same rules: the 676 pairs of the phoneme inventory in its order.
    const std::vector<std::string> biphones = Rows(BiphoneInventoryLabels(), 1);
    std::vector<std::string> swapped = biphones;
    std::swap(swapped[0], swapped[1]);
    const std::vector<Case> biphoneCases = {
        {"whole", Join(biphones), ""},
        {"two rows swapped", Join(swapped),
         "2. lerroa: 'bd' etiketa dago, 'bb' behar da (1. errenkada)"},
        {"negative",
         Join(std::vector<std::string>(biphones.begin(), biphones.end() - 1)) + "LL\t1\t-0.5\n",
         "677. lerroa: '-0.5' ez da zenbaki finitu ez-negatiboa"},
    };
    for (const Case& c : biphoneCases) {
        WriteBytes(dir / "ZR_BPF2.txt", c.Text);
        RecordingFeedback fb;
        BiphoneTables t;
        LoadBiphoneTable(t, dir.Path(), 2, fb);
        EXPECT_EQ(t.Loaded(2), c.Problem.empty()) << c.Name;
        if (c.Problem.empty()) {
            EXPECT_EQ(t.Row(2, "bd"), 1) << c.Name;
            EXPECT_EQ(t.TypeCount(2, 0, 675), 675) << c.Name;
            continue;
        }
        EXPECT_EQ(fb.MessageLines(),
                  (std::vector<std::string>{"Fitxategi-errorea: " + (dir / "ZR_BPF2.txt").string() +
                                            ": " + c.Problem + "; taula ez da erabiliko"}))
            << c.Name;
        EXPECT_TRUE(t.BiphoneLabels.empty()) << c.Name;
    }

    // A refused table is a missing one for the measures: one message when it is read, then the
    // warning of each item that needs it.
    std::filesystem::copy_file(MeasuresData() / "nwfreq_EUS.txt", dir / "nwfreq_EUS.txt");
    WriteBytes(dir / "ZR_BF3.txt", Join(deleted));
    WriteBytes(dir / "ZR_BPF2.txt", Join(swapped));
    MeasureRun run({"BF1_Box"}, dir.Path());
    run.Analyse({"ama", "emi"});
    EXPECT_EQ(run.fb.MessageLines(),
              (std::vector<std::string>{
                  "Fitxategi-errorea: " + (dir / "ZR_BF3.txt").string() +
                      ": 5. lerroa: 'ae' etiketa dago, 'ad' behar da (4. errenkada); taula ez "
                      "da erabiliko",
                  "Abisua: Couldn't load ZR_BF3.txt: Ezin da kalkulatu 3 letra-estimuluen "
                  "bigrama-maiztasuna",
                  "Abisua: Couldn't load ZR_BF3.txt: Ezin da kalkulatu 3 letra-estimuluen "
                  "bigrama-maiztasuna"}));
    EXPECT_EQ(run.Cell(1, &FieldColumns::Col_1_BM), "-1");
}

} // namespace
} // namespace zirtel::test

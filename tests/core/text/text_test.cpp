#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/text/collation.h"
#include "core/text/format.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

TEST(Collation, OrdersBasqueWordsOneWayOnEveryMachine) {
    // ñ after n, accents after the plain letter, case ignored, digits and signs first.
    std::vector<std::string> words = {"ogi",
                                      "\xF1"
                                      "abar",
                                      "neska",
                                      "Ama",
                                      "am\xE1",
                                      "amb",
                                      "3etxe",
                                      "ama",
                                      "a-ma"};
    std::stable_sort(words.begin(), words.end(), CollateLess);
    const std::vector<std::string> expected = {"3etxe",
                                               "a-ma",
                                               "Ama",
                                               "ama",
                                               "am\xE1",
                                               "amb",
                                               "neska",
                                               "\xF1"
                                               "abar",
                                               "ogi"};
    EXPECT_EQ(words, expected);
    // Equal exactly when only letter case differs.
    EXPECT_EQ(CollateCompare("ETXEA", "etxea"), 0);
    EXPECT_EQ(CollateCompare("\xD1"
                             "ABAR",
                             "\xF1"
                             "abar"),
              0);
    EXPECT_NE(CollateCompare("ama", "am\xE1"), 0);
    EXPECT_NE(CollateCompare("ama", "a-ma"), 0);
    EXPECT_LT(CollateCompare("n", "\xF1"), 0);
    EXPECT_LT(CollateCompare("\xF1", "o"), 0);
    EXPECT_LT(CollateCompare("etxe", "etxea"), 0);
}

TEST(Format, CountsAndRealsAsTheResultsShowThem) {
    EXPECT_EQ(FormatInt4(5), "   5");
    EXPECT_EQ(FormatInt4(-1), "  -1");
    EXPECT_EQ(FormatInt4(123456), "123456");
    EXPECT_EQ(FormatReal7(12.5, 2), "  12.50");
    EXPECT_EQ(FormatReal7(12.4, 0), "     12");
    EXPECT_EQ(FormatReal7(0.0, 2), "   0.00");
    EXPECT_EQ(FormatReal7(2.5, 0), "      2"); // rounds half to even, as printf does
    EXPECT_EQ(FormatReal7(1234567.5, 2), "1234567.50");
    EXPECT_EQ(FormatReal7(0.125, 2), "   0.12");
    EXPECT_EQ(FormatReal7(30.25, 4), "30.2500");
    EXPECT_EQ(PadRight8("ETXE"), "ETXE    ");
    EXPECT_EQ(PadRight8("ETXEBIZITZA"), "ETXEBIZITZA");
}

TEST(Latin1, CaseMappingAndConversionAtTheEdges) {
    EXPECT_EQ(LowerAscii("ETXEA \xC1"), "etxea \xC1");
    EXPECT_EQ(LowerLatin1("\xC1"
                          "RBOL \xD1"),
              "\xE1"
              "rbol \xF1");
    EXPECT_EQ(UpperLatin1("\xF1"
                          "abar \xE1"),
              "\xD1"
              "ABAR \xC1");
    EXPECT_EQ(Trim("  etxe \t"), "etxe");
    EXPECT_EQ(Latin1ToUtf8("\xF1"), "\xC3\xB1");
    const Latin1Conversion c = Utf8ToLatin1("\xC3\xB1"
                                            "a \xE2\x82\xAC"); // "ña €"
    EXPECT_EQ(c.Text, "\xF1"
                      "a ?");
    EXPECT_EQ(c.Unmapped, 1u);
}

TEST(TextFile, ReadsUtf8OrLatin1AndWritesAtomically) {
    test::TempDir dir;
    test::WriteBytes(dir / "utf8.txt", "\xC3\xB1"
                                       "abar\n");
    test::WriteBytes(dir / "latin1.txt", "\xF1"
                                         "abar\n");
    EXPECT_EQ(ReadTextFile(dir / "utf8.txt")->Text, "\xF1"
                                                    "abar\n");
    EXPECT_EQ(ReadTextFile(dir / "latin1.txt")->Text, "\xF1"
                                                      "abar\n");
    EXPECT_FALSE(ReadTextFile(dir / "missing.txt"));
    EXPECT_FALSE(ReadTextFile(dir.Path()));

    EXPECT_TRUE(WriteFileAtomically(dir / "out.txt", "first"));
    EXPECT_TRUE(WriteFileAtomically(dir / "out.txt", "second"));
    EXPECT_EQ(test::ReadBytes(dir / "out.txt"), "second");
    // A folder that does not exist: nothing written, nothing left behind.
    EXPECT_FALSE(WriteFileAtomically(dir / "no" / "out.txt", "x"));
    // A target that is a folder is never replaced.
    EXPECT_FALSE(WriteFileAtomically(dir.Path(), "x"));
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.Path())) files += e.is_regular_file();
    EXPECT_EQ(files, 3);

    const auto lines = SplitLines("a\r\nb\n\nc");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "a");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "c");
    EXPECT_EQ(ParseFloat("30.25").value(), 30.25f);
    EXPECT_FALSE(ParseFloat("3x"));
    EXPECT_EQ(ParseInt("+3").value(), 3);
    EXPECT_FALSE(ParseInt("3etxe"));
}

} // namespace
} // namespace zirtel

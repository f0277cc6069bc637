// Reading bigram files that do not follow the format: never a crash, never a write outside the
// tables; what can be read is used.
#include <gtest/gtest.h>

#include "core/measures/bigram_tables.h"
#include "measure_run.h"
#include "support/test_paths.h"

namespace zirtel::test {
namespace {

std::filesystem::path BadData() {
    return MeasuresData() / "bad";
}

TEST(BigramTables, RowsGoByFileOrderAndFillTheLengthsTables) {
    RecordingFeedback fb;
    BigramTables t;
    t.Read(3, MeasuresData() / "ZR_BF3.txt", fb);
    ASSERT_TRUE(t.Loaded(3));
    // Row 12 is the pair (a, m), row 324 the pair (m, a); the values of a row are the types of
    // positions 1 and 2, then the tokens.
    EXPECT_EQ(t.Type(3, 0, 12), 4);
    EXPECT_EQ(t.Type(3, 1, 12), 1);
    EXPECT_EQ(t.Token(3, 0, 12), 20.0f);
    EXPECT_EQ(t.Token(3, 1, 12), 2.0f);
    EXPECT_EQ(t.Type(3, 0, 324), 9);
    EXPECT_EQ(t.Token(3, 1, 324), 50.0f);
    EXPECT_EQ(t.Token(3, 0, 728), 0.0f);
    // Another length and places outside the tables read 0.
    EXPECT_FALSE(t.Loaded(2));
    EXPECT_EQ(t.Token(2, 0, 12), 0.0f);
    EXPECT_EQ(t.Token(3, 2, 12), 0.0f);
    EXPECT_EQ(t.Type(3, 0, -1), 0);
    EXPECT_EQ(t.Type(19, 0, 0), 0);
}

TEST(BigramTables, BadFilesAreReadAsFarAsTheyGo) {
    RecordingFeedback fb;
    BigramTables t;
    t.ReadAll(BadData(), fb);
    EXPECT_EQ(fb.Progresses.size(), 6u); // lengths 2 to 7 exist
    for (const auto& p : fb.Progresses) EXPECT_FALSE(p->Open);
    EXPECT_EQ(fb.BusyDepth, 0);
    EXPECT_TRUE(fb.Messages.empty());

    // A label of 26 letters is read whole.
    EXPECT_EQ(t.Type(2, 0, 0), 5);
    EXPECT_EQ(t.Token(2, 0, 0), 2.5f);
    EXPECT_EQ(t.Type(2, 0, 1), 6);
    EXPECT_EQ(t.Token(2, 0, 1), 3.5f);

    // Cut off in the middle of the second row: what was read stays, the rest is 0.
    ASSERT_TRUE(t.Loaded(3));
    EXPECT_EQ(t.Type(3, 0, 0), 1);
    EXPECT_EQ(t.Token(3, 1, 0), 4.0f);
    EXPECT_EQ(t.Type(3, 1, 1), 6);
    EXPECT_EQ(t.Token(3, 0, 1), 7.5f);
    EXPECT_EQ(t.Token(3, 1, 1), 0.0f);

    // "x" where the second type of row 1 belongs: row 1 ends after its first type, and "x" is
    // the label of row 2, which takes the numbers that follow; "ac" labels row 3.
    EXPECT_EQ(t.Type(4, 2, 0), 3);
    EXPECT_EQ(t.Token(4, 2, 0), 0.125f);
    EXPECT_EQ(t.Type(4, 0, 1), 4);
    EXPECT_EQ(t.Type(4, 1, 1), 0);
    EXPECT_EQ(t.Token(4, 0, 1), 0.0f);
    EXPECT_EQ(t.Type(4, 0, 2), 7);
    EXPECT_EQ(t.Token(4, 2, 2), 3.5f);
    EXPECT_EQ(t.Type(4, 2, 3), 12);
    EXPECT_EQ(t.Token(4, 0, 3), 13.5f);

    // An empty file and a file with only a header: loaded, all 0.
    EXPECT_TRUE(t.Loaded(5));
    EXPECT_EQ(t.Token(5, 0, 0), 0.0f);
    EXPECT_TRUE(t.Loaded(7));
    EXPECT_EQ(t.Type(7, 0, 0), 0);

    // A type beyond 32 bits is not a number: row 0 ends at once; the number is row 1's label,
    // and "1e39" in the fifth type place ends row 1 and labels row 2.
    EXPECT_EQ(t.Type(6, 0, 0), 0);
    EXPECT_EQ(t.Type(6, 0, 1), 1);
    EXPECT_EQ(t.Type(6, 3, 1), 1);
    EXPECT_EQ(t.Type(6, 4, 1), 0);
    EXPECT_EQ(t.Type(6, 3, 2), 1);
    EXPECT_EQ(t.Token(6, 0, 2), 0.0f);

    EXPECT_FALSE(t.Loaded(8));
}

TEST(BigramTables, RowsBeyondTheLastBigramAreIgnored) {
    TempDir dir;
    std::string text = "header\n";
    for (int r = 0; r < 2000; ++r)
        text +=
            "row" + std::to_string(r) + ' ' + std::to_string(r) + ' ' + std::to_string(r) + ".5\n";
    WriteBytes(dir / "ZR_BF2.txt", text);
    RecordingFeedback fb;
    BigramTables t;
    t.Read(3, MeasuresData() / "ZR_BF3.txt", fb);
    t.Read(2, dir / "ZR_BF2.txt", fb);
    EXPECT_TRUE(t.Loaded(2));
    EXPECT_EQ(t.Type(2, 0, 728), 728);
    EXPECT_EQ(t.Token(2, 0, 728), 728.5f);
    // The next length's tables are untouched.
    EXPECT_EQ(t.Type(3, 0, 0), 0);
    EXPECT_EQ(t.Type(3, 0, 12), 4);
    EXPECT_EQ(t.Token(3, 1, 324), 50.0f);
}

} // namespace
} // namespace zirtel::test

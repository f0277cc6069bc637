// Reading the bigram files: rows in file order into the tables of their length (the files that
// do not follow the format are refused: corrupt_tables_test.cpp).
#include <gtest/gtest.h>

#include "core/measures/bigram_tables.h"
#include "measure_run.h"
#include "support/test_paths.h"

namespace zirtel::test {
namespace {

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

} // namespace
} // namespace zirtel::test

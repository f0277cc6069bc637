// The bigram and biphone table files written from a hand-made three-word lexicon.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/measures/bigram_table_writer.h"
#include "core/text/text_file.h"

namespace zirtel {
namespace {

// aba 1.50, abá 0.25, ñab 3.00 (Latin-1); pronunciations A-bA, A-'bA, JAb.
const std::vector<std::string> kWords = {"aba", "ab\xE1",
                                         "\xF1"
                                         "ab"};
const std::vector<std::string> kProns = {"A-bA", "A-'bA", "JAb"};
const std::vector<float> kFreqs = {1.5f, 0.25f, 3.0f};

TEST(BigramTableWriter, CountsLetterPairsByPositionAfterFoldingAccents) {
    const std::string text = BigramTableFileText(CountBigrams(kWords, kFreqs, 3));
    const auto lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 730u);
    EXPECT_EQ(lines[0], "Bigram\tType1\tType2\tToken1\tToken2");
    EXPECT_EQ(lines[1], "aa\t0\t0\t0.00\t0.00");
    EXPECT_EQ(lines[1 + 1], "ab\t2\t1\t1.75\t3.00");  // a,b = 0*27+1
    EXPECT_EQ(lines[1 + 27], "ba\t0\t2\t0.00\t1.75"); // b,a = 1*27+0
    EXPECT_EQ(lines[1 + 702], "\xC3\xB1"
                              "a\t1\t0\t3.00\t0.00"); // ñ,a = 26*27+0, UTF-8
    EXPECT_EQ(lines[1 + 26], "a\xC3\xB1\t0\t0\t0.00\t0.00");
    EXPECT_EQ(lines[729], "\xC3\xB1\xC3\xB1\t0\t0\t0.00\t0.00");
    EXPECT_EQ(text.back(), '\n');
    // Every other row is zero.
    int nonZero = 0;
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (lines[i].find("\t0\t0\t0.00\t0.00") == std::string_view::npos) ++nonZero;
    EXPECT_EQ(nonZero, 3);
}

TEST(BigramTableWriter, OnlyWordsOfTheTableLengthCount) {
    const std::string two = BigramTableFileText(CountBigrams(kWords, kFreqs, 2));
    const auto lines = SplitLines(two);
    ASSERT_EQ(lines.size(), 730u);
    EXPECT_EQ(lines[0], "Bigram\tType1\tToken1");
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].substr(lines[i].find('\t')), "\t0\t0.00") << i;

    // A pair with a sign outside the alphabet is not counted; the letters around it are.
    const PairTable t = CountBigrams({"a-bb"}, {2.0f}, 4);
    EXPECT_EQ(t.Types[2][1 * 27 + 1], 1);
    int total = 0;
    for (const auto& pos : t.Types)
        for (int v : pos) total += v;
    EXPECT_EQ(total, 1);
}

TEST(BiphoneTableWriter, CountsPhonemePairsWithoutSyllableAndStressMarks) {
    const std::string text = BiphoneTableFileText(CountBiphones(kProns, kFreqs, 3));
    const auto lines = SplitLines(text);
    ASSERT_EQ(lines.size(), 677u);
    EXPECT_EQ(lines[0], "Biphone\tType1\tType2\tToken1\tToken2");
    EXPECT_EQ(lines[1], "bb\t0\t0\t0.00\t0.00");
    EXPECT_EQ(lines[1 + 19], "bA\t0\t2\t0.00\t1.75");  // b,A = 0*26+19
    EXPECT_EQ(lines[1 + 409], "JA\t1\t0\t3.00\t0.00"); // J,A = 15*26+19
    EXPECT_EQ(lines[1 + 494], "Ab\t2\t1\t1.75\t3.00"); // A,b = 19*26+0
    EXPECT_EQ(lines[676], "LL\t0\t0\t0.00\t0.00");
    int nonZero = 0;
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (lines[i].find("\t0\t0\t0.00\t0.00") == std::string_view::npos) ++nonZero;
    EXPECT_EQ(nonZero, 3);
    // Four-phoneme words: none of the three.
    const PairTable four = CountBiphones(kProns, kFreqs, 4);
    for (const auto& pos : four.Types)
        for (int v : pos) EXPECT_EQ(v, 0);
    EXPECT_EQ(PhonemesOnly("\"A-'bA-tT"), "AbAtT");
}

} // namespace
} // namespace zirtel

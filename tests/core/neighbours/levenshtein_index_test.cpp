// The Levenshtein index: means of the k closest entries worked out by hand, the keys it
// compares, agreement with the plain dynamic programming on random and shipped data, and the
// Zipf scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/lexicon/lexicon.h"
#include "core/measures/lexical_measures.h"
#include "core/neighbours/levenshtein_index.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel::test {
namespace {

std::optional<double> BruteForce(const std::vector<std::string>& keys, std::string_view key,
                                 int k) {
    std::vector<int> d;
    for (const std::string& entry : keys)
        if (const int x = LevenshteinDistance(key, entry); x > 0) d.push_back(x);
    if (static_cast<int>(d.size()) < k) return std::nullopt;
    std::sort(d.begin(), d.end());
    double sum = 0;
    for (int i = 0; i < k; ++i) sum += d[static_cast<std::size_t>(i)];
    return sum / k;
}

// Every entry at a distance above 0 and up to the k-th smallest, by distance then entry.
std::vector<std::pair<std::uint32_t, int>> BruteForceEntries(const std::vector<std::string>& keys,
                                                             std::string_view key, int k) {
    std::vector<std::pair<int, std::uint32_t>> d;
    for (std::size_t e = 0; e < keys.size(); ++e)
        if (const int x = LevenshteinDistance(key, keys[e]); x > 0)
            d.push_back({x, static_cast<std::uint32_t>(e)});
    std::vector<std::pair<std::uint32_t, int>> within;
    if (static_cast<int>(d.size()) < k) return within;
    std::sort(d.begin(), d.end());
    for (const auto& [x, e] : d)
        if (x <= d[static_cast<std::size_t>(k - 1)].first) within.push_back({e, x});
    return within;
}

std::vector<std::pair<std::uint32_t, int>> Entries(const LevenshteinIndex::Closest& closest) {
    std::vector<std::pair<std::uint32_t, int>> entries;
    for (const LevenshteinIndex::Neighbour& n : closest.Entries)
        entries.push_back({n.Entry, n.Distance});
    return entries;
}

std::vector<std::string> Keys(const std::vector<std::string>& words) {
    std::vector<std::string> keys;
    for (const std::string& w : words) keys.push_back(OrthographicKey(w));
    return keys;
}

TEST(LevenshteinIndexTest, WorkedValues) {
    // BANG: BAND 1, COCO 4, BING 1, RANG 1, BONG 1, SONG 2.
    std::vector<std::string> bang{"BAND", "COCO", "BING", "RANG", "BONG", "SONG"};
    for (int pass = 0; pass < 2; ++pass) { // the second time with BANG itself in the lexicon
        const LevenshteinIndex index(bang);
        EXPECT_DOUBLE_EQ(*index.MeanClosest("BANG", 4), 1.0);
        EXPECT_DOUBLE_EQ(*index.MeanClosest("BANG", 5), 1.2);
        EXPECT_DOUBLE_EQ(*index.MeanClosest("BANG", 6), 10.0 / 6);
        EXPECT_FALSE(index.MeanClosest("BANG", 7));
        EXPECT_FALSE(index.MeanClosest("BANG"));
        bang.push_back("BANG");
    }

    // etxea: etxe etxean etxera 1, etxeko itxe atxe 2, mendia kafe 4, mendi katu 5.
    // etxeo: etxe etxea etxeko 1, etxean etxera itxe atxe 2. katua: katu 1, atxe kafe 3,
    // etxe etxea itxe 4.
    const LevenshteinIndex toy(Keys({"etxe", "etxea", "etxean", "etxera", "etxeko", "itxe", "atxe",
                                     "mendi", "mendia", "katu", "kafe"}));
    EXPECT_DOUBLE_EQ(*toy.MeanClosest("etxea", 3), 1.0);
    EXPECT_DOUBLE_EQ(*toy.MeanClosest("etxea", 5), 1.4);
    EXPECT_DOUBLE_EQ(*toy.MeanClosest("etxea", 10), 2.7); // (3 + 6 + 8 + 10) / 10
    EXPECT_FALSE(toy.MeanClosest("etxea", 11));
    EXPECT_FALSE(toy.MeanClosest("etxea"));
    EXPECT_DOUBLE_EQ(*toy.MeanClosest("etxeo", 5), 1.4);
    EXPECT_DOUBLE_EQ(*toy.MeanClosest("katua", 3), 7.0 / 3);
    EXPECT_DOUBLE_EQ(*toy.MeanClosest("katua", 5), 3.0);
    EXPECT_EQ(LevenshteinDistance("etxae", "etxea"), 2); // no transpositions

    // The 4th smallest distance from etxea is 2, shared by etxeko, itxe and atxe: all three
    // enter, with etxe, etxean and etxera at 1; the mean stays (3 + 2) / 4.
    const LevenshteinIndex::Closest closest = toy.ClosestEntries("etxea", 4);
    EXPECT_DOUBLE_EQ(*closest.Mean, 1.25);
    const std::vector<std::pair<std::uint32_t, int>> tied{{0, 1}, {2, 1}, {3, 1},
                                                          {4, 2}, {5, 2}, {6, 2}};
    EXPECT_EQ(Entries(closest), tied);
    EXPECT_EQ(Entries(toy.ClosestEntries("etxea", 3)),
              (std::vector<std::pair<std::uint32_t, int>>{{0, 1}, {2, 1}, {3, 1}}));
    const LevenshteinIndex::Closest none = toy.ClosestEntries("etxea", 11);
    EXPECT_FALSE(none.Mean);
    EXPECT_TRUE(none.Entries.empty());
    // A key twice: both entries enter.
    const LevenshteinIndex twice({"katu", "kafe", "katu", "mendi"});
    EXPECT_EQ(Entries(twice.ClosestEntries("katua", 1)),
              (std::vector<std::pair<std::uint32_t, int>>{{0, 1}, {2, 1}}));

    // More than 15 of one letter: the counts saturate, and the length difference still bounds
    // the distance. a^20 against a^10 .. a^40: 1, 1 (a^19, a^21), 2, 2, ... 10, 10.
    std::vector<std::string> runs;
    for (int n = 10; n <= 40; ++n) runs.push_back(std::string(static_cast<std::size_t>(n), 'a'));
    const LevenshteinIndex runIndex(runs);
    EXPECT_DOUBLE_EQ(*runIndex.MeanClosest(std::string(20, 'a'), 3), 4.0 / 3);
    EXPECT_DOUBLE_EQ(*runIndex.MeanClosest(std::string(20, 'a')), 5.5);
}

TEST(LevenshteinIndexTest, TwentyClosestInTheThirtyWordLexicon) {
    RecordingFeedback ui;
    Lexicon lex;
    ASSERT_TRUE(LoadWholeWordLexicon(TestData("levenshtein/nwfreq_EUS.txt"), lex, ui));
    ASSERT_EQ(lex.Size(), 30);
    EXPECT_TRUE(ui.Messages.empty());
    const LevenshteinIndex index(Keys(lex.LexWords));
    // lagun, and lagún folded: 0 (not counted). 1: lagin lagan ladun lagu lagunt alagun lakun
    // bagun; 2: lagunak lagunek lagina lagundu lagunei zagin lagunen lagunik lapur; 3: the first
    // three of laguntza lagunari legez lehen lauso lagabe lasai katu. (8 + 18 + 9) / 20.
    for (const char* item : {"lagun", "LAGUN", "lag\xFAn", "LAG\xDAN"})
        EXPECT_DOUBLE_EQ(*index.MeanClosest(OrthographicKey(item)), 1.75) << item;
    // laguna, not a word: 1: lagun lagún lagunt lagunak lagina; 2: fourteen; (5 + 28 + 3) / 20.
    EXPECT_DOUBLE_EQ(*index.MeanClosest(OrthographicKey("Laguna")), 1.8);

    EXPECT_EQ(OrthographicKey("\xD1"
                              "AND\xDA"),
              "\xF1"
              "andu"); // ÑANDÚ: ñ stays ñ
    EXPECT_EQ(OrthographicKey("G\xFC\xC9NA"), "guena");
    EXPECT_EQ(PhonologicalKey("lA-'gUn\"-dU"), "lAgUndU");
    const LevenshteinIndex phon({PhonologicalKey("lA-gUn"), PhonologicalKey("lA-gU-nAk")});
    EXPECT_DOUBLE_EQ(*phon.MeanClosest("lagun", 2), 3.0); // letter case counts: 2 and 4
}

TEST(LevenshteinIndexTest, SameAsThePlainDistanceOnRandomAndShippedData) {
    std::mt19937 rng(20);
    auto randomKey = [&rng](int length) {
        static const std::string letters = "abdeikn\xF1";
        std::string s;
        for (int i = 0; i < length; ++i) s += letters[rng() % letters.size()];
        return s;
    };
    std::vector<std::string> keys;
    for (int i = 0; i < 1500; ++i) keys.push_back(randomKey(static_cast<int>(rng() % 13)));
    for (int i = 0; i < 5; ++i) keys.push_back(randomKey(66 + i)); // longer than 64
    keys.push_back(keys[7]);                                       // a key twice
    const LevenshteinIndex index(keys);
    for (LevenshteinScan scan :
         {LevenshteinScan::Widest, LevenshteinScan::Sse2, LevenshteinScan::Portable}) {
        SetLevenshteinScan(scan);
        for (int i = 0; i < 150; ++i) {
            std::string key = i % 3 == 0 ? keys[rng() % keys.size()]
                                         : randomKey(static_cast<int>(rng() % 16) + (i == 1) * 60);
            if (i % 10 == 5 && !key.empty()) key[rng() % key.size()] = 'z'; // a letter no key has
            for (int k : {1, 3, 20, 2000}) {
                ASSERT_EQ(index.MeanClosest(key, k), BruteForce(keys, key, k))
                    << key << " " << k << " scan " << static_cast<int>(scan);
                const LevenshteinIndex::Closest closest = index.ClosestEntries(key, k);
                ASSERT_EQ(closest.Mean, BruteForce(keys, key, k)) << key << " " << k;
                ASSERT_EQ(Entries(closest), BruteForceEntries(keys, key, k)) << key << " " << k;
            }
        }
    }
    SetLevenshteinScan(LevenshteinScan::Widest);

    RecordingFeedback ui;
    Lexicon lex;
    ASSERT_TRUE(LoadWholeWordLexicon(ZIRTEL_SHIPPED_DATA "/nwfreq_EUS.txt", lex, ui));
    std::vector<std::string> phon;
    for (const std::string& p : lex.LexPhonForms) phon.push_back(PhonologicalKey(p));
    const std::vector<std::string> orth = Keys(lex.LexWords);
    const LevenshteinIndex orthIndex(orth), phonIndex(phon);
    for (int i = 0; i < 8; ++i) {
        const std::size_t entry = rng() % orth.size();
        std::string word = orth[entry];
        if (i % 2) word[rng() % word.size()] = 'k';
        EXPECT_EQ(orthIndex.MeanClosest(word), BruteForce(orth, word, 20)) << word;
        EXPECT_EQ(phonIndex.MeanClosest(phon[entry]), BruteForce(phon, phon[entry], 20)) << word;
    }
}

TEST(LevenshteinIndexTest, ZipfScale) {
    // Shipped frequencies per million: etxea 303.41, txakur 93.61, ababorrean 0.51.
    EXPECT_NEAR(*Zipf(303.41), 5.482, 5e-4);
    EXPECT_NEAR(*Zipf(93.61), 4.971, 5e-4);
    EXPECT_NEAR(*Zipf(0.51), 2.708, 5e-4);
    EXPECT_DOUBLE_EQ(*Zipf(1.0), 3.0);
    EXPECT_FALSE(Zipf(0.0));
    EXPECT_FALSE(Zipf(-2.0));
}

} // namespace
} // namespace zirtel::test

// The word-likeness check on a tiny hand-made mix. Distances worked out by hand:
//   kata: kala 1, kati 1 (a tie: kala first in the collation, a word: wrong)
//   kati: kata 1 (right; words from 2 on: kati gives the set away, by 1)
//   zuzu: zuri 2 (wrong)          kala: kata 1 (wrong)
//   mendi: kati 4, zuri 4 (tie: kati, a pseudoword: wrong)     zuri: zuzu 2 (wrong)
// One of six right: 16.7 %.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/generator/word_likeness.h"

namespace zirtel {
namespace {

TEST(WordLikeness, NearestNeighbourAccuracyAndTellingPseudowords) {
    const WordLikeness w = ClassifyByNearest({"kata", "kati", "zuzu"}, {"kala", "mendi", "zuri"});
    EXPECT_EQ(w.Pseudowords, 3u);
    EXPECT_EQ(w.Words, 3u);
    EXPECT_EQ(w.Correct, 1u);
    EXPECT_EQ(w.Telling, std::vector<std::string>{"kati"});
    EXPECT_EQ(WordLikenessText(w), "16.7 % of 6 strings told apart by their nearest neighbour "
                                   "(50 % is chance); most telling: kati");

    // Pairs of pseudowords one letter apart, far from the words: all telling, the farther
    // first. bobo and boba are 4 from etxe and zuri (3 beyond their pair), xyxy and xyxa 3 from
    // etxe (the x in third place), 2 beyond.
    const WordLikeness far = ClassifyByNearest({"xyxy", "xyxa", "bobo", "boba"}, {"etxe", "zuri"});
    EXPECT_EQ(far.Telling, (std::vector<std::string>{"boba", "bobo", "xyxa", "xyxy"}));
    EXPECT_EQ(far.Correct, 4u);
}

// One word per pseudoword, of its length, never a pseudoword itself nor drawn twice; the same
// seed draws the same words; a length no word has gets none.
TEST(WordLikeness, LengthMatchedWordsDrawnWithTheSeed) {
    const std::vector<std::string> lexicon{"etxe", "mendi", "Gela", "ur", "zuri", "lore", "itsaso"};
    const std::vector<std::string> pseudo{"gela", "kati", "mendu", "bota", "xxxxxxxxx"};
    const std::vector<std::string> drawn = LengthMatchedWords(lexicon, pseudo, 7);
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(drawn[2], "mendi");
    std::vector<std::string> fours{drawn[0], drawn[1], drawn[3]};
    std::sort(fours.begin(), fours.end());
    EXPECT_EQ(fours, (std::vector<std::string>{"etxe", "lore", "zuri"}));
    EXPECT_EQ(LengthMatchedWords(lexicon, pseudo, 7), drawn);
}

} // namespace
} // namespace zirtel

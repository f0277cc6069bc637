#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "core/lexicon/letter_hash_index.h"
#include "core/lexicon/lexicon.h"
#include "core/lexicon/presence_filter.h"
#include "core/text/letters.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

TEST(LetterHashIndex, FirstOfEqualKeysWinsWithCaseIgnoredOrExact) {
    const std::vector<std::string> keys = {"abar",
                                           "\xD1"
                                           "abar",
                                           "ABAR",
                                           "\xF1"
                                           "abar"};
    LetterHashIndex folded(LetterHashIndex::Match::IgnoreCase);
    folded.Build(keys);
    EXPECT_EQ(folded.Find(keys, "aBaR"), 0);
    EXPECT_EQ(folded.Find(keys, "\xF1"
                                "ABAR"),
              1); // ñ and Ñ are one letter
    EXPECT_EQ(folded.Find(keys, "abarr"), -1);
    LetterHashIndex exact(LetterHashIndex::Match::Exact);
    exact.Build(keys, {3, 2, 1, 0});
    EXPECT_EQ(exact.Find(keys, "ABAR"), 2);
    EXPECT_EQ(exact.Find(keys, "Abar"), -1);
    EXPECT_EQ(exact.Find(keys, "\xF1"
                               "abar"),
              3);
}

// Every text one letter away from shipped words, with capitals and accented letters among the
// inserted ones: the edit hashes equal the texts' own hashes, and the index finds the entry the
// lexicon's word and pronunciation lookups find.
TEST(LetterHashIndex, FindsWhatTheLexiconFindsForEveryOneLetterEdit) {
    test::RecordingFeedback fb;
    Lexicon lex;
    ASSERT_TRUE(LoadWholeWordLexicon(std::filesystem::path(ZIRTEL_SHIPPED_DATA) / "nwfreq_EUS.txt",
                                     lex, fb));
    LetterHashIndex words(LetterHashIndex::Match::IgnoreCase);
    words.Build(lex.LexWords);
    std::vector<std::string> prons;
    for (const std::string& p : lex.LexPhonForms) prons.push_back(RemoveHyphens(p));
    std::vector<int> byFrequency(prons.size());
    std::iota(byFrequency.begin(), byFrequency.end(), 0);
    std::stable_sort(byFrequency.begin(), byFrequency.end(),
                     [&lex](int a, int b) { return lex.LexFreqs[a] > lex.LexFreqs[b]; });
    LetterHashIndex sounds(LetterHashIndex::Match::Exact);
    sounds.Build(prons, byFrequency);

    std::string letters = "\xD1\xC1\xE9K";
    for (int i = 0; i < kAlphabetSize; ++i) letters += AlphabetLetter(i);
    int found = 0;
    auto check = [&](const LetterHashIndex& index, const std::vector<std::string>& keys,
                     const std::string& text, std::uint64_t hash, bool phon) {
        ASSERT_EQ(hash, index.Hash(text)) << text;
        const int expected = phon ? lex.FindPronunciation(text) : lex.Find(text);
        EXPECT_EQ(index.FindHashed(keys, text, hash), expected) << text;
        found += expected >= 0;
    };
    for (std::size_t e = 0; e < lex.LexWords.size(); e += 53) {
        for (int phon = 0; phon < 2; ++phon) {
            const std::string base = phon ? prons[e] : lex.LexWords[e];
            const LetterHashIndex& index = phon ? sounds : words;
            const std::vector<std::string>& keys = phon ? prons : lex.LexWords;
            const std::string alphabet = phon ? std::string(kPhonemeSymbols) : letters;
            const EditHashes edits(index, base);
            check(index, keys, base, edits.Whole(), phon);
            for (std::size_t at = 0; at <= base.size(); ++at) {
                if (at < base.size()) {
                    std::string del = base;
                    del.erase(at, 1);
                    check(index, keys, del, edits.Deleted(at), phon);
                }
                for (char c : alphabet) {
                    if (at < base.size()) {
                        std::string sub = base;
                        sub[at] = c;
                        check(index, keys, sub, edits.Substituted(at, c), phon);
                    }
                    std::string ins = base;
                    ins.insert(at, 1, c);
                    check(index, keys, ins, edits.Inserted(at, c), phon);
                }
            }
        }
    }
    EXPECT_GT(found, 5000); // the edits reach many words, not only the bases
}

// The filter in front of the pronunciation index never turns away a pronunciation the index
// holds, and lets through hardly any of the one-phoneme edits that are nobody's.
TEST(PresenceFilter, KeepsEveryKeyAndTurnsAwayNearlyEveryOtherText) {
    test::RecordingFeedback fb;
    Lexicon lex;
    ASSERT_TRUE(LoadWholeWordLexicon(std::filesystem::path(ZIRTEL_SHIPPED_DATA) / "nwfreq_EUS.txt",
                                     lex, fb));
    const LetterHashIndex& index = lex.PronunciationIndex();
    const PresenceFilter& filter = lex.PronunciationFilter();
    std::size_t longest = 0;
    for (const std::string& key : lex.PronunciationKeys()) {
        EXPECT_TRUE(filter.MayContain(key.size(), index.Hash(key))) << key;
        longest = std::max(longest, key.size());
    }
    EXPECT_FALSE(filter.MayContain(longest + 1, index.Hash(std::string(longest + 1, 'a'))));
    int absent = 0, passed = 0;
    for (std::size_t e = 0; e < lex.PronunciationKeys().size(); e += 29) {
        const std::string& base = lex.PronunciationKeys()[e];
        const EditHashes edits(index, base);
        for (std::size_t at = 0; at < base.size(); ++at)
            for (char c : kPhonemeSymbols) {
                std::string sub = base;
                sub[at] = c;
                const bool mayBe = filter.MayContain(sub.size(), edits.Substituted(at, c));
                if (lex.FindPronunciation(sub) >= 0) {
                    EXPECT_TRUE(mayBe) << sub;
                } else {
                    ++absent;
                    passed += mayBe;
                }
            }
    }
    EXPECT_GT(absent, 50000);
    EXPECT_LT(passed, absent / 100);
}

} // namespace
} // namespace zirtel

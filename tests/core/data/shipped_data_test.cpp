// The data files shipped with the program: they load with the program's own loaders, every word
// is found by lookup, the syllabifications and pronunciations are those of the engine's rules,
// and the pair tables describe the shipped lexicon.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

#include "core/lexicon/lexicon.h"
#include "core/measures/bigram_table_writer.h"
#include "core/measures/letters.h"
#include "core/phonology/pronunciation_rules.h"
#include "core/phonology/syllabifier.h"
#include "core/text/collation.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"
#include "support/recording_feedback.h"

namespace zirtel {
namespace {

const std::filesystem::path kData = ZIRTEL_SHIPPED_DATA;

const Lexicon& ShippedLexicon() {
    static const Lexicon lexicon = [] {
        Lexicon lex;
        test::RecordingFeedback feedback;
        EXPECT_TRUE(LoadWholeWordLexicon(kData / "nwfreq_EUS.txt", lex, feedback));
        EXPECT_TRUE(feedback.Messages.empty()) << feedback.MessageLines().front();
        return lex;
    }();
    return lexicon;
}

TEST(ShippedData, WholeWordLexiconLoadsInCollationOrderAndFindsWords) {
    const Lexicon& lex = ShippedLexicon();
    ASSERT_GE(lex.Size(), 50000);
    ASSERT_LE(lex.Size(), 60000);
    for (int i = 1; i < lex.Size(); ++i)
        ASSERT_LT(CollateCompare(lex.LexWords[i - 1], lex.LexWords[i]), 0) << lex.LexWords[i];

    // Counts in the source list: etxea 1183, bihotza 704, andereño 285, ez 146296 of 3,899,030
    // tokens; euskara occurs once only.
    struct Sample {
        const char* Word;
        float Freq;
        const char* Syllables;
        const char* Phonemes;
    };
    const Sample samples[] = {
        {"etxea", 303.41f, "e-txe-a", "E-txE-A"},
        {"bihotza", 180.56f, "bi-ho-tza", "bI-O-tTA"},
        {"andere\xF1o", 73.10f, "an-de-re-\xF1o", "An-dE-rE-JO"},
        {"ez", 37521.13f, "ez", "ET"},
    };
    for (const Sample& s : samples) {
        const int i = lex.Find(s.Word);
        ASSERT_GE(i, 0) << s.Word;
        EXPECT_EQ(lex.LexWords[i], s.Word);
        EXPECT_FLOAT_EQ(lex.LexFreqs[i], s.Freq) << s.Word;
        EXPECT_EQ(lex.LexOrthSylls[i], s.Syllables);
        EXPECT_EQ(lex.LexPhonForms[i], s.Phonemes);
    }
    EXPECT_EQ(lex.Find("ETXEA"), lex.Find("etxea"));
    EXPECT_EQ(lex.Find("euskara"), -1);
    EXPECT_EQ(lex.Find("john"), -1); // refused by the dictionary
}

TEST(ShippedData, EveryEntryFollowsTheSpellingAndPronunciationRules) {
    const Lexicon& lex = ShippedLexicon();
    for (int i = 0; i < lex.Size(); ++i) {
        const std::string& word = lex.LexWords[i];
        const std::string& pron = lex.LexPhonForms[i];
        ASSERT_FALSE(word.empty());
        ASSERT_TRUE(std::all_of(word.begin(), word.end(), IsCoveredLetter)) << word;
        ASSERT_FALSE(pron.empty()) << word;
        ASSERT_TRUE(std::all_of(
            pron.begin(), pron.end(),
            [](char c) { return c == '-' || kPhonemeSymbols.find(c) != std::string_view::npos; }))
            << word << " " << pron;
        ASSERT_EQ(lex.LexOrthSylls[i], Syllabify(word));
        ASSERT_EQ(pron, Pronounce(word).Text) << word;
        ASSERT_GE(lex.LexFreqs[i], 0.51f) << word; // a count of 2 or more
        ASSERT_EQ(lex.Find(word), i);
    }
}

TEST(ShippedData, PairTablesDescribeTheShippedLexicon) {
    const Lexicon& lex = ShippedLexicon();
    std::map<int, int> byLength, byPhonemes;
    for (int i = 0; i < lex.Size(); ++i) {
        ++byLength[static_cast<int>(lex.LexWords[i].size())];
        ++byPhonemes[static_cast<int>(PhonemesOnly(lex.LexPhonForms[i]).size())];
    }
    for (int n = 2; n <= 18; ++n) {
        const auto bf = ReadTextFile(kData / ("ZR_BF" + std::to_string(n) + ".txt"));
        const auto bpf = ReadTextFile(kData / ("ZR_BPF" + std::to_string(n) + ".txt"));
        ASSERT_TRUE(bf && bpf) << n;
        // The files are read as Latin-1 by the program; the writer gives UTF-8.
        EXPECT_EQ(Latin1ToUtf8(bf->Text),
                  BigramTableFileText(CountBigrams(lex.LexWords, lex.LexFreqs, n)))
            << n;
        EXPECT_EQ(bpf->Text, BiphoneTableFileText(CountBiphones(lex.LexPhonForms, lex.LexFreqs, n)))
            << n;
        // Each word of n letters has one pair at position 1: the first type column adds up to the
        // number of such words.
        const auto lines = SplitLines(bf->Text);
        ASSERT_EQ(lines.size(), 730u) << n;
        EXPECT_EQ(lines[27 * 26 + 26 + 1].substr(0, 2), "\xF1\xF1");
        long long firstColumn = 0;
        for (std::size_t r = 1; r < lines.size(); ++r) {
            const auto tokens = SplitTokens(lines[r]);
            ASSERT_EQ(tokens.size(), static_cast<std::size_t>(1 + 2 * (n - 1))) << n << ":" << r;
            firstColumn += ParseInt(tokens[1]).value_or(-1000000);
        }
        EXPECT_EQ(firstColumn, byLength[n]) << n;
        const auto plines = SplitLines(bpf->Text);
        ASSERT_EQ(plines.size(), 677u) << n;
        long long firstPhonColumn = 0;
        for (std::size_t r = 1; r < plines.size(); ++r)
            firstPhonColumn += ParseInt(SplitTokens(plines[r])[1]).value_or(-1000000);
        EXPECT_EQ(firstPhonColumn, byPhonemes[n]) << n;
    }
}

TEST(ShippedData, LemmaLexiconLoadsAndFindsLemmas) {
    Lexicon lemmas;
    test::RecordingFeedback feedback;
    ASSERT_TRUE(LoadLemmaLexicon(kData / "lemak_EUS2.txt", lemmas, feedback));
    EXPECT_TRUE(feedback.Messages.empty());
    EXPECT_GE(lemmas.Size(), 20000);
    EXPECT_LT(lemmas.Size(), ShippedLexicon().Size());
    for (const char* lemma : {"etxe", "izan", "mendi", "bihotz"})
        EXPECT_GE(lemmas.Find(lemma), 0) << lemma;
    // etxe gathers etxea, etxean, etxera, ...: more than any one of its forms.
    EXPECT_GT(lemmas.LexFreqs[lemmas.Find("etxe")], 303.41f);
    // The form etxea is not a lemma of its own.
    EXPECT_EQ(lemmas.Find("etxea"), -1);
}

} // namespace
} // namespace zirtel

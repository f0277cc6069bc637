// Where an item's pronunciation comes from, and its pseudohomophone, over the lexicon in
// tests/data/rule_pronunciations/nwfreq_EUS.txt.
#include "core/phonology/item_pronunciation.h"

#include <gtest/gtest.h>

#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel::test {
namespace {

Lexicon LoadRuleLexicon() {
    RecordingFeedback ui;
    Lexicon lex;
    EXPECT_TRUE(LoadWholeWordLexicon(TestData("rule_pronunciations") / "nwfreq_EUS.txt", lex, ui));
    EXPECT_TRUE(ui.Messages.empty());
    return lex;
}

void Expect(const Lexicon& lex, const char* item, bool rules, PronunciationSource source,
            const char* phon, const char* syllables, const char* sourceText) {
    SCOPED_TRACE(std::string(item) + (rules ? " with the rules" : " without the rules"));
    const ItemPhonology p = PronounceItem(lex, item, rules);
    EXPECT_EQ(p.Source, source);
    EXPECT_EQ(p.Phon, phon);
    EXPECT_EQ(p.Syllables, syllables);
    EXPECT_STREQ(PronunciationSourceText(p.Source), sourceText);
}

TEST(ItemPronunciation, LexiconFirstThenRulesForPronounceableItems) {
    const Lexicon lex = LoadRuleLexicon();
    using S = PronunciationSource;
    // A word: its entry, letter case ignored, whether or not the rules are asked for.
    Expect(lex, "KATU", false, S::Lexicon, "kA-tU", "ka-tu", "hiztegia");
    Expect(lex, "katu", true, S::Lexicon, "kA-tU", "ka-tu", "hiztegia");
    EXPECT_EQ(PronounceItem(lex, "Katu", true).Entry, 6);
    // Not a word: nothing without the rules; the lower-cased item's rules with them.
    Expect(lex, "hetxea", false, S::None, "", "", "");
    Expect(lex, "HeTxea", true, S::Rules, "E-txE-A", "he-txe-a", "arauak");
    Expect(lex, "zenbat", true, S::Rules, "TEm-bAt", "zen-bat", "arauak");
    Expect(lex, "ketchup", true, S::Rules, "kE-txUp", "ket-chup", "arauak");
    EXPECT_EQ(PronounceItem(lex, "hetxea", true).Entry, -1);
    // What the rules cannot pronounce: a digit, an apostrophe, a letter outside them, no vowel.
    for (const char* item : {"katu2", "kat'u", "ka\xE7u", "krt", ""})
        Expect(lex, item, true, S::None, "", "", "");
}

// hetxea /E-txE-A/: etxea and etxeha share that pronunciation; etxea, first in list order, is
// the pseudohomophone although etxeha is the more frequent. iru /I-rU/ -> hiru, qatu /kA-tU/ ->
// katu; a pronunciation no entry has, or one that differs in its syllable marks, has none.
TEST(ItemPronunciation, PseudohomophoneIsFirstEntryWithThePronunciation) {
    const Lexicon lex = LoadRuleLexicon();
    auto pseudo = [&lex](const char* item) {
        const int e = FindPseudohomophone(lex, PronounceItem(lex, item, true).Phon);
        return e < 0 ? std::string("-1") : lex.LexWords[static_cast<std::size_t>(e)];
    };
    EXPECT_EQ(pseudo("hetxea"), "etxea");
    EXPECT_EQ(pseudo("iru"), "hiru");
    EXPECT_EQ(pseudo("qatu"), "katu");
    EXPECT_EQ(pseudo("batu"), "-1");
    EXPECT_EQ(pseudo("2tu"), "-1");
    EXPECT_EQ(FindPseudohomophone(lex, "kAtU"), -1);
}

} // namespace
} // namespace zirtel::test

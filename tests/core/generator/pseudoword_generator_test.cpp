// The pseudoword generator on a hand-made lexicon of 41 words (tests/data/generator): 26 of two
// syllables, 7 of three, 8 of one.
#include "core/generator/pseudoword_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/feedback/feedback.h"
#include "core/generator/old20_function.h"
#include "core/generator/pseudoword_table.h"
#include "core/generator/segments.h"
#include "core/phonology/pronunciation_rules.h"
#include "core/text/latin1.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

Lexicon HandLexicon() {
    Lexicon lexicon;
    SilentFeedback silent;
    EXPECT_TRUE(LoadWholeWordLexicon(test::TestData("generator/nwfreq_EUS.txt"), lexicon, silent));
    return lexicon;
}

// A stand-in OLD20 whose values are easy to follow: 2 plus a quarter per letter e.
std::optional<double> QuarterPerE(std::string_view word) {
    return 2.0 + 0.25 * static_cast<double>(std::count(word.begin(), word.end(), 'e'));
}

GeneratorSettings Settings(int count, std::uint64_t seed) {
    GeneratorSettings s;
    s.Count = count;
    s.Seed = seed;
    return s;
}

TEST(PseudowordGenerator, SegmentsAndTransitionCountsOfTheLexicon) {
    const std::optional<Segmentation> eskola = SegmentWord("Eskola");
    ASSERT_TRUE(eskola);
    EXPECT_EQ(eskola->Segments,
              (std::vector<std::string>{"", "e", "s", "k", "o", "", "l", "a", ""}));
    EXPECT_EQ(SegmentWord("hau")->Segments, (std::vector<std::string>{"h", "au", ""}));
    EXPECT_FALSE(SegmentWord("txst"));

    const Lexicon lexicon = HandLexicon();
    const PseudowordGenerator gen(lexicon, {});
    const TransitionTable& t = gen.Table();
    // Two syllables: gela gona gazta begin with g; behi bero beta have b + e.
    EXPECT_EQ(t.Count(2, 0, "^", "g"), 3);
    EXPECT_EQ(t.Count(2, 1, "b", "e"), 3);
    // e and no coda in the first syllable: behi bero beta egun etxe gela vela zeru.
    EXPECT_EQ(t.Count(2, 2, "e", ""), 8);
    // No coda, then l: gela kale vela; no coda, then r: bero hiru lore sare txori zeru hura.
    EXPECT_EQ(t.Count(2, 3, "", "l"), 3);
    EXPECT_EQ(t.Count(2, 3, "", "r"), 7);
    // Every two-syllable word but egun and lagun ends without a coda.
    EXPECT_EQ(t.Count(2, 6, "", "$"), 24);
    // The syllable count is part of the key: ate egun etxe ume asko esne, but etxea eskola.
    EXPECT_EQ(t.Count(2, 0, "^", ""), 6);
    EXPECT_EQ(t.Count(3, 0, "^", ""), 2);
    EXPECT_EQ(t.Count(3, 6, "", ""), 6);
    EXPECT_EQ(t.Count(1, 1, "b", "ai"), 1);
    EXPECT_EQ(t.Count(2, 1, "g", "i"), 0);

    // The draw of the program's own: the 10,000th output of the default-seeded engine is
    // 9981545732273789042 (fixed by the standard), so a draw below 10 there gives 2.
    RandomEngine engine;
    engine.discard(9999);
    EXPECT_EQ(BoundedDraw(engine, 10), 2u);
}

TEST(PseudowordGenerator, Old20OfTheLexiconWords) {
    const Lexicon lexicon = HandLexicon();
    const PseudowordGenerator::Old20Function old20 = MakeOld20Function(lexicon);
    // gela itself (0) is not counted: vela 1; beta gona 2; behi bero ez gazta gu hura kale zeru
    // zerua 3; eight more at 4: 64 / 20.
    EXPECT_DOUBLE_EQ(*old20("GELA"), 3.2);
    Lexicon small;
    small.LexWords = {"etxe", "etxea", "mendi"};
    EXPECT_FALSE(MakeOld20Function(small)("etxe"));
}

// gela is g e - l a - (two syllables, four non-empty segments): a candidate keeps 3 of them.
// Changing one, with pairs the lexicon has and lengths kept: zela mela (bela sounds as vela,
// vela is a word), gola gala, geta gena gera, gele. Their counts against gela's
// (^g 3, ge 1, e- 8, -l 3, la 2, a- 6, -$ 24): zela ^z 1 ze 1; mela ^m 1 me 1; gola go 1 o- 3;
// gala ga 1 a- 7; geta -t 3 ta 2; gena -n 1 na 1; gera -r 7 ra 1; gele le 1 e- 8.
TEST(PseudowordGenerator, SeededRunOfATinySpaceEndsExhausted) {
    const Lexicon lexicon = HandLexicon();
    const PseudowordGenerator gen(lexicon, QuarterPerE);
    const GeneratorRun run = gen.Generate({"gela"}, Settings(10, 42));

    ASSERT_EQ(run.Outcomes.size(), 1u);
    EXPECT_EQ(run.Outcomes[0].Found, 8);
    EXPECT_EQ(run.Outcomes[0].Reason, StopReason::Exhausted);
    EXPECT_EQ(StopReasonText(run.Outcomes[0].Reason, 0), "bilaketa-espazioa agortu da");
    // Band 2 allows the first six; gera (deviation 4) comes with band 4, gola (5) with band 8.
    ASSERT_EQ(run.Pseudowords.size(), 8u);
    std::set<std::string> first;
    for (int i = 0; i < 6; ++i)
        first.insert(run.Pseudowords[static_cast<std::size_t>(i)].Pseudoword);
    EXPECT_EQ(first, (std::set<std::string>{"zela", "mela", "gala", "geta", "gena", "gele"}));
    // The seed fixes the order of the first six.
    EXPECT_EQ(PseudowordTableText(run.Pseudowords),
              "template\tpseudoword\tsyllables\toverlap\tmax_dev\tsum_dev\tOLD20\tOLD20_diff\t"
              "pronunciation\n"
              "gela\tgala\tga-la\t3/4\t1\t1\t2.00\t-0.25\tgA-lA\n"
              "gela\tmela\tme-la\t3/4\t2\t2\t2.25\t0.00\tmE-lA\n"
              "gela\tzela\tze-la\t3/4\t2\t2\t2.25\t0.00\tTE-lA\n"
              "gela\tgele\tge-le\t3/4\t2\t3\t2.50\t0.25\tgE-lE\n"
              "gela\tgena\tge-na\t3/4\t2\t3\t2.25\t0.00\tgE-nA\n"
              "gela\tgeta\tge-ta\t3/4\t0\t0\t2.25\t0.00\tgE-tA\n"
              "gela\tgera\tge-ra\t3/4\t4\t5\t2.25\t0.00\tgE-rA\n"
              "gela\tgola\tgo-la\t3/4\t5\t5\t2.00\t-0.25\tgO-lA\n");
    EXPECT_EQ(PseudowordTableText(gen.Generate({"gela"}, Settings(10, 42)).Pseudowords),
              PseudowordTableText(run.Pseudowords));

    // The cap of examined walks; templates that cannot give any candidate.
    GeneratorSettings capped = Settings(10, 42);
    capped.MaxCandidates = 3;
    const GeneratorRun short_ = gen.Generate({"gela", "krr", "e"}, capped);
    EXPECT_EQ(short_.Outcomes[0].Examined, 3);
    EXPECT_EQ(short_.Outcomes[0].Reason, StopReason::CandidateCap);
    EXPECT_EQ(StopReasonText(StopReason::CandidateCap, 3), "3 hautagai aztertu dira (muga)");
    EXPECT_EQ(short_.Outcomes[1].Reason, StopReason::NoVowel);
    EXPECT_EQ(short_.Outcomes[2].Reason, StopReason::NoOverlap);
    EXPECT_EQ(short_.Outcomes[2].Found, 0);
}

TEST(PseudowordGenerator, ExcludedWordsAreNotCandidates) {
    test::TempDir dir;
    test::WriteBytes(dir / "exclude.txt", "MELA\r\n\r\n  Z\xC3\xA9la \n");
    const std::optional<std::vector<std::string>> words = ReadWordList(dir / "exclude.txt");
    ASSERT_TRUE(words);
    EXPECT_EQ(*words, (std::vector<std::string>{"MELA", "Z\xE9la"}));
    EXPECT_FALSE(ReadWordList(dir / "missing.txt"));

    const Lexicon lexicon = HandLexicon();
    PseudowordGenerator gen(lexicon, {});
    gen.SetExcludedWords(*words);
    const GeneratorRun run = gen.Generate({"gela"}, Settings(10, 7));
    std::set<std::string> found;
    for (const GeneratedPseudoword& w : run.Pseudowords) found.insert(w.Pseudoword);
    EXPECT_EQ(found, (std::set<std::string>{"gala", "geta", "gena", "gele", "gera", "gola"}));
    EXPECT_EQ(run.Outcomes[0].Reason, StopReason::Exhausted);
    // Without an OLD20 the two columns say NA.
    EXPECT_EQ(PseudowordCells(run.Pseudowords[0])[6], "NA");
    EXPECT_EQ(PseudowordCells(run.Pseudowords[0])[7], "NA");
}

// gela's candidates (gala, geta, gena, gele, gera, gola, mela, zela) against the Spanish words
// gala, vela and gema: not gala; with at most 0 Spanish words one letter away, only gele (geta,
// gena and gera have gema, gola gala, mela and zela vela).
TEST(PseudowordGenerator, SpanishWordsAndTheirNeighboursCanBeLeftOut) {
    test::TempDir dir;
    test::WriteBytes(dir / "es.txt", "Gala\t3.0\tgala\nvela\t2.0\tvela\ngema\t1.0\tgema\n");
    SpanishWords spanish;
    SilentFeedback silent;
    ASSERT_TRUE(LoadSpanishWords(dir / "es.txt", spanish, silent));
    const Lexicon lexicon = HandLexicon();
    PseudowordGenerator gen(lexicon, {});
    auto made = [&] {
        std::set<std::string> found;
        for (const GeneratedPseudoword& w : gen.Generate({"gela"}, Settings(10, 7)).Pseudowords)
            found.insert(w.Pseudoword);
        return found;
    };
    gen.SetSpanishWords(&spanish);
    EXPECT_EQ(made(),
              (std::set<std::string>{"geta", "gena", "gele", "gera", "gola", "mela", "zela"}));
    gen.SetSpanishWords(&spanish, 0);
    EXPECT_EQ(made(), (std::set<std::string>{"gele"}));
}

// With the origins, vela (atzerrikoa) and zeru (izena) add nothing to the table and give no
// pseudoword as templates; they stay words of the lexicon. gela's candidates (see above) lose zela,
// whose ^z and ze came from zeru alone.
TEST(PseudowordGenerator, ForeignWordsAndNamesAreLeftOutGivenTheOrigins) {
    const Lexicon lexicon = HandLexicon();
    WordOrigins origins;
    origins.Words = {"vela", "zeru", "gela"};
    origins.Origins = {WordOrigin::Atzerrikoa, WordOrigin::Izena, WordOrigin::Euskara};
    origins.BuildIndex();
    const PseudowordGenerator gen(lexicon, {}, &origins);
    const TransitionTable& t = gen.Table();
    EXPECT_EQ(t.Count(2, 0, "^", "v"), 0);
    EXPECT_EQ(t.Count(2, 0, "^", "z"), 0);
    EXPECT_EQ(t.Count(2, 2, "e", ""), 6); // behi bero beta egun etxe gela
    EXPECT_EQ(t.Count(2, 3, "", "r"), 6); // bero hiru lore sare txori hura

    const GeneratorRun run = gen.Generate({"Gela", "VELA", "zeru"}, Settings(10, 42));
    std::set<std::string> found;
    for (const GeneratedPseudoword& w : run.Pseudowords) found.insert(w.Pseudoword);
    EXPECT_EQ(found,
              (std::set<std::string>{"mela", "gala", "geta", "gena", "gele", "gera", "gola"}));
    EXPECT_EQ(run.Outcomes[0].Reason, StopReason::Exhausted);
    for (std::size_t i : {1u, 2u}) {
        EXPECT_EQ(run.Outcomes[i].Reason, StopReason::ForeignWord);
        EXPECT_EQ(run.Outcomes[i].Found, 0);
    }
    EXPECT_EQ(StopReasonText(StopReason::ForeignWord, 0),
              "txantiloia atzerriko hitza edo izena da: ez da erabiltzen");
}

// Every candidate of several templates, with and without the length match.
TEST(PseudowordGenerator, EveryCandidateMeetsTheRules) {
    const Lexicon lexicon = HandLexicon();
    const PseudowordGenerator gen(lexicon, QuarterPerE);
    const std::vector<std::string> templates{"mendia", "lagun", "Etxea", "txori", "katu", "bero"};
    for (const bool match : {true, false}) {
        GeneratorSettings s = Settings(1000, 3);
        s.MatchLengths = match;
        const GeneratorRun run = gen.Generate(templates, s);
        std::set<std::string> seen;
        for (const GeneratedPseudoword& w : run.Pseudowords) {
            SCOPED_TRACE(w.Template + " -> " + w.Pseudoword);
            const Segmentation t = *SegmentWord(w.Template);
            const std::optional<Segmentation> c = SegmentWord(w.Pseudoword);
            ASSERT_TRUE(c);
            EXPECT_EQ(c->SyllableCount(), t.SyllableCount());
            int nonEmpty = 0, kept = 0;
            for (std::size_t i = 0; i < t.Segments.size(); ++i) {
                if (match) {
                    EXPECT_EQ(c->Segments[i].size(), t.Segments[i].size());
                }
                if (t.Segments[i].empty()) continue;
                ++nonEmpty;
                if (c->Segments[i] == t.Segments[i]) ++kept;
            }
            EXPECT_EQ(w.TemplateSegments, nonEmpty);
            EXPECT_EQ(w.KeptSegments, kept);
            EXPECT_EQ(kept, PseudowordGenerator::TargetOverlap(nonEmpty, 2, 3));
            EXPECT_EQ(lexicon.Find(w.Pseudoword), -1);
            EXPECT_EQ(lexicon.FindPronunciation(RemoveHyphens(Pronounce(w.Pseudoword).Text)), -1);
            EXPECT_NE(w.Pseudoword, LowerLatin1(w.Template));
            EXPECT_TRUE(seen.insert(w.Pseudoword).second);
        }
        // mendia and etxea have no candidate here: no other three-syllable word begins with a
        // vowel or has tx second, and mendia's coda n is the only one before d.
        EXPECT_GE(run.Pseudowords.size(), 20u);
        for (const TemplateOutcome& o : run.Outcomes)
            EXPECT_EQ(o.Reason, StopReason::Exhausted) << o.Template;
    }
    // The overlap target: nearest integer, at least 1, at most all but one.
    EXPECT_EQ(PseudowordGenerator::TargetOverlap(4, 2, 3), 3);
    EXPECT_EQ(PseudowordGenerator::TargetOverlap(6, 2, 3), 4);
    EXPECT_EQ(PseudowordGenerator::TargetOverlap(3, 1, 2), 2); // 1.5 rounds up
    EXPECT_EQ(PseudowordGenerator::TargetOverlap(5, 1, 1), 4);
    EXPECT_EQ(PseudowordGenerator::TargetOverlap(5, 0, 1), 1);
    EXPECT_EQ(PseudowordGenerator::TargetOverlap(1, 2, 3), 0);
}

} // namespace
} // namespace zirtel

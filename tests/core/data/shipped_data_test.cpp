// The data files shipped with the program: they load with the program's own loaders, every word
// is found by lookup, the syllabifications and pronunciations are those of the engine's rules,
// and the pair tables describe the shipped lexicon.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "core/analysis/workspace.h"
#include "core/lexicon/lexicon.h"
#include "core/lexicon/morphology.h"
#include "core/measures/bigram_table_writer.h"
#include "core/phonology/pronunciation_rules.h"
#include "core/phonology/syllabifier.h"
#include "core/text/collation.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"
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
        // c before e, i or y is T unless the word is an English or French loan (s).
        if (pron != Pronounce(word).Text) {
            ASSERT_EQ(pron, Pronounce(word, SoftC::EnglishOrFrench).Text) << word;
        }
        ASSERT_GE(lex.LexFreqs[i], 0.51f) << word; // a count of 2 or more
        ASSERT_EQ(lex.Find(word), i);
    }
}

TEST(ShippedData, OriginFileIsTheWholeWordFileWithTheOrigin) {
    const auto words = ReadTextFile(kData / "nwfreq_EUS.txt");
    const auto origins = ReadTextFile(kData / "jatorria_EUS.txt");
    ASSERT_TRUE(words && origins);
    const auto w = SplitLines(words->Text);
    const auto o = SplitLines(origins->Text);
    ASSERT_EQ(w.size(), o.size());
    std::map<std::string, std::string> originOf;
    for (std::size_t i = 0; i < w.size(); ++i) {
        const std::size_t tab = o[i].rfind('\t');
        ASSERT_EQ(o[i].substr(0, tab), w[i]);
        const std::string origin(o[i].substr(tab + 1));
        ASSERT_TRUE(origin == "euskara" || origin == "mailegua" || origin == "atzerrikoa" ||
                    origin == "izena" || origin == "kreditua")
            << o[i];
        originOf[std::string(w[i].substr(0, w[i].find('\t')))] = origin;
    }
    for (const char* basque : {"bat", "zure", "etxea", "al", "nora", "maite"})
        EXPECT_EQ(originOf[basque], "euskara") << basque;
    for (const char* loan : {"familia", "hotel", "taxi"})
        EXPECT_EQ(originOf[loan], "mailegua") << loan;
    for (const char* foreign : {"bueno", "sheriff", "sheriffa", "lady", "del"})
        EXPECT_EQ(originOf[foreign], "atzerrikoa") << foreign;
    for (const char* name : {"henry", "max", "maria", "jesus"}) EXPECT_EQ(originOf[name], "izena");
    for (const char* credit : {"and", "itzultzailea", "zuzenketak", "sinkronizazioa"})
        EXPECT_EQ(originOf[credit], "kreditua") << credit;
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
    EXPECT_GE(lemmas.Size(), 10000); // 14,565 once unknown forms are stemmed
    EXPECT_LT(lemmas.Size(), ShippedLexicon().Size());
    for (const char* lemma : {"etxe", "izan", "mendi", "bihotz"})
        EXPECT_GE(lemmas.Find(lemma), 0) << lemma;
    // etxe gathers etxea, etxean, etxera, ...: more than any one of its forms.
    EXPECT_GT(lemmas.LexFreqs[lemmas.Find("etxe")], 303.41f);
    // The form etxea is not a lemma of its own.
    EXPECT_EQ(lemmas.Find("etxea"), -1);
}

// The lemma rules on the shipped data: ba-prefixed verb forms go to the verb, a homograph shares
// by support, unknown forms are stemmed, and no lemma gets more than the forms that feed it. The
// figures of the build before these rules: ba 11,267.55, jakin 4,263.50, ukan 82,079.90,
// joan 7,743.21; the form ba alone has 1,290.06.
TEST(ShippedData, LemmaLexiconFollowsTheLemmaRules) {
    Lexicon lemmas;
    test::RecordingFeedback feedback;
    ASSERT_TRUE(LoadLemmaLexicon(kData / "lemak_EUS2.txt", lemmas, feedback));
    const Lexicon& words = ShippedLexicon();
    auto lemma = [&](const char* l) {
        const int i = lemmas.Find(l);
        EXPECT_GE(i, 0) << l;
        return i < 0 ? -1.0 : static_cast<double>(lemmas.LexFreqs[i]);
    };
    auto word = [&](const char* w) {
        const int i = words.Find(w);
        EXPECT_GE(i, 0) << w;
        return i < 0 ? -1.0 : static_cast<double>(words.LexFreqs[i]);
    };
    for (int i = 1; i < lemmas.Size(); ++i)
        ASSERT_LT(CollateCompare(lemmas.LexWords[i - 1], lemmas.LexWords[i]), 0)
            << lemmas.LexWords[i];

    EXPECT_GE(lemma("ba"), 1290.0);
    EXPECT_LT(lemma("ba"), 1290.06 * 1.05);
    EXPECT_GE(lemma("ukan"), 82079.90 + word("baduzu") + word("baditut"));
    EXPECT_GE(lemma("joan"), 7743.21 + word("banoa"));
    EXPECT_GE(lemma("jakin"), 4263.50 + word("badakit"));
    // Stemmed by Hunspell: bakoitza, laztana; andre gathers andrea.
    EXPECT_GT(lemma("bakoitz"), 0.0);
    EXPECT_GT(lemma("laztan"), 0.0);
    EXPECT_GE(lemma("andre"), word("andrea"));
    // A rare homograph no longer takes half of a common word.
    EXPECT_LT(lemma("batu"), 0.1 * lemma("bat"));
    EXPECT_LT(lemma("bainatu"), 0.1 * lemma("baina"));
    EXPECT_LT(lemma("behartu"), 0.1 * lemma("behar"));
    EXPECT_LT(lemma("zendu"), 0.1 * lemma("izan"));
    // By morphology, not by string: bere goes to bera, not to the analyser's stem ber; ene is its
    // own lemma, not "en"; stems in -rr and bare verb stems are folded into their lemma;
    // lexicalised postpositional forms are lemmas.
    EXPECT_LT(lemma("ber"), 10.0);
    EXPECT_GE(lemma("bera"), word("bere"));
    EXPECT_EQ(lemmas.Find("en"), -1);
    EXPECT_EQ(lemmas.Find("eskerr"), -1);
    EXPECT_EQ(lemmas.Find("jatorr"), -1);
    EXPECT_GE(lemma("esker"), word("eskerrik"));
    EXPECT_LT(lemma("gerta"), 0.01 * lemma("gertatu"));
    EXPECT_GE(lemma("aurretik"), word("aurretik"));
    EXPECT_GE(lemma("jakin"), 4263.50 + word("badakit") + word("badakizu"));
    // The credit artefacts are in neither file.
    for (const char* artefact : {"azpitituluak", "itzulpena", "euskaratzailea"}) {
        EXPECT_EQ(words.Find(artefact), -1) << artefact;
        EXPECT_EQ(lemmas.Find(artefact), -1) << artefact;
    }

    // Every form's frequency is shared out, no more: the lemma frequencies add up to the word
    // frequencies (each rounded to two decimals).
    double wordSum = 0, lemmaSum = 0;
    for (float f : words.LexFreqs) wordSum += f;
    for (float f : lemmas.LexFreqs) lemmaSum += f;
    EXPECT_NEAR(lemmaSum, wordSum, 0.0001 * wordSum);

    // The sample in README.md: each lemma entry with the forms that feed it ("form share" or
    // "form share of whole"); the forms are in the whole-word file with that frequency, and the
    // lemma has no more than they hold.
    const auto readme = ReadTextFile(kData / "README.md");
    ASSERT_TRUE(readme);
    const auto lines = SplitLines(readme->Text);
    auto at = std::find_if(lines.begin(), lines.end(), [](std::string_view l) {
        return l.find("Sample of 30 lemma entries") != std::string::npos;
    });
    ASSERT_NE(at, lines.end());
    int checked = 0;
    for (++at; at != lines.end() && at->find(':') != std::string::npos; ++at) {
        std::istringstream in(Utf8ToLatin1(std::string(*at)).Text);
        std::string name, entry;
        double listed = 0;
        in >> name >> listed;
        ASSERT_NEAR(lemma(name.c_str()), listed, 0.005) << name;
        in.ignore(1); // ':'
        double whole = 0;
        int forms = 0;
        bool complete = true;
        while (std::getline(in, entry, ',')) {
            std::istringstream e(entry);
            std::string form, of;
            double share = 0, all = -1;
            e >> form >> share;
            if (form == "and") {
                complete = false;
                break;
            }
            if (e >> of >> all) {
                ASSERT_EQ(of, "of") << entry;
            }
            if (all < 0) all = share;
            EXPECT_NEAR(word(form.c_str()), all, 0.005) << form;
            EXPECT_LE(share, all + 0.005) << form;
            whole += all;
            ++forms;
        }
        if (complete) {
            // each figure rounded to two decimals
            EXPECT_LE(listed, whole + 0.005 * (forms + 1)) << name;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 30);
}

// The form file covers every form of the whole-word lexicon, in collation order, each form's
// shares adding up to 1; three words have the values that tools/measures/shipped_values.py works
// out from the shipped files alone.
TEST(ShippedData, FormFileAndTheMeasuresThatReadIt) {
    const std::optional<TextFile> file = ReadTextFile(kData / kFormFile);
    ASSERT_TRUE(file);
    std::map<std::string, double> shares;
    std::string previous;
    for (std::string_view line : SplitLines(file->Text)) {
        const std::vector<std::string_view> t = SplitTokens(line);
        if (t.empty()) continue;
        ASSERT_EQ(t.size(), 3u) << line;
        const std::string form(t[0]);
        if (form != previous) {
            ASSERT_LT(CollateCompare(previous, form), 0) << form;
        }
        previous = form;
        shares[form] += *ParseFloat(t[2]);
    }
    const Lexicon& words = ShippedLexicon();
    EXPECT_EQ(shares.size(), words.LexWords.size());
    for (const std::string& w : words.LexWords) EXPECT_NEAR(shares[w], 1.0, 0.0005) << w;

    test::RecordingFeedback ui;
    Workspace ws(ui, kData);
    ws.Startup();
    ws.Setup.Options.UntickAllFields();
    for (const char* box :
         {"PhonSegProbBox", "LetterProbBox", "OrthUniquenessBox", "PhonClusteringBox",
          "OLD20FreqBox", "PLD20FreqBox", "LemmaBox", "FamilyBox", "EntropyBox"})
        ws.Setup.Options.SetTicked(box, true);
    ws.Decimals = 4;
    ws.AssignColumns();
    for (const char* item : {"etxea", "mendian", "lagun"}) ws.EnterTypedItem(item);
    ws.AnalyseAll();
    std::vector<std::string> rows;
    for (int r = 1; r <= 3; ++r) {
        std::string row;
        for (int c = 2; c < ws.NextCol; ++c) (row += Trim(ws.OutputGrid.Cell(c, r))) += " ";
        rows.push_back(row);
    }
    // FP_SEG OP_SEG UP_ORT CC_FON OLD20F PLD20F LEMA FAMILIA ENTROPIA
    EXPECT_EQ(rows,
              (std::vector<std::string>{"0.4322 0.4171 6 0.3333 3.9843 3.8830 etxe 55 3.0312 ",
                                        "0.6169 0.6573 7 0.1000 3.5777 3.5784 mendi 23 3.5370 ",
                                        "0.3920 0.4195 6 0.3333 3.9043 3.8473 lagun 40 2.6266 "}));
}

} // namespace
} // namespace zirtel

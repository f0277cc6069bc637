// The syllabifier and the pronunciation rules on Basque words whose syllables and phonemes were
// worked out by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/phonology/pronunciation_rules.h"
#include "core/phonology/syllabifier.h"

namespace zirtel {
namespace {

struct Case {
    const char* Word; // Latin-1
    const char* Syllables;
    const char* Phonemes;
};

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        // Falling diphthongs ai ei oi ui au eu: one nucleus, the second element a glide.
        {"gaia", "gai-a", "gAy-A"},
        {"baina", "bai-na", "bAy-nA"},
        {"leihoa", "lei-ho-a", "lEy-O-A"},
        {"oinez", "oi-nez", "Oy-nET"},
        {"oinarria", "oi-na-rri-a", "Oy-nA-RI-A"},
        {"muin", "muin", "mUyn"},
        {"auto", "au-to", "Aw-tO"},
        {"jauna", "jau-na", "jAw-nA"},
        {"neu", "neu", "nEw"},
        {"euria", "eu-ri-a", "Ew-rI-A"},
        {"euskara", "eus-ka-ra", "Ews-kA-rA"},
        {"euskaldun", "eus-kal-dun", "Ews-kAl-dUn"},
        {"hirurogei", "hi-ru-ro-gei", "I-rU-rO-gEy"},
        {"mahaia", "ma-hai-a", "mA-Ay-A"},
        {"gauean", "gau-e-an", "gAw-E-An"},
        // Every other vowel sequence is a hiatus.
        {"mendia", "men-di-a", "mEn-dI-A"},
        {"ia", "i-a", "I-A"},
        {"ea", "e-a", "E-A"},
        {"ziur", "zi-ur", "TI-Ur"},
        {"zuek", "zu-ek", "TU-Ek"},
        {"zoaz", "zo-az", "TO-AT"},
        {"kuadro", "ku-a-dro", "kU-A-drO"},
        {"biologia", "bi-o-lo-gi-a", "bI-O-lO-gI-A"},
        {"etxeetan", "e-txe-e-tan", "E-txE-E-tAn"},
        {"sagardoa", "sa-gar-do-a", "sA-gAr-dO-A"},
        // Digraphs tx ts tz rr ll dd tt: one consonant, never split.
        {"etxea", "e-txe-a", "E-txE-A"},
        {"txakurra", "txa-ku-rra", "txA-kU-RA"},
        {"pintxo", "pin-txo", "pIn-txO"},
        {"atso", "a-tso", "A-tsO"},
        {"hotsa", "ho-tsa", "O-tsA"},
        {"hitza", "hi-tza", "I-tTA"},
        {"ekintza", "e-kin-tza", "E-kIn-tTA"},
        {"hartzen", "har-tzen", "Ar-tTEn"},
        {"zuhaitz", "zu-haitz", "TU-AytT"},
        {"herria", "he-rri-a", "E-RI-A"},
        {"arrano", "a-rra-no", "A-RA-nO"},
        {"erregea", "e-rre-ge-a", "E-RE-gE-A"},
        {"ollo", "o-llo", "O-LO"},
        {"onddo", "on-ddo", "On-jO"},
        {"ttipi", "tti-pi", "tI-pI"},
        // Stop + liquid clusters begin a syllable; other pairs are split.
        {"aplikatu", "a-pli-ka-tu", "A-plI-kA-tU"},
        {"abrea", "a-bre-a", "A-brE-A"},
        {"libra", "li-bra", "lI-brA"},
        {"eklipse", "e-klip-se", "E-klIp-sE"},
        {"ingles", "in-gles", "IN-glEs"},
        {"inflazio", "in-fla-zi-o", "In-flA-TI-O"},
        {"kontra", "kon-tra", "kOn-trA"},
        {"abstraktu", "abs-trak-tu", "Abs-trAk-tU"},
        {"sekretua", "se-kre-tu-a", "sE-krE-tU-A"},
        {"sagrada", "sa-gra-da", "sA-grA-dA"},
        {"afrika", "a-fri-ka", "A-frI-kA"},
        {"trena", "tre-na", "trE-nA"},
        {"prest", "prest", "prEst"},
        {"atleta", "at-le-ta", "At-lE-tA"},
        {"instalazio", "ins-ta-la-zi-o", "Ins-tA-lA-TI-O"},
        // r at the start of a word, r elsewhere.
        {"rola", "ro-la", "RO-lA"},
        {"lore", "lo-re", "lO-rE"},
        {"ilargi", "i-lar-gi", "I-lAr-gI"},
        {"hori", "ho-ri", "O-rI"},
        // n before k or g, also across a syllable boundary.
        {"banku", "ban-ku", "bAN-kU"},
        {"hango", "han-go", "AN-gO"},
        {"ongi", "on-gi", "ON-gI"},
        {"aingeru", "ain-ge-ru", "AyN-gE-rU"},
        // n before b or p (also across a syllable boundary) is m.
        {"zenbat", "zen-bat", "TEm-bAt"},
        {"kanpo", "kan-po", "kAm-pO"},
        // tt and dd are one palatal stop each: t and j.
        {"kuttuna", "ku-ttu-na", "kU-tU-nA"},
        {"onddoak", "on-ddo-ak", "On-jO-Ak"},
        // ch is t x and one consonant, a t before it silent; sh is x and one consonant, except in
        // the prefix des- before h.
        {"chef", "chef", "txEf"},
        {"ketchup", "ket-chup", "kE-txUp"},
        {"sandwicha", "sand-wi-cha", "sAnd-wI-txA"},
        {"flash", "flash", "flAx"},
        {"flashak", "fla-shak", "flA-xAk"},
        {"deshidratatu", "des-hi-dra-ta-tu", "dEs-I-drA-tA-tU"},
        // qu before e or i is k, its u silent and no syllable.
        {"roquefort", "ro-que-fort", "RO-kE-fOrt"},
        {"boutique", "bo-u-ti-que", "bO-U-tI-kE"},
        // y after a consonant is the vowel I and a nucleus; after a vowel, at the start and after
        // a w that follows a vowel it stays j.
        {"henry", "hen-ry", "En-rI"},
        {"lady", "la-dy", "lA-dI"},
        {"country", "co-un-try", "kO-Un-trI"},
        {"sexya", "se-xy-a", "sE-xI-A"},
        {"newyork", "new-york", "nEw-jOrk"},
        // A doubled consonant letter (and ck) is one phoneme; the boundary inside it goes before
        // it.
        {"sheriff", "she-riff", "xE-rIf"},
        {"pizza", "piz-za", "pI-TA"},
        {"rock", "rock", "ROk"},
        {"hockey", "hoc-key", "O-kEj"},
        // ph, th and gh are f, t and g.
        {"sophia", "sop-hi-a", "sO-fI-A"},
        {"rutherford", "rut-her-ford", "RU-tEr-fOrd"},
        {"ghetto", "ghe-tto", "gE-tO"},
        // c before e, i or y is T (as in Spanish) unless read as an English or French loan.
        {"cinema", "ci-ne-ma", "TI-nE-mA"},
        {"dolce", "dol-ce", "dOl-TE"},
        // h is a silent consonant letter.
        {"bihotza", "bi-ho-tza", "bI-O-tTA"},
        {"ahoa", "a-ho-a", "A-O-A"},
        {"oihana", "oi-ha-na", "Oy-A-nA"},
        {"lehen", "le-hen", "lE-En"},
        {"hamabost", "ha-ma-bost", "A-mA-bOst"},
        {"hegazkin", "he-gaz-kin", "E-gAT-kIn"},
        // The other letters.
        {"zazpi", "zaz-pi", "TAT-pI"},
        {"xagu", "xa-gu", "xA-gU"},
        {"\xF1"
         "abardura",
         "\xF1"
         "a-bar-du-ra",
         "JA-bAr-dU-rA"},
        {"andere\xF1o", "an-de-re-\xF1o", "An-dE-rE-JO"},
        {"coca", "co-ca", "kO-kA"},
        {"quiz", "quiz", "kIT"},
        {"vitamina", "vi-ta-mi-na", "bI-tA-mI-nA"},
        {"yoga", "yo-ga", "jO-gA"},
        {"kiwia", "ki-wi-a", "kI-wI-A"},
        {"kafea", "ka-fe-a", "kA-fE-A"},
        {"eskola", "es-ko-la", "Es-kO-lA"},
        {"ikusi", "i-ku-si", "I-kU-sI"},
        {"liburu", "li-bu-ru", "lI-bU-rU"},
        // Accented vowels: plain phonemes; an accent on the second vowel marks a hiatus.
        {"caf\xE9", "ca-f\xE9", "kA-fE"},
        {"pa\xEDs", "pa-\xEDs", "pA-Is"},
        {"ping\xFCino", "pin-g\xFCi-no", "pIN-gUy-nO"},
        // One letter, one syllable; capitals keep their case in the syllables.
        {"a", "a", "A"},
        {"ez", "ez", "ET"},
        {"Etxea", "E-txe-a", "E-txE-A"},
    };
    return cases;
}

TEST(Syllabifier, SplitsBasqueWordsIntoSyllables) {
    ASSERT_GE(Cases().size(), 60u);
    for (const Case& c : Cases()) EXPECT_EQ(Syllabify(c.Word), c.Syllables) << c.Word;
    EXPECT_EQ(OrthographicSyllables("mendia"), (std::vector<std::string>{"men", "di", "a"}));
}

TEST(Syllabifier, WordWithoutVowelHasNoSyllables) {
    EXPECT_EQ(Syllabify("pst"), "");
    EXPECT_TRUE(OrthographicSyllables("hmm").empty());
    EXPECT_TRUE(OrthographicSyllables("").empty());
}

TEST(PronunciationRules, GiveInventorySymbolsSyllableBySyllable) {
    for (const Case& c : Cases()) {
        const Pronunciation p = Pronounce(c.Word);
        EXPECT_EQ(p.Outcome, PronunciationOutcome::Ok) << c.Word;
        EXPECT_EQ(p.Text, c.Phonemes) << c.Word;
    }
}

TEST(PronunciationRules, SoftCOfAnEnglishOrFrenchLoanIsS) {
    EXPECT_EQ(Pronounce("dance", SoftC::EnglishOrFrench).Text, "dAn-sE");
    EXPECT_EQ(Pronounce("cyborg", SoftC::EnglishOrFrench).Text, "sI-bOrg");
    EXPECT_EQ(Pronounce("cocktail", SoftC::EnglishOrFrench).Text, "kOk-tAyl"); // c before o, k
    EXPECT_EQ(Pronounce("accent", SoftC::EnglishOrFrench).Text, "Ak-sEnt");    // cc: k, then s
    EXPECT_EQ(Pronounce("accent").Text, "Ak-TEnt");
}

TEST(PronunciationRules, RefuseWordsOutsideTheRules) {
    const Pronunciation cedilla = Pronounce("gar\xE7on");
    EXPECT_EQ(cedilla.Outcome, PronunciationOutcome::LetterOutsideRules);
    EXPECT_EQ(cedilla.Offending, '\xE7');
    EXPECT_EQ(cedilla.Text, "");
    EXPECT_EQ(Pronounce("etxe-a").Outcome, PronunciationOutcome::LetterOutsideRules);
    EXPECT_EQ(Pronounce("pst").Outcome, PronunciationOutcome::NoVowel);
    EXPECT_EQ(Pronounce("").Outcome, PronunciationOutcome::NoVowel);
}

} // namespace
} // namespace zirtel

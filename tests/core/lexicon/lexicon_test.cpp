#include <gtest/gtest.h>

#include <array>
#include <thread>
#include <vector>

#include "core/lexicon/lexicon.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

using test::RecordedMessage;

TEST(WholeWordLexicon, LoadsParallelListsAndFindsWordsWhateverTheirCase) {
    test::RecordingFeedback fb;
    Lexicon lex;
    ASSERT_TRUE(LoadWholeWordLexicon(test::TestData("foundation/nwfreq_EUS.txt"), lex, fb));
    EXPECT_TRUE(fb.Messages.empty());
    EXPECT_EQ(lex.Size(), 30);
    EXPECT_EQ(lex.TwoSyllCount, 19);
    EXPECT_EQ(lex.ThreeSyllCount, 5);
    const int etxe = lex.Find("ETXE");
    ASSERT_GE(etxe, 0);
    EXPECT_EQ(lex.LexWords[etxe], "etxe");
    EXPECT_EQ(lex.LexFreqs[etxe], 9.0f);
    EXPECT_EQ(lex.LexOrthSylls[etxe], "e-txe");
    EXPECT_EQ(lex.LexPhonForms[etxe], "E-txE");
    const int nabar = lex.Find("\xD1"
                               "ABAR"); // ÑABAR, read from a UTF-8 file
    ASSERT_GE(nabar, 0);
    EXPECT_EQ(lex.LexWords[nabar], "\xF1"
                                   "abar");
    EXPECT_EQ(lex.Find("etx"), -1);
    EXPECT_EQ(lex.Find("etx\xE9"), -1); // accents count
    // The pronunciation index: hyphen-free, letter case significant.
    EXPECT_EQ(lex.FindPronunciation("EtxE"), etxe);
    EXPECT_EQ(lex.FindPronunciation("etxe"), -1);
    EXPECT_EQ(lex.FindPronunciation("E-txE"), -1);
}

// The pronunciation indexes are built on first use, once, by whichever thread asks first: four
// threads asking at once all get the answers of one built index (the ThreadSanitizer build runs
// this).
TEST(WholeWordLexicon, IndexesBuiltOnFirstUseServeSeveralThreadsAtOnce) {
    test::RecordingFeedback fb;
    Lexicon lex;
    ASSERT_TRUE(LoadWholeWordLexicon(test::TestData("foundation/nwfreq_EUS.txt"), lex, fb));
    const int etxe = lex.Find("etxe");
    std::vector<std::array<int, 3>> found(4);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < found.size(); ++t)
        threads.emplace_back([&lex, &found, t] {
            found[t] = {lex.FindPronunciation("EtxE"), lex.FindPhonForm("E-txE"),
                        lex.FindPronunciation("xyz")};
        });
    for (std::thread& t : threads) t.join();
    for (const auto& f : found) EXPECT_EQ(f, (std::array<int, 3>{etxe, etxe, -1}));
}

TEST(WholeWordLexicon, UnsortedFileIsSortedOnceAndEveryWordFound) {
    test::TempDir dir;
    test::WriteBytes(dir / "nwfreq_EUS.txt",
                     "zer\t400\tzer\tTEr\r\nama\t150\ta-ma\tA-mA\r\nmendi\t40\tmen-di\tmEn-"
                     "dI\r\n\r\nbat\t900\tbat\tbAt\r\n");
    test::RecordingFeedback fb;
    Lexicon lex;
    ASSERT_TRUE(LoadWholeWordLexicon(dir / "nwfreq_EUS.txt", lex, fb));
    ASSERT_EQ(fb.Messages.size(), 1u);
    EXPECT_EQ(fb.Messages[0].Caption, "Abisua");
    EXPECT_EQ(lex.LexWords, (std::vector<std::string>{"ama", "bat", "mendi", "zer"}));
    EXPECT_EQ(lex.LexFreqs, (std::vector<float>{150, 900, 40, 400}));
    EXPECT_EQ(lex.LexPhonForms[2], "mEn-dI");
    EXPECT_EQ(lex.Find("ZER"), 3);
    EXPECT_EQ(lex.TwoSyllCount, 2);
}

TEST(WholeWordLexicon, MissingOrOddFilesNeverStopTheProgram) {
    test::TempDir dir;
    test::RecordingFeedback fb;
    Lexicon lex;
    EXPECT_FALSE(LoadWholeWordLexicon(dir / "nwfreq_EUS.txt", lex, fb));
    EXPECT_EQ(fb.Messages, (std::vector<RecordedMessage>{
                               {"Fitxategi-errorea", "Ezin da ireki hitz-maiztasunaren fitxategia",
                                MessageButtons::OkCancel}}));
    EXPECT_TRUE(lex.Empty());
    EXPECT_EQ(lex.Find("etxe"), -1);
    EXPECT_EQ(fb.BusyDepth, 0);

    // Short lines and text where numbers belong: read as far as they go.
    test::WriteBytes(dir / "odd.txt", "ama\nbat\tx\tbat\n\xff\t3\n");
    fb.Clear();
    ASSERT_TRUE(LoadWholeWordLexicon(dir / "odd.txt", lex, fb));
    EXPECT_EQ(lex.Size(), 3);
    EXPECT_EQ(lex.LexFreqs[lex.Find("bat")], 0.0f);
    EXPECT_EQ(lex.LexPhonForms[lex.Find("ama")], "");
    EXPECT_EQ(lex.RefusedLine, 0u);

    // A word with a control character (a NUL byte, a binary file) refuses the whole file, with
    // its line; the lemma file likewise.
    test::WriteBytes(dir / "nul.txt", std::string("ama\t1\na\0b\t2\n\x01\x02\t3\n", 17));
    test::WriteBytes(dir / "lemmas.txt", "ama 1\nbat 2\n\x7f"
                                         "ELF 3\n");
    fb.Clear();
    EXPECT_FALSE(LoadWholeWordLexicon(dir / "nul.txt", lex, fb));
    EXPECT_TRUE(lex.Empty());
    EXPECT_EQ(lex.RefusedLine, 2u);
    EXPECT_FALSE(LoadLemmaLexicon(dir / "lemmas.txt", lex, fb));
    EXPECT_EQ(lex.RefusedLine, 3u);
    EXPECT_EQ(fb.MessageLines(),
              (std::vector<std::string>{"Fitxategi-errorea: " + (dir / "nul.txt").string() +
                                            ": 2. lerroko hitzak kontrol-karaktere bat du; "
                                            "hitz-maiztasunaren fitxategia ez da erabiliko",
                                        "Fitxategi-errorea: " + (dir / "lemmas.txt").string() +
                                            ": 3. lerroko hitzak kontrol-karaktere bat du; "
                                            "lema-maiztasunaren fitxategia ez da erabiliko"}));
}

TEST(LemmaLexicon, SortedWithOneEntryPerLemmaAndTheLastFrequency) {
    test::RecordingFeedback fb;
    Lexicon lex;
    ASSERT_TRUE(LoadLemmaLexicon(test::TestData("foundation/lemak_EUS2.txt"), lex, fb));
    EXPECT_EQ(lex.LexWords, (std::vector<std::string>{"aita", "Egun", "etxe", "mendi"}));
    EXPECT_EQ(lex.LexFreqs, (std::vector<float>{50, 3, 120.25f, 7}));
    EXPECT_FALSE(lex.HasPronunciations());
    EXPECT_EQ(lex.Find("egun"), 1);

    EXPECT_FALSE(LoadLemmaLexicon(test::TestData("foundation/none.txt"), lex, fb));
    EXPECT_EQ(fb.MessageLines().back(),
              "Fitxategi-errorea: Ezin da ireki lema-maiztasunaren fitxategia");
    EXPECT_TRUE(lex.Empty());
}

TEST(Homophones, FirstOtherEntryInListOrderAndMostFrequentInTheIndex) {
    test::TempDir dir;
    test::WriteBytes(dir / "nwfreq_EUS.txt", "baga\t5\tba-ga\tbA-gA\nbaka\t1\tba-ka\tbA-"
                                             "kA\nbaká\t7\tba-ká\tbA-kA\nbakka\t3\tbak-ka\tbA-kA\n"
                                             "basa\t2\tba-sa\tbA-SA\nbasá\t2\tba-sá\tbA-sA\n");
    test::RecordingFeedback fb;
    Lexicon lex;
    ASSERT_TRUE(LoadWholeWordLexicon(dir / "nwfreq_EUS.txt", lex, fb));
    const int baka = lex.Find("baka"), bakaa = lex.Find("bak\xE1"), bakka = lex.Find("bakka");
    EXPECT_EQ(lex.FindHomophone(baka), bakaa);
    EXPECT_EQ(lex.FindHomophone(bakaa), baka);
    EXPECT_EQ(lex.FindHomophone(bakka), baka);
    EXPECT_EQ(lex.FindHomophone(lex.Find("baga")), -1);
    EXPECT_EQ(lex.FindHomophone(lex.Find("basa")), -1); // S and s differ
    EXPECT_EQ(lex.FindPronunciation("bAkA"), bakaa);    // the most frequent of the three
}

} // namespace
} // namespace zirtel

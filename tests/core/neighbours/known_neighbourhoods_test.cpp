// The neighbourhood file: its text reads back to the same doubles, the fields take a key's
// values from it only while its section was measured on the loaded lexicon, and the shipped file
// holds, for every shipped word, what the index finds.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/analysis/table_store.h"
#include "core/analysis/workspace.h"
#include "core/lexicon/spanish_words.h"
#include "core/neighbours/levenshtein_measures.h"
#include "core/text/latin1.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel::test {
namespace {

TEST(KnownNeighbourhoods, SectionTextReadsBackExactly) {
    const std::vector<std::pair<std::string, Neighbourhood>> rows{
        {"baaa", {.Mean = 1.5, .ZipfMean = 0.1 + 0.2}},
        {"\xf1o", {.Mean = std::nullopt, .ZipfMean = std::nullopt}}};
    const std::string text = NeighbourhoodSectionText("OLD20", "d1", rows);
    EXPECT_EQ(text, "#\tOLD20\td1\nbaaa\t1.5\t0.30000000000000004\n\xf1o\t-\t-\n");
    // As written to the file: UTF-8.
    const std::string file = "#\tPLD20\td1\nbaaa\t9\t9\n" + Latin1ToUtf8(text);
    const auto read = [](const std::string& bytes, const char* digest) {
        KnownNeighbourhoods known;
        std::istringstream in(bytes);
        known.Read(in, "OLD20", digest);
        return known;
    };
    const KnownNeighbourhoods known = read(file, "d1");
    ASSERT_EQ(known.Size(), 2U);
    EXPECT_EQ(known.Find("baaa"), rows[0].second); // not the PLD20 row before it
    EXPECT_EQ(known.Find("\xf1o"), rows[1].second);
    EXPECT_EQ(known.Find("caaa"), std::nullopt);
    EXPECT_EQ(read(file, "d2").Size(), 0U);                 // measured on another lexicon
    EXPECT_EQ(read(file + "caaa\t1.5\n", "d1").Size(), 0U); // a row without its third field
    EXPECT_EQ(read(file + "caaa\tinf\t-\n", "d1").Size(), 0U);
}

// OLD20 and OLD20F of the items in the folder, "|"-joined.
std::string Measured(const std::filesystem::path& folder) {
    RecordingFeedback ui;
    Workspace ws(ui, folder);
    ws.Startup();
    ws.Setup.Options.SetTicked("W_FREQ_Box", false);
    ws.Setup.Options.SetTicked("OLD20Box", true);
    ws.Setup.Options.SetTicked("OLD20FreqBox", true);
    ws.Decimals = 2;
    ws.AssignColumns();
    ws.EnterTypedItem("aaaa");
    ws.EnterTypedItem("BAAA");
    ws.AnalyseAll();
    std::string cells;
    for (int r = 1; r <= 2; ++r)
        for (int c = 2; c < ws.NextCol; ++c) cells += std::string(ws.OutputGrid.Cell(c, r)) + "|";
    return cells;
}

TEST(KnownNeighbourhoods, FieldsUseTheFileOnlyForTheLexiconItWasMeasuredOn) {
    TempDir dir;
    std::filesystem::copy_file(TestData("old20f/nwfreq_EUS.txt"), dir / "nwfreq_EUS.txt");
    // Without the file: aaaa as worked out in the modern measures' test, baaa searched.
    const std::string searched = Measured(dir.Path());
    EXPECT_EQ(searched.substr(0, 16), "   1.50|   4.60|");

    RecordingFeedback ui;
    Lexicon lex;
    ASSERT_TRUE(LoadWholeWordLexicon(dir / "nwfreq_EUS.txt", lex, ui));
    std::vector<std::string> keys;
    for (const std::string& w : lex.LexWords) keys.push_back(OrthographicKey(w));
    const std::string row =
        NeighbourhoodSectionText(kOrthSection, NeighbourhoodDigest(keys, &lex.LexFreqs),
                                 {{"baaa", {.Mean = 7.25, .ZipfMean = 1.3}}});
    WriteBytes(dir / kNeighbourhoodFile, Latin1ToUtf8(row));
    EXPECT_EQ(Measured(dir.Path()), "   1.50|   4.60|   7.25|   1.30|"); // BAAA's key is baaa

    // The same words with another frequency: the section no longer describes them.
    lex.LexFreqs[0] += 1.0F;
    WriteBytes(dir / kNeighbourhoodFile,
               NeighbourhoodSectionText(kOrthSection, NeighbourhoodDigest(keys, &lex.LexFreqs),
                                        {{"baaa", {.Mean = 7.25, .ZipfMean = 1.3}}}));
    EXPECT_EQ(Measured(dir.Path()), searched);
}

TEST(KnownNeighbourhoods, ShippedFileHoldsWhatTheIndexFindsForEveryShippedWord) {
    const std::filesystem::path data = ZIRTEL_SHIPPED_DATA;
    RecordingFeedback ui;
    Lexicon whole, lemmas;
    ASSERT_TRUE(LoadWholeWordLexicon(data / kWholeWordFile, whole, ui));
    ASSERT_TRUE(LoadLemmaLexicon(data / kLemmaFile, lemmas, ui));
    TableStore store(data);
    // Every key of a section, and a sample of them measured again.
    const auto check = [](const LevenshteinTable& table, const Lexicon& words,
                          const std::set<std::string>& keys, bool zipf) {
        EXPECT_EQ(table.Known.Size(), keys.size());
        std::size_t n = 0;
        for (const std::string& key : keys) {
            const std::optional<Neighbourhood> known = table.Known.Find(key);
            ASSERT_TRUE(known) << key;
            if (n++ % 400 == 0) {
                EXPECT_EQ(*known, MeasureNeighbourhood(words, table.Index, key, zipf)) << key;
            }
        }
    };
    std::set<std::string> orth, phon, spanishForms, spanishLemmas;
    for (const std::string& w : whole.LexWords) {
        orth.insert(OrthographicKey(w));
        spanishForms.insert(SpanishKey(w));
    }
    for (const std::string& p : whole.LexPhonForms) phon.insert(PhonologicalKey(p));
    for (const std::string& w : lemmas.LexWords) {
        orth.insert(OrthographicKey(w));
        spanishLemmas.insert(SpanishKey(w));
    }
    check(store.OrthLevenshtein(whole), whole, orth, true);
    check(store.PhonLevenshtein(whole), whole, phon, true);
    check(store.SpanishLevenshtein(false, ui), store.Spanish(false, ui).Keys, spanishForms, false);
    check(store.SpanishLevenshtein(true, ui), store.Spanish(true, ui).Keys, spanishLemmas, false);
    EXPECT_TRUE(ui.Messages.empty());
}

} // namespace
} // namespace zirtel::test

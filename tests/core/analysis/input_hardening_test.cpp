// Inputs that used to be lost or misread: empty lexicons, UTF-16 without a mark, refused items,
// oversized files, blank lines, numbers that are no frequencies, odd user field names; and the
// items file never saved over.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/analysis/results_output.h"
#include "core/analysis/user_field_file.h"
#include "core/analysis/workspace.h"
#include "core/lexicon/lexicon.h"
#include "core/text/text_file.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

namespace fs = std::filesystem;
using test::RecordedMessage;

const fs::path kHard = test::TestData("hardening");

TEST(InputHardening, AnEmptyLexiconGivesTheMessageOfAMissingOne) {
    test::TempDir dir;
    test::WriteBytes(dir / "empty.txt", "");
    test::WriteBytes(dir / "blank.txt", "\r\n  \n\t\n");
    for (const char* name : {"missing.txt", "empty.txt", "blank.txt"}) {
        test::RecordingFeedback fb;
        Lexicon lex;
        EXPECT_FALSE(LoadWholeWordLexicon(dir / name, lex, fb)) << name;
        EXPECT_TRUE(lex.Empty());
        EXPECT_EQ(fb.Messages,
                  (std::vector<RecordedMessage>{{"Fitxategi-errorea",
                                                 "Ezin da ireki hitz-maiztasunaren fitxategia",
                                                 MessageButtons::OkCancel}}))
            << name;
        test::RecordingFeedback lemmaFb;
        EXPECT_FALSE(LoadLemmaLexicon(dir / name, lex, lemmaFb)) << name;
        EXPECT_EQ(lemmaFb.Messages.at(0).Text, "Ezin da ireki lema-maiztasunaren fitxategia");
    }
}

TEST(InputHardening, Utf16WithoutAMarkAndControlCharacters) {
    for (const char* name : {"items_utf16le_nomark.txt", "items_utf16be_nomark.txt"}) {
        const std::optional<TextFile> file = ReadTextFile(kHard / name);
        ASSERT_TRUE(file) << name;
        EXPECT_EQ(file->Text, "etxe\r\nmendi\r\n") << name;
    }
    // A NUL or a bell inside an item refuses it, as a character outside Latin-1 does.
    test::RecordingFeedback fb;
    Workspace ws(fb, test::TestData("results_output"));
    ws.Startup();
    ASSERT_TRUE(ws.ReadInputFile(kHard / "items_refused.txt"));
    EXPECT_EQ(ws.OutputGrid.Cell(1, 1), "etxe");
    EXPECT_EQ(ws.OutputGrid.Cell(1, 2), "mendi");
    EXPECT_EQ(ws.NextRow, 3);
}

TEST(InputHardening, EveryRefusedItemIsCountedAndTheFirstShown) {
    test::RecordingFeedback fb;
    Workspace ws(fb, test::TestData("results_output"));
    ws.Startup();
    ASSERT_TRUE(ws.ReadInputFile(kHard / "items_refused.txt"));
    ASSERT_EQ(fb.Messages.size(), 1u);
    EXPECT_EQ(fb.Messages[0].Caption, "Abisua");
    EXPECT_EQ(fb.Messages[0].Text,
              "5 item ez dira sartu: Latin-1 ez diren karaktereak edo kontrol-karaktereak "
              "dituzte: ?etxe (1. lerroa), mendi? (2. lerroa), ?? (3. lerroa), ur?a (5. lerroa), "
              "be?tz (6. lerroa)");
}

TEST(InputHardening, OversizedFilesAndBlankLines) {
    test::TempDir dir;
    test::RecordingFeedback fb;
    Workspace ws(fb, test::TestData("results_output"));
    ws.Startup();
    // Refused by its size, unread (a sparse file: no disk is used).
    const fs::path huge = dir / "huge.txt";
    test::WriteBytes(huge, "etxe\n");
    fs::resize_file(huge, kMaxTextFileBytes + 1);
    EXPECT_FALSE(ws.ReadInputFile(huge));
    EXPECT_EQ(fb.Messages.back().Text,
              "Sarrera-fitxategia handiegia da: " + huge.string() + " (gehienez 256 MB)");
    // 100,000 blank lines around two items: the grids have the two items and 5 free rows.
    const std::string blanks(100000, '\n');
    test::WriteBytes(dir / "blank.txt", blanks + "etxe\n" + blanks + "mendi\r\n" + blanks);
    ASSERT_TRUE(ws.ReadInputFile(dir / "blank.txt"));
    EXPECT_EQ(ws.OutputGrid.RowCount(), 7);
    EXPECT_EQ(ws.StimulusGrid.RowCount(), 7);
    EXPECT_EQ(ws.OutputGrid.Cell(1, 2), "mendi");
}

TEST(InputHardening, NumbersThatAreNoFrequenciesAreZeroWithOneWarning) {
    test::RecordingFeedback fb;
    Lexicon lex;
    const fs::path path = kHard / "nwfreq_EUS.txt";
    ASSERT_TRUE(LoadWholeWordLexicon(path, lex, fb));
    // etxe 120.5; nan, -42.25, 1e39 and inf become 0.
    EXPECT_EQ(lex.LexFreqs, (std::vector<float>{120.5f, 0, 0, 0, 0}));
    EXPECT_EQ(fb.Messages,
              (std::vector<RecordedMessage>{
                  {"Abisua",
                   path.string() +
                       ": 4 zenbaki ez dira onargarriak (ez finituak, negatiboak edo handiegiak) "
                       "eta 0 gisa irakurri dira; lehena 2. lerroan.",
                   MessageButtons::Ok}}));
}

TEST(InputHardening, AUserFieldNameKeepsTheColumnsAndCrLineEndsAreLines) {
    test::RecordingFeedback fb;
    Workspace ws(fb, test::TestData("results_output"));
    ws.Startup();
    ws.Setup.Options.UntickAllFields();
    ws.Setup.Options.SetTicked("UserField1_Box", true);
    ws.Setup.Options.SetTicked("W_FREQ_Box", true);
    const fs::path path = kHard / "user_tab_cr.txt";
    ASSERT_TRUE(LoadUserField(ws, path, 0));
    ws.AssignColumns();
    EXPECT_EQ(ws.Setup.UserFields[0].Name, "Irudi garritasuna");
    EXPECT_EQ(ws.Setup.UserFields[0].Words, (std::vector<std::string>{"etxe", "mendi", "ur"}));
    // etxe -1: a rating may be negative; ur "inf" is read as 0.
    EXPECT_EQ(ws.Setup.UserFields[0].Values, (std::vector<float>{-1.0f, 2.5f, 0.0f}));
    EXPECT_EQ(
        fb.Messages.back().Text,
        path.string() +
            ": 1 zenbaki ez dira onargarriak (ez finituak edo handiegiak) eta 0 gisa irakurri "
            "dira; lehena 4. lerroan.");
    ws.EnterTypedItem("mendi");
    ws.AnalyseAll();
    EXPECT_EQ(OutputFileText(ws), "Sarrera \tIrudi garritasuna\t  H_MAIZT \t\r\n"
                                  "mendi\t   2.50\t  42.25\t\r\n"
                                  "\t\t\t\r\n");
}

TEST(InputHardening, ResultsAreNeverSavedOverTheItemsFile) {
    test::TempDir dir;
    const fs::path items = dir / "items.txt";
    test::WriteBytes(items, "etxe\n");
    fs::create_symlink("items.txt", dir / "link.txt");
    test::RecordingFeedback fb;
    Workspace ws(fb, test::TestData("results_output"));
    ws.Startup();
    ASSERT_TRUE(ws.ReadInputFile(items));
    ws.AnalyseAll();
    EXPECT_FALSE(SaveOutputFile(ws, dir / "link.txt"));
    EXPECT_EQ(fb.Messages.back(),
              (RecordedMessage{"Fitxategi-errorea",
                               "Fitxategi hori sarrera-fitxategia da: ez da haren gainean gordeko",
                               MessageButtons::OkCancel}));
    EXPECT_EQ(test::ReadBytes(items), "etxe\n");
    EXPECT_TRUE(SaveOutputFile(ws, dir / "results.txt"));
}

} // namespace
} // namespace zirtel

#include "core/analysis/user_field_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>

#include "core/analysis/workspace.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

namespace fs = std::filesystem;
using test::RecordingFeedback;

const fs::path kData = fs::path(ZIRTEL_TEST_DATA) / "userfields";

std::string Capitals(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

int Box(const char* name) {
    return FindOptionBox(name);
}

// A workspace with items entered and only the given user fields shown.
struct Fixture {
    RecordingFeedback ui;
    Workspace ws{ui, kData};
    explicit Fixture(std::initializer_list<const char*> boxes) {
        ws.Setup.Options.UntickAllFields();
        for (const char* b : boxes) ws.Setup.Options.SetTicked(b, true);
        ws.Decimals = 2;
        ws.AssignColumns();
    }
    void Enter(std::initializer_list<const char*> items) {
        for (const char* i : items) ws.EnterTypedItem(i);
    }
};

TEST(UserFields, LoadsNameWordsAndValuesWithTheLastDuplicateAndTheUnterminatedLastLine) {
    Fixture f({"UserField1_Box"});
    const fs::path path = kData / "concreteness.txt";
    ASSERT_TRUE(LoadUserField(f.ws, path, 0));
    const UserField& field = f.ws.Setup.UserFields[0];
    EXPECT_EQ(field.Name, "Concreteness rating v2");
    // Collation order, ñ after n; "Etxe" and "etxe" are one word (its first spelling).
    EXPECT_EQ(field.Words, (std::vector<std::string>{"ama", "Etxe", "katu", "Mendi",
                                                     "\xf1"
                                                     "abar",
                                                     "ur", "zuhaitz"}));
    EXPECT_EQ(field.Values, (std::vector<float>{1.5f, 6.25f, 0.0f, 4.25f, 2.5f, 3.0f, 0.0f}));
    // The header cell of the shown field and the box caption follow the name.
    EXPECT_EQ(f.ws.OutputGrid.Cell(2, 0), "Concreteness rating v2");
    EXPECT_EQ(f.ws.Setup.Options.Caption(Box("UserField1_Box")),
              "1.eremua: Concreteness rating v2");
    EXPECT_TRUE(f.ws.Setup.Options.Enabled(Box("UserField1_Box")));
    // One progress window: 8 data lines, the first word of the file, the first of its last line.
    ASSERT_EQ(f.ui.Progresses.size(), 1u);
    const auto& p = *f.ui.Progresses[0];
    EXPECT_EQ(p.Label, "Reading user-defined file ... ");
    EXPECT_EQ(p.Max, 8);
    EXPECT_EQ(p.Position, 8);
    EXPECT_EQ(p.FileLabel, " ");
    EXPECT_FALSE(p.Open);
    EXPECT_EQ(f.ui.BusyDepth, 0);
    // zuhaitz's "abc" is no number.
    EXPECT_EQ(f.ui.MessageLines(),
              (std::vector<std::string>{"Abisua: " + path.string() +
                                        ": 1 balio ez dira zenbakiak eta falta diren balio gisa "
                                        "hartu dira; lehena 7. lerroan."}));
}

// Spreadsheets of Basque and Spanish write a decimal comma: 5,8 is 5.8. A value that is no number
// at all (n/a, 1,5,0, 1.234,5) is missing, also where another line of its word has none, and the
// file's one warning counts those lines and names the first; a number on any line of the word
// gives its value.
TEST(UserFields, DecimalCommaIsReadAndTextThatIsNoNumberIsMissing) {
    Fixture f({"UserField1_Box"});
    test::TempDir dir;
    test::WriteBytes(dir / "ratings.txt", "Balorazioa\n"
                                          "etxe\t5,8\n"
                                          "mendi\t-1,25\n"
                                          "ur\tn/a\n"
                                          "ama\t1,5,0\n"
                                          "ama\n"
                                          "aita\t1.234,5\n"
                                          "aita\t2\n");
    ASSERT_TRUE(LoadUserField(f.ws, dir / "ratings.txt", 0));
    EXPECT_EQ(f.ui.MessageLines(),
              (std::vector<std::string>{"Abisua: " + (dir / "ratings.txt").string() +
                                        ": 3 balio ez dira zenbakiak eta falta diren balio gisa "
                                        "hartu dira; lehena 4. lerroan."}));
    f.Enter({"etxe", "mendi", "ur", "ama", "aita", "katu"});
    f.ws.AnalyseAll();
    const auto cell = [&f](int r) { return std::string(f.ws.OutputGrid.Cell(2, r)); };
    EXPECT_EQ(cell(1), "   5.80");
    EXPECT_EQ(cell(2), "  -1.25");
    EXPECT_EQ(cell(3), "   -  ");
    EXPECT_EQ(cell(4), "   -  ");
    EXPECT_EQ(cell(5), "   2.00");
    EXPECT_EQ(cell(6), "   0.00"); // not in the file
}

TEST(UserFields, ProgressFileLabelNamesThePathInCapitalsWithCountAndFirstAndLastWord) {
    // The label is read while the window is open: record it through a feedback that keeps the
    // first file label it was given.
    struct FirstLabel : RecordingFeedback {
        std::string Shown;
        std::unique_ptr<ProgressWindow>
        OpenProgress(const std::string& label, const std::string& fileLabel, int max) override {
            Shown = fileLabel;
            return RecordingFeedback::OpenProgress(label, fileLabel, max);
        }
    } ui;
    Workspace ws{ui, kData};
    ASSERT_TRUE(LoadUserField(ws, kData / "concreteness.txt", 0));
    EXPECT_EQ(ui.Shown,
              Capitals((kData / "concreteness.txt").string()) + " (8 words, Concreteness ... ama)");
    ASSERT_TRUE(LoadUserField(ws, kData / "imageability.txt", 1));
    EXPECT_EQ(ui.Shown, Capitals((kData / "imageability.txt").string()) +
                            " (1 words, Irudigarritasuna ... mendi)");
}

TEST(UserFields, ValuesAreWrittenSevenWideWithTheDecimalsForItemsInAnyCase) {
    Fixture f({"UserField1_Box", "UserField2_Box", "W_FREQ_Box"});
    ASSERT_TRUE(LoadUserField(f.ws, kData / "concreteness.txt", 0));
    ASSERT_TRUE(LoadUserField(f.ws, kData / "imageability.txt", 1));
    f.Enter({"etxe", "mendi", "katu", "xyz",
             "\xf1"
             "abar",
             "zuhaitz", "ama"});
    // An item typed in capitals finds its lower-case word.
    f.ws.OutputGrid.SetCell(1, 3, "KATU");
    f.ws.OutputGrid.SetCell(1, 2, "MENDI");
    f.ws.AnalyseAll();
    // Columns: USER1 at 2, USER2 at 3, H_MAIZT at 4.
    const auto cell = [&f](int c, int r) { return f.ws.OutputGrid.Cell(c, r); };
    EXPECT_EQ(cell(2, 0), "Concreteness rating v2");
    EXPECT_EQ(cell(3, 0), "Irudigarritasuna");
    EXPECT_EQ(cell(2, 1), "   6.25");
    EXPECT_EQ(cell(2, 2), "   4.25");
    EXPECT_EQ(cell(2, 3), "   0.00"); // a word without a number
    EXPECT_EQ(cell(2, 4), "   0.00"); // not in the file
    EXPECT_EQ(cell(2, 5), "   2.50");
    EXPECT_EQ(cell(2, 6), "   -  ");  // text that is not a number: missing
    EXPECT_EQ(cell(2, 7), "   1.50"); // the last line, without a line feed
    EXPECT_EQ(cell(3, 1), "   0.00");
    EXPECT_EQ(cell(3, 2), "   7.00"); // CR LF lines

    // Four decimals: the user fields stay 7 wide (wider values overflow).
    f.ws.Decimals = 4;
    f.ws.AssignColumns();
    f.ws.AnalyseAll();
    EXPECT_EQ(cell(2, 1), " 6.2500");
    EXPECT_EQ(cell(2, 7), " 1.5000");
    EXPECT_EQ(cell(3, 2), " 7.0000");
    f.ws.Decimals = 0;
    f.ws.AssignColumns();
    f.ws.AnalyseAll();
    EXPECT_EQ(cell(2, 1), "      6"); // 6.25 rounds to 6
    EXPECT_EQ(cell(2, 2), "      4");
    EXPECT_EQ(cell(2, 5), "      2"); // 2.5 rounds to even
    EXPECT_EQ(cell(2, 7), "      2"); // 1.5 rounds to even
}

TEST(UserFields, HiddenFieldWritesNothingAndLoadingDoesNotAnalyse) {
    Fixture f({"W_FREQ_Box"});
    f.Enter({"etxe"});
    f.ws.AnalyseAll();
    ASSERT_TRUE(LoadUserField(f.ws, kData / "concreteness.txt", 0));
    EXPECT_EQ(f.ws.OutputGrid.Cell(2, 0), "  H_MAIZT "); // the name goes to no header
    EXPECT_EQ(f.ws.OutputGrid.Cell(3, 1), "");
    f.ws.Setup.Options.SetTicked("UserField1_Box", true);
    f.ws.AssignColumns();
    EXPECT_EQ(f.ws.OutputGrid.Cell(2, 1), ""); // not yet analysed
    f.ws.AnalyseAll();
    EXPECT_EQ(f.ws.OutputGrid.Cell(2, 1), "   6.25");
    EXPECT_EQ(f.ws.OutputGrid.Cell(3, 1), "   0.00"); // etxe is not in this workspace's lexicon
}

TEST(UserFields, AFileThatCannotBeOpenedLeavesTheTableAndDisablesTheBoxSilently) {
    Fixture f({"UserField1_Box"});
    ASSERT_TRUE(LoadUserField(f.ws, kData / "concreteness.txt", 0));
    f.ui.Clear();
    EXPECT_FALSE(LoadUserField(f.ws, kData / "no_such_file.txt", 0));
    EXPECT_FALSE(LoadUserField(f.ws, kData, 0)); // a folder
    const UserField& field = f.ws.Setup.UserFields[0];
    EXPECT_EQ(field.Name, "Undefined");
    EXPECT_EQ(field.Words.size(), 7u);
    EXPECT_EQ(field.ValueOf("mendi"), 4.25f);
    EXPECT_FALSE(f.ws.Setup.Options.Enabled(Box("UserField1_Box")));
    EXPECT_EQ(f.ws.Setup.Options.Caption(Box("UserField1_Box")), "1.eremua: Undefined");
    EXPECT_TRUE(f.ui.Messages.empty());
    EXPECT_TRUE(f.ui.Progresses.empty());
    f.ws.AssignColumns();
    EXPECT_EQ(f.ws.OutputGrid.Cell(2, 0), "Undefined");

    // A good file enables the box again.
    ASSERT_TRUE(LoadUserField(f.ws, kData / "imageability.txt", 0));
    EXPECT_TRUE(f.ws.Setup.Options.Enabled(Box("UserField1_Box")));
    EXPECT_EQ(f.ws.Setup.Options.Caption(Box("UserField1_Box")), "1.eremua: Irudigarritasuna");
    EXPECT_EQ(f.ws.Setup.UserFields[0].Words, (std::vector<std::string>{"mendi"}));

    // A never-loaded field that fails keeps its original caption, disabled.
    EXPECT_FALSE(LoadUserField(f.ws, kData / "no_such_file.txt", 2));
    EXPECT_EQ(f.ws.Setup.Options.Caption(Box("UserField3_Box")), "3. eremua: definitu gabe ");
    EXPECT_FALSE(f.ws.Setup.Options.Enabled(Box("UserField3_Box")));
}

TEST(UserFields, LoadingOneFieldLeavesTheOthersAndTheNameUndefinedDisables) {
    Fixture f({});
    ASSERT_TRUE(LoadUserField(f.ws, kData / "concreteness.txt", 0));
    ASSERT_TRUE(LoadUserField(f.ws, kData / "undefined_name.txt", 1));
    EXPECT_EQ(f.ws.Setup.Options.Caption(Box("UserField1_Box")),
              "1.eremua: Concreteness rating v2");
    EXPECT_TRUE(f.ws.Setup.Options.Enabled(Box("UserField1_Box")));
    EXPECT_EQ(f.ws.Setup.Options.Caption(Box("UserField2_Box")), "2.eremua: Undefined");
    EXPECT_FALSE(f.ws.Setup.Options.Enabled(Box("UserField2_Box")));
    EXPECT_EQ(f.ws.Setup.UserFields[1].ValueOf("ETXE"), 1.0f);
    EXPECT_EQ(f.ws.Setup.UserFields[2].Name, "Undefined");
    EXPECT_FALSE(LoadUserField(f.ws, kData / "concreteness.txt", 3)); // no fourth field
}

TEST(UserFields, EmptyNameOnlyLongAndBinaryFilesLoadWithoutHarm) {
    Fixture f({});
    ASSERT_TRUE(LoadUserField(f.ws, kData / "empty.txt", 0));
    EXPECT_EQ(f.ws.Setup.UserFields[0].Name, "");
    EXPECT_TRUE(f.ws.Setup.UserFields[0].Words.empty());
    ASSERT_TRUE(LoadUserField(f.ws, kData / "name_only.txt", 1));
    EXPECT_EQ(f.ws.Setup.UserFields[1].Name, "Only a name");
    EXPECT_TRUE(f.ws.Setup.UserFields[1].Words.empty());
    EXPECT_EQ(f.ui.Progresses.back()->Max, 0);

    const fs::path dir = fs::temp_directory_path() / "zirtel_userfields_test";
    fs::create_directories(dir);
    {
        std::ofstream out(dir / "long.txt", std::ios::binary);
        out << std::string(800, 'N') << "\n"
            << std::string(700, 'w') << "\t2\n"
            << "etxe\t1e40\n"
            << "mendi\t-3.5\n";
    }
    ASSERT_TRUE(LoadUserField(f.ws, dir / "long.txt", 0));
    EXPECT_EQ(f.ws.Setup.UserFields[0].Name,
              std::string(500, 'N')); // the name is cut at 500 characters
    EXPECT_EQ(f.ws.Setup.UserFields[0].ValueOf(std::string(700, 'w')), 2.0f);
    EXPECT_EQ(f.ws.Setup.UserFields[0].ValueOf("mendi"), -3.5f);
    {
        std::ofstream out(dir / "binary.bin", std::ios::binary);
        std::string bytes;
        for (int i = 0; i < 4096; ++i) bytes.push_back(static_cast<char>((i * 37 + 11) % 256));
        out << bytes;
    }
    EXPECT_TRUE(LoadUserField(f.ws, dir / "binary.bin", 2));
    f.ws.Setup.Options.SetTicked("UserField3_Box", true);
    f.ws.AssignColumns();
    f.Enter({"etxe"});
    f.ws.AnalyseAll();
    EXPECT_EQ(f.ws.OutputGrid.Cell(2, 1).size(), 7u);
    fs::remove_all(dir);
}

TEST(UserFields, StartupLoadsUser1FromTheDataFolderNotTheCurrentFolder) {
    const fs::path cwd = fs::current_path();
    const fs::path elsewhere = fs::temp_directory_path() / "zirtel_userfields_cwd";
    fs::create_directories(elsewhere);
    { std::ofstream(elsewhere / "User1.txt") << "Wrong field\netxe\t1\n"; }
    fs::current_path(elsewhere);
    RecordingFeedback ui;
    Workspace ws{ui, kData / "app"};
    ws.Startup();
    fs::current_path(cwd);
    fs::remove_all(elsewhere);
    EXPECT_EQ(ws.Setup.UserFields[0].Name, "Maiztasun subjektiboa");
    EXPECT_EQ(ws.Setup.UserFields[0].ValueOf("etxe"), 9.5f);
    EXPECT_EQ(ws.Setup.UserFields[1].Name, "Undefined");
    EXPECT_TRUE(ws.Setup.Options.Enabled(Box("UserField1_Box")));
    EXPECT_TRUE(ui.Messages.empty());

    // Without a User1.txt the field is "Undefined" and its box disabled, without a message.
    RecordingFeedback ui2;
    Workspace bare{ui2, kData};
    bare.Startup();
    EXPECT_EQ(bare.Setup.UserFields[0].Name, "Undefined");
    EXPECT_FALSE(bare.Setup.Options.Enabled(Box("UserField1_Box")));
    EXPECT_EQ(ui2.MessageLines(),
              (std::vector<std::string>{
                  "Fitxategi-errorea: Ezin da ireki hitz-maiztasunaren fitxategia"}));
}

} // namespace
} // namespace zirtel

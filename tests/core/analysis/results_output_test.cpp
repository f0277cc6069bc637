#include "core/analysis/results_output.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <sstream>

#include "core/analysis/user_field_file.h"
#include "core/analysis/workspace.h"
#include "support/recording_feedback.h"

namespace zirtel {
namespace {

using test::RecordedMessage;
using test::RecordingFeedback;

const std::filesystem::path kData = std::filesystem::path(ZIRTEL_TEST_DATA) / "results_output";

std::string ReadBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class TempDir {
  public:
    TempDir() {
        Path = std::filesystem::temp_directory_path() /
               ("zirtel_results_" + std::to_string(::getpid()) + "_" + std::to_string(Counter++));
        std::filesystem::remove_all(Path);
        std::filesystem::create_directories(Path);
    }
    ~TempDir() { std::filesystem::remove_all(Path); }
    std::size_t FileCount() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(Path)) ++n;
        return n;
    }
    std::filesystem::path Path;
    static inline int Counter = 0;
};

// A workspace over the hand-made lexicon with the items etxe and mendi entered and analysed
// with the default options (only H_MAIZT: etxe 120.5, mendi 42.25).
struct TwoItems {
    RecordingFeedback ui;
    Workspace ws{ui, kData};
    TwoItems() {
        ws.Startup();
        ws.EnterTypedItem("etxe");
        ws.EnterTypedItem("mendi");
        ws.AnalyseAll();
        ui.Clear();
    }
};

TEST(ResultsFile, HeaderItemsAndFinalEmptyRowWithTrailingTabsAndCrLf) {
    TwoItems t;
    EXPECT_EQ(OutputFileText(t.ws), "Sarrera \t  H_MAIZT \t\r\n"
                                    "etxe\t 120.50\t\r\n"
                                    "mendi\t  42.25\t\r\n"
                                    "\t\t\r\n");

    // More fields, in catalogue order (etxe repeats its e); an empty cell (no letter repeated
    // in mendi) gives two tabs in a row; a missing word gives 0; ñ is written as UTF-8.
    Workspace& ws = t.ws;
    ws.Setup.Options.SetFieldTicked(FindField("luz_l"), true);
    ws.Setup.Options.SetFieldTicked(FindField("ERREP"), true);
    ws.AssignColumns();
    ws.EnterTypedItem("\xF1"
                      "abar");
    ws.EnterTypedItem("zzz");
    ws.AnalyseAll();
    EXPECT_EQ(OutputFileText(ws), "Sarrera \t  H_MAIZT \t  ERREP \t LUZ_L \t\r\n"
                                  "etxe\t 120.50\trep\t   4\t\r\n"
                                  "mendi\t  42.25\t\t   5\t\r\n"
                                  "\xC3\xB1"
                                  "abar\t   3.00\trep\t   5\t\r\n"
                                  "zzz\t   0.00\trep\t   3\t\r\n"
                                  "\t\t\t\t\r\n");

    // No item at all: the header line and the empty first row.
    ws.ClearItems();
    ws.Setup.Options.UntickAllFields();
    ws.AssignColumns();
    EXPECT_EQ(OutputFileText(ws), "Sarrera \t\r\n\t\r\n");
}

TEST(ResultsFile, SaveReplacesTheFileAndReports) {
    TwoItems t;
    TempDir dir;
    const auto path = dir.Path / "out.txt";
    {
        std::ofstream old(path, std::ios::binary);
        old << "an older and much longer file that must be replaced entirely\r\n";
    }
    EXPECT_TRUE(SaveOutputFile(t.ws, path));
    EXPECT_EQ(ReadBytes(path),
              "Sarrera \t  H_MAIZT \t\r\netxe\t 120.50\t\r\nmendi\t  42.25\t\r\n\t\t\r\n");
    EXPECT_EQ(t.ui.Messages,
              (std::vector<RecordedMessage>{{"", "Irteera gordeta", MessageButtons::OkCancel}}));
    EXPECT_EQ(dir.FileCount(), 1u); // no temporary file left behind
}

TEST(ResultsFile, FailuresAreReportedAndLeaveTheOldFile) {
    TwoItems t;
    TempDir dir;
    // The message names the file and why it could not be saved.
    const auto error = [](const std::filesystem::path& p, const std::string& why) {
        return RecordedMessage{"Fitxategi-errorea",
                               "Ezin da gorde irteera-fitxategia: " + p.string() + ": " + why,
                               MessageButtons::OkCancel};
    };

    // The file cannot be created: a folder that does not exist, or a folder in place of a file.
    EXPECT_FALSE(SaveOutputFile(t.ws, dir.Path / "missing" / "out.txt"));
    EXPECT_FALSE(SaveOutputFile(t.ws, dir.Path));
    EXPECT_EQ(t.ui.Messages, (std::vector<RecordedMessage>{error(dir.Path / "missing" / "out.txt",
                                                                 "No such file or directory"),
                                                           error(dir.Path, "Is a directory")}));
    EXPECT_EQ(dir.FileCount(), 0u);

    // A write that fails part-way (here: the file size limit is reached after 10 bytes): the
    // error, not "Irteera gordeta", and the earlier file stays whole.
    const auto path = dir.Path / "good.txt";
    {
        std::ofstream good(path, std::ios::binary);
        good << "good results\r\n";
    }
    t.ui.Clear();
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 10;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved_ok = SaveOutputFile(t.ws, path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(t.ui.Messages, (std::vector<RecordedMessage>{error(path, "File too large")}));
    EXPECT_EQ(ReadBytes(path), "good results\r\n");
    EXPECT_EQ(dir.FileCount(), 1u);
}

TEST(ResultsFile, SaveThroughALinkOrIntoAPipe) {
    TwoItems t;
    TempDir dir;
    const std::string expected =
        "Sarrera \t  H_MAIZT \t\r\netxe\t 120.50\t\r\nmendi\t  42.25\t\r\n\t\t\r\n";

    // A symbolic link: the file it points to gets the results, the link stays a link.
    const auto real = dir.Path / "real.txt", link = dir.Path / "link.txt";
    std::ofstream(real) << "old";
    std::filesystem::create_symlink(real, link);
    EXPECT_TRUE(SaveOutputFile(t.ws, link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), expected);

    // A named pipe is written into, not replaced by a file.
    const auto pipe = dir.Path / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(SaveOutputFile(t.ws, pipe));
    std::string received(4096, '\0');
    const ssize_t n = ::read(reader, received.data(), received.size());
    ::close(reader);
    received.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    EXPECT_EQ(received, expected);
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_EQ(t.ui.Messages.size(), 2u);
    for (const auto& m : t.ui.Messages) EXPECT_EQ(m.Text, "Irteera gordeta");
}

TEST(ResultsClipboard, SelectionCopy) {
    TwoItems t;
    // One cell: its text and CR LF.
    EXPECT_EQ(SelectionCopyText(t.ws, GridRect{2, 1, 2, 1}), " 120.50\r\n");
    // A block: tabs between cells, no tab at a row's end, CR LF after each row.
    EXPECT_EQ(SelectionCopyText(t.ws, GridRect{1, 0, 2, 2}),
              "Sarrera \t  H_MAIZT \r\netxe\t 120.50\r\nmendi\t  42.25\r\n");
    // Empty cells past the results still count as cells.
    EXPECT_EQ(SelectionCopyText(t.ws, GridRect{2, 2, 3, 3}), "  42.25\t\r\n\t\r\n");
    // Text stays Latin-1 for the clipboard.
    t.ws.EnterTypedItem("\xF1"
                        "abar");
    EXPECT_EQ(SelectionCopyText(t.ws, GridRect{1, 3, 1, 3}), "\xF1"
                                                             "abar\r\n");
    EXPECT_EQ(SelectionCopyText(t.ws, GridRect{2, 1, 1, 1}), "");
}

TEST(ResultsClipboard, CopyAll) {
    TwoItems t;
    // Rows 0 to NextRow - 1: no empty last row, no trailing tab.
    EXPECT_EQ(CopyAllText(t.ws), "Sarrera \t  H_MAIZT \r\netxe\t 120.50\r\nmendi\t  42.25\r\n");
    // No field shown: only the item column.
    t.ws.Setup.Options.UntickAllFields();
    t.ws.AssignColumns();
    EXPECT_EQ(CopyAllText(t.ws), "Sarrera \r\netxe\r\nmendi\r\n");
}

// The view options' missing-value text reaches Copy, Copy All and Save alike: zzzz is no word,
// so it has no syllabification ("-1") and no concreteness rating (0 without the text); its
// frequency 0 is a value.
TEST(ResultsClipboard, MissingValueTextInEveryCopy) {
    RecordingFeedback ui;
    Workspace ws{ui, kData};
    ws.Startup();
    ASSERT_TRUE(LoadUserField(ws, kData / "concreteness.txt", 0));
    ws.Setup.Options.SetTicked("UserField1_Box", true);
    ws.Setup.Options.SetTicked("OrthSyllBox", true);
    ws.AssignColumns();
    ws.EnterTypedItem("etxe");
    ws.EnterTypedItem("zzzz");
    ws.AnalyseAll();
    const std::string header = "Sarrera \tConcreteness\t  H_MAIZT \tORT_SILAB";
    EXPECT_EQ(CopyAllText(ws), header + "\r\netxe\t   5.50\t 120.50\te-txe\r\n"
                                        "zzzz\t   0.00\t   0.00\t-1\r\n");

    ws.MissingText = "NA";
    EXPECT_EQ(CopyAllText(ws), header + "\r\netxe\t   5.50\t 120.50\te-txe\r\n"
                                        "zzzz\tNA\t   0.00\tNA\r\n");
    EXPECT_EQ(SelectionCopyText(ws, GridRect{3, 1, 4, 2}), " 120.50\te-txe\r\n   0.00\tNA\r\n");
    EXPECT_EQ(OutputFileText(ws), header + "\t\r\netxe\t   5.50\t 120.50\te-txe\t\r\n"
                                           "zzzz\tNA\t   0.00\tNA\t\r\n\t\t\t\t\r\n");
    // The grid itself keeps the marks.
    EXPECT_EQ(ws.OutputGrid.Cell(4, 2), "-1");
    EXPECT_EQ(ws.OutputGrid.Cell(2, 2), "   0.00");
}

} // namespace
} // namespace zirtel

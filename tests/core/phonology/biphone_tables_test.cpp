// Reading the biphone tables: once per run, behind a progress window each, and never a crash on
// files that are empty, truncated, malformed or too long.
#include <gtest/gtest.h>

#include "core/phonology/biphone_tables.h"
#include "phon_test_workspace.h"

namespace zirtel::test {
namespace {

using F = FieldColumns;
using Cells4 = std::vector<std::string>;

// Also keeps the file label each progress window opened with.
class FileLabelFeedback : public RecordingFeedback {
  public:
    std::vector<std::string> OpeningFileLabels;
    std::unique_ptr<ProgressWindow> OpenProgress(const std::string& label,
                                                 const std::string& fileLabel, int max) override {
        if (label == "Bifonoen maiztasunen irakurketa ... ") OpeningFileLabels.push_back(fileLabel);
        return RecordingFeedback::OpenProgress(label, fileLabel, max);
    }
};

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

Cells4 Cells(const Workspace& ws, int row) {
    return {std::string(ws.OutputGrid.Cell(ws.Col_TK_BB, row)),
            std::string(ws.OutputGrid.Cell(ws.Col_TP_BB, row)),
            std::string(ws.OutputGrid.Cell(ws.Col_BPMLB, row)),
            std::string(ws.OutputGrid.Cell(ws.Col_BPMLBB, row))};
}

TEST(BiphoneTables, ReadOncePerRunBehindProgressWindows) {
    TempDir dir;
    for (const char* name : {"nwfreq_EUS.txt", "ZR_BPF2.txt", "ZR_BPF3.txt", "ZR_BPF4.txt"})
        std::filesystem::copy_file(PhonologyData() / name, dir / name);

    FileLabelFeedback ui;
    Workspace ws(ui, dir.Path());
    ws.Startup();
    ws.Options.SetTicked("TokenBPFBox", true);
    ws.AssignColumns();
    ws.EnterTypedItem("mesa");
    ws.EnterTypedItem("boskoa");
    EXPECT_FALSE(ws.BiphoneFilesRead);
    ws.AnalyseAll();
    EXPECT_TRUE(ws.BiphoneFilesRead);

    // One window per file that exists, each with the file's full name in capitals.
    ASSERT_EQ(ui.OpeningFileLabels.size(), 3u);
    for (int n = 2; n <= 4; ++n)
        EXPECT_EQ(ui.OpeningFileLabels[static_cast<std::size_t>(n - 2)],
                  Upper((dir / ("ZR_BPF" + std::to_string(n) + ".txt")).string()));
    int windows = 0;
    for (const auto& p : ui.Progresses) {
        if (p->Label != "Bifonoen maiztasunen irakurketa ... ") continue;
        ++windows;
        EXPECT_EQ(p->Max, 676);
        EXPECT_EQ(p->Position, 676);
        EXPECT_EQ(p->FileLabel, " ");
        EXPECT_FALSE(p->Open);
    }
    EXPECT_EQ(windows, 3);
    EXPECT_EQ(ui.BusyDepth, 0);
    EXPECT_EQ(Cells(ws, 1)[0], "3700.00");
    EXPECT_EQ(Cells(ws, 2)[0], "-1");
    EXPECT_EQ(ui.Messages.size(), 1u);

    // A table that appears later is not read in this run: the warning comes again.
    std::filesystem::copy_file(PhonologyData() / "ZR_BPF4.txt", dir / "ZR_BPF6.txt");
    ui.Clear();
    ui.OpeningFileLabels.clear();
    ws.AnalyseAll();
    EXPECT_TRUE(ui.OpeningFileLabels.empty());
    EXPECT_EQ(Cells(ws, 2)[0], "-1");
    EXPECT_EQ(ui.MessageLines(),
              (std::vector<std::string>{"Abisua: Couldn't load BPF6.txt: Can't calculate biphone "
                                        "frequency for 6 phoneme stimuli"}));
}

TEST(BiphoneTables, BadFilesAndOddPronunciations) {
    TempDir dir;
    WriteBytes(dir / "nwfreq_EUS.txt", "ba\t1\tba\tb\n"
                                       "bostak\t1\tbos-tak\tbOs-tAk\n"
                                       "hutsa\t1\thu-tsa\t'-\"\n"
                                       "kanta\t1\tkan-ta\tkAn-tA\n"
                                       "lo\t1\tlo\tlO\n"
                                       "lot\t1\tlot\tlOt\n"
                                       "mesa\t1\tme-sa\tmE-sA\n");
    WriteBytes(dir / "ZR_BPF2.txt", "");                   // empty
    WriteBytes(dir / "ZR_BPF3.txt", "header, no records"); // no line end after the header
    WriteBytes(dir / "ZR_BPF4.txt", "header\nmE 1 2");     // truncated record
    // Malformed numbers read as 0; a missing label (nt) has no row.
    WriteBytes(dir / "ZR_BPF5.txt", "header\nkA x 2 3 4 2 abc 100 1e3\nAn 9 9 9 9 10 10 10 10\n"
                                    "tA 1 1 1 5 1 1 1 100\n");
    // 900 records: a label longer than six characters is one record; records from the 801st on
    // (bO among them) are ignored.
    std::string huge = "header\nVeryLongLabel 9 9 9 9 9 9 9 9 9 9\nOs 0 3 0 0 0 0 1000 0 0 0\n";
    for (int r = 2; r < 900; ++r)
        huge += (r == 800 ? std::string("bO") : "F" + std::to_string(r)) +
                " 7 7 7 7 7 1000 1000 1000 1000 1000\n";
    WriteBytes(dir / "ZR_BPF6.txt", huge);
    // Not a file.
    std::filesystem::create_directory(dir / "ZR_BPF7.txt");

    RecordingFeedback ui;
    Workspace ws(ui, dir.Path());
    ws.Startup();
    for (const char* box : {"TokenBPFBox", "TypeBPFBox", "SLBPFBox", "MLBPFBox", "PNBox"})
        ws.Options.SetTicked(box, true);
    ws.AssignColumns();
    for (const char* item : {"lo", "lot", "mesa", "kanta", "bostak", "ba", "hutsa"})
        ws.EnterTypedItem(item);
    ui.Clear();
    ws.AnalyseAll();

    EXPECT_EQ(Cells(ws, 1), (Cells4{"   0.00", "   0.00", "   0.00", "   0.00"}));
    EXPECT_EQ(Cells(ws, 2), (Cells4{"   0.00", "   0.00", "   0.00", "   0.00"}));
    EXPECT_EQ(Cells(ws, 3), (Cells4{"   0.00", "   0.33", "   0.00", "   0.00"}));
    // kA 0/2, An 9/10, nt none, tA 5/100: log sum 0.301 + 1 + 2.
    EXPECT_EQ(Cells(ws, 4), (Cells4{"  28.00", "   3.50", "   3.30", "   0.83"}));
    // Only Os (row 1) is found: 3/1000 at position 2.
    EXPECT_EQ(Cells(ws, 5), (Cells4{" 200.00", "   0.60", "   3.00", "   0.60"}));
    // One and no phoneme: no table for them.
    EXPECT_EQ(Cells(ws, 6), (Cells4{"-1", "-1", "    -", "-1"}));
    EXPECT_EQ(Cells(ws, 7), (Cells4{"-1", "-1", "    -", "-1"}));
    EXPECT_EQ(ui.MessageLines(),
              (std::vector<std::string>{"Abisua: Couldn't load BPF1.txt: Can't calculate biphone "
                                        "frequency for 1 phoneme stimuli",
                                        "Abisua: Couldn't load BPF0.txt: Can't calculate biphone "
                                        "frequency for 0 phoneme stimuli"}));
    EXPECT_FALSE(ws.Biphones.Loaded(7));
    EXPECT_TRUE(ws.Biphones.Loaded(2));
    EXPECT_EQ(ws.Biphones.BiphoneLabels.size(), 804u); // 0 + 0 + 1 + 3 + 800

    // The neighbour search takes the odd pronunciations in its stride.
    EXPECT_EQ(ws.OutputGrid.Cell(ws.Col_PN, 6), "   0");
    EXPECT_EQ(ws.OutputGrid.Cell(ws.Col_PN, 7), "   0");
}

} // namespace
} // namespace zirtel::test

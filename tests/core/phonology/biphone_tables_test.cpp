// Reading the biphone tables: once per run, behind a progress window each; pronunciations that
// no table can serve.
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
    return {std::string(ws.OutputGrid.Cell(ws.Columns.Col_TK_BB, row)),
            std::string(ws.OutputGrid.Cell(ws.Columns.Col_TP_BB, row)),
            std::string(ws.OutputGrid.Cell(ws.Columns.Col_BPMLB, row)),
            std::string(ws.OutputGrid.Cell(ws.Columns.Col_BPMLBB, row))};
}

TEST(BiphoneTables, ReadOncePerRunBehindProgressWindows) {
    TempDir dir;
    for (const char* name : {"nwfreq_EUS.txt", "ZR_BPF2.txt", "ZR_BPF3.txt", "ZR_BPF4.txt"})
        std::filesystem::copy_file(PhonologyData() / name, dir / name);

    FileLabelFeedback ui;
    Workspace ws(ui, dir.Path());
    ws.Startup();
    ws.Setup.Options.SetTicked("TokenBPFBox", true);
    ws.AssignColumns();
    ws.EnterTypedItem("mesa");
    ws.EnterTypedItem("boskoa");
    EXPECT_FALSE(ws.Setup.BiphoneFilesRead);
    ws.AnalyseAll();
    EXPECT_TRUE(ws.Setup.BiphoneFilesRead);

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
    EXPECT_EQ(ui.MessageLines(), (std::vector<std::string>{
                                     "Abisua: Couldn't load ZR_BPF6.txt: Can't calculate biphone "
                                     "frequency for 6 phoneme stimuli"}));
}

// Pronunciations of one phoneme and of none have no table; a lexicon without its pronunciation
// field is named as such (files that are not whole tables: corrupt_tables_test.cpp).
TEST(BiphoneTables, OddPronunciationsAndALexiconWithoutThem) {
    TempDir dir;
    WriteBytes(dir / "nwfreq_EUS.txt", "ba\t1\tba\tb\n"
                                       "hutsa\t1\thu-tsa\t'-\"\n"
                                       "lo\t1\tlo\tlO\n");
    std::filesystem::copy_file(PhonologyData() / "ZR_BPF2.txt", dir / "ZR_BPF2.txt");
    const auto run = [&dir](std::initializer_list<const char*> items) {
        auto ui = std::make_unique<RecordingFeedback>();
        auto ws = std::make_unique<Workspace>(*ui, dir.Path());
        ws->Startup();
        for (const char* box : {"TokenBPFBox", "TypeBPFBox", "SLBPFBox", "MLBPFBox", "PNBox"})
            ws->Setup.Options.SetTicked(box, true);
        ws->AssignColumns();
        for (const char* item : items) ws->EnterTypedItem(item);
        ui->Clear();
        ws->AnalyseAll();
        return std::make_pair(std::move(ui), std::move(ws));
    };
    {
        const auto [ui, ws] = run({"lo", "ba", "hutsa"});
        // lO: type 7, token 120.5 at position 1.
        EXPECT_EQ(Cells(*ws, 1), (Cells4{" 120.50", "   7.00", "   2.08", "   2.08"}));
        EXPECT_EQ(Cells(*ws, 2), (Cells4{"-1", "-1", "    -", "-1"}));
        EXPECT_EQ(Cells(*ws, 3), (Cells4{"-1", "-1", "    -", "-1"}));
        EXPECT_EQ(ui->MessageLines(),
                  (std::vector<std::string>{"Abisua: Couldn't load ZR_BPF1.txt: Can't calculate "
                                            "biphone frequency for 1 phoneme stimuli",
                                            "Abisua: Couldn't load ZR_BPF0.txt: Can't calculate "
                                            "biphone frequency for 0 phoneme stimuli"}));
        // The neighbour search takes the odd pronunciations in its stride.
        EXPECT_EQ(ws->OutputGrid.Cell(ws->Columns.Col_PN, 2), "   0");
        EXPECT_EQ(ws->OutputGrid.Cell(ws->Columns.Col_PN, 3), "   0");
    }
    WriteBytes(dir / "nwfreq_EUS.txt", "ba\t1\tba\nlo\t1\tlo\n");
    const auto [ui, ws] = run({"lo"});
    EXPECT_EQ(Cells(*ws, 1), (Cells4{"-1", "-1", "    -", "-1"}));
    EXPECT_EQ(ui->MessageLines(),
              (std::vector<std::string>{"Abisua: Hitz-maiztasunaren fitxategiak ez du \"lo\" "
                                        "hitzaren ahoskerarik (4. eremua): ezin da kalkulatu "
                                        "bifonema-maiztasuna"}));
}

} // namespace
} // namespace zirtel::test

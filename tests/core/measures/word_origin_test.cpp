// The word origin field JATORRIA on the generator's hand-made lexicon (tests/data/generator), whose
// origin file gives kafe as "mailegua", vela as "atzerrikoa" and every other word as "euskara".
#include <gtest/gtest.h>

#include <filesystem>

#include "core/analysis/results_output.h"
#include "core/analysis/workspace.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

using test::RecordedMessage;

TEST(WordOrigin, SavedWithTheMissingMarkAndReadOnlyWhenAsked) {
    test::RecordingFeedback ui;
    Workspace ws(ui, test::TestData("generator"));
    ws.Startup();
    ws.Setup.Options.SetTicked("OriginBox", true);
    ws.AssignColumns();
    for (const char* item : {"gela", "VELA", "kafe", "gelb"}) ws.EnterTypedItem(item);
    EXPECT_FALSE(ws.Setup.OriginsLoaded()); // start-up and entry read no origin
    ws.AnalyseAll();
    EXPECT_TRUE(ws.Setup.OriginsLoaded());
    EXPECT_TRUE(ui.Messages.empty());
    // After H_MAIZT, the other field of its group; gelb is in neither file.
    EXPECT_EQ(OutputFileText(ws), "Sarrera \t  H_MAIZT \t JATORRIA \t\r\n"
                                  "gela\t   2.50\teuskara\t\r\n"
                                  "vela\t   3.50\tatzerrikoa\t\r\n"
                                  "kafe\t   2.50\tmailegua\t\r\n"
                                  "gelb\t   0.00\t-1\t\r\n"
                                  "\t\t\t\r\n");
}

TEST(WordOrigin, AnUnreadableOrFaultyFileIsTold) {
    test::TempDir dir;
    std::filesystem::copy_file(test::TestData("generator/nwfreq_EUS.txt"), dir / kWholeWordFile);
    test::RecordingFeedback ui;
    {
        Workspace ws(ui, dir.Path());
        ws.Startup();
        ws.Setup.Options.SetTicked("OriginBox", true);
        ws.AssignColumns();
        ws.EnterTypedItem("gela");
        ws.EnterTypedItem("vela");
        ws.AnalyseAll();
        // Told once, on the first item; every item is then missing.
        EXPECT_EQ(ui.Messages,
                  (std::vector<RecordedMessage>{{"Fitxategi-errorea",
                                                 "Ezin da ireki hitzen jatorriaren fitxategia",
                                                 MessageButtons::OkCancel}}));
        EXPECT_EQ(ws.OutputGrid.Cell(3, 1), "-1");
        EXPECT_EQ(ws.OutputGrid.Cell(3, 2), "-1");
        EXPECT_FALSE(ws.Setup.OriginsLoaded());
    }
    // Lines 2 and 4 name no origin: their words have none, the others keep theirs.
    test::WriteBytes(dir / kOriginFile, "gela\t2.5\tge-la\tgE-lA\teuskara\n"
                                        "vela\t3.5\tve-la\tbE-lA\tespainiera\n"
                                        "kafe\t2.5\tka-fe\tkA-fE\tmailegua\n"
                                        "zu\t6.5\tzu\tTU\n");
    ui.Clear();
    WordOrigins origins;
    EXPECT_TRUE(LoadWordOrigins(dir / kOriginFile, origins, ui));
    EXPECT_EQ(origins.Find("KAFE"), WordOrigin::Mailegua);
    EXPECT_EQ(origins.Find("vela"), std::nullopt);
    EXPECT_EQ(ui.MessageLines(),
              (std::vector<std::string>{
                  "Abisua: " + (dir / kOriginFile).string() +
                  ": 2 lerrotan ez dago jatorririk (euskara, mailegua, atzerrikoa, izena edo "
                  "kreditua), eta haien hitzek ez dute jatorririk; lehena 2. lerroan."}));
}

} // namespace
} // namespace zirtel

// Item lists saved by a spreadsheet as "Unicode text" (UTF-16 with a byte order mark).
#include <gtest/gtest.h>

#include "core/analysis/workspace.h"
#include "core/text/text_file.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

TEST(TextFileUtf16, BothByteOrdersAreReadAsTheirCharacters) {
    for (const char* name : {"utf16/items_utf16le.txt", "utf16/items_utf16be.txt"}) {
        const std::optional<TextFile> file = ReadTextFile(test::TestData(name));
        ASSERT_TRUE(file.has_value()) << name;
        // The mark is dropped, ñ is the Latin-1 byte F1, the euro sign has no Latin-1 byte.
        EXPECT_EQ(file->Text, "etxe\r\nandere\xF1o\r\nMendi ?\r\n") << name;
        EXPECT_EQ(file->Unmapped, 1u) << name;
    }
}

TEST(TextFileUtf16, AnInputFileInUtf16GivesItsItems) {
    test::RecordingFeedback fb;
    Workspace ws(fb, test::TestData("foundation"));
    ws.Startup();
    ASSERT_TRUE(ws.ReadInputFile(test::TestData("utf16/items_utf16le.txt")));
    EXPECT_EQ(ws.OutputGrid.Cell(1, 1), "etxe");
    EXPECT_EQ(ws.OutputGrid.Cell(1, 2), "andere\xF1o");
    EXPECT_EQ(ws.OutputGrid.Cell(1, 3), "mendi");
    EXPECT_EQ(ws.NextRow, 4);
}

} // namespace
} // namespace zirtel

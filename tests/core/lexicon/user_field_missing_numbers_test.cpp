// User field lines without a number: they add their word but change no value.
#include <gtest/gtest.h>

#include "core/analysis/user_field_file.h"
#include "core/analysis/workspace.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

TEST(UserFieldLines, ALaterLineWithoutANumberKeepsTheWordsValue) {
    test::RecordingFeedback ui;
    Workspace ws(ui, test::TestData("entry_edges"));
    ws.Setup.Options.UntickAllFields();
    ws.Setup.Options.SetTicked("UserField1_Box", true);
    ws.Decimals = 2;
    ws.AssignColumns();
    ASSERT_TRUE(LoadUserField(ws, test::TestData("entry_edges/user_missing_numbers.txt"), 0));
    const UserField& field = ws.Setup.UserFields[0];
    EXPECT_EQ(field.Name, "Irudigarritasuna");
    EXPECT_EQ(field.Words, (std::vector<std::string>{"etxe", "mendi", "ur"}));
    // etxe: 2, then a line with no number; mendi: 3, then "abc", which is no number; ur: only
    // a line without a number, so 0.
    EXPECT_EQ(field.Values, (std::vector<float>{2.0f, 3.0f, 0.0f}));
    for (const char* item : {"etxe", "MENDI", "ur"}) ws.EnterTypedItem(item);
    ws.AnalyseAll();
    EXPECT_EQ(ws.OutputGrid.Cell(2, 1), "   2.00");
    EXPECT_EQ(ws.OutputGrid.Cell(2, 2), "   3.00");
    EXPECT_EQ(ws.OutputGrid.Cell(2, 3), "   0.00");
}

} // namespace
} // namespace zirtel

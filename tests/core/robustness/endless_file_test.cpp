// Files that never end (a device such as /dev/zero) or are larger than any table the program
// reads are refused like a file that cannot be opened, instead of being read until memory runs
// out.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/batch.h"
#include "core/lexicon/lexicon.h"
#include "core/text/text_file.h"
#include "support/recording_feedback.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

TEST(EndlessFile, TextFilesLargerThanTheLimitAreRefused) {
    test::TempDir dir;
    test::WriteBytes(dir / "ten.txt", "etxe\t1\nab\n"); // ten bytes
    ASSERT_TRUE(ReadTextFile(dir / "ten.txt", '?', 10));
    EXPECT_EQ(ReadTextFile(dir / "ten.txt", '?', 10)->Text, "etxe\t1\nab\n");
    EXPECT_FALSE(ReadTextFile(dir / "ten.txt", '?', 9));
    // A device that never ends is refused at the default limit.
    EXPECT_FALSE(ReadTextFile("/dev/zero"));
}

TEST(EndlessFile, ALexiconThatNeverEndsIsReportedAsUnreadable) {
    test::RecordingFeedback ui;
    Lexicon lex;
    EXPECT_FALSE(LoadWholeWordLexicon("/dev/zero", lex, ui));
    EXPECT_TRUE(lex.Empty());
    ASSERT_EQ(
        ui.MessageLines(),
        std::vector<std::string>{"Fitxategi-errorea: Ezin da ireki hitz-maiztasunaren fitxategia"});
}

TEST(EndlessFile, BatchItemsThatNeverEndAreAFileError) {
    const std::string data = test::TestData("foundation").string();
    const char* argv[] = {"zirtel", "--batch", "/dev/zero", "--data-dir", data.c_str()};
    std::ostringstream out, err;
    EXPECT_EQ(RunBatch(5, argv, out, err), 1);
    EXPECT_EQ(out.str(), "");
    // It is refused as too large once it passes the size limit.
    EXPECT_NE(err.str().find("File Error: Sarrera-fitxategia handiegia da: /dev/zero (gehienez "
                             "256 MB)"),
              std::string::npos)
        << err.str();
}

} // namespace
} // namespace zirtel

// The help files describe the pseudoword generator: its window, its controls and its batch
// command.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/text/rtf_reader.h"

namespace zirtel {
namespace {

TEST(GeneratorHelp, BothInstructionFilesDescribeTheWindowAndTheBatchCommand) {
    for (const char* name : {"Instructions.rtf", "EnglishInstructions.rtf"}) {
        const std::optional<RtfDocument> doc =
            ReadRtfFile(std::filesystem::path(ZIRTEL_SHIPPED_DATA) / name);
        ASSERT_TRUE(doc) << name;
        const std::string text = doc->PlainText();
        for (const char* shown :
             {"\"Leihoa\" > \"Sasihitz-sortzailea\"", "\"Sasihitzak txantiloiko\"",
              "\"Gainjartzea\"", "\"Hazia\"", "\"Segmentuen luzera txantiloiarena\"",
              "\"Baztertutako hitzak\"", "\"Sortu\"", "\"Utzi\"", "\"Gehitu zerrendara\"",
              "\"Gorde taula\"", "OLD20_diff", "zirtel --generate TEMPLATES", "--seed", "--overlap",
              "--no-length-match", "--exclude", "--max-candidates", "--settings"})
            EXPECT_NE(text.find(shown), std::string::npos) << name << ": " << shown;
    }
}

} // namespace
} // namespace zirtel

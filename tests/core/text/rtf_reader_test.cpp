#include "core/text/rtf_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "core/text/latin1.h"

namespace zirtel {
namespace {

TEST(RtfReader, ParagraphsRunsFormatsAndSkippedDestinations) {
    const RtfDocument doc = ParseRtf(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
        "{\\colortbl;\\red0\\green0\\blue0;}{\\*\\generator Writer 1.0;}{\\info{\\title Hidden}}\n"
        "\\pard\\qc\\b\\fs32 Title\\b0\\par\r\n"
        "\\pard\\plain Normal {\\i it} \\ul under\\ulnone  end\\par\n"
        "\\fs20 small\\line next\\tab cell\\par}");
    ASSERT_EQ(doc.Paragraphs.size(), 3u);

    const RtfParagraph& title = doc.Paragraphs[0];
    EXPECT_EQ(title.Alignment, RtfAlignment::Centre);
    ASSERT_EQ(title.Runs.size(), 1u);
    EXPECT_EQ(title.Runs[0].Text, "Title");
    EXPECT_EQ(title.Runs[0].Format, (RtfCharFormat{true, false, false, 32}));

    const RtfParagraph& body = doc.Paragraphs[1];
    EXPECT_EQ(body.Alignment, RtfAlignment::Left);
    EXPECT_EQ(body.Text(), "Normal it under end");
    ASSERT_EQ(body.Runs.size(), 5u);
    EXPECT_EQ(body.Runs[0].Text, "Normal ");
    EXPECT_EQ(body.Runs[0].Format, RtfCharFormat{});
    EXPECT_EQ(body.Runs[1].Text, "it");
    EXPECT_TRUE(body.Runs[1].Format.Italic);
    EXPECT_EQ(body.Runs[2].Text, " ");
    EXPECT_FALSE(body.Runs[2].Format.Italic); // the group's end restores the format
    EXPECT_EQ(body.Runs[3].Text, "under");
    EXPECT_TRUE(body.Runs[3].Format.Underline);
    EXPECT_EQ(body.Runs[4].Text, " end");
    EXPECT_FALSE(body.Runs[4].Format.Underline);

    EXPECT_EQ(doc.Paragraphs[2].Text(), "small\xe2\x80\xa8next\tcell");
    EXPECT_EQ(doc.Paragraphs[2].Runs[0].Format.HalfPoints, 20);
    EXPECT_EQ(doc.PlainText(), "Title\nNormal it under end\nsmall\xe2\x80\xa8next\tcell\n");
}

TEST(RtfReader, HexAndUnicodeCharactersWithTheirFallbacks) {
    // \'e1 á, \'f1 ñ, \'92 ’ (code page 1252), \u241? ñ with its fallback skipped, \uc2 two
    // fallback characters, a \'hh fallback counts as one, negative \u values count from 65536.
    const RtfDocument doc = ParseRtf(
        "{\\rtf1 Bizk\\'e1ia \\'f1 \\'92 \\u241?o {\\uc2\\u8364 XYeuro} \\u233\\'e9 x \\u-1?y "
        "\\\\ \\{ \\} a\\~b\\emdash\\bullet}");
    ASSERT_EQ(doc.Paragraphs.size(), 1u);
    EXPECT_EQ(doc.Paragraphs[0].Text(),
              "Bizk\xc3\xa1ia \xc3\xb1 \xe2\x80\x99 \xc3\xb1o \xe2\x82\xac"
              "euro "
              "\xc3\xa9 x \xef\xbf\xbfy \\ { } a\xc2\xa0"
              "b\xe2\x80\x94\xe2\x80\xa2");
}

TEST(RtfReader, BrokenInputGivesItsTextAndNeverFails) {
    EXPECT_TRUE(ParseRtf("").Paragraphs.empty());
    EXPECT_TRUE(ParseRtf("{\\rtf1}").Paragraphs.empty());
    // Unclosed groups: the text is kept, with its format.
    RtfDocument doc = ParseRtf("{\\rtf1 unclosed {\\b bold");
    ASSERT_EQ(doc.Paragraphs.size(), 1u);
    EXPECT_EQ(doc.Paragraphs[0].Text(), "unclosed bold");
    EXPECT_TRUE(doc.Paragraphs[0].Runs.back().Format.Bold);
    // Stray closing braces, unknown control words and ignorable destinations.
    EXPECT_EQ(ParseRtf("}}}stray {\\rtf1\\foo12 \\barbaz text{\\*\\unknown hidden {deep}} end}")
                  .PlainText(),
              "stray text end\n");
    // Cut-off escapes and a backslash at the very end.
    EXPECT_EQ(ParseRtf("a\\'zzb\\'4").PlainText(), "azzb\n");
    EXPECT_EQ(ParseRtf("text\\").PlainText(), "text\n");
    EXPECT_EQ(ParseRtf("x\\u y\\u99999999999999999999?z").PlainText(), "xy\xef\xbf\xbd"
                                                                       "z\n");
    EXPECT_EQ(ParseRtf("x\\fs999999999999 y\\fs-5 z").Paragraphs[0].Runs[0].Format.HalfPoints, 24);
    // A destination word outside any group hides what follows it.
    EXPECT_EQ(ParseRtf("seen\\par\\fonttbl unseen\\par").PlainText(), "seen\n");
    // Very deep nesting.
    std::string deep(100000, '{');
    deep += "x";
    deep += std::string(100000, '}');
    deep += "y";
    EXPECT_EQ(ParseRtf(deep).PlainText(), "xy\n");

    // Random input: always well-formed UTF-8 out.
    std::mt19937 random(7);
    const std::string alphabet = "{}\\'abcfsuliprt0123456789- *\n\xe9\x80\x9f";
    for (int round = 0; round < 3000; ++round) {
        std::string input;
        const int length = static_cast<int>(random() % 60);
        for (int i = 0; i < length; ++i) input.push_back(alphabet[random() % alphabet.size()]);
        const std::string text = ParseRtf(input).PlainText();
        ASSERT_TRUE(IsValidUtf8(text)) << input;
    }
}

TEST(RtfReader, MissingFileIsNothing) {
    EXPECT_FALSE(
        ReadRtfFile(std::filesystem::path(ZIRTEL_TEST_DATA) / "no_such_help.rtf").has_value());
    EXPECT_FALSE(ReadRtfFile(std::filesystem::path(ZIRTEL_TEST_DATA)).has_value());
}

} // namespace
} // namespace zirtel

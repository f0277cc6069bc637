// A reader for the part of rich text (RTF) that the help files use: groups, paragraphs, bold,
// italic, underline, font size, alignment, "\'hh" and "\uN" characters, and destinations that
// hold no text (font and colour tables, style sheets, document information, pictures, "\*"
// groups), which are skipped. Unknown control words are ignored; input that is not well formed
// (unbalanced braces, cut-off escapes, stray bytes) gives whatever text it holds and never fails.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zirtel {

struct RtfCharFormat {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int HalfPoints = 24; // font size in half points ("\fs"); 12 points by default
    bool operator==(const RtfCharFormat&) const = default;
};

struct RtfRun {
    std::string Text; // UTF-8; "\line" is U+2028, "\tab" a tab
    RtfCharFormat Format;
};

enum class RtfAlignment { Left, Centre, Right, Justify };

struct RtfParagraph {
    std::vector<RtfRun> Runs; // neighbouring runs never share a format
    RtfAlignment Alignment = RtfAlignment::Left;
    std::string Text() const; // the runs' texts joined
};

struct RtfDocument {
    std::vector<RtfParagraph> Paragraphs;
    // Every paragraph's text, each followed by a line feed.
    std::string PlainText() const;
};

RtfDocument ParseRtf(std::string_view rtf);

// Reads and parses a file; nothing when it cannot be opened or read.
std::optional<RtfDocument> ReadRtfFile(const std::filesystem::path& path);

} // namespace zirtel

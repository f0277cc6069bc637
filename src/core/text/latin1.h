// Latin-1 text: the engine keeps words as single bytes (ñ is F1, á is E1). These helpers map
// letter case and convert between Latin-1 and UTF-8 at the edges of the engine.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zirtel {

// ASCII capitals A-Z to a-z; every other byte unchanged.
char LowerAsciiChar(char c);
std::string LowerAscii(std::string_view s);
std::string UpperAscii(std::string_view s);

// Case mapping of the Latin-1 letters, accented capitals included (Á <-> á, Ñ <-> ñ).
// ß and ÿ have no single-byte counterpart and stay as they are.
char LowerLatin1Char(char c);
char UpperLatin1Char(char c);
std::string LowerLatin1(std::string_view s);
std::string UpperLatin1(std::string_view s);

// Blanks (space, tab, CR, LF, FF, VT) removed from both ends.
std::string Trim(std::string_view s);

// True when the bytes are well-formed UTF-8 (ASCII included).
bool IsValidUtf8(std::string_view s);

struct Latin1Conversion {
    std::string Text;         // the Latin-1 bytes
    std::size_t Unmapped = 0; // characters outside Latin-1, each replaced by '?'
};
// Converts valid UTF-8 to Latin-1. Characters above U+00FF become `replacement` and are counted.
Latin1Conversion Utf8ToLatin1(std::string_view utf8, char replacement = '?');
// The same conversion over the text itself; returns the number of characters replaced.
std::size_t Utf8ToLatin1InPlace(std::string& text, char replacement = '?');
std::string Latin1ToUtf8(std::string_view latin1);

// A UTF-8 text (a file path) in capitals, as the progress windows show it: the Latin-1 letters
// upper-cased; only the ASCII ones when the text has other characters or is not UTF-8.
std::string UpperUtf8(std::string_view utf8);

} // namespace zirtel

// Reading and writing the program's text files. Files are read as UTF-16 after a byte order
// mark, as UTF-8 when they are valid UTF-8 and as Latin-1 otherwise; the engine gets Latin-1. Files
// are written as UTF-8, through a temporary file beside the target, so a failed write never
// replaces a good file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zirtel {

struct TextFile {
    std::string Text;         // Latin-1
    std::size_t Unmapped = 0; // characters outside Latin-1, replaced by '?'
};

// The largest file the program reads: far above any lexicon or table, and small enough that a
// device that never ends (/dev/zero) or a runaway file cannot exhaust memory.
inline constexpr std::size_t kMaxTextFileBytes = std::size_t{256} << 20; // 256 MiB

// The whole file as Latin-1 text; nothing when it cannot be opened or read, or when it holds more
// than `maxBytes` bytes. Characters outside Latin-1 become `replacement`.
std::optional<TextFile> ReadTextFile(const std::filesystem::path& path, char replacement = '?',
                                     std::size_t maxBytes = kMaxTextFileBytes);

// Whether a regular file exists at the path.
bool FileExists(const std::filesystem::path& path);

// Writes the bytes to the path: first to a temporary file in the same folder, then renamed over
// the target once everything was written and the file closed without error. Returns false (and
// leaves any earlier file untouched) when anything fails. A symbolic link keeps pointing to the
// new file; a device or pipe (such as /dev/stdout) is written into directly.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Splits text into lines at LF; a CR before the LF is dropped; a last line without LF is a line.
std::vector<std::string_view> SplitLines(std::string_view text);

// Whitespace-delimited tokens of one line (space, tab, CR, FF, VT).
std::vector<std::string_view> SplitTokens(std::string_view line);

// Number of LF characters.
std::size_t CountLineFeeds(std::string_view text);

// Parses a decimal number (as the C library reads it, locale-independent). Nothing when the
// text is not a number.
std::optional<float> ParseFloat(std::string_view token);
std::optional<int> ParseInt(std::string_view token);

} // namespace zirtel

// Reading and writing the program's text files. Files are read as UTF-16 after a byte order
// mark (or without one, by its NUL bytes), as UTF-8 when they are valid UTF-8 and as Latin-1
// otherwise; the engine gets Latin-1. Files are written as UTF-8, through a temporary file beside
// the target, so a failed write never replaces a good file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
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

// Why a file could not be read.
enum class ReadProblem { None, Missing, Folder, TooLarge, Unreadable };

// The whole file as Latin-1 text; nothing when it cannot be opened or read, or when it holds more
// than `maxBytes` bytes (a regular file that large is refused by its size, unread). Characters
// outside Latin-1 become `replacement`. UTF-16 without a byte order mark is recognised by the NUL
// in every other byte of its start. `problem`, when given, receives the reason of a failure.
std::optional<TextFile> ReadTextFile(const std::filesystem::path& path, char replacement = '?',
                                     std::size_t maxBytes = kMaxTextFileBytes,
                                     ReadProblem* problem = nullptr);

// Whether a regular file exists at the path.
bool FileExists(const std::filesystem::path& path);

// Writes the bytes to the path: first to a temporary file in the same folder
// (".NAME.zirtel-tmp-XXXXXX"), then renamed over the target once everything was written and the
// file closed without error. Returns false (and leaves any earlier file untouched) when anything
// fails. A symbolic link keeps pointing to the new file (a dangling one is written through); a
// replaced file keeps its permission bits; a file with several hard links, or one of another
// owner, is written in place once the complete copy exists. A file the user may not write is
// refused even where its folder would allow replacing it. A device or pipe is written into
// directly, and /dev/stdout, /dev/fd/N or /proc/self/fd/N into that open descriptor. SIGINT,
// SIGTERM, SIGHUP and SIGQUIT during the write remove the temporary file and end the program with
// status 128 + the signal (see AtomicFileWriter for a program with a handler of its own). A
// target name too long to take the temporary file's affixes gets a shortened temporary name.
// `error`, when given, receives the errno of a failure (0 on success).
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         int* error = nullptr);

// The same file written piece by piece, for output that is produced as it goes: Open decides as
// WriteFileAtomically does (a temporary file beside the target; a device, a pipe or an open
// descriptor written into directly), Write adds bytes, Commit puts the complete file in place
// and says whether everything was written. Abandoned, destroyed before Commit, or failed, the
// writer removes its temporary file and the target stays as it was. While a temporary file is
// open, SIGINT, SIGTERM, SIGHUP and SIGQUIT remove it and end the program (128 + the signal),
// unless the program has a handler of its own for the signal: that one is called instead, and the
// program abandons its writers itself. Writers are opened, committed and abandoned on one thread.
class AtomicFileWriter {
  public:
    AtomicFileWriter();
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool Open(const std::filesystem::path& target);
    bool IsOpen() const { return S_ != nullptr; }
    // False once a write failed (the rest is not written).
    bool Write(std::string_view bytes);
    bool Commit();
    void Abandon();
    // The errno of the last failure of Open, Write or Commit (0 when none): why it failed.
    int Error() const { return Error_; }

  private:
    struct State;
    std::unique_ptr<State> S_;
    int Error_ = 0;
};

// Splits text into lines at LF, CR LF or a lone CR; a last line without a line end is a line.
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

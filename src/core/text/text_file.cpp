#include "core/text/text_file.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <system_error>

#include "core/text/latin1.h"
#include "core/text/token_reader.h"

namespace zirtel {

namespace {

// A file saved as "Unicode text" by a spreadsheet: UTF-16 after a byte order mark.
bool HasUtf16Mark(std::string_view bytes) {
    return bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') ||
                                 (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
}

// UTF-16 without a byte order mark: in the first 512 bytes, nearly every high byte is NUL (Latin-1
// text) and hardly any low byte is. Nothing when the bytes do not look so; true for little endian.
std::optional<bool> Utf16WithoutMark(std::string_view bytes) {
    const std::size_t units = std::min<std::size_t>(bytes.size(), 512) / 2;
    if (units < 2) return std::nullopt;
    std::size_t evenNul = 0, oddNul = 0;
    for (std::size_t i = 0; i < units; ++i) {
        evenNul += bytes[2 * i] == '\0';
        oddNul += bytes[2 * i + 1] == '\0';
    }
    if (oddNul * 4 >= units * 3 && evenNul * 8 <= units) return true;
    if (evenNul * 4 >= units * 3 && oddNul * 8 <= units) return false;
    return std::nullopt;
}

// The UTF-16 text from byte `start` as Latin-1; other characters (surrogate pairs included)
// become `replacement`, and a last odd byte is dropped.
TextFile Utf16ToLatin1(std::string_view bytes, std::size_t start, bool little, char replacement) {
    TextFile file;
    file.Text.reserve(bytes.size() / 2);
    for (std::size_t i = start; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[little ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(bytes[little ? i + 1 : i]);
        const unsigned unit = (static_cast<unsigned>(hi) << 8) | lo;
        if (unit <= 0xFF) {
            file.Text.push_back(static_cast<char>(unit));
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            continue; // second half of a pair, already replaced
        } else {
            file.Text.push_back(replacement);
            ++file.Unmapped;
        }
    }
    return file;
}

} // namespace

std::optional<TextFile> ReadTextFile(const std::filesystem::path& path, char replacement,
                                     std::size_t maxBytes, ReadProblem* problem) {
    auto fail = [problem](ReadProblem why) -> std::optional<TextFile> {
        if (problem) *problem = why;
        return std::nullopt;
    };
    if (problem) *problem = ReadProblem::None;
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) return fail(ReadProblem::Missing);
    if (std::filesystem::is_directory(status)) return fail(ReadProblem::Folder);
    std::uintmax_t knownSize = 0; // a regular file's size: read in one piece
    if (std::filesystem::is_regular_file(status)) {
        const auto size = std::filesystem::file_size(path, ec);
        if (!ec && size > maxBytes) return fail(ReadProblem::TooLarge);
        if (!ec) knownSize = size;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail(ReadProblem::Unreadable);
    std::string bytes;
    if (knownSize > 0) {
        bytes.resize(static_cast<std::size_t>(knownSize));
        in.read(bytes.data(), static_cast<std::streamsize>(knownSize));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
    }
    // Whatever else there is: the rest of a file that grew, or a device or pipe.
    char buf[1 << 16];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        bytes.append(buf, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > maxBytes) return fail(ReadProblem::TooLarge);
    }
    if (in.bad()) return fail(ReadProblem::Unreadable);
    TextFile file;
    if (HasUtf16Mark(bytes)) {
        file = Utf16ToLatin1(bytes, 2, bytes[0] == '\xFF', replacement);
    } else if (const std::optional<bool> little = Utf16WithoutMark(bytes)) {
        file = Utf16ToLatin1(bytes, 0, *little, replacement);
    } else if (IsValidUtf8(bytes)) {
        file.Unmapped = Utf8ToLatin1InPlace(bytes, replacement);
        file.Text = std::move(bytes);
    } else {
        file.Text = std::move(bytes);
    }
    return file;
}

bool FileExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        // CR LF is one line end.
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

std::vector<std::string_view> SplitTokens(std::string_view line) {
    std::vector<std::string_view> tokens;
    TokenReader reader(line);
    while (const auto token = reader.Next()) tokens.push_back(*token);
    return tokens;
}

std::size_t CountLineFeeds(std::string_view text) {
    std::size_t n = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        if (!lf) break;
        ++n;
        p = static_cast<const char*>(lf) + 1;
    }
    return n;
}

std::optional<float> ParseFloat(std::string_view token) {
    if (!token.empty() && token.front() == '+') token.remove_prefix(1);
    float value = 0;
    auto res = std::from_chars(token.data(), token.data() + token.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Out of the float range: fall back to the C library's answer (infinity or 0).
        std::string s(token);
        return std::strtof(s.c_str(), nullptr);
    }
    if (res.ec != std::errc() || res.ptr != token.data() + token.size()) return std::nullopt;
    return value;
}

std::optional<int> ParseInt(std::string_view token) {
    if (!token.empty() && token.front() == '+') token.remove_prefix(1);
    int value = 0;
    auto res = std::from_chars(token.data(), token.data() + token.size(), value);
    if (res.ec != std::errc() || res.ptr != token.data() + token.size()) return std::nullopt;
    return value;
}

} // namespace zirtel

#include "core/text/text_file.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
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

// The UTF-16 text after the mark as Latin-1; other characters (surrogate pairs included) become
// `replacement`, and a last odd byte is dropped.
TextFile Utf16ToLatin1(std::string_view bytes, char replacement) {
    const bool little = bytes[0] == '\xFF';
    TextFile file;
    file.Text.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
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
                                     std::size_t maxBytes) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes;
    char buf[1 << 16];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        bytes.append(buf, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > maxBytes) return std::nullopt;
    }
    if (in.bad()) return std::nullopt;
    TextFile file;
    if (HasUtf16Mark(bytes)) {
        file = Utf16ToLatin1(bytes, replacement);
    } else if (IsValidUtf8(bytes)) {
        Latin1Conversion conv = Utf8ToLatin1(bytes, replacement);
        file.Text = std::move(conv.Text);
        file.Unmapped = conv.Unmapped;
    } else {
        file.Text = std::move(bytes);
    }
    return file;
}

bool FileExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

namespace {

// Writes the bytes straight into the file; true when all was written and the file closed.
bool WriteInPlace(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    const bool written = static_cast<bool>(out);
    out.close();
    return written && static_cast<bool>(out);
}

} // namespace

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    std::error_code ec;
    if (target.empty() || std::filesystem::is_directory(target, ec)) return false;
    // A symbolic link stays a link: the file it points to is replaced.
    std::filesystem::path path = target;
    if (std::filesystem::is_symlink(target, ec)) {
        const std::filesystem::path resolved = std::filesystem::canonical(target, ec);
        if (!ec) path = resolved;
    }
    // A device or a pipe (/dev/stdout, /dev/null) is written into, never replaced by a file.
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return WriteInPlace(path, bytes);
    std::filesystem::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    std::random_device rd;
    std::filesystem::path temp;
    for (int attempt = 0; attempt < 8; ++attempt) {
        // Appended piece by piece: GCC 12 at -O2 and above mistakes `"." + string&&` for an
        // overlapping copy (-Wrestrict).
        std::string name(1, '.');
        name += path.filename().string();
        name += ".tmp";
        name += std::to_string(rd() % 1000000);
        temp = folder / name;
        if (!std::filesystem::exists(temp, ec)) break;
    }
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        const bool written = static_cast<bool>(out);
        out.close();
        if (!written || !out) {
            std::filesystem::remove(temp, ec);
            return false;
        }
    }
    // Keep the permissions of a file that is being replaced.
    if (std::filesystem::exists(path, ec)) {
        const auto perms = std::filesystem::status(path, ec).permissions();
        if (!ec) std::filesystem::permissions(temp, perms, ec);
    }
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.push_back(text.substr(start, stop - start));
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
    for (char c : text) n += (c == '\n');
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

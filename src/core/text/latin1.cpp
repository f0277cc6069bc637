#include "core/text/latin1.h"

#include <cstdint>
#include <cstring>

#include "core/text/token_reader.h"

namespace zirtel {

char LowerAsciiChar(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

std::string LowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = LowerAsciiChar(c);
    return out;
}

std::string UpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return out;
}

char LowerLatin1Char(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 32);
    return c;
}

char UpperLatin1Char(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 32);
    return c;
}

std::string LowerLatin1(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = LowerLatin1Char(c);
    return out;
}

std::string UpperLatin1(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = UpperLatin1Char(c);
    return out;
}

std::string Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return std::string(s.substr(b, e - b));
}

// Decodes one UTF-8 sequence at s[i]; returns its length, or 0 when it is malformed.
static std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    std::size_t len;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

// The number of ASCII bytes from `i` on, eight at a time where it can.
static std::size_t AsciiRun(std::string_view s, std::size_t i) {
    const std::size_t start = i;
    while (i + 8 <= s.size()) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        if (word & 0x8080808080808080ull) break;
        i += 8;
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
    return i - start;
}

bool IsValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        i += AsciiRun(s, i);
        if (i >= s.size()) break;
        char32_t cp;
        const std::size_t len = DecodeUtf8(s, i, cp);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

std::size_t Utf8ToLatin1InPlace(std::string& text, char replacement) {
    // The Latin-1 text is never longer than the UTF-8 it comes from: it is written over the
    // bytes already read.
    const std::string_view utf8(text);
    std::size_t unmapped = 0;
    std::size_t out = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        // ASCII needs no decoding: kept as it stands (moved down, once something was shortened).
        const std::size_t run = AsciiRun(utf8, i);
        if (out != i) std::memmove(text.data() + out, utf8.data() + i, run);
        out += run;
        i += run;
        if (i >= utf8.size()) break;
        char32_t cp;
        std::size_t len = DecodeUtf8(utf8, i, cp);
        if (len == 0) { // not UTF-8 here: take the byte as Latin-1
            text[out++] = utf8[i];
            ++i;
            continue;
        }
        if (cp == 0xFEFF && i == 0) { // byte-order mark
            i += len;
            continue;
        }
        if (cp <= 0xFF) {
            text[out++] = static_cast<char>(cp);
        } else {
            text[out++] = replacement;
            ++unmapped;
        }
        i += len;
    }
    text.resize(out);
    return unmapped;
}

Latin1Conversion Utf8ToLatin1(std::string_view utf8, char replacement) {
    Latin1Conversion result;
    result.Text.assign(utf8);
    result.Unmapped = Utf8ToLatin1InPlace(result.Text, replacement);
    return result;
}

std::string Latin1ToUtf8(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size() + latin1.size() / 8);
    for (char c : latin1) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (b >> 6)));
            out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return out;
}

std::string UpperUtf8(std::string_view utf8) {
    if (IsValidUtf8(utf8)) {
        const Latin1Conversion latin1 = Utf8ToLatin1(utf8);
        if (latin1.Unmapped == 0) return Latin1ToUtf8(UpperLatin1(latin1.Text));
    }
    return UpperAscii(utf8);
}

} // namespace zirtel

#include "core/text/collation.h"

#include <array>
#include <cstdint>

#include "core/text/latin1.h"

namespace zirtel {
namespace {

struct Weights {
    std::array<std::uint8_t, 256> Primary{};   // 0: ignored at the first two levels
    std::array<std::uint8_t, 256> Secondary{}; // 0: plain letter or sign
};

// Base letter and accent class of the accented Latin-1 small letters.
struct Accented {
    unsigned char Byte;
    char Base;
    std::uint8_t Accent; // 1 grave, 2 acute, 3 circumflex, 4 tilde, 5 diaeresis, 6 ring,
                         // 7 cedilla, 8 stroke
};
constexpr Accented kAccented[] = {
    {0xE0, 'a', 1}, {0xE1, 'a', 2}, {0xE2, 'a', 3}, {0xE3, 'a', 4}, {0xE4, 'a', 5}, {0xE5, 'a', 6},
    {0xE7, 'c', 7}, {0xE8, 'e', 1}, {0xE9, 'e', 2}, {0xEA, 'e', 3}, {0xEB, 'e', 5}, {0xEC, 'i', 1},
    {0xED, 'i', 2}, {0xEE, 'i', 3}, {0xEF, 'i', 5}, {0xF2, 'o', 1}, {0xF3, 'o', 2}, {0xF4, 'o', 3},
    {0xF5, 'o', 4}, {0xF6, 'o', 5}, {0xF8, 'o', 8}, {0xF9, 'u', 1}, {0xFA, 'u', 2}, {0xFB, 'u', 3},
    {0xFC, 'u', 5}, {0xFD, 'y', 2}, {0xFF, 'y', 5},
};

Weights BuildWeights() {
    Weights w;
    // Signs and digits first, in byte order; then the alphabet with ñ after n and the other
    // Latin-1 letters that have no base letter after their nearest Latin letter.
    std::array<int, 256> rank{};
    int next = 1;
    auto isLetter = [](int b) {
        return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') ||
               (b >= 0xC0 && b != 0xD7 && b != 0xF7);
    };
    for (int b = 1; b < 256; ++b) {
        if (b == '-' || b == '\'') continue;
        if (isLetter(b)) continue;
        rank[b] = next++;
    }
    const unsigned char alphabet[] = {'a',  0xE6, 'b', 'c', 'd', 0xF0, 'e', 'f', 'g', 'h', 'i',
                                      'j',  'k',  'l', 'm', 'n', 0xF1, 'o', 'p', 'q', 'r', 's',
                                      0xDF, 't',  'u', 'v', 'w', 'x',  'y', 'z', 0xFE};
    for (unsigned char b : alphabet) rank[b] = next++;
    for (const Accented& a : kAccented) rank[a.Byte] = rank[static_cast<unsigned char>(a.Base)];
    for (int b = 0; b < 256; ++b) {
        const auto lower = static_cast<unsigned char>(LowerLatin1Char(static_cast<char>(b)));
        w.Primary[b] = static_cast<std::uint8_t>(rank[lower]);
    }
    for (const Accented& a : kAccented) {
        w.Secondary[a.Byte] = a.Accent;
        w.Secondary[static_cast<unsigned char>(UpperLatin1Char(static_cast<char>(a.Byte)))] =
            a.Accent;
    }
    return w;
}

const Weights& TheWeights() {
    static const Weights w = BuildWeights();
    return w;
}

} // namespace

int CollateCompare(std::string_view a, std::string_view b) {
    const Weights& w = TheWeights();
    // Level 1: base letters, skipping hyphen and apostrophe.
    std::size_t i = 0, j = 0;
    for (;;) {
        while (i < a.size() && w.Primary[static_cast<unsigned char>(a[i])] == 0) ++i;
        while (j < b.size() && w.Primary[static_cast<unsigned char>(b[j])] == 0) ++j;
        if (i == a.size() || j == b.size()) break;
        const int pa = w.Primary[static_cast<unsigned char>(a[i])];
        const int pb = w.Primary[static_cast<unsigned char>(b[j])];
        if (pa != pb) return pa - pb;
        ++i;
        ++j;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    // Level 2: accents, position by position.
    i = j = 0;
    for (;;) {
        while (i < a.size() && w.Primary[static_cast<unsigned char>(a[i])] == 0) ++i;
        while (j < b.size() && w.Primary[static_cast<unsigned char>(b[j])] == 0) ++j;
        if (i == a.size() || j == b.size()) break;
        const int sa = w.Secondary[static_cast<unsigned char>(a[i])];
        const int sb = w.Secondary[static_cast<unsigned char>(b[j])];
        if (sa != sb) return sa - sb;
        ++i;
        ++j;
    }
    // Level 3: the case-folded texts, signs included.
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t k = 0; k < n; ++k) {
        const int ca = static_cast<unsigned char>(LowerLatin1Char(a[k]));
        const int cb = static_cast<unsigned char>(LowerLatin1Char(b[k]));
        if (ca != cb) return ca - cb;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return 0;
}

std::string CollationEqualityKey(std::string_view s) {
    return LowerLatin1(s);
}

} // namespace zirtel

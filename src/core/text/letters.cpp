#include "core/text/letters.h"

#include "core/text/latin1.h"

namespace zirtel {

bool IsAccentedLetter(char c) {
    return kAccentedLetters.find(c) != std::string_view::npos;
}

bool IsAcceptedFirstLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsAccentedLetter(c);
}

bool IsVowelLetter(char c) {
    constexpr std::string_view vowels = "aeiou\xE1\xE9\xED\xF3\xFA\xFC";
    return vowels.find(LowerLatin1Char(c)) != std::string_view::npos;
}

std::string FoldAccents(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        switch (static_cast<unsigned char>(c)) {
        case 0xE1:
            c = 'a';
            break;
        case 0xE9:
            c = 'e';
            break;
        case 0xED:
            c = 'i';
            break;
        case 0xF3:
            c = 'o';
            break;
        case 0xFA:
        case 0xFC:
            c = 'u';
            break;
        default:
            break;
        }
    }
    return out;
}

int LetterIndex(char c) {
    if (c >= 'a' && c <= 'z') return c - 'a';
    if (c == kEnye) return 26;
    return -1;
}

} // namespace zirtel

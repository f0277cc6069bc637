// The letters of the statistics: the accepted accented letters, the vowels, the 27-letter
// alphabet (a to z, then ñ) and the 26-symbol phoneme inventory.
#pragma once

#include <string>
#include <string_view>

namespace zirtel {

// The accented letters accepted in items besides a-z: á é í ó ú ü ñ (Latin-1 bytes).
constexpr std::string_view kAccentedLetters = "\xE1\xE9\xED\xF3\xFA\xFC\xF1";
constexpr char kEnye = '\xF1'; // ñ

// Whether c is one of kAccentedLetters (lower case only).
bool IsAccentedLetter(char c);
// Whether c may begin an item of an input file: an ASCII letter or an accented letter.
bool IsAcceptedFirstLetter(char c);
// Vowel letters a e i o u á é í ó ú ü, letter case ignored (Á counts as a vowel).
bool IsVowelLetter(char c);

// Letter normalisation: á é í ó ú ü become a e i o u; every other byte (ñ included) is kept.
std::string FoldAccents(std::string_view s);

// Index in the 27-letter alphabet: a..z are 0..25, ñ is 26; -1 for any other byte.
int LetterIndex(char c);
// The letter of an alphabet index 0..26 (inline: the neighbour searches ask it for every
// candidate).
inline char AlphabetLetter(int index) {
    return index == 26 ? kEnye : static_cast<char>('a' + index);
}
constexpr int kAlphabetSize = 27;

// The phoneme inventory, in its order: b d f g j k l m n p r s t T w J N R x A E I O U y L.
constexpr std::string_view kPhonemeSymbols = "bdfgjklmnprstTwJNRxAEIOUyL";
constexpr int kPhonemeSymbolCount = 26;

} // namespace zirtel

// The orthographic syllabifier of Basque spelling. It splits a written word into syllables by
// these rules:
//   - the vowel letters a e i o u (and á é í ó ú ü) are the nuclei; the falling diphthongs ai,
//     ei, oi, ui, au, eu form one nucleus, every other sequence of vowels is split;
//   - the digraphs tx, ts, tz, rr, ll, dd, tt count as one consonant, and so do, at the start of
//     a syllable, the stop + liquid clusters pl bl kl gl fl pr br tr dr kr gr fr;
//   - between two nuclei a single consonant (or digraph) begins the next syllable; of a longer
//     cluster the last consonant, digraph or stop + liquid cluster begins it, the rest closes
//     the syllable before; h is a consonant letter like any other (bi-ho-tza);
//   - consonants before the first nucleus open the first syllable, those after the last close
//     the last one.
// Words are Latin-1; letter case is ignored when the letters are classified and kept in the
// output.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zirtel {

// The syllables of the word, in order; empty when the word has no vowel letter.
std::vector<std::string> OrthographicSyllables(std::string_view word);

// The syllables joined by "-" (etxea -> e-txe-a); empty when the word has no vowel letter.
std::string Syllabify(std::string_view word);

// Whether the two letters (lower case) are one of the digraphs tx ts tz rr ll dd tt.
bool IsConsonantDigraph(char first, char second);

// Whether the two letters (lower case) are a falling diphthong: a, e, o or u (or one of them
// with an accent, ü included) followed by plain i, or a or e (plain or accented) followed by
// plain u. An accent on the second vowel marks a hiatus (a-í).
bool IsFallingDiphthong(char first, char second);

} // namespace zirtel

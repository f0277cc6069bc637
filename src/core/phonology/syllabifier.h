// The orthographic syllabifier of Basque spelling. It splits a written word into syllables by
// these rules:
//   - the vowel letters a e i o u (and á é í ó ú ü) are the nuclei, and so is y after a
//     consonant letter (lady, henry, byte; but not after a w that follows a vowel: newyork);
//     the falling diphthongs ai, ei, oi, ui, au, eu form one nucleus, every other sequence of
//     vowels is split;
//   - the digraphs tx, ts, tz, rr, ll, dd, tt, ch and sh count as one consonant (sh not in the
//     prefix des- before h: des-hi-dra-ta-tu), and so does qu before e or i, whose u is silent
//     (ro-que-fort); so do, at the start of a syllable, the stop + liquid clusters pl bl kl gl
//     fl pr br tr dr kr gr fr;
//   - between two nuclei a single consonant (or digraph) begins the next syllable; of a longer
//     cluster the last consonant, digraph or stop + liquid cluster begins it, the rest closes
//     the syllable before; h is a consonant letter like any other (bi-ho-tza);
//   - consonants before the first nucleus open the first syllable, those after the last close
//     the last one.
// Words are Latin-1; letter case is ignored when the letters are classified and kept in the
// output.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zirtel {

// A unit of spelling: a nucleus (one vowel letter or a falling diphthong) or a consonant (one
// letter or a digraph), at word[Start, Start + Length).
struct SpellingUnit {
    std::size_t Start = 0;
    std::size_t Length = 0;
    bool Nucleus = false;
};

// The spelling units of a word (lower case, Latin-1), in order.
std::vector<SpellingUnit> SpellingUnits(std::string_view lowerWord);

// The syllables of the word, in order; empty when the word has no vowel letter.
std::vector<std::string> OrthographicSyllables(std::string_view word);

// The syllables joined by "-" (etxea -> e-txe-a); empty when the word has no vowel letter.
std::string Syllabify(std::string_view word);

// Whether the two letters (lower case) are a falling diphthong: a, e, o or u (or one of them
// with an accent, ü included) followed by plain i, or a or e (plain or accented) followed by
// plain u. An accent on the second vowel marks a hiatus (a-í).
bool IsFallingDiphthong(char first, char second);

} // namespace zirtel

// The data files of the measures that compare an item with Spanish:
//   es_EUS.txt          Spanish word forms: form, frequency per million of the Spanish list's
//                       tokens, key (lower case, accents folded as the Basque search folds them)
//   es_lemak_EUS.txt    Spanish lemmas (the Spanish analyser's), the same three fields
//   itzulpenak_EUS.txt  Basque lemma, its Spanish translations joined by "/", the word forms
//                       whose translation it gives, separated by blanks
// Each is sorted with the engine's collation.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "lemma_analyser.h"
#include "word_origin.h"

namespace zirtel::tools {

// A line of a word-count list: "form count", nothing after; false when it is not one.
bool ParseCountLine(const std::string& line, std::string& form, long long& count);

// The first filters of a word-count list, in this order: a blank line, a malformed one, a count
// below the minimum, letters outside the lexicons' alphabet (after lower-casing), a word longer
// than the lexicons hold; a line that passes them all is kept.
enum class CountLineFate { Blank, Malformed, BelowMinCount, OutsideLetters, TooLong, Kept };
struct CountLine {
    CountLineFate Fate = CountLineFate::Blank;
    std::string Raw;     // the form as the list writes it (from Malformed on)
    long long Count = 0; // (from BelowMinCount on)
    std::string Word;    // Latin-1, lower case (Kept)
};
CountLine ReadCountLine(const std::string& line, long long minCount);
// Whether the Latin-1 word is not empty and made only of the letters the lexicons hold.
bool AllCoveredLetters(const std::string& word);
// A UTF-8 word in Latin-1 lower case, or empty when it is not valid UTF-8, has a character
// outside Latin-1 or a letter the lexicons do not hold.
std::string CoveredLowerWord(const std::string& utf8);

// A Spanish form is kept when its count is at least `minCount`, it is made of Spanish letters
// (a-z, ñ, á é í ó ú ü) once lower-cased and the Spanish Hunspell dictionary accepts it in lower
// case (a form it holds only with a capital is a name: john, madrid). Of the forms the Spanish
// analyser does not know, a first name of the names list is dropped as a name, and a word of the
// English or French list as a foreign word, as the word-origin rule treats the forms the Basque
// analyser does not know.
struct SpanishTally {
    long long Forms = 0, Tokens = 0, Malformed = 0, BelowMinCount = 0, NotSpanishLetters = 0,
              TooLong = 0, CapitalisedOnly = 0, RejectedByDictionary = 0, Names = 0, Foreign = 0,
              KeptTokens = 0, KnownToAnalyser = 0, LemmaEntries = 0;
};

struct SpanishFiles {
    std::string Forms;  // es_EUS.txt
    std::string Lemmas; // es_lemak_EUS.txt
    SpanishTally Tally;
};

// `analyse` gives the Spanish analyser's analyses of UTF-8 forms (the lemma of an analysis is its
// first part's). A form's count goes to its lemmas in proportion to each lemma's support, as the
// Basque lemmas share theirs (the count of the forms that have it as their only lemma, plus the
// form's own count when the form is written as the lemma), evenly when none has any; a form the
// analyser does not know is its own lemma. Throws std::runtime_error when a file cannot be read.
SpanishFiles
BuildSpanishFiles(const std::filesystem::path& counts, const std::filesystem::path& dictionary,
                  const OriginLists& lists,
                  const std::function<AnalyserOutput(const std::vector<std::string>&)>& analyse,
                  long long minCount);

void PrintSpanishReport(std::ostream& report, const SpanishTally& tally);

// One Basque lemma with its translations and the forms it translates.
struct TranslatedLemma {
    std::string Lemma;                     // Latin-1
    std::vector<std::string> Translations; // Latin-1, in the dictionary's order
    std::vector<std::string> Forms;        // Latin-1, in collation order
};

// itzulpenak_EUS.txt from the lemmas, sorted with the collation.
std::string TranslationFileText(std::vector<TranslatedLemma> lemmas);

// A UTF-8 translation in Latin-1, or empty when it has a character outside Latin-1, a tab or a
// line end.
std::string TranslationInLatin1(const std::string& utf8);

} // namespace zirtel::tools

// The Spanish words a bilingual reader knows: the Spanish subtitle forms ("es_EUS.txt") or lemmas
// ("es_lemak_EUS.txt"), each with its frequency per million, and the Spanish translations of the
// Basque lemmas ("itzulpenak_EUS.txt"). The fields of the group "Gaztelania" read them.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/feedback/feedback.h"
#include "core/lexicon/lexicon.h"

namespace zirtel {

inline constexpr const char* kSpanishFormFile = "es_EUS.txt";
inline constexpr const char* kSpanishLemmaFile = "es_lemak_EUS.txt";
inline constexpr const char* kTranslationFile = "itzulpenak_EUS.txt";

// A Spanish word list searched as the Basque one is: by key (lower case, accents folded, ñ its
// own letter). Forms that share a key are one word whose frequency is the sum of theirs, shown
// as the most frequent of them (the first in the file on a tie).
class SpanishWords {
  public:
    // The keys as a lexicon: LexWords the keys (in the order of their first form in the file),
    // LexFreqs the summed frequencies.
    Lexicon Keys;
    std::vector<std::string> Forms; // the form shown for key i

    bool Empty() const { return Keys.Empty(); }
    // The entry of the word's key, or -1.
    int Find(std::string_view word) const;
};

// The key a Spanish or Basque spelling is searched by.
std::string SpanishKey(std::string_view word);

// Reads a Spanish form or lemma file: lines "form<TAB>frequency[<TAB>key]" (the key is worked
// out again from the form). A line without a frequency, or with a frequency that is no finite
// number of 0 or more, gives no entry: one warning names the file, the count of such lines and
// the first. When the file cannot be opened or holds no entry: "Ezin da ireki gaztelaniazko
// hitzen fitxategia" (caption "Fitxategi-errorea"), no entry, false. A form with a control
// character refuses the file whole, as the lexicons are refused.
bool LoadSpanishWords(const std::filesystem::path& path, SpanishWords& words, Feedback& feedback);

// The Spanish translations of the Basque lemmas, and the Basque word forms each one translates.
class Translations {
  public:
    struct Entry {
        std::string Lemma;                // the Basque lemma
        std::vector<std::string> Spanish; // its translations, in the dictionary's order
    };
    std::vector<Entry> Entries;

    bool Empty() const { return Entries.empty(); }
    // The entry of a Basque word form (letter case ignored), or null.
    const Entry* OfForm(std::string_view form) const;
    // The entry of a Basque lemma (letter case ignored), or null.
    const Entry* OfLemma(std::string_view lemma) const;
    // Builds the lookups once Entries, FormWords and FormEntry are filled.
    void BuildIndexes();

    std::vector<std::string> FormWords; // the word forms the entries translate
    std::vector<int> FormEntry;         // the entry of form i

  private:
    std::vector<std::string> LemmaWords_; // the lemma of entry i
    LetterHashIndex LemmaIndex_{LetterHashIndex::Match::IgnoreCase};
    LetterHashIndex FormIndex_{LetterHashIndex::Match::IgnoreCase};
};

// Reads the translation file: lines "lemma<TAB>translation[/translation...]<TAB>form form ...".
// The dictionary's multiword marks ("punto# de partida") are dropped. A line without a lemma and
// a translation gives no entry: one warning names the file, the count of such lines and the
// first. When the file cannot be opened or holds no entry: "Ezin da ireki itzulpenen
// fitxategia" (caption "Fitxategi-errorea"), no entry, false.
bool LoadTranslations(const std::filesystem::path& path, Translations& translations,
                      Feedback& feedback);

} // namespace zirtel

// The origin of a word form (the field JATORRIA): Basque, an established loan, a foreign word, a
// personal name or the residue of subtitle credits, from the analyser, the word lists Debian
// ships and the Spanish subtitle counts. The rule, first that applies:
//   kreditua    a word of the subtitle-credit lines (kCreditWords);
//   mailegua    the analyser knows the form (or the lemma Hunspell gives it), and the bilingual
//               dictionary translates each of its lemmas into Spanish with the same spelling
//               (familia, hotel, taxi, pistola);
//   euskara     any other form the analyser (or its lemma) knows (bat, zure, lo);
// for a form that neither the analyser nor its lemma's analysis knows (an inflected form is
// judged by its lemma when the lemma is a form of the lexicon too):
//   euskara     a single letter; or a form used in Basque: more than kBasqueUse times as
//               frequent in the Basque subtitles as in the Spanish ones (when their counts are
//               given), or more than
//               kBeyondForeignText times as frequent as the commonest word of Spanish (de) or
//               English (the) in the Basque subtitles, which no foreign passage explains;
//   izena       else a first name of the names list borne by at least kNameShare per cent of
//               the people it counts, or a capitalised entry of both the Basque dictionary and
//               the English list that no English, French or Spanish list holds in lower case;
//   atzerrikoa  else a word of the English, French or Spanish list (accents ignored);
//   euskara     else.
#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/phonology/pronunciation_rules.h"

namespace zirtel::tools {

enum class Origin { Euskara, Mailegua, Atzerrikoa, Izena, Kreditua };
constexpr int kOriginCount = 5;

// The value written in the lexicon: "euskara", "mailegua", "atzerrikoa", "izena", "kreditua".
const char* OriginName(Origin origin);

// The words of the subtitle-credit lines besides the four artefacts left out of the lexicons:
// the Basque captions ("Itzultzailea: ...", "Zuzenketak: ...", "Sinkronizazioa: ...") and the
// English words of "Subtitles by", "Synced and corrected by".
extern const std::vector<std::string> kCreditWords;

constexpr double kBasqueUse = 4.0;
constexpr double kBeyondForeignText = 10.0;
constexpr double kNameShare = 0.02;

// Where the word lists are; an empty path is a list not used.
struct OriginListPaths {
    std::filesystem::path English;       // one word a line (wamerican)
    std::filesystem::path French;        // (wfrench)
    std::filesystem::path Spanish;       // (wspanish)
    std::filesystem::path Names;         // Text/Names.pm of libtext-names-perl, or one a line
    std::filesystem::path SpanishCounts; // "form count" a line (Spanish subtitles)
    std::filesystem::path BasqueDic;     // the Basque Hunspell dictionary's .dic
};

// The word lists, in Latin-1 lower case (words outside Latin-1 are left out).
class OriginLists {
  public:
    // Throws std::runtime_error when a list that is named cannot be read.
    explicit OriginLists(const OriginListPaths& paths);

    bool InEnglishOrFrench(const std::string& word) const;
    bool InSpanish(const std::string& word) const; // accents ignored
    bool InForeignList(const std::string& word) const {
        return InEnglishOrFrench(word) || InSpanish(word);
    }
    bool IsName(const std::string& word) const { return Names_.contains(word); }
    // Capitalised in both the Basque dictionary and the English list.
    bool IsCapitalisedName(const std::string& word) const { return Capitalised_.contains(word); }
    double SpanishPerMillion(const std::string& word) const; // accents ignored

    bool HasSpanishCounts() const { return !SpanishPerMillion_.empty(); }

  private:
    std::unordered_set<std::string> English_, Spanish_, Names_, Capitalised_;
    std::unordered_map<std::string, double> SpanishPerMillion_;
};

// The origin of a form the analyser does not know (rules after "euskara" above); `perMillion`
// is its Basque frequency, `foreignTextPerMillion` that of the commoner of de and the.
Origin OriginOfUnknown(const std::string& form, double perMillion, double foreignTextPerMillion,
                       const OriginLists& lists);

// How c before e, i or y is read in the form: as in English or French when an English or French
// list holds the form or one of its lemmas and the Spanish list holds neither, else as in
// Spanish (the reading of a word in no list too).
SoftC SoftCOf(const std::string& form, const std::vector<std::string>& lemmas,
              const OriginLists& lists);

// Whether a Spanish translation is the lemma's own spelling (accents ignored).
bool SameSpelling(const std::string& lemma, const std::string& translation);

} // namespace zirtel::tools

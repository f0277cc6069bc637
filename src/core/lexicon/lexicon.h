// The lexicon: the words against which every item is measured, held as parallel lists.
// Entry i of LexWords, LexFreqs, LexOrthSylls and LexPhonForms describes the same word.
// The whole-word lexicon ("nwfreq_EUS.txt") carries syllabifications and pronunciations; the
// lemma lexicon ("lemak_EUS2.txt") only words and frequencies. The origin file ("jatorria_EUS.txt")
// gives each word form its origin (WordOrigins).
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/feedback/feedback.h"
#include "core/lexicon/letter_hash_index.h"
#include "core/lexicon/presence_filter.h"

namespace zirtel {

class Lexicon {
  public:
    std::vector<std::string> LexWords;     // in collation order
    std::vector<float> LexFreqs;           // frequency of entry i
    std::vector<std::string> LexOrthSylls; // whole-word lexicon: syllables joined by "-"
    std::vector<std::string> LexPhonForms; // whole-word lexicon: pronunciation, syllables by "-"
    int TwoSyllCount = 0;                  // pronunciations with exactly one "-"
    int ThreeSyllCount = 0;                // pronunciations with exactly two "-"
    // A file refused because a word held a control character: the line of the first such word
    // (counted from 1); 0 otherwise.
    std::size_t RefusedLine = 0;

    int Size() const { return static_cast<int>(LexWords.size()); }
    bool Empty() const { return LexWords.empty(); }
    bool HasPronunciations() const { return !LexPhonForms.empty(); }
    // Whether any word is free of control characters: a binary file read as a lexicon has none.
    bool HasReadableEntry() const;

    // Entry of the word, letter case ignored (the collation's equality), or -1. Where several
    // entries are equal, the first in list order.
    int Find(std::string_view word) const { return WordIndex_.Find(LexWords, word); }
    // The same with the word's hash known (from WordIndex().Hash or EditHashes over WordIndex()).
    int FindHashed(std::string_view word, std::uint64_t hash) const {
        return WordIndex_.FindHashed(LexWords, word, hash);
    }
    const LetterHashIndex& WordIndex() const { return WordIndex_; }

    // The pronunciation index: the entry whose pronunciation, with its hyphens removed, equals
    // `pronunciation` exactly (letter case counts), or -1. Homophones share one index entry,
    // which carries the most frequent of their words (the first in list order on a tie).
    // The pronunciation indexes are built when first used (safely from any thread), from the
    // lists as they stand then: a run that measures no pronunciation never builds them.
    int FindPronunciation(std::string_view pronunciation) const {
        const PronunciationState& p = Pronunciations();
        return p.Index.Find(p.Keys, pronunciation);
    }
    // The same with the pronunciation's hash known (from PronunciationIndex()).
    int FindPronunciationHashed(std::string_view pronunciation, std::uint64_t hash) const {
        const PronunciationState& p = Pronunciations();
        return p.Index.FindHashed(p.Keys, pronunciation, hash);
    }
    const LetterHashIndex& PronunciationIndex() const { return Pronunciations().Index; }
    // The keys of PronunciationIndex(): the hyphen-free pronunciation of entry i.
    const std::vector<std::string>& PronunciationKeys() const { return Pronunciations().Keys; }
    // Turns away, without a lookup, nearly every hyphen-free pronunciation that is no entry's
    // (hashes from PronunciationIndex()).
    const PresenceFilter& PronunciationFilter() const { return Pronunciations().Filter; }
    // The first entry in list order, other than `entry`, whose pronunciation equals that of
    // `entry` exactly (hyphens and stress marks included), or -1.
    int FindHomophone(int entry) const;
    // The first entry in list order whose pronunciation equals `pronunciation` exactly (hyphens
    // and stress marks included), or -1.
    int FindPhonForm(std::string_view pronunciation) const {
        return PhonForms().Index.Find(LexPhonForms, pronunciation);
    }

    // Rebuilds the indexes after the lists were filled or reordered.
    void BuildIndexes();
    void Clear();

  private:
    struct PronunciationState {
        LetterHashIndex Index{LetterHashIndex::Match::Exact};
        std::vector<std::string> Keys; // hyphen-free pronunciation of entry i
        PresenceFilter Filter;
    };
    struct PhonFormState {
        LetterHashIndex Index{LetterHashIndex::Match::Exact};
        std::vector<int> NextSame; // next entry with the same pronunciation, or -1
    };
    // The indexes built on first use; a copy of the lexicon builds its own.
    struct LazyIndexes {
        std::once_flag PronunciationsBuilt;
        PronunciationState Pronunciations;
        std::once_flag PhonFormsBuilt;
        PhonFormState PhonForms;
    };
    class LazyHolder {
      public:
        LazyHolder() : P_(std::make_unique<LazyIndexes>()) {}
        LazyHolder(const LazyHolder&) : LazyHolder() {}
        LazyHolder(LazyHolder&& other) noexcept : P_(std::move(other.P_)) {}
        LazyHolder& operator=(const LazyHolder&) {
            P_ = std::make_unique<LazyIndexes>();
            return *this;
        }
        LazyHolder& operator=(LazyHolder&& other) noexcept {
            P_ = std::move(other.P_);
            return *this;
        }
        LazyIndexes& Get() const {
            if (!P_) P_ = std::make_unique<LazyIndexes>(); // a lexicon moved from
            return *P_;
        }

      private:
        mutable std::unique_ptr<LazyIndexes> P_;
    };
    const PronunciationState& Pronunciations() const;
    const PhonFormState& PhonForms() const;

    LetterHashIndex WordIndex_{LetterHashIndex::Match::IgnoreCase};
    LazyHolder Lazy_;
};

// Where a word form comes from, as the origin file and the JATORRIA field name it.
enum class WordOrigin : std::uint8_t { Euskara, Mailegua, Atzerrikoa, Izena, Kreditua };
inline constexpr std::array<std::string_view, 5> kWordOriginNames = {
    "euskara", "mailegua", "atzerrikoa", "izena", "kreditua"};
inline std::string_view WordOriginName(WordOrigin origin) {
    return kWordOriginNames[static_cast<std::size_t>(origin)];
}
// The origin named exactly so (lower case), or nothing.
std::optional<WordOrigin> ReadWordOrigin(std::string_view name);
// A foreign word or a name: "atzerrikoa" or "izena".
inline bool IsForeignOrName(WordOrigin origin) {
    return origin == WordOrigin::Atzerrikoa || origin == WordOrigin::Izena;
}

// The word forms of the origin file, each with its origin.
class WordOrigins {
  public:
    std::vector<std::string> Words;
    std::vector<WordOrigin> Origins; // of entry i

    bool Empty() const { return Words.empty(); }
    // The origin of the word, letter case ignored (the first entry where several are equal), or
    // nothing when the file does not list it.
    std::optional<WordOrigin> Find(std::string_view word) const {
        const int i = Index_.Find(Words, word);
        if (i < 0) return std::nullopt;
        return Origins[static_cast<std::size_t>(i)];
    }
    void BuildIndex() { Index_.Build(Words); }

  private:
    LetterHashIndex Index_{LetterHashIndex::Match::IgnoreCase};
};

// The size of the corpus the whole-word lexicon's frequencies per million come from, in millions
// of tokens (the Basque subtitles' 3,899,030 tokens, data/README.md): a frequency times this is
// the word's count.
inline constexpr double kCorpusMillions = 3.89903;

// The Zipf scale of a frequency per million (van Heuven et al. 2014): log10(frequency) + 3;
// nothing for a frequency of 0 or less. ZIPF, ES_ZIPF, OLD20F and PLD20F use it.
inline std::optional<double> Zipf(double perMillion) {
    if (!(perMillion > 0.0)) return std::nullopt;
    return std::log10(perMillion) + 3.0;
}

// Whether a word holds a control character (NUL included), as only a binary file's words do.
bool HoldsControlChar(std::string_view word);
// A data file refused whole because the word of `line` holds a control character: the message
// "PATH: L. lerroko hitzak kontrol-karaktere bat du; WHAT ez da erabiliko" (caption
// "Fitxategi-errorea"); false.
bool ReportRefusedFile(Feedback& feedback, const std::filesystem::path& path, std::size_t line,
                       std::string_view what);

// The pronunciation without its "-" syllable marks.
std::string RemoveHyphens(std::string_view pronunciation);

// Loads the whole-word file. When it cannot be opened or holds no entry: the message "Ezin da ireki
// hitz-maiztasunaren fitxategia" (caption "Fitxategi-errorea"), an empty lexicon, false.
// A file whose lines are not in collation order is sorted, and the user is told once. A frequency
// that is not finite, is negative or lies beyond the float range is read as 0, with one warning.
// A file with a word that holds a control character (NUL included: a binary file) is refused
// whole, with the message "PATH: L. lerroko hitzak kontrol-karaktere bat du; ..." (caption
// "Fitxategi-errorea"): an empty lexicon with RefusedLine set, false. The lemma file likewise.
bool LoadWholeWordLexicon(const std::filesystem::path& path, Lexicon& lexicon, Feedback& feedback);

// Loads the lemma file: sorted by the program, a lemma listed twice keeps one entry with the
// frequency of its last line. When it cannot be opened or holds no entry: "Ezin da ireki
// lema-maiztasunaren fitxategia" (caption "Fitxategi-errorea"), an empty lexicon, false.
bool LoadLemmaLexicon(const std::filesystem::path& path, Lexicon& lexicon, Feedback& feedback);

inline constexpr const char* kWholeWordFile = "nwfreq_EUS.txt";
inline constexpr const char* kLemmaFile = "lemak_EUS2.txt";
inline constexpr const char* kOriginFile = "jatorria_EUS.txt";
// Loads the origin file: the whole-word file's four fields and the word's origin a line. A line
// whose fifth field names no origin gives no entry: one warning (caption "Abisua") names the file,
// the count of such lines and the first. When the file cannot be opened or holds no entry: "Ezin
// da ireki hitzen jatorriaren fitxategia" (caption "Fitxategi-errorea"), no entry, false. A word
// with a control character refuses the file whole, as the lexicons are refused.
bool LoadWordOrigins(const std::filesystem::path& path, WordOrigins& origins, Feedback& feedback);

} // namespace zirtel

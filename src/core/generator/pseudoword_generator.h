// The pseudoword generator. For a template (any item, word or not) it walks the transition table
// at random from ^ to $, through segments of the template's syllable count, over the pairs whose
// count lies within a band of the template's own count for that pair: 2 at first, then 4, 8, ...
// (concentric rounds), with the segments that cannot reach $ pruned. No walk is taken twice.
// A walk's letters become a candidate, kept when
//   - the engine segments its letters into the walk's segments (so it has the walk's syllables);
//   - of the template's non-empty segments it keeps exactly the target number unchanged: the
//     nearest integer to their count x the overlap ratio, at least 1 and at most all but one;
//   - it is not the template, no whole-word lexicon entry and no excluded word (letter case and
//     accents folded), was not kept before in the run, and its rule pronunciation is no lexicon
//     entry's pronunciation (no pseudohomophone);
//   - given a spelling dictionary, it is no word the dictionary accepts (the lexicon, built from
//     subtitles, lacks many real words).
// Given the word origins, the words of origin "atzerrikoa" or "izena" (foreign words and names)
// add nothing to the transition table, and such a template gives no pseudoword; they stay words
// of the lexicon, which no candidate may be or sound like.
// A template's search stops at the number asked for, when every walk has been taken, or after
// the cap of examined walks. One random engine, seeded once, serves the whole run, so a seed
// gives the same output everywhere.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/generator/transition_table.h"
#include "core/lexicon/lexicon.h"
#include "core/lexicon/spanish_words.h"
#include "core/random/random_draw.h"

namespace zirtel {

struct GeneratorSettings {
    int Count = 10;           // pseudowords per template
    int OverlapNumerator = 2; // the overlap ratio
    int OverlapDenominator = 3;
    bool MatchLengths = true;          // each segment keeps the template segment's length
    long long MaxCandidates = 100'000; // walks examined per template
    // Foreign words and names feed the transitions too and serve as templates: the window and
    // --generate then give the generator no origins (and read no origin file).
    bool ForeignWords = false;
    // No pseudoword is a Spanish word (--not-spanish: the generator is given the Spanish forms)
    // nor, at 0 or more, has more Spanish substitution neighbours than this (--max-es-n).
    bool NotSpanish = false;
    int MaxSpanishNeighbours = -1;
    std::uint64_t Seed = 0;
};

enum class StopReason {
    Enough,       // the number asked for was found
    Exhausted,    // every walk has been taken
    CandidateCap, // the cap of examined walks was reached
    Cancelled,    // the user stopped the run
    NoVowel,      // the template has no vowel letter, hence no syllable
    NoOverlap,    // the template has fewer than two non-empty segments: no overlap can be met
    ForeignWord,  // the template is a foreign word or a name, left out with them
};

struct GeneratedPseudoword {
    std::string Template;
    std::string Pseudoword;
    std::string Syllables; // joined by "-"
    int KeptSegments = 0;
    int TemplateSegments = 0; // the template's non-empty segments
    int MaxDeviation = 0;     // largest |candidate count - template count| over the pairs
    int SumDeviation = 0;     // their sum
    std::optional<double> Old20;
    std::optional<double> TemplateOld20;
    std::string Pronunciation; // by rule
};

struct TemplateOutcome {
    std::string Template;
    int Found = 0;
    long long Examined = 0;
    StopReason Reason = StopReason::Enough;
};

struct GeneratorRun {
    std::uint64_t Seed = 0;
    std::vector<GeneratedPseudoword> Pseudowords;
    std::vector<TemplateOutcome> Outcomes; // one per template, in order
    // The candidates left out as words of the spelling dictionary (each word once).
    long long DictionaryWords = 0;
};

class PseudowordGenerator {
  public:
    // The OLD20 of a written word (Latin-1), or nothing when it cannot be computed.
    using Old20Function = std::function<std::optional<double>(std::string_view)>;
    // Asked before each template with its number and between walks with -1; true stops the run.
    using CancelFunction = std::function<bool(int)>;

    // `lexicon` is the whole-word lexicon; it must outlive the generator, as must `origins`
    // when given: then foreign words and names are left out (see above).
    PseudowordGenerator(const Lexicon& lexicon, Old20Function old20,
                        const WordOrigins* origins = nullptr);

    // Words no candidate may be (letter case and accents folded).
    void SetExcludedWords(const std::vector<std::string>& words);
    // Spanish words no candidate may be (letter case and accents folded) and, when
    // `maxNeighbours` is 0 or more, the most Spanish words one letter away a candidate may have;
    // `words` must outlive the generator. Null: no Spanish check.
    void SetSpanishWords(const SpanishWords* words, int maxNeighbours = -1);
    // Whether a candidate (Latin-1, lower case) is a word of the spelling dictionary: such a
    // candidate is left out. None by default.
    using WordCheck = std::function<bool(std::string_view)>;
    void SetDictionary(WordCheck isWord) { Dictionary_ = std::move(isWord); }

    // Generates for each template in turn (templates are Latin-1; letter case is ignored).
    GeneratorRun Generate(const std::vector<std::string>& templates,
                          const GeneratorSettings& settings,
                          const CancelFunction& cancelled = {}) const;

    const TransitionTable& Table() const { return Table_; }

    // The number of the template's non-empty segments a candidate must keep, or 0 when none
    // can be met.
    static int TargetOverlap(int nonEmptySegments, int numerator, int denominator);

  private:
    class Search;

    const Lexicon& Lexicon_;
    Old20Function Old20_;
    const WordOrigins* Origins_;
    TransitionTable Table_;
    std::unordered_set<std::string> LexiconKeys_; // folded whole-word entries
    std::unordered_set<std::string> ExcludedKeys_;
    const SpanishWords* Spanish_ = nullptr;
    int MaxSpanishNeighbours_ = -1;
    WordCheck Dictionary_;
};

// A word list file (one word a line, as an exclude file): its non-blank lines, trimmed, Latin-1.
// Nothing when the file cannot be read.
std::optional<std::vector<std::string>> ReadWordList(const std::filesystem::path& path);

// The form under which candidates are compared with words: lower case, accents folded.
std::string FoldedWordKey(std::string_view word);

// Why a template's search stopped, as the user reads it.
std::string StopReasonText(StopReason reason, long long maxCandidates);

// How many a template gave and why its search stopped (Latin-1), e.g.
// "gela": 8 sasihitz aurkitu dira (10 eskatuta): bilaketa-espazioa agortu da
std::string OutcomeText(const TemplateOutcome& outcome, const GeneratorSettings& settings);

} // namespace zirtel

// The one owner of the tables the measures read (MeasureTables): the bigram and biphone tables,
// the word origins and the Spanish words and translations (read from the data folder on the
// first item that needs them, once per run) and the spoken and written syllable tables and the
// Levenshtein indexes (built from the whole-word lexicon on first demand, again after it is loaded
// again).
#pragma once

#include <filesystem>
#include <optional>

#include "core/fields/measure_tables.h"
#include "core/lexicon/lexicon.h"
#include "core/lexicon/morphology.h"
#include "core/lexicon/spanish_words.h"
#include "core/measures/bigram_tables.h"
#include "core/measures/phonotactics.h"
#include "core/measures/syllable_tables.h"
#include "core/measures/uniqueness_point.h"
#include "core/neighbours/known_neighbourhoods.h"
#include "core/phonology/biphone_tables.h"

namespace zirtel {

class Feedback;

class TableStore : public MeasureTables {
  public:
    explicit TableStore(std::filesystem::path folder) : Folder_(std::move(folder)) {}
    TableStore(const TableStore&) = delete;
    TableStore& operator=(const TableStore&) = delete;

    // ZR_BF2.txt .. ZR_BF18.txt, read on the first call.
    const BigramTables& Bigrams(Feedback& feedback) override;
    // ZR_BPF2.txt .. ZR_BPF18.txt, read on the first call.
    const BiphoneTables& Biphones(Feedback& feedback) override;
    // The origin file (kOriginFile), read on the first call; empty when it could not be read.
    const WordOrigins& Origins(Feedback& feedback) override;
    // The syllable tables of the lexicon's pronunciations or syllabifications, built on the
    // first call after start-up or ForgetSyllables.
    const SyllableTableSet& Syllables(bool spoken, const Lexicon& wholeWords,
                                      Feedback& feedback) override;
    // The whole-word lexicon was loaded again: the syllable tables are built anew.
    void ForgetSyllables();
    // The Levenshtein indexes of the whole-word lexicon's spellings and pronunciations (OLD20,
    // PLD20), each built on its first call after start-up or ForgetLevenshtein, with its section
    // of the neighbourhood file (kNeighbourhoodFile) when that was measured on the same index.
    const LevenshteinTable& OrthLevenshtein(const Lexicon& wholeWords) override;
    const LevenshteinTable& PhonLevenshtein(const Lexicon& wholeWords) override;
    void ForgetLevenshtein();
    // The Spanish words (kSpanishFormFile, kSpanishLemmaFile) and translations
    // (kTranslationFile), each read on its first call; the Spanish indexes built on theirs, with
    // their sections of the neighbourhood file likewise.
    const SpanishWords& Spanish(bool lemmas, Feedback& feedback) override;
    const LevenshteinTable& SpanishLevenshtein(bool lemmas, Feedback& feedback) override;
    const Translations& SpanishTranslations(Feedback& feedback) override;
    // Built from the whole-word lexicon on their first call after start-up or ForgetWordTables;
    // the morphology reads the form file and the lemma file then.
    const PhonotacticTable& Phonotactics(bool spoken, const Lexicon& wholeWords) override;
    const PrefixTable& Prefixes(bool spoken, const Lexicon& wholeWords) override;
    const Morphology& FormLemmas(const Lexicon& wholeWords, Feedback& feedback) override;
    void ForgetWordTables();
    // Whether the form file was read, with pairs.
    bool MorphologyLoaded() const { return Morphology_ && !Morphology_->Empty(); }
    // The Spanish files read so far, with entries: for the run's record of its data files. (The
    // neighbourhood file is not recorded: it only saves searching, its answers are the index's.)
    std::vector<std::filesystem::path> SpanishFilesRead() const;

    // What has been read so far, without reading anything.
    bool BigramsRead() const { return BigramsRead_; }
    bool BiphonesRead() const { return BiphonesRead_; }
    const BigramTables& BigramsAsRead() const { return Bigrams_; }
    const BiphoneTables& BiphonesAsRead() const { return Biphones_; }
    const bool& BigramsReadFlag() const { return BigramsRead_; }
    const bool& BiphonesReadFlag() const { return BiphonesRead_; }
    // Whether the origin file has been read, and whether that gave any entry.
    bool OriginsRead() const { return OriginsRead_; }
    bool OriginsLoaded() const { return OriginsRead_ && !Origins_.Empty(); }

  private:
    std::filesystem::path Folder_;
    BigramTables Bigrams_;
    bool BigramsRead_ = false;
    BiphoneTables Biphones_;
    bool BiphonesRead_ = false;
    WordOrigins Origins_;
    bool OriginsRead_ = false;
    SyllableTableSet PhonSyllables_;
    SyllableTableSet OrthSyllables_;
    // The index of the keys with the section `name` of the neighbourhood file measured on it.
    void BuildLevenshtein(std::optional<LevenshteinTable>& table,
                          const std::vector<std::string>& keys, const std::vector<float>* freqs,
                          std::string_view section);
    std::optional<LevenshteinTable> OrthLevenshtein_, PhonLevenshtein_;
    struct SpanishList {
        SpanishWords Words;
        bool Read = false;
        std::optional<LevenshteinTable> Levenshtein;
    };
    SpanishList SpanishForms_, SpanishLemmas_;
    std::optional<PhonotacticTable> PhonPhonotactics_, OrthPhonotactics_;
    std::optional<PrefixTable> PhonPrefixes_, OrthPrefixes_;
    std::optional<Morphology> Morphology_;
    Translations Translations_;
    bool TranslationsRead_ = false;
};

} // namespace zirtel

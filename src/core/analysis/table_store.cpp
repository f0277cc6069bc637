#include "core/analysis/table_store.h"

#include <fstream>

namespace zirtel {

const BigramTables& TableStore::Bigrams(Feedback& feedback) {
    if (!BigramsRead_) {
        Bigrams_.ReadAll(Folder_, feedback);
        BigramsRead_ = true;
    }
    return Bigrams_;
}

const BiphoneTables& TableStore::Biphones(Feedback& feedback) {
    if (!BiphonesRead_) {
        LoadBiphoneTables(Biphones_, Folder_, feedback);
        BiphonesRead_ = true;
    }
    return Biphones_;
}

const WordOrigins& TableStore::Origins(Feedback& feedback) {
    if (!OriginsRead_) {
        LoadWordOrigins(Folder_ / kOriginFile, Origins_, feedback);
        OriginsRead_ = true;
    }
    return Origins_;
}

const SyllableTableSet& TableStore::Syllables(bool spoken, const Lexicon& wholeWords,
                                              Feedback& feedback) {
    SyllableTableSet& set = spoken ? PhonSyllables_ : OrthSyllables_;
    if (!set.Built)
        set.Build(wholeWords,
                  spoken ? SyllableTableSet::Source::Pronunciations
                         : SyllableTableSet::Source::Syllabifications,
                  feedback);
    return set;
}

void TableStore::ForgetSyllables() {
    PhonSyllables_.Reset();
    OrthSyllables_.Reset();
}

void TableStore::BuildLevenshtein(std::optional<LevenshteinTable>& table,
                                  const std::vector<std::string>& keys,
                                  const std::vector<float>* freqs, std::string_view section) {
    table.emplace(keys, freqs);
    // The file is optional: without it, or measured on other words, every key is searched.
    std::ifstream file(Folder_ / kNeighbourhoodFile, std::ios::binary);
    if (file) table->Known.Read(file, section, table->Digest);
}

const LevenshteinTable& TableStore::OrthLevenshtein(const Lexicon& wholeWords) {
    if (!OrthLevenshtein_) {
        std::vector<std::string> keys;
        keys.reserve(wholeWords.LexWords.size());
        for (const std::string& word : wholeWords.LexWords) keys.push_back(OrthographicKey(word));
        BuildLevenshtein(OrthLevenshtein_, keys, &wholeWords.LexFreqs, kOrthSection);
    }
    return *OrthLevenshtein_;
}

const LevenshteinTable& TableStore::PhonLevenshtein(const Lexicon& wholeWords) {
    if (!PhonLevenshtein_) {
        std::vector<std::string> keys;
        keys.reserve(wholeWords.LexPhonForms.size());
        for (const std::string& p : wholeWords.LexPhonForms) keys.push_back(PhonologicalKey(p));
        BuildLevenshtein(PhonLevenshtein_, keys, &wholeWords.LexFreqs, kPhonSection);
    }
    return *PhonLevenshtein_;
}

void TableStore::ForgetLevenshtein() {
    OrthLevenshtein_.reset();
    PhonLevenshtein_.reset();
}

const SpanishWords& TableStore::Spanish(bool lemmas, Feedback& feedback) {
    SpanishList& list = lemmas ? SpanishLemmas_ : SpanishForms_;
    if (!list.Read) {
        LoadSpanishWords(Folder_ / (lemmas ? kSpanishLemmaFile : kSpanishFormFile), list.Words,
                         feedback);
        list.Read = true;
    }
    return list.Words;
}

const LevenshteinTable& TableStore::SpanishLevenshtein(bool lemmas, Feedback& feedback) {
    SpanishList& list = lemmas ? SpanishLemmas_ : SpanishForms_;
    if (!list.Levenshtein)
        BuildLevenshtein(list.Levenshtein, Spanish(lemmas, feedback).Keys.LexWords, nullptr,
                         lemmas ? kSpanishLemmaSection : kSpanishFormSection);
    return *list.Levenshtein;
}

const Translations& TableStore::SpanishTranslations(Feedback& feedback) {
    if (!TranslationsRead_) {
        LoadTranslations(Folder_ / kTranslationFile, Translations_, feedback);
        TranslationsRead_ = true;
    }
    return Translations_;
}

std::vector<std::filesystem::path> TableStore::SpanishFilesRead() const {
    std::vector<std::filesystem::path> files;
    if (SpanishForms_.Read && !SpanishForms_.Words.Empty())
        files.push_back(Folder_ / kSpanishFormFile);
    if (SpanishLemmas_.Read && !SpanishLemmas_.Words.Empty())
        files.push_back(Folder_ / kSpanishLemmaFile);
    if (TranslationsRead_ && !Translations_.Empty()) files.push_back(Folder_ / kTranslationFile);
    return files;
}

namespace {

// Entry i's pronunciation or letters, as the phonotactic and prefix tables take them.
std::vector<std::string> WordKeys(bool spoken, const Lexicon& wholeWords) {
    std::vector<std::string> keys;
    const std::vector<std::string>& from = spoken ? wholeWords.LexPhonForms : wholeWords.LexWords;
    keys.reserve(from.size());
    for (const std::string& w : from)
        keys.push_back(spoken ? PhonotacticPhonemes(w) : PhonotacticLetters(w));
    return keys;
}

} // namespace

const PhonotacticTable& TableStore::Phonotactics(bool spoken, const Lexicon& wholeWords) {
    std::optional<PhonotacticTable>& table = spoken ? PhonPhonotactics_ : OrthPhonotactics_;
    if (!table) {
        std::vector<double> weights;
        weights.reserve(wholeWords.LexFreqs.size());
        for (float f : wholeWords.LexFreqs) weights.push_back(PhonotacticWeight(f));
        table.emplace(WordKeys(spoken, wholeWords), weights);
    }
    return *table;
}

const PrefixTable& TableStore::Prefixes(bool spoken, const Lexicon& wholeWords) {
    std::optional<PrefixTable>& table = spoken ? PhonPrefixes_ : OrthPrefixes_;
    if (!table) table.emplace(WordKeys(spoken, wholeWords));
    return *table;
}

const Morphology& TableStore::FormLemmas(const Lexicon& wholeWords, Feedback& feedback) {
    if (!Morphology_) {
        Lexicon lemmas;
        LoadLemmaLexicon(Folder_ / kLemmaFile, lemmas, feedback);
        Morphology_.emplace();
        LoadMorphology(Folder_ / kFormFile, lemmas, wholeWords, *Morphology_, feedback);
    }
    return *Morphology_;
}

void TableStore::ForgetWordTables() {
    PhonPhonotactics_.reset();
    OrthPhonotactics_.reset();
    PhonPrefixes_.reset();
    OrthPrefixes_.reset();
    Morphology_.reset();
}

} // namespace zirtel

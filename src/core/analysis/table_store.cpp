#include "core/analysis/table_store.h"

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

const LevenshteinIndex& TableStore::OrthLevenshtein(const Lexicon& wholeWords) {
    if (!OrthLevenshtein_) {
        std::vector<std::string> keys;
        keys.reserve(wholeWords.LexWords.size());
        for (const std::string& word : wholeWords.LexWords) keys.push_back(OrthographicKey(word));
        OrthLevenshtein_.emplace(keys);
    }
    return *OrthLevenshtein_;
}

const LevenshteinIndex& TableStore::PhonLevenshtein(const Lexicon& wholeWords) {
    if (!PhonLevenshtein_) {
        std::vector<std::string> keys;
        keys.reserve(wholeWords.LexPhonForms.size());
        for (const std::string& p : wholeWords.LexPhonForms) keys.push_back(PhonologicalKey(p));
        PhonLevenshtein_.emplace(keys);
    }
    return *PhonLevenshtein_;
}

void TableStore::ForgetLevenshtein() {
    OrthLevenshtein_.reset();
    PhonLevenshtein_.reset();
}

} // namespace zirtel

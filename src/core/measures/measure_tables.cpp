#include "core/measures/measure_tables.h"

namespace zirtel {

const BigramTables& MeasureTables::Bigrams(Feedback& feedback) {
    if (!BigramsRead_) {
        Bigrams_.ReadAll(Folder_, feedback);
        BigramsRead_ = true;
    }
    return Bigrams_;
}

const BiphoneTables& MeasureTables::Biphones(Feedback& feedback) {
    if (!BiphonesRead_) {
        LoadBiphoneTables(Biphones_, Folder_, feedback);
        BiphonesRead_ = true;
    }
    return Biphones_;
}

const WordOrigins& MeasureTables::Origins(Feedback& feedback) {
    if (!OriginsRead_) {
        LoadWordOrigins(Folder_ / kOriginFile, Origins_, feedback);
        OriginsRead_ = true;
    }
    return Origins_;
}

const SyllableTableSet& MeasureTables::Syllables(SyllableTableSet::Source source,
                                                 const Lexicon& wholeWords, Feedback& feedback) {
    SyllableTableSet& set =
        source == SyllableTableSet::Source::Pronunciations ? PhonSyllables_ : OrthSyllables_;
    if (!set.Built) set.Build(wholeWords, source, feedback);
    return set;
}

void MeasureTables::ForgetSyllables() {
    PhonSyllables_.Reset();
    OrthSyllables_.Reset();
}

const LevenshteinIndex& MeasureTables::OrthLevenshtein(const Lexicon& wholeWords) {
    if (!OrthLevenshtein_) {
        std::vector<std::string> keys;
        keys.reserve(wholeWords.LexWords.size());
        for (const std::string& word : wholeWords.LexWords) keys.push_back(OrthographicKey(word));
        OrthLevenshtein_.emplace(keys);
    }
    return *OrthLevenshtein_;
}

const LevenshteinIndex& MeasureTables::PhonLevenshtein(const Lexicon& wholeWords) {
    if (!PhonLevenshtein_) {
        std::vector<std::string> keys;
        keys.reserve(wholeWords.LexPhonForms.size());
        for (const std::string& p : wholeWords.LexPhonForms) keys.push_back(PhonologicalKey(p));
        PhonLevenshtein_.emplace(keys);
    }
    return *PhonLevenshtein_;
}

void MeasureTables::ForgetLevenshtein() {
    OrthLevenshtein_.reset();
    PhonLevenshtein_.reset();
}

} // namespace zirtel

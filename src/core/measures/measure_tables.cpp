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

} // namespace zirtel

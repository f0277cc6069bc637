#include "core/analysis/measuring_setup.h"

#include "core/analysis/user_field_file.h"

namespace zirtel {

MeasuringSetup::MeasuringSetup(Feedback& feedback, std::filesystem::path appDir)
    : UI(feedback), AppDir(std::move(appDir)), Tables_(AppDir), Bigrams(Tables_.BigramsAsRead()),
      BigramTablesLoaded(Tables_.BigramsReadFlag()), Biphones(Tables_.BiphonesAsRead()),
      BiphoneFilesRead(Tables_.BiphonesReadFlag()) {}

void MeasuringSetup::LoadStartupData() {
    LoadWholeWords();
    UserFields = {};
    LoadUserField(*this, AppDir / kUserField1File, 0);
}

void MeasuringSetup::LoadWholeWords() {
    LoadWholeWordLexicon(AppDir / kWholeWordFile, WholeWords, UI);
    WholeWordsReplaced();
    LemmasCurrent = false;
}

void MeasuringSetup::LoadLemmas() {
    LoadLemmaLexicon(AppDir / kLemmaFile, Lemmas, UI);
    LemmasCurrent = true;
}

void MeasuringSetup::WholeWordsReplaced() {
    Tables_.ForgetSyllables();
    Tables_.ForgetLevenshtein();
    Tables_.ForgetWordTables();
}

MeasureContext MeasuringSetup::Measures() {
    return MeasureContext{.Current = Current(),
                          .WholeWords = WholeWords,
                          .UserFields = UserFields,
                          .Tables = Tables_,
                          .UI = UI,
                          .RulePronunciations = RulePronunciations};
}

std::vector<std::filesystem::path> DataFilesRead(const MeasuringSetup& setup) {
    const std::filesystem::path& dir = setup.AppDir;
    std::vector<std::filesystem::path> files{dir / kWholeWordFile};
    if (setup.LemmasCurrent) files.push_back(dir / kLemmaFile);
    for (int n = kBigramMinLength; n <= kBigramMaxLength; ++n)
        if (setup.Bigrams.Loaded(n)) files.push_back(dir / BigramFileName(n));
    for (int n = kMinBiphonePhonemes; n <= kMaxBiphonePhonemes; ++n)
        if (setup.Biphones.Loaded(n)) files.push_back(dir / BiphoneFileName(n));
    if (setup.OriginsLoaded()) files.push_back(dir / kOriginFile);
    if (setup.MorphologyLoaded()) {
        if (!setup.LemmasCurrent) files.push_back(dir / kLemmaFile);
        files.push_back(dir / kFormFile);
    }
    for (const std::filesystem::path& file : setup.SpanishFilesRead()) files.push_back(file);
    return files;
}

} // namespace zirtel

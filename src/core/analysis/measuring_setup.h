// MeasuringSetup: what the measures work from, besides the item. The data folder and Feedback,
// the lexicons (the whole words, the lemmas, and which of them is current), the tables (through
// their one owner), the user fields and the files they came from, and the analysis options. It
// hands the measures their MeasureContext. The workspace holds one for the results grid; the
// generator's, the selector's and the bindings' runs use one alone, with no grid.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/analysis/analysis_options.h"
#include "core/analysis/table_store.h"
#include "core/feedback/feedback.h"
#include "core/fields/measure_context.h"
#include "core/lexicon/lexicon.h"
#include "core/lexicon/user_fields.h"

namespace zirtel {

class MeasuringSetup {
  public:
    // `appDir` is the program's data folder: every data file is opened from it.
    MeasuringSetup(Feedback& feedback, std::filesystem::path appDir);
    MeasuringSetup(const MeasuringSetup&) = delete;
    MeasuringSetup& operator=(const MeasuringSetup&) = delete;

    Feedback& UI;
    std::filesystem::path AppDir;

  private:
    TableStore Tables_; // before the views of it below

  public:
    // The data of start-up: the whole-word lexicon (current) and user field 1 ("User1.txt";
    // a missing file leaves it "Undefined", silently); the other user fields emptied.
    void LoadStartupData();

    // ---- Lexicons ----
    Lexicon WholeWords; // always the whole-word lexicon (pronunciations, syllabifications)
    Lexicon Lemmas;
    bool LemmasCurrent = false;
    // The lexicon of frequency- and letter-based measures: the lemmas while they are current.
    const Lexicon& Current() const { return LemmasCurrent ? Lemmas : WholeWords; }
    // Reads the whole-word file and makes it current; the tables built from the lexicon read
    // before are built again on demand.
    void LoadWholeWords();
    // Reads the lemma file and makes it current.
    void LoadLemmas();
    // The whole-word lexicon was loaded from outside (the fuzz harness): the tables built from it
    // are built again on demand.
    void WholeWordsReplaced();

    // ---- Options ----
    AnalysisOptions Options;
    bool RulePronunciations = false; // "Sasihitzak arauz ahoskatu"

    // ---- User-defined fields ----
    std::array<UserField, 3> UserFields;
    // The file each user field was last loaded from (nothing: none, or it could not be read).
    std::array<std::optional<std::filesystem::path>, 3> UserFieldFiles;

    // ---- Tables, read (bigrams, biphones) or built (syllables) on the first item that needs
    // them; read-only views of what has been read so far ----
    const BigramTables& Bigrams;
    const bool& BigramTablesLoaded;
    const BiphoneTables& Biphones;
    const bool& BiphoneFilesRead;
    // Whether the origin file (kOriginFile) was read, with entries, for a JATORRIA field.
    bool OriginsLoaded() const { return Tables_.OriginsLoaded(); }
    // The Spanish files read, with entries, for a field of the group "Gaztelania".
    bool MorphologyLoaded() const { return Tables_.MorphologyLoaded(); }
    std::vector<std::filesystem::path> SpanishFilesRead() const {
        return Tables_.SpanishFilesRead();
    }

    // What the measures see: the lexicons, the user fields, the tables, Feedback and whether
    // items are pronounced by the rules; nothing is listed.
    MeasureContext Measures();
};

// The data files the setup read, as a run's settings and reports list them: the whole-word
// lexicon, the lemma lexicon when it is current, each bigram and biphone table read, the origin
// file when it was read, the morphology's and the Spanish files when they were read.
std::vector<std::filesystem::path> DataFilesRead(const MeasuringSetup& setup);

} // namespace zirtel

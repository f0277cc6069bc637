// The Basque morphological analyser and its Spanish bilingual dictionary, run as `lt-proc` on
// apertium-eu-es's compiled transducers (eu-es.automorf.bin, eu-es.autobil.bin). The inputs are
// fed in batches: each batch is written to a file, one unit per line, lt-proc writes a second
// file, and its lines are read back in order.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zirtel::tools {

// One part of an analysis: "jakin" with "<vbsint><pri><NR_HU><NK_NI>".
struct MorphPart {
    std::string Lemma; // UTF-8
    std::string Tags;
};

// One analysis of a form: its parts in order (ba<cnjsub>+jakin<vbsint>... has two).
struct Analysis {
    std::vector<MorphPart> Parts;
};

struct AnalyserOutput {
    // The analyses of each input, in the analyser's order; empty when it does not know it.
    std::vector<std::vector<Analysis>> Analyses;
    int Unmatched = 0; // inputs whose output line did not echo them (treated as unknown)
};

// The analyses of one lt-proc output unit "^form/lemma<tags>+.../lemma<tags>$"; `surface`
// receives the form. An unknown form ("^form/*form$") has none.
std::vector<Analysis> ParseAnalysisUnit(const std::string& line, std::string& surface);

// Runs the analyser on the forms (UTF-8, lower case), `batchSize` forms per run of lt-proc.
// Throws std::runtime_error when lt-proc cannot be run or fails.
AnalyserOutput AnalyseForms(const std::vector<std::string>& forms, const std::string& ltProc,
                            const std::filesystem::path& transducer, std::size_t batchSize = 10000);

// The same from the analyser's output saved in a file, one unit per line in any order: a form
// without a unit in the file is unknown. Throws std::runtime_error when the file cannot be read.
AnalyserOutput ReadAnalyses(const std::vector<std::string>& forms,
                            const std::filesystem::path& analyses);

// A lemma with its word class as the bilingual dictionary looks it up: "familia" and "<n>".
struct TaggedLemma {
    std::string Lemma;
    std::string Tag; // the first tag of the analysis part, "<n>", "<vblex>", ...
    bool operator<(const TaggedLemma& o) const {
        return Lemma != o.Lemma ? Lemma < o.Lemma : Tag < o.Tag;
    }
    bool operator==(const TaggedLemma& o) const = default;
};

// The Spanish lemmas the bilingual dictionary gives each lemma (UTF-8, without tags; empty when
// it has none), through `lt-proc -b`. Throws std::runtime_error when lt-proc fails.
std::vector<std::vector<std::string>> TranslateLemmas(const std::vector<TaggedLemma>& lemmas,
                                                      const std::string& ltProc,
                                                      const std::filesystem::path& bilingual,
                                                      std::size_t batchSize = 10000);

// The same from the dictionary's output saved in a file, one "^lemma<tag>/translation<tags>$"
// unit per line in any order.
std::vector<std::vector<std::string>> ReadTranslations(const std::vector<TaggedLemma>& lemmas,
                                                       const std::filesystem::path& file);

} // namespace zirtel::tools

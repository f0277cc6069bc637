// Lemmas of word forms from the Basque morphological analyser, run as `lt-proc` on the
// analyser's compiled transducer (eu-es.automorf.bin). The forms are fed in batches: each batch
// is written to a file, one form per line, lt-proc analyses it into a second file, and the
// analyses are read back line by line.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zirtel::tools {

struct LemmaAnalysis {
    // Distinct lemmas of each form, in the analyser's order (UTF-8); empty when the analyser
    // does not know the form.
    std::vector<std::vector<std::string>> Lemmas;
    std::vector<bool> Prefixed; // whether an analysis of the form had a prefix (ba<cnjsub>+...)
    int Unmatched = 0; // forms whose output line did not echo the form (treated as unknown)
};

// The distinct lemmas of one lt-proc output unit "^form/lemma<tags>+.../lemma<tags>$";
// `surface` receives the form. An unknown form ("^form/*form$") has no lemma. The lemma of an
// analysis is that of its first part, except after a prefix (a first part tagged <cnjsub> that
// other parts follow: ba<cnjsub>+jakin<vbsint>...), where it is that of the part after it;
// `prefixed` tells whether that happened.
std::vector<std::string> ParseAnalysisLine(const std::string& line, std::string& surface,
                                           bool& prefixed);

// Runs the analyser on the forms (UTF-8, lower case), `batchSize` forms per run of lt-proc.
// Throws std::runtime_error when lt-proc cannot be run or fails.
LemmaAnalysis AnalyseLemmas(const std::vector<std::string>& forms, const std::string& ltProc,
                            const std::filesystem::path& transducer, std::size_t batchSize = 10000);

// The same from the analyser's output saved in a file, one unit per line in any order: a form
// without a unit in the file is unknown. Throws std::runtime_error when the file cannot be read.
LemmaAnalysis ReadAnalyses(const std::vector<std::string>& forms,
                           const std::filesystem::path& analyses);

} // namespace zirtel::tools

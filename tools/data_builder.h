// Builds the program's Basque data files from a word-count list:
//   nwfreq_EUS.txt   whole words: word, frequency per million tokens, syllables, pronunciation
//   lemak_EUS2.txt   lemmas: lemma, frequency per million tokens (see BuildDataSet)
//   ZR_BF<n>.txt     positional letter-pair counts of the words of n letters, n = 2..18
//   ZR_BPF<n>.txt    positional phoneme-pair counts of the words of n phonemes, n = 2..18
// and prints a report of what it read, kept and dropped. The same inputs always give the same
// bytes.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

namespace zirtel::tools {

struct BuildOptions {
    std::filesystem::path Counts;     // "form count" per line, UTF-8
    std::filesystem::path OutFolder;  // where the files are written
    std::filesystem::path Dictionary; // Hunspell dictionary without extension (.aff, .dic)
    std::filesystem::path Analyser;   // eu-es.automorf.bin
    std::string LtProc = "lt-proc";
    std::filesystem::path Analyses; // when set, the analyser's output read from this file instead
                                    // of running lt-proc (see ReadAnalyses)
    long long MinCount = 2;
};

// The forms left out of both lexicons: words of the credit lines of subtitle files ("Azpitituluak:
// ...", "Itzulpena: ..."), not of the dialogue.
extern const char* const kCreditArtefacts[4];

// Builds every file; the report goes to `report`. Lemmas: a form the analyser knows gives its
// count to the analyser's lemmas (after a prefix such as ba-, the verb's); a form it does not know
// to the stems Hunspell's stemmer gives; a form neither knows counts for itself. A form with
// several lemmas shares its count in proportion to each lemma's support: the count the lemma
// receives from forms with that lemma alone, plus the form's own count when the form is written
// as the lemma; evenly when no lemma has any support. Throws std::runtime_error on a failure (a
// source that cannot be read, a file that cannot be written, the analyser failing).
void BuildDataSet(const BuildOptions& options, std::ostream& report);

} // namespace zirtel::tools

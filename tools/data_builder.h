// Builds the program's Basque data files from a word-count list:
//   nwfreq_EUS.txt   whole words: word, frequency per million tokens, syllables, pronunciation
//   lemak_EUS2.txt   lemmas: lemma, frequency per million tokens
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
    long long MinCount = 2;
};

// Builds every file; the report goes to `report`. Throws std::runtime_error on a failure (a
// source that cannot be read, a file that cannot be written, the analyser failing).
void BuildDataSet(const BuildOptions& options, std::ostream& report);

} // namespace zirtel::tools

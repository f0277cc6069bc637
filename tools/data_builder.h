// Builds the program's Basque data files from a word-count list:
//   nwfreq_EUS.txt   whole words: word, frequency per million tokens, syllables, pronunciation
//   lemak_EUS2.txt   lemmas: lemma, frequency per million tokens (see BuildDataSet)
//   jatorria_EUS.txt the whole words' four fields and a fifth, the word's origin (word_origin.h)
//   itzulpenak_EUS.txt  the Spanish translations of the lemmas (spanish_data.h)
//   es_EUS.txt, es_lemak_EUS.txt  Spanish forms and lemmas, given the Spanish counts
//   ZR_BF<n>.txt     positional letter-pair counts of the words of n letters, n = 2..18
//   ZR_BPF<n>.txt    positional phoneme-pair counts of the words of n phonemes, n = 2..18
// and prints a report of what it read, kept and dropped. The same inputs always give the same
// bytes.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

#include "word_origin.h"

namespace zirtel::tools {

struct BuildOptions {
    std::filesystem::path Counts;     // "form count" per line, UTF-8
    std::filesystem::path OutFolder;  // where the files are written
    std::filesystem::path Dictionary; // Hunspell dictionary without extension (.aff, .dic)
    std::filesystem::path Analyser;   // eu-es.automorf.bin
    std::string LtProc = "lt-proc";
    std::filesystem::path Analyses;  // when set, the analyser's output read from this file instead
                                     // of running lt-proc (see ReadAnalyses)
    std::filesystem::path Bilingual; // eu-es.autobil.bin
    std::filesystem::path Translations; // when set, the bilingual dictionary's output read from
                                        // this file; with Analyses set and this empty, no lemma
                                        // has a translation
    OriginListPaths Lists;              // BasqueDic is set from Dictionary
    // The Spanish files (es_EUS.txt, es_lemak_EUS.txt) are written when Lists.SpanishCounts is
    // set, from the Spanish Hunspell dictionary (without extension) and the Spanish analyser
    // (es-eu.automorf.bin), or its output saved in SpanishAnalyses; with Analyses set and
    // SpanishAnalyses empty, the Spanish analyser knows no form.
    std::filesystem::path SpanishDictionary;
    std::filesystem::path SpanishAnalyser;
    std::filesystem::path SpanishAnalyses;
    std::filesystem::path Previous; // a folder with the files of an earlier build, compared
                                    // in the report (lemma moves, changed pronunciations)
    std::string Espeak;             // espeak-ng, for the agreement in the report; empty: none
    long long MinCount = 2;
};

// The forms left out of both lexicons: words of the credit lines of subtitle files ("Azpitituluak:
// ...", "Itzulpena: ..."), not of the dialogue.
extern const char* const kCreditArtefacts[4];

// Builds every file; the report goes to `report`. Lemmas: a form the analyser knows gives its
// count to the analyser's lemmas, a form it does not know to those of Hunspell's stems, a form
// neither knows counts for itself (the rules in lemma_rules.h). A form with
// several lemmas shares its count in proportion to each lemma's support: the count the lemma
// receives from forms with that lemma alone, plus the form's own count when the form is written
// as the lemma; evenly when no lemma has any support. Throws std::runtime_error on a failure (a
// source that cannot be read, a file that cannot be written, the analyser failing).
void BuildDataSet(const BuildOptions& options, std::ostream& report);

} // namespace zirtel::tools

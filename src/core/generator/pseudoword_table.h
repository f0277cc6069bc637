// The generator's results as a table: a header row, then one row per pseudoword.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/feedback/feedback.h"
#include "core/generator/pseudoword_generator.h"

namespace zirtel {

// The column headers: template, pseudoword, syllables, overlap, max_dev, sum_dev, OLD20,
// OLD20_diff, pronunciation.
const std::vector<std::string>& PseudowordColumns();

// The cells of one pseudoword's row, Latin-1 (words) and ASCII (numbers): the overlap as "k/n",
// OLD20 and its difference with two decimals, "NA" where OLD20 is unknown.
std::vector<std::string> PseudowordCells(const GeneratedPseudoword& w);

// The whole table as UTF-8 tab-separated text with LF line ends.
std::string PseudowordTableText(const std::vector<GeneratedPseudoword>& words);

// Saves the table as the results are saved: "Irteera gordeta" when done, else "Ezin da gorde
// irteera-fitxategia: PATH: REASON" (caption "Fitxategi-errorea") and any earlier file stays as it
// was.
bool SavePseudowordTable(const std::filesystem::path& path,
                         const std::vector<GeneratedPseudoword>& words, Feedback& feedback);

} // namespace zirtel

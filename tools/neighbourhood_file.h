// The neighbourhood file (kNeighbourhoodFile, core/neighbours/known_neighbourhoods.h): OLD20,
// OLD20F, PLD20, PLD20F and ES_OLD20 of the data folder's own words, measured by the engine's
// Levenshtein index on the folder's files as the program loads them.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

namespace zirtel::tools {

// The file's text (UTF-8) for the files of `folder`: the OLD20 section for the spellings of the
// whole words and of the lemmas, the PLD20 section for the whole words' pronunciations, and,
// when the Spanish files are there, ES_OLD20 for the whole words against the Spanish forms and
// for the lemmas against the Spanish lemmas. A line of the report per section. Throws
// std::runtime_error when the whole-word lexicon cannot be read.
std::string NeighbourhoodFileText(const std::filesystem::path& folder, std::ostream& report);

} // namespace zirtel::tools

// The settings file of a batch run (--settings FILE): a small JSON object that records what a
// run used and chose, so that it can be reported in a paper and repeated: the program and its
// version, the command line, the data folder and the SHA-256 of every data file the run read,
// the items file, the lexicon, the decimals, the fields in column order and every option.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zirtel {

class Workspace;

struct RunSettings {
    std::string Program;                // "zirtel" or "zirtel-batch"
    std::string Version;                // e.g. "1.0.0"
    std::vector<std::string> Arguments; // the command line after the program name
    std::filesystem::path Items;
    std::optional<std::string> Missing; // --missing
    bool Plain = false;                 // --plain
};

// The JSON text (UTF-8, two-space indentation, LF line ends) for a workspace that has analysed
// its items. Data files: the whole-word lexicon, the lemma lexicon when it is current, each
// bigram and biphone table read, and the user field files; a file that can no longer be read
// has "sha256": null.
std::string RunSettingsJson(const Workspace& ws, const RunSettings& run,
                            const std::vector<std::optional<std::filesystem::path>>& userFiles);

} // namespace zirtel

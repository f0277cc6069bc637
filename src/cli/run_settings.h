// The settings file of a batch run (--settings FILE): a small JSON object that records what a
// run used and chose, so that it can be reported in a paper and repeated: the program as it was
// run and its version, the command line, the data folder and the SHA-256 of every data file the
// run read, and what the mode chose: for --batch, --select and --match the items file, the
// lexicon, the decimals, the fields in column order and every option (for a selection also the
// design and the seed); for --generate the templates, the exclude file and the generator's
// settings. One writer (JsonObject) lays every such file out the same way: UTF-8, two-space
// indentation, LF line ends; a byte of a path or an argument that is not UTF-8 is written as
// "\udcXX" (as Python's os.fsdecode reads it back to the same byte).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zirtel {

class MeasuringSetup;
struct GeneratorSettings;
struct GeneratorRun;
struct WordLikeness;

// A JSON string literal of `bytes`: UTF-8 kept, control characters, quotes and backslashes
// escaped, each byte that is no part of valid UTF-8 as "\udcXX".
std::string JsonString(std::string_view bytes);

// A JSON object whose members keep the order in which they were added.
class JsonObject {
  public:
    // `json` is the member's JSON text ("true", "42", JsonString(...)).
    JsonObject& Add(std::string_view key, std::string json);
    JsonObject& AddString(std::string_view key, std::string_view text);
    // A list, one element a line.
    JsonObject& AddList(std::string_view key, std::vector<std::string> elements);
    JsonObject& AddObject(std::string_view key, JsonObject object);
    // The object as a file: "{", one member a line, "}" and a line end.
    std::string Text() const;

  private:
    struct Member {
        enum class Kind { Raw, List, Object } Is = Kind::Raw;
        std::string Key;
        std::string Raw;                    // Kind::Raw: its JSON text
        std::vector<std::string> List;      // Kind::List: the elements' JSON texts
        std::shared_ptr<JsonObject> Object; // Kind::Object
    };
    std::string Body(int depth) const;
    std::vector<Member> Members_;
};

struct RunSettings {
    std::string Program;                        // "zirtel" or "zirtel-batch", as it was run
    std::string Version;                        // e.g. "1.0.0"
    std::vector<std::string> Arguments;         // the command line after the program name
    std::optional<std::filesystem::path> Items; // nothing: none was read (a pool from the lexicon)
    std::optional<std::string> Missing;         // --missing
    bool Plain = false;                         // --plain
    // A selection's design file and its statements as run (DesignText, UTF-8: the drawn seed
    // included); written only when given.
    std::optional<std::filesystem::path> DesignFile;
    std::optional<std::string> Design;
    std::optional<std::uint64_t> Seed; // --select: the seed of the rows
};

// A path as the settings write it: absolute (when it can be made so) and normalised.
std::string PathText(const std::filesystem::path& path);

// The JSON text for a setup that has measured items, shown with `decimals`; the fields are the
// ticked ones, in catalogue order. Data files: the whole-word lexicon, the lemma lexicon when it is
// current, each bigram and biphone table read, the origin file when it was read, and the user field
// files; a file that can no longer be read has "sha256": null.
std::string RunSettingsJson(const MeasuringSetup& setup, int decimals, const RunSettings& run,
                            const std::vector<std::optional<std::filesystem::path>>& userFiles);

// The JSON text of a --generate run: the header of every settings file (program, version,
// arguments, data folder, data files: the lexicon, and the origin file unless foreign words were
// used), then "command": "generate", the templates, the lexicon, the exclude file, the seed, n,
// the overlap, the length match, whether foreign words were used, the candidates' cap, the
// spelling dictionary whose words were left out (null: they were allowed) and how many candidates
// it turned away, the word-likeness check when it was asked for, and the number of pseudowords
// made.
std::string GenerateSettingsJson(const RunSettings& run, const std::filesystem::path& dataDir,
                                 const std::filesystem::path& templates,
                                 const std::optional<std::filesystem::path>& exclude,
                                 const GeneratorSettings& settings, const GeneratorRun& result,
                                 const std::optional<std::filesystem::path>& dictionary,
                                 const WordLikeness* likeness = nullptr);

} // namespace zirtel

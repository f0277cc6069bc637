// The Basque spelling dictionary (Hunspell's eu.aff and eu.dic, Debian hunspell-eu), through
// libhunspell: whether a letter string is a word the dictionary accepts. The pseudoword generator
// asks it so that no pseudoword is a real word that the lexicon, built from subtitles, lacks.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Hunspell;

namespace zirtel {

// The dictionary's files, NAME.aff and NAME.dic.
inline constexpr const char* kBasqueDictionaryName = "eu";

class SpellingDictionary {
  public:
    ~SpellingDictionary();
    SpellingDictionary(const SpellingDictionary&) = delete;
    SpellingDictionary& operator=(const SpellingDictionary&) = delete;

    // Opens `base`.aff and `base`.dic; nothing when either is not a readable file.
    static std::unique_ptr<SpellingDictionary> Open(const std::filesystem::path& base);

    // Whether the dictionary accepts the word (Latin-1) as it is written.
    bool Accepts(std::string_view word) const;

    // `base`.dic, as the user is told of it.
    const std::filesystem::path& File() const { return File_; }

  private:
    SpellingDictionary() = default;
    std::unique_ptr<Hunspell> Checker_;
    bool Utf8_ = true; // the dictionary's encoding: UTF-8, or else Latin-1
    std::filesystem::path File_;
};

// The folders where the Basque dictionary is looked for, in order: the data folder (a dictionary
// of one's own), then the system's (the one found when the program was configured, then Debian's
// /usr/share/hunspell).
std::vector<std::filesystem::path> BasqueDictionaryFolders(const std::filesystem::path& dataDir);

// The first Basque dictionary of those folders that opens; nothing when none does.
std::unique_ptr<SpellingDictionary> OpenBasqueDictionary(const std::filesystem::path& dataDir);

} // namespace zirtel

#include "core/lexicon/spelling_dictionary.h"

#include <algorithm>
#include <fstream>

#include <hunspell/hunspell.hxx>

#include "core/text/latin1.h"

#ifndef ZIRTEL_HUNSPELL_DIR
#define ZIRTEL_HUNSPELL_DIR "/usr/share/hunspell"
#endif

namespace zirtel {

namespace fs = std::filesystem;

namespace {

bool Readable(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec) && std::ifstream(path).good();
}

fs::path WithExtension(const fs::path& base, const char* extension) {
    fs::path path = base;
    path += extension;
    return path;
}

} // namespace

SpellingDictionary::~SpellingDictionary() = default;

std::unique_ptr<SpellingDictionary> SpellingDictionary::Open(const fs::path& base) {
    const fs::path affix = WithExtension(base, ".aff");
    const fs::path words = WithExtension(base, ".dic");
    if (!Readable(affix) || !Readable(words)) return nullptr;
    std::unique_ptr<SpellingDictionary> dictionary(new SpellingDictionary);
    dictionary->Checker_ = std::make_unique<Hunspell>(affix.c_str(), words.c_str());
    std::string encoding = dictionary->Checker_->get_dict_encoding();
    std::transform(encoding.begin(), encoding.end(), encoding.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    dictionary->Utf8_ = encoding == "UTF-8" || encoding == "UTF8";
    dictionary->File_ = words;
    return dictionary;
}

bool SpellingDictionary::Accepts(std::string_view word) const {
    return Checker_->spell(Utf8_ ? Latin1ToUtf8(word) : std::string(word));
}

std::vector<fs::path> BasqueDictionaryFolders(const fs::path& dataDir) {
    std::vector<fs::path> folders{dataDir, ZIRTEL_HUNSPELL_DIR};
    if (folders.back() != "/usr/share/hunspell") folders.emplace_back("/usr/share/hunspell");
    return folders;
}

std::unique_ptr<SpellingDictionary> OpenBasqueDictionary(const fs::path& dataDir) {
    for (const fs::path& folder : BasqueDictionaryFolders(dataDir))
        if (auto dictionary = SpellingDictionary::Open(folder / kBasqueDictionaryName))
            return dictionary;
    return nullptr;
}

} // namespace zirtel

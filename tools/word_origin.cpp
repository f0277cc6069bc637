#include "word_origin.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "core/text/latin1.h"
#include "core/text/letters.h"
#include "core/text/text_file.h"

namespace zirtel::tools {
namespace {

// A list word in Latin-1, or empty when it is not all letters in Latin-1.
std::string Latin1Word(const std::string& utf8) {
    if (!IsValidUtf8(utf8)) return {};
    const Latin1Conversion c = Utf8ToLatin1(utf8);
    if (c.Unmapped > 0 || c.Text.empty()) return {};
    for (char ch : c.Text)
        if (!IsCoveredLetter(LowerLatin1(std::string(1, ch))[0])) return {};
    return c.Text;
}

std::ifstream OpenList(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return in;
}

// The entries of a word list written in lower case (capitalised entries are names and places).
void ReadLowerCaseWords(const std::filesystem::path& path, std::unordered_set<std::string>& into,
                        bool foldAccents) {
    if (path.empty()) return;
    std::ifstream in = OpenList(path);
    std::string line;
    while (std::getline(in, line)) {
        const std::string word = Latin1Word(Trim(line));
        if (word.empty() || LowerLatin1(word) != word) continue;
        into.insert(foldAccents ? FoldAccents(word) : word);
    }
}

// First names: the male and female lists of Text/Names.pm ("NAME prevalence ..." lines between
// "$COMMON_MALE_FIRSTNAMES = <<ENDNAMES;" or the female one and "ENDNAMES"), or any other file
// as one name a line.
void ReadNames(const std::filesystem::path& path, std::unordered_set<std::string>& into) {
    if (path.empty()) return;
    std::ifstream in = OpenList(path);
    const bool perl = path.extension() == ".pm";
    bool inside = !perl;
    std::string line;
    while (std::getline(in, line)) {
        if (perl) {
            if (line.find("FIRSTNAMES = <<ENDNAMES") != std::string::npos) {
                inside = true;
                continue;
            }
            if (line.rfind("ENDNAMES", 0) == 0) {
                inside = false;
                continue;
            }
        }
        if (!inside) continue;
        std::istringstream fields(line);
        std::string name;
        double share = 100;
        if (!(fields >> name)) continue;
        if (perl && !(fields >> share)) continue;
        if (share < kNameShare) continue;
        const std::string word = Latin1Word(name);
        if (!word.empty()) into.insert(LowerLatin1(word));
    }
}

// The capitalised entries of a Hunspell .dic ("Maria/28,1") or a word list: a capital, then
// lower case only.
void ReadCapitalised(const std::filesystem::path& path, std::unordered_set<std::string>& into,
                     bool dic) {
    if (path.empty()) return;
    std::ifstream in = OpenList(path);
    std::string line;
    if (dic) std::getline(in, line); // the entry count
    while (std::getline(in, line)) {
        const std::string word = Latin1Word(Trim(line.substr(0, line.find('/'))));
        if (word.size() < 2) continue;
        const std::string lower = LowerLatin1(word);
        if (lower[0] != word[0] && lower.compare(1, std::string::npos, word, 1) == 0)
            into.insert(lower);
    }
}

} // namespace

const char* OriginName(Origin origin) {
    switch (origin) {
    case Origin::Euskara:
        return "euskara";
    case Origin::Mailegua:
        return "mailegua";
    case Origin::Atzerrikoa:
        return "atzerrikoa";
    case Origin::Izena:
        return "izena";
    default:
        return "kreditua";
    }
}

const std::vector<std::string> kCreditWords = {
    "itzultzailea", "itzultzaileak", "zuzenketak", "zuzenketa", "sinkronizazioa",
    "zuzentzailea", "and",           "by",         "subtitles", "subtitle",
    "subs",         "synced",        "sync",       "resync",    "corrected",
    "corrections",  "ripped",        "team"};

OriginLists::OriginLists(const OriginListPaths& paths) {
    ReadLowerCaseWords(paths.English, English_, false);
    ReadLowerCaseWords(paths.French, English_, false);
    ReadLowerCaseWords(paths.Spanish, Spanish_, true);
    ReadNames(paths.Names, Names_);
    std::unordered_set<std::string> basque, english;
    ReadCapitalised(paths.BasqueDic, basque, true);
    ReadCapitalised(paths.English, english, false);
    for (const std::string& w : basque)
        if (english.contains(w)) Capitalised_.insert(w);
    if (!paths.SpanishCounts.empty()) {
        std::ifstream in = OpenList(paths.SpanishCounts);
        std::string line;
        double total = 0;
        std::unordered_map<std::string, double> counts;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string form, count;
            if (!(fields >> form >> count)) continue;
            const auto value = ParseInt(count);
            if (!value || *value < 0) continue;
            total += static_cast<double>(*value);
            const std::string word = Latin1Word(form);
            if (!word.empty())
                counts[FoldAccents(LowerLatin1(word))] += static_cast<double>(*value);
        }
        for (const auto& [word, count] : counts)
            SpanishPerMillion_[word] = total > 0 ? count * 1e6 / total : 0.0;
    }
}

bool OriginLists::InEnglishOrFrench(const std::string& word) const {
    return English_.contains(word);
}

bool OriginLists::InSpanish(const std::string& word) const {
    return Spanish_.contains(FoldAccents(word));
}

double OriginLists::SpanishPerMillion(const std::string& word) const {
    const auto at = SpanishPerMillion_.find(FoldAccents(word));
    return at == SpanishPerMillion_.end() ? 0.0 : at->second;
}

Origin OriginOfUnknown(const std::string& form, double perMillion, double foreignTextPerMillion,
                       const OriginLists& lists) {
    if (form.size() < 2) return Origin::Euskara;
    if ((lists.HasSpanishCounts() && perMillion > kBasqueUse * lists.SpanishPerMillion(form)) ||
        perMillion > kBeyondForeignText * foreignTextPerMillion)
        return Origin::Euskara;
    const bool foreign = lists.InForeignList(form);
    if (lists.IsName(form) || (lists.IsCapitalisedName(form) && !foreign)) return Origin::Izena;
    if (foreign) return Origin::Atzerrikoa;
    return Origin::Euskara;
}

SoftC SoftCOf(const std::string& form, const std::vector<std::string>& lemmas,
              const OriginLists& lists) {
    bool english = lists.InEnglishOrFrench(form), spanish = lists.InSpanish(form);
    for (const std::string& l : lemmas) {
        english = english || lists.InEnglishOrFrench(l);
        spanish = spanish || lists.InSpanish(l);
    }
    return english && !spanish ? SoftC::EnglishOrFrench : SoftC::Spanish;
}

bool SameSpelling(const std::string& lemma, const std::string& translation) {
    const Latin1Conversion a = Utf8ToLatin1(lemma), b = Utf8ToLatin1(translation);
    return a.Unmapped == 0 && b.Unmapped == 0 &&
           FoldAccents(LowerLatin1(a.Text)) == FoldAccents(LowerLatin1(b.Text));
}

} // namespace zirtel::tools

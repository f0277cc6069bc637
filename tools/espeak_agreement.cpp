#include "espeak_agreement.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <numeric>
#include <stdexcept>

#include "core/random/random_draw.h"
#include "run_program.h"

namespace zirtel::tools {

std::string EspeakToInventory(const std::string& espeak) {
    static const std::map<std::string, std::string> kSymbols = {
        {"a", "A"},   {"e", "E"},   {"i", "I"},   {"o", "O"},   {"u", "U"},   {"aI", "Ay"},
        {"aU", "Aw"}, {"eI", "Ey"}, {"eU", "Ew"}, {"oI", "Oy"}, {"uI", "Uy"}, {"b", "b"},
        {"B", "b"},   {"v", "b"},   {"d", "d"},   {"D", "d"},   {"g", "g"},   {"Q", "g"},
        {"G", "g"},   {"p", "p"},   {"t", "t"},   {"k", "k"},   {"f", "f"},   {"m", "m"},
        {"l", "l"},   {"n", "n"},   {"s", "s"},   {"w", "w"},   {"z", "T"},   {"T", "T"},
        {"S", "x"},   {"tS", "tx"}, {"ts", "ts"}, {"tz", "tT"}, {"J", "j"},   {"j", "j"},
        {"c", "t"},   {"n^", "J"},  {"l^", "L"},  {"R", "R"},   {"R2", "R"},  {"**", "r"},
        {"r", "r"},   {"N", "N"},   {"x", "H"},   {"h", ""}};
    std::string out;
    std::size_t from = 0;
    while (from <= espeak.size()) {
        const std::size_t sep = std::min(espeak.find('_', from), espeak.size());
        std::string token;
        for (std::size_t i = from; i < sep; ++i) {
            const char c = espeak[i];
            if (c != '\'' && c != ',' && c != ';' && c != '%' && c != '=' && c != ' ' &&
                c != '\r' && c != ':')
                token += c;
        }
        if (!token.empty()) {
            const auto at = kSymbols.find(token);
            out += at == kSymbols.end() ? "?" : at->second;
        }
        from = sep + 1;
    }
    return out;
}

std::string VariantsSetAside(const std::string& phonemes) {
    std::string out;
    for (std::size_t i = 0; i < phonemes.size(); ++i) {
        const char c = phonemes[i];
        const bool afterI = i > 0 && (phonemes[i - 1] == 'I' || phonemes[i - 1] == 'y');
        if ((c == 'J' && afterI) || c == 'N' || c == 'm')
            out += 'n';
        else if (c == 'L' && afterI)
            out += 'l';
        else if (c == 'H')
            out += 'j';
        else
            out += c;
    }
    return out;
}

Agreement Compare(const std::vector<std::string>& ours, const std::vector<std::string>& espeak) {
    Agreement a;
    for (std::size_t i = 0; i < ours.size() && i < espeak.size(); ++i) {
        std::string mine;
        for (char c : ours[i])
            if (c != '-' && c != '\'' && c != '"') mine += c;
        ++a.Compared;
        if (mine == espeak[i]) ++a.Identical;
        if (VariantsSetAside(mine) == VariantsSetAside(espeak[i])) ++a.UpToVariants;
    }
    return a;
}

std::vector<std::string> EspeakReadings(const std::vector<std::string>& words,
                                        const std::string& program) {
    TempFolder folder;
    const auto input = folder.Path() / "words.txt";
    const auto output = folder.Path() / "phonemes.txt";
    {
        std::ofstream in(input, std::ios::binary);
        for (const std::string& w : words) in << w << ".\n"; // one clause, one output line each
        if (!in) throw std::runtime_error("cannot write " + input.string());
    }
    RunProgram({program, "-v", "eu", "-q", "-x", "--sep=_", "-f", input.string()}, output);
    std::ifstream out(output, std::ios::binary);
    std::vector<std::string> readings;
    std::string line;
    while (readings.size() < words.size() && std::getline(out, line))
        readings.push_back(EspeakToInventory(line));
    if (readings.size() != words.size())
        throw std::runtime_error(program + " gave " + std::to_string(readings.size()) +
                                 " readings for " + std::to_string(words.size()) + " words");
    return readings;
}

std::vector<std::size_t> FixedSample(std::size_t size, std::size_t count, unsigned seed) {
    std::vector<std::size_t> all(size);
    std::iota(all.begin(), all.end(), std::size_t{0});
    RandomEngine engine(seed);
    Shuffle(all, engine);
    all.resize(std::min(count, size));
    std::sort(all.begin(), all.end());
    return all;
}

} // namespace zirtel::tools

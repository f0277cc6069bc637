#include "lemma_analyser.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <stdexcept>

#include "run_program.h"

namespace zirtel::tools {
namespace {

// The fields of a unit "^a/b/c$" split at unescaped '/', escapes removed; empty when the line
// holds no unit.
std::vector<std::string> UnitFields(const std::string& line) {
    const std::size_t open = line.find('^');
    const std::size_t close = line.rfind('$');
    if (open == std::string::npos || close == std::string::npos || close <= open) return {};
    std::vector<std::string> fields(1);
    for (std::size_t i = open + 1; i < close; ++i) {
        if (line[i] == '\\' && i + 1 < close) {
            fields.back() += line[++i];
        } else if (line[i] == '/') {
            fields.emplace_back();
        } else {
            fields.back() += line[i];
        }
    }
    return fields;
}

// "lemma<a><b>" -> {"lemma", "<a><b>"}.
MorphPart SplitPart(const std::string& text) {
    const std::size_t tag = text.find('<');
    if (tag == std::string::npos) return {text, ""};
    return {text.substr(0, tag), text.substr(tag)};
}

// Runs lt-proc with `options` (the transducer, after "-b" for the bilingual dictionary) on the
// lines, in batches, and gives its output lines in order (fewer when it wrote fewer).
std::vector<std::string> RunLtProcLines(const std::vector<std::string>& lines,
                                        const std::string& ltProc,
                                        const std::vector<std::string>& options,
                                        std::size_t batchSize) {
    std::vector<std::string> out;
    out.reserve(lines.size());
    TempFolder folder;
    const auto input = folder.Path() / "in.txt";
    const auto output = folder.Path() / "out.txt";
    for (std::size_t from = 0; from < lines.size(); from += batchSize) {
        const std::size_t to = std::min(lines.size(), from + batchSize);
        {
            std::ofstream in(input, std::ios::binary | std::ios::trunc);
            for (std::size_t i = from; i < to; ++i) in << lines[i] << '\n';
            if (!in) throw std::runtime_error("cannot write " + input.string());
        }
        std::vector<std::string> argv{ltProc};
        argv.insert(argv.end(), options.begin(), options.end());
        argv.push_back(input.string());
        argv.push_back(output.string());
        RunProgram(argv);
        std::ifstream result(output, std::ios::binary);
        std::string line;
        std::size_t got = 0;
        while (got < to - from && std::getline(result, line)) {
            out.push_back(line);
            ++got;
        }
        out.resize(from + (to - from), std::string()); // lines missing from the output
    }
    return out;
}

std::string TaggedUnit(const TaggedLemma& l) {
    return "^" + l.Lemma + l.Tag + "$";
}

// The translations of one bilingual unit "^lemma<tag>/trans<tags>/...$" ("@lemma" when none).
std::vector<std::string> ParseTranslations(const std::string& line, std::string& source) {
    std::vector<std::string> fields = UnitFields(line);
    std::vector<std::string> result;
    if (fields.empty()) return result;
    source = fields[0];
    for (std::size_t f = 1; f < fields.size(); ++f) {
        if (fields[f].empty() || fields[f][0] == '@') continue;
        const std::string lemma = SplitPart(fields[f]).Lemma;
        if (!lemma.empty() && std::find(result.begin(), result.end(), lemma) == result.end())
            result.push_back(lemma);
    }
    return result;
}

} // namespace

std::vector<Analysis> ParseAnalysisUnit(const std::string& line, std::string& surface) {
    surface.clear();
    std::vector<Analysis> analyses;
    const std::vector<std::string> fields = UnitFields(line);
    if (fields.empty()) return analyses;
    surface = fields[0];
    for (std::size_t f = 1; f < fields.size(); ++f) {
        const std::string& a = fields[f];
        if (a.empty() || a[0] == '*') continue; // unknown form
        Analysis analysis;
        std::size_t from = 0;
        for (;;) {
            const std::size_t plus = a.find('+', from);
            analysis.Parts.push_back(SplitPart(a.substr(from, plus - from)));
            if (plus == std::string::npos) break;
            from = plus + 1;
        }
        if (!analysis.Parts.front().Lemma.empty()) analyses.push_back(std::move(analysis));
    }
    return analyses;
}

AnalyserOutput AnalyseForms(const std::vector<std::string>& forms, const std::string& ltProc,
                            const std::filesystem::path& transducer, std::size_t batchSize) {
    if (!std::filesystem::exists(transducer))
        throw std::runtime_error("analyser not found: " + transducer.string());
    const std::vector<std::string> lines =
        RunLtProcLines(forms, ltProc, {transducer.string()}, batchSize);
    AnalyserOutput result;
    result.Analyses.resize(forms.size());
    std::string surface;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        std::vector<Analysis> analyses = ParseAnalysisUnit(lines[i], surface);
        if (surface == forms[i])
            result.Analyses[i] = std::move(analyses);
        else
            ++result.Unmatched;
    }
    return result;
}

AnalyserOutput ReadAnalyses(const std::vector<std::string>& forms,
                            const std::filesystem::path& analyses) {
    std::ifstream in(analyses, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + analyses.string());
    std::map<std::string, std::vector<Analysis>> units;
    std::string line, surface;
    while (std::getline(in, line)) {
        std::vector<Analysis> parsed = ParseAnalysisUnit(line, surface);
        if (!surface.empty()) units[surface] = std::move(parsed);
    }
    AnalyserOutput result;
    result.Analyses.resize(forms.size());
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const auto at = units.find(forms[i]);
        if (at != units.end()) result.Analyses[i] = at->second;
    }
    return result;
}

std::vector<std::vector<std::string>> TranslateLemmas(const std::vector<TaggedLemma>& lemmas,
                                                      const std::string& ltProc,
                                                      const std::filesystem::path& bilingual,
                                                      std::size_t batchSize) {
    if (!std::filesystem::exists(bilingual))
        throw std::runtime_error("bilingual dictionary not found: " + bilingual.string());
    std::vector<std::string> units;
    units.reserve(lemmas.size());
    for (const TaggedLemma& l : lemmas) units.push_back(TaggedUnit(l));
    const std::vector<std::string> lines =
        RunLtProcLines(units, ltProc, {"-b", bilingual.string()}, batchSize);
    std::vector<std::vector<std::string>> result(lemmas.size());
    std::string source;
    for (std::size_t i = 0; i < lemmas.size(); ++i) {
        std::vector<std::string> t = ParseTranslations(lines[i], source);
        if (source == lemmas[i].Lemma + lemmas[i].Tag) result[i] = std::move(t);
    }
    return result;
}

std::vector<std::vector<std::string>> ReadTranslations(const std::vector<TaggedLemma>& lemmas,
                                                       const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::map<std::string, std::vector<std::string>> units;
    std::string line, source;
    while (std::getline(in, line)) {
        std::vector<std::string> t = ParseTranslations(line, source);
        if (!source.empty()) units[source] = std::move(t);
    }
    std::vector<std::vector<std::string>> result(lemmas.size());
    for (std::size_t i = 0; i < lemmas.size(); ++i) {
        const auto at = units.find(lemmas[i].Lemma + lemmas[i].Tag);
        if (at != units.end()) result[i] = at->second;
    }
    return result;
}

} // namespace zirtel::tools

#include "lemma_analyser.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace zirtel::tools {
namespace {

// A private folder for the batch files, removed at the end.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zirtel-lemmas-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        Path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(Path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return Path_; }

  private:
    std::filesystem::path Path_;
};

// Runs `ltProc transducer input output` and waits for it; no shell is involved.
void RunLtProc(const std::string& ltProc, const std::filesystem::path& transducer,
               const std::filesystem::path& input, const std::filesystem::path& output) {
    const std::string t = transducer.string(), in = input.string(), out = output.string();
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("cannot start " + ltProc);
    if (pid == 0) {
        char* argv[] = {const_cast<char*>(ltProc.c_str()), const_cast<char*>(t.c_str()),
                        const_cast<char*>(in.c_str()), const_cast<char*>(out.c_str()), nullptr};
        execvp(ltProc.c_str(), argv);
        _exit(127);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(
            ltProc + " failed on " + in +
            (WIFEXITED(status) && WEXITSTATUS(status) == 127 ? " (program not found)" : ""));
}

} // namespace

std::vector<std::string> ParseAnalysisLine(const std::string& line, std::string& surface,
                                           bool& prefixed) {
    surface.clear();
    prefixed = false;
    std::vector<std::string> lemmas;
    const std::size_t open = line.find('^');
    const std::size_t close = line.rfind('$');
    if (open == std::string::npos || close == std::string::npos || close <= open) return lemmas;
    const std::string unit = line.substr(open + 1, close - open - 1);
    // Fields separated by unescaped '/': the surface form, then one analysis each.
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < unit.size(); ++i) {
        if (unit[i] == '\\' && i + 1 < unit.size()) {
            fields.back() += unit[++i];
        } else if (unit[i] == '/') {
            fields.emplace_back();
        } else {
            fields.back() += unit[i];
        }
    }
    surface = fields[0];
    for (std::size_t f = 1; f < fields.size(); ++f) {
        const std::string& a = fields[f];
        if (a.empty() || a[0] == '*') continue; // unknown form
        std::size_t from = 0;
        const std::size_t plus = a.find('+');
        if (plus != std::string::npos && a.substr(0, plus).find("<cnjsub>") != std::string::npos) {
            from = plus + 1; // the lemma after the prefix
            prefixed = true;
        }
        const std::string lemma = a.substr(from, a.find('<', from) - from);
        if (lemma.empty()) continue;
        if (std::find(lemmas.begin(), lemmas.end(), lemma) == lemmas.end()) lemmas.push_back(lemma);
    }
    return lemmas;
}

LemmaAnalysis AnalyseLemmas(const std::vector<std::string>& forms, const std::string& ltProc,
                            const std::filesystem::path& transducer, std::size_t batchSize) {
    if (!std::filesystem::exists(transducer))
        throw std::runtime_error("analyser not found: " + transducer.string());
    LemmaAnalysis result;
    result.Lemmas.resize(forms.size());
    result.Prefixed.resize(forms.size());
    TempFolder folder;
    const auto input = folder.Path() / "forms.txt";
    const auto output = folder.Path() / "analyses.txt";
    for (std::size_t from = 0; from < forms.size(); from += batchSize) {
        const std::size_t to = std::min(forms.size(), from + batchSize);
        {
            std::ofstream in(input, std::ios::binary | std::ios::trunc);
            for (std::size_t i = from; i < to; ++i) in << forms[i] << '\n';
            if (!in) throw std::runtime_error("cannot write " + input.string());
        }
        RunLtProc(ltProc, transducer, input, output);
        std::ifstream out(output, std::ios::binary);
        std::string line, surface;
        std::size_t i = from;
        while (i < to && std::getline(out, line)) {
            bool prefixed = false;
            std::vector<std::string> lemmas = ParseAnalysisLine(line, surface, prefixed);
            if (surface == forms[i]) {
                result.Lemmas[i] = std::move(lemmas);
                result.Prefixed[i] = prefixed;
            } else {
                ++result.Unmatched;
            }
            ++i;
        }
        result.Unmatched += static_cast<int>(to - i); // lines missing from the output
    }
    return result;
}

LemmaAnalysis ReadAnalyses(const std::vector<std::string>& forms,
                           const std::filesystem::path& analyses) {
    std::ifstream in(analyses, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + analyses.string());
    std::map<std::string, std::pair<std::vector<std::string>, bool>> units;
    std::string line, surface;
    while (std::getline(in, line)) {
        bool prefixed = false;
        std::vector<std::string> lemmas = ParseAnalysisLine(line, surface, prefixed);
        if (!surface.empty()) units[surface] = {std::move(lemmas), prefixed};
    }
    LemmaAnalysis result;
    result.Lemmas.resize(forms.size());
    result.Prefixed.resize(forms.size());
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const auto at = units.find(forms[i]);
        if (at == units.end()) continue;
        result.Lemmas[i] = at->second.first;
        result.Prefixed[i] = at->second.second;
    }
    return result;
}

} // namespace zirtel::tools

#include "cli/generate.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/batch.h"
#include "cli/stream_feedback.h"
#include "core/analysis/workspace.h"
#include "core/generator/old20_function.h"
#include "core/generator/pseudoword_generator.h"
#include "core/generator/pseudoword_table.h"
#include "core/lexicon/lexicon.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"

#ifndef ZIRTEL_VERSION
#error "ZIRTEL_VERSION must be defined by the build"
#endif

namespace zirtel {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUsage =
    "Usage: zirtel --generate TEMPLATES [-n N] [--seed S] [--overlap P/Q] [--no-length-match]\n"
    "                        [--exclude FILE] [--max-candidates M] [-o OUT] [--settings FILE]\n"
    "                        [--data-dir DIR]\n";

constexpr std::string_view kHelp =
    "\n"
    "Makes pseudowords that look like the templates: random walks through the transitions\n"
    "between the onsets, nuclei and codas of the whole-word lexicon, close to each template's\n"
    "own transition counts first. Writes a tab-separated table, UTF-8, with a header row:\n"
    "template, pseudoword, syllables, overlap, max_dev, sum_dev, OLD20, OLD20_diff,\n"
    "pronunciation.\n"
    "\n"
    "  TEMPLATES              items file: one template a line, \"<Cond ...>\" directives allowed\n"
    "  -n N                   pseudowords per template (default 10)\n"
    "  --seed S               seed of the random walks, 0 to 18446744073709551615 (default:\n"
    "                         drawn and reported); a seed gives the same table on any machine\n"
    "  --overlap P/Q          share of the template's non-empty segments a pseudoword keeps\n"
    "                         (default 2/3; at least one is kept and at least one changed)\n"
    "  --no-length-match      segments may differ in length from the template's\n"
    "  --exclude FILE         words no pseudoword may be, one a line (e.g. a Spanish list)\n"
    "  --max-candidates M     walks examined per template at most (default 100000)\n"
    "  -o OUT                 write the table to OUT (default: standard output)\n"
    "  --settings FILE        write the run's settings (seed included) to FILE as JSON\n"
    "  --data-dir DIR         folder of the lexicon files (default: the program's)\n"
    "\n"
    "A template that gives fewer than N pseudowords is named in a warning with the count and\n"
    "the reason. Messages go to standard error as \"CAPTION: TEXT\" lines. Exit status: 0 done;\n"
    "1 an input or output file could not be opened or written; 2 bad arguments.\n";

struct GenerateRequest {
    bool Help = false;
    std::optional<std::string> Templates;
    GeneratorSettings Settings;
    std::optional<std::uint64_t> Seed;
    std::optional<std::string> Exclude;
    std::optional<std::string> Output;
    std::optional<std::string> SettingsFile;
    std::optional<std::string> DataDir;
};

struct UsageError {
    std::string Message;
};

template <typename T> std::optional<T> ParseWhole(std::string_view text) {
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

GenerateRequest ParseArguments(int argc, const char* const* argv) {
    GenerateRequest req;
    bool generate = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::optional<std::string> inlineValue;
        if (arg.size() > 2 && arg.starts_with("--")) {
            const auto eq = arg.find('=');
            if (eq != std::string::npos) {
                inlineValue = arg.substr(eq + 1);
                arg.resize(eq);
            }
        }
        auto value = [&]() -> std::string {
            if (inlineValue) return *inlineValue;
            if (i + 1 >= argc) throw UsageError{"option " + arg + " needs a value"};
            return argv[++i];
        };
        auto flag = [&]() {
            if (inlineValue) throw UsageError{"option " + arg + " takes no value"};
        };
        if (arg == "--help" || arg == "-h") {
            flag();
            req.Help = true;
        } else if (arg == "--generate") {
            flag();
            generate = true;
        } else if (arg == "-n") {
            const std::string v = value();
            const auto n = ParseWhole<int>(v);
            if (!n || *n < 1)
                throw UsageError{"-n must be a whole number from 1 up, not '" + v + "'"};
            req.Settings.Count = *n;
        } else if (arg == "--seed") {
            const std::string v = value();
            const auto s = ParseWhole<std::uint64_t>(v);
            if (!s)
                throw UsageError{"--seed must be a whole number from 0 to 18446744073709551615, "
                                 "not '" +
                                 v + "'"};
            req.Seed = *s;
        } else if (arg == "--overlap") {
            const std::string v = value();
            const auto slash = v.find('/');
            const auto p = slash == std::string::npos
                               ? std::nullopt
                               : ParseWhole<int>(std::string_view(v).substr(0, slash));
            const auto q = slash == std::string::npos
                               ? std::nullopt
                               : ParseWhole<int>(std::string_view(v).substr(slash + 1));
            if (!p || !q || *q < 1 || *p < 0 || *p > *q)
                throw UsageError{"--overlap must be a fraction P/Q from 0/1 to 1/1, such as 2/3, "
                                 "not '" +
                                 v + "'"};
            req.Settings.OverlapNumerator = *p;
            req.Settings.OverlapDenominator = *q;
        } else if (arg == "--no-length-match") {
            flag();
            req.Settings.MatchLengths = false;
        } else if (arg == "--exclude") {
            req.Exclude = value();
        } else if (arg == "--max-candidates") {
            const std::string v = value();
            const auto m = ParseWhole<long long>(v);
            if (!m || *m < 1)
                throw UsageError{"--max-candidates must be a whole number from 1 up, not '" + v +
                                 "'"};
            req.Settings.MaxCandidates = *m;
        } else if (arg == "-o" || arg == "--output") {
            req.Output = value();
        } else if (arg == "--settings") {
            req.SettingsFile = value();
        } else if (arg == "--data-dir") {
            req.DataDir = value();
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError{"unknown option '" + arg + "'"};
        } else if (req.Templates) {
            throw UsageError{"only one templates file can be given ('" + *req.Templates + "', '" +
                             arg + "')"};
        } else {
            req.Templates = arg;
        }
    }
    if (req.Help) return req;
    if (!generate) throw UsageError{"--generate is missing"};
    if (!req.Templates) throw UsageError{"no templates file given"};
    if (req.DataDir && !fs::is_directory(*req.DataDir))
        throw UsageError{"--data-dir: '" + *req.DataDir + "' is not a folder"};
    return req;
}

fs::path ProgramFolder(const char* argv0) {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !exe.empty()) return exe.parent_path();
    const fs::path p = fs::absolute(argv0 ? argv0 : ".", ec);
    return ec ? fs::current_path() : p.parent_path();
}

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[(c >> 4) & 0xF];
            out += kHex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string AbsoluteText(const std::string& path) {
    std::error_code ec;
    const fs::path p = fs::absolute(path, ec);
    return ec ? path : p.string();
}

// The run's settings, enough to repeat it.
std::string SettingsJson(const GenerateRequest& req, const fs::path& lexiconPath,
                         const GeneratorRun& run) {
    const GeneratorSettings& s = req.Settings;
    std::string j = "{\n";
    j += "  \"program\": \"zirtel\",\n";
    j += "  \"version\": \"" ZIRTEL_VERSION "\",\n";
    j += "  \"command\": \"generate\",\n";
    j += "  \"templates\": " + JsonString(AbsoluteText(*req.Templates)) + ",\n";
    j += "  \"lexicon\": " + JsonString(AbsoluteText(lexiconPath.string())) + ",\n";
    j +=
        "  \"exclude\": " + (req.Exclude ? JsonString(AbsoluteText(*req.Exclude)) : "null") + ",\n";
    j += "  \"seed\": " + std::to_string(run.Seed) + ",\n";
    j += "  \"n\": " + std::to_string(s.Count) + ",\n";
    j += "  \"overlap\": \"" + std::to_string(s.OverlapNumerator) + "/" +
         std::to_string(s.OverlapDenominator) + "\",\n";
    j += std::string("  \"length_match\": ") + (s.MatchLengths ? "true" : "false") + ",\n";
    j += "  \"max_candidates\": " + std::to_string(s.MaxCandidates) + ",\n";
    j += "  \"pseudowords\": " + std::to_string(run.Pseudowords.size()) + "\n";
    return j + "}\n";
}

int Run(GenerateRequest& req, const char* argv0, std::ostream& out, std::ostream& err,
        bool terminal) {
    StreamFeedback ui(err, terminal);
    const fs::path dataDir = req.DataDir ? fs::path(*req.DataDir) : ProgramFolder(argv0);
    const fs::path lexiconPath = dataDir / kWholeWordFile;
    Lexicon lexicon;
    if (!LoadWholeWordLexicon(lexiconPath, lexicon, ui) || lexicon.Empty()) {
        err << "zirtel: no usable whole-word lexicon at '" << lexiconPath.string() << "'\n";
        return kBatchFileError;
    }
    // The templates, by the rules of an items file.
    Workspace items(ui, dataDir);
    if (!items.ReadInputFile(*req.Templates)) return kBatchFileError;
    const std::vector<std::string> templates = items.Stimuli.Items;

    PseudowordGenerator generator(lexicon, MakeOld20Function(lexicon));
    if (req.Exclude) {
        const std::optional<std::vector<std::string>> words = ReadWordList(*req.Exclude);
        if (!words) {
            err << "zirtel: cannot open the exclude file '" << *req.Exclude << "'\n";
            return kBatchFileError;
        }
        generator.SetExcludedWords(*words);
    }
    req.Settings.Seed = req.Seed ? *req.Seed : DrawSeed();
    const GeneratorRun run = generator.Generate(templates, req.Settings);

    for (const TemplateOutcome& o : run.Outcomes)
        if (o.Found < req.Settings.Count)
            ui.ShowMessage("Abisua", Latin1ToUtf8(OutcomeText(o, req.Settings)),
                           MessageButtons::Ok);
    ui.ShowMessage("",
                   std::to_string(run.Pseudowords.size()) + " sasihitz, " +
                       std::to_string(templates.size()) + " txantiloi; hazia " +
                       std::to_string(run.Seed),
                   MessageButtons::Ok);

    int status = kBatchOk;
    if (req.Output) {
        if (!SavePseudowordTable(*req.Output, run.Pseudowords, ui)) status = kBatchFileError;
    } else {
        const std::string text = PseudowordTableText(run.Pseudowords);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            err << "zirtel: the pseudowords could not be written to standard output\n";
            status = kBatchFileError;
        }
    }
    if (req.SettingsFile &&
        !WriteFileAtomically(*req.SettingsFile, SettingsJson(req, lexiconPath, run))) {
        err << "zirtel: cannot write the settings file '" << *req.SettingsFile << "'\n";
        status = kBatchFileError;
    }
    return status;
}

} // namespace

bool IsGenerateInvocation(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--generate") return true;
    return false;
}

int RunGenerate(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                bool terminal) {
    GenerateRequest req;
    try {
        req = ParseArguments(argc, argv);
    } catch (const UsageError& e) {
        err << "zirtel: " << e.Message << '\n'
            << kUsage << "Try 'zirtel --generate --help' for more.\n";
        return kBatchUsageError;
    }
    if (req.Help) {
        out << kUsage << kHelp;
        return out.flush() ? kBatchOk : kBatchFileError;
    }
    return Run(req, argc > 0 ? argv[0] : nullptr, out, err, terminal);
}

} // namespace zirtel

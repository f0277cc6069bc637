#include "cli/mode_support.h"

#include "core/analysis/measuring_setup.h"
#include "core/analysis/user_field_file.h"
#include "core/lexicon/lexicon.h"
#include "core/text/text_file.h"

#ifndef ZIRTEL_VERSION
#error "ZIRTEL_VERSION must be defined by the build"
#endif

namespace zirtel {

namespace fs = std::filesystem;

std::optional<Message> UnusableLexicon(const Lexicon& lexicon, const fs::path& path) {
    if (lexicon.RefusedLine > 0)
        return msg::LexiconUnusable(path.string(), "line " + std::to_string(lexicon.RefusedLine) +
                                                       " holds a control character");
    if (lexicon.HasReadableEntry()) return std::nullopt;
    ReadProblem problem = ReadProblem::None;
    const bool read = ReadTextFile(path, '?', kMaxTextFileBytes, &problem).has_value();
    std::string why = "it holds no readable entry";
    if (!read) switch (problem) {
        case ReadProblem::Missing:
            why = "it does not exist";
            break;
        case ReadProblem::Folder:
            why = "it is a folder";
            break;
        case ReadProblem::TooLarge:
            why = "it is too large";
            break;
        default:
            why = "it cannot be read";
            break;
        }
    return msg::LexiconUnusable(path.string(), why);
}

void AddUserFileInputs(const Command& command, RunFiles& files) {
    for (int n = 1; n <= 3; ++n) {
        const std::string option = "--user" + std::to_string(n);
        if (const auto file = command.Args.Get(option)) files.Input(option, *file);
    }
}

int LoadUserFiles(const Command& command, MeasuringSetup& setup) {
    for (int n = 1; n <= 3; ++n) {
        const auto file = command.Args.Get("--user" + std::to_string(n));
        if (file && !LoadUserField(setup, *file, n - 1))
            return Fail(command, msg::CannotOpen("user field file", *file), kBatchFileError);
    }
    return kGoOn;
}

std::vector<std::optional<fs::path>> UserFiles(const Command& command) {
    std::vector<std::optional<fs::path>> files;
    for (int n = 1; n <= 3; ++n) {
        const auto file = command.Args.Get("--user" + std::to_string(n));
        files.push_back(file ? std::optional<fs::path>(*file) : std::nullopt);
    }
    return files;
}

RunSettings SettingsOf(const Command& command) {
    RunSettings run;
    run.Program = command.Start.Program;
    run.Version = ZIRTEL_VERSION;
    for (int i = 1; i < command.Start.Argc; ++i) run.Arguments.emplace_back(command.Start.Argv[i]);
    return run;
}

} // namespace zirtel

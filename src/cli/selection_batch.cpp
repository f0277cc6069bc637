#include "cli/selection_batch.h"

#include <unistd.h>

#include <array>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/batch.h"
#include "cli/stream_feedback.h"
#include "core/analysis/field_catalogue.h"
#include "core/analysis/workspace.h"
#include "core/lexicon/user_fields.h"
#include "core/selection/engine_statistics.h"
#include "core/selection/random.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"

#ifndef ZIRTEL_VERSION
#error "ZIRTEL_VERSION must be defined by the build"
#endif

namespace zirtel {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUsage =
    "Usage: zirtel --select DESIGN [-o OUT] [--long FILE] [--settings FILE] [--data-dir DIR]\n"
    "                             [--user1 FILE] [--user2 FILE] [--user3 FILE]\n"
    "       zirtel --match ITEMS --design DESIGN [-n K] [-o OUT] [--settings FILE]\n"
    "                            [--data-dir DIR] [--user1 FILE] [--user2 FILE] [--user3 FILE]\n";

struct Request {
    bool Select = false;
    std::string Design;
    std::optional<std::string> MatchItems;
    int Count = 10;
    bool CountGiven = false;
    std::optional<std::string> Output, Long, Settings, DataDir;
    std::array<std::optional<std::string>, 3> UserFiles;
};

struct UsageError {
    std::string Message;
};

Request ParseArguments(int argc, const char* const* argv) {
    Request req;
    std::optional<std::string> select, design;
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
        auto once = [&](std::optional<std::string>& slot) {
            if (slot) throw UsageError{"option " + arg + " is given twice"};
            slot = value();
        };
        if (arg == "--select") {
            once(select);
        } else if (arg == "--match") {
            once(req.MatchItems);
        } else if (arg == "--design") {
            once(design);
        } else if (arg == "-n") {
            const std::string v = value();
            const auto n = ParseInt(v);
            if (!n || *n < 1 || std::to_string(*n) != v)
                throw UsageError{"-n must be a whole number above 0, not '" + v + "'"};
            req.Count = *n;
            req.CountGiven = true;
        } else if (arg == "-o" || arg == "--output") {
            once(req.Output);
        } else if (arg == "--long") {
            once(req.Long);
        } else if (arg == "--settings") {
            once(req.Settings);
        } else if (arg == "--data-dir") {
            once(req.DataDir);
        } else if (arg == "--user1" || arg == "--user2" || arg == "--user3") {
            once(req.UserFiles[static_cast<std::size_t>(arg.back() - '1')]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError{"unknown option '" + arg + "'"};
        } else {
            throw UsageError{"unexpected argument '" + arg + "'"};
        }
    }
    if (select && req.MatchItems) throw UsageError{"--select and --match cannot be used together"};
    if (select) {
        if (design) throw UsageError{"--design belongs to --match; --select takes the design"};
        if (req.CountGiven) throw UsageError{"-n belongs to --match"};
        req.Select = true;
        req.Design = *select;
    } else {
        if (!design) throw UsageError{"--match needs --design DESIGN"};
        if (req.Long) throw UsageError{"--long belongs to --select"};
        req.Design = *design;
    }
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

// Writes a result to its file, or to `out` when no file is named.
bool Emit(const std::optional<std::string>& file, const std::string& text, std::ostream& out,
          std::ostream& err) {
    if (file) {
        if (WriteFileAtomically(*file, text)) return true;
        err << "zirtel: cannot write '" << *file << "'\n";
        return false;
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) err << "zirtel: the results could not be written to standard output\n";
    return static_cast<bool>(out);
}

// Measures items under a progress bar; nothing when cancelled (never, in batch mode).
std::optional<MeasuredItems> Measure(Workspace& ws, StatisticsSource& stats,
                                     const std::vector<std::string>& items,
                                     const std::vector<int>& fields, const std::string& label) {
    auto bar = ws.UI.OpenProgress(label, "", static_cast<int>(items.size()));
    return MeasureItems(items, fields, stats, [&](std::size_t done, std::size_t) {
        bar->SetPosition(static_cast<int>(done));
        return true;
    });
}

int Run(const Request& req, const char* argv0, std::ostream& out, std::ostream& err,
        bool terminal) {
    const std::optional<TextFile> designFile = ReadTextFile(req.Design);
    if (!designFile) {
        err << "zirtel: cannot open the design file '" << req.Design << "'\n";
        return kBatchFileError;
    }
    DesignParse parsed = ParseDesign(designFile->Text, req.Select);
    if (!parsed.Error) parsed.Error = UnsupportedInDesign(parsed.Value);
    if (parsed.Error) {
        err << "zirtel: " << req.Design << ": " << Latin1ToUtf8(parsed.Error->Text()) << '\n';
        return kBatchUsageError;
    }
    Design& design = parsed.Value;
    const std::vector<int> fields = DesignFields(design);

    StreamFeedback ui(err, terminal);
    Workspace ws(ui, req.DataDir ? fs::path(*req.DataDir) : ProgramFolder(argv0));
    ws.Startup();
    for (std::size_t n = 0; n < req.UserFiles.size(); ++n) {
        if (req.UserFiles[n] && !LoadUserField(ws, *req.UserFiles[n], static_cast<int>(n))) {
            err << "zirtel: cannot open the user field file '" << *req.UserFiles[n] << "'\n";
            return kBatchFileError;
        }
    }
    for (int f : fields) {
        const int user = FieldCatalogue()[static_cast<std::size_t>(f)].UserField;
        if (user > 0 &&
            ws.UserFields[static_cast<std::size_t>(user - 1)].Name == kUndefinedUserField) {
            err << "zirtel: USER" << user << " is in the design but has no file: give --user"
                << user << " FILE\n";
            return kBatchUsageError;
        }
    }
    PrepareForDesign(ws, design);
    const fs::path designFolder = fs::path(req.Design).parent_path();
    const auto poolItems = PoolItems(ws, design, designFolder);
    if (!poolItems) return kBatchFileError;
    std::optional<std::vector<std::string>> targetItems;
    if (!req.Select) {
        targetItems = ReadItemsFile(ws, *req.MatchItems);
        if (!targetItems) return kBatchFileError;
    }

    EngineStatistics stats(ws, fields);
    const auto pool = Measure(ws, stats, *poolItems, fields, "Measuring the pool ...");
    int status = kBatchOk;
    if (req.Select) {
        if (!design.Seed) {
            design.Seed = selection::DrawSeed();
            err << "zirtel: seed " << *design.Seed << '\n';
        }
        const Selection sel = *Generate(design, *pool, *design.Seed);
        const std::string shortfall = ShortfallWarning(sel);
        if (!shortfall.empty()) err << "zirtel: " << shortfall << '\n';
        if (!Emit(req.Output, WideOutput(sel, *pool), out, err)) status = kBatchFileError;
        if (req.Long && !Emit(req.Long, LongOutput(sel, *pool), out, err)) status = kBatchFileError;
    } else {
        const auto targets = Measure(ws, stats, *targetItems, fields, "Measuring the items ...");
        const auto matches = MatchItems(design, *pool, *targets, req.Count);
        if (!Emit(req.Output, MatchOutput(design, matches, *pool, *targets), out, err))
            status = kBatchFileError;
    }
    if (req.Settings) {
        // A design file that gives the same result again: the design with its seed.
        std::string settings =
            "# zirtel " ZIRTEL_VERSION "\n# " + std::string(req.Select ? "--select " : "--match ") +
            (req.Select ? req.Design : *req.MatchItems + " --design " + req.Design) +
            (req.Select ? "" : " -n " + std::to_string(req.Count)) + "\n";
        if (req.DataDir) settings += "# --data-dir " + *req.DataDir + "\n";
        for (std::size_t n = 0; n < req.UserFiles.size(); ++n)
            if (req.UserFiles[n])
                settings += "# --user" + std::to_string(n + 1) + " " + *req.UserFiles[n] + "\n";
        settings += Latin1ToUtf8(DesignText(design));
        if (!WriteFileAtomically(*req.Settings, settings)) {
            err << "zirtel: cannot write '" << *req.Settings << "'\n";
            status = kBatchFileError;
        }
    }
    return status;
}

int RunOn(int argc, const char* const* argv, std::ostream& out, std::ostream& err, bool terminal) {
    Request req;
    try {
        req = ParseArguments(argc, argv);
    } catch (const UsageError& e) {
        err << "zirtel: " << e.Message << '\n' << kUsage << "Try 'zirtel --help' for more.\n";
        return kBatchUsageError;
    }
    return Run(req, argc > 0 ? argv[0] : nullptr, out, err, terminal);
}

} // namespace

bool IsSelectionInvocation(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--select" || a == "--match" || a.starts_with("--select=") ||
            a.starts_with("--match="))
            return true;
    }
    return false;
}

int RunSelection(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    return RunOn(argc, argv, out, err, false);
}

int RunSelection(int argc, const char* const* argv) {
    std::ios::sync_with_stdio(false);
    return RunOn(argc, argv, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
}

} // namespace zirtel

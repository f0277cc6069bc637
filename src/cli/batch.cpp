#include "cli/batch.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/stream_feedback.h"
#include "core/analysis/field_catalogue.h"
#include "core/analysis/results_output.h"
#include "core/analysis/workspace.h"
#include "core/lexicon/user_fields.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"

#ifndef ZIRTEL_VERSION
#error "ZIRTEL_VERSION must be defined by the build"
#endif

namespace zirtel {

namespace {

namespace fs = std::filesystem;

// Set by SIGINT while a batch run is under way; the analysis asks it between items.
std::atomic<bool> gInterrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void OnInterrupt(int) {
    gInterrupted.store(true);
}

constexpr std::string_view kUsage =
    "Usage: zirtel --batch ITEMS [-o OUT] [--fields LIST] [--lemmas] [--decimals N]\n"
    "                     [--user1 FILE] [--user2 FILE] [--user3 FILE]\n"
    "                     [--include-deletions] [--include-additions] [--no-neighbour-list]\n"
    "                     [--neighbours FILE] [--phon-neighbours FILE] [--data-dir DIR]\n"
    "       zirtel --help | --version\n"
    "       zirtel [ITEMS]    (opens the main window)\n";

constexpr std::string_view kHelp =
    "\n"
    "Analyses the items of an input file without opening a window and writes the results as\n"
    "the main window saves them: a tab-separated table, UTF-8, CR LF line ends.\n"
    "\n"
    "  ITEMS                  input file: one item per line, \"<Cond ...>\" directives allowed\n"
    "  -o OUT                 write the results to OUT (default: standard output)\n"
    "  --fields LIST          comma-separated field names, e.g. H_MAIZT,LOG10_MAIZT,N,N*\n"
    "                         (letter case ignored; N_STAR for N*; \"all\" for every field, the\n"
    "                         user fields only when loaded); default: the options dialog's\n"
    "                         defaults. Columns come out in the catalogue's order.\n"
    "  --lemmas               measure against the lemma lexicon\n"
    "  --decimals N           decimals of real values, 0 to 4 (default 2)\n"
    "  --user1/2/3 FILE       load a user-defined field (shown when USER1/2/3 is in the fields)\n"
    "  --include-deletions    \"Gehitu ezabapen-auzokideak\"\n"
    "  --include-additions    \"Gehitu auzokide erantsiak\"\n"
    "  --no-neighbour-list    untick \"Erakutsi auzokideen zerrenda\"\n"
    "  --neighbours FILE      save the orthographic neighbour list to FILE\n"
    "  --phon-neighbours FILE save the phonological neighbour list to FILE\n"
    "  --data-dir DIR         folder of the lexicon and table files (default: the program's)\n"
    "\n"
    "Messages go to standard error as \"CAPTION: TEXT\" lines. Exit status: 0 done; 1 an input\n"
    "or output file could not be opened or written; 2 bad arguments.\n";

struct BatchRequest {
    bool Help = false;
    bool Version = false;
    bool Batch = false;
    std::optional<std::string> Items;
    std::optional<std::string> Output;
    std::optional<std::vector<std::string>> Fields; // as given; nothing: the defaults
    bool Lemmas = false;
    int Decimals = 2;
    std::optional<std::string> DataDir;
    std::array<std::optional<std::string>, 3> UserFiles;
    bool IncludeDeletions = false;
    bool IncludeAdditions = false;
    bool NeighbourList = true;
    std::optional<std::string> OrthoNeighbourFile;
    std::optional<std::string> PhonNeighbourFile;
};

struct UsageError {
    std::string Message;
};

std::vector<std::string> SplitFieldList(std::string_view list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(',', start);
        if (end == std::string_view::npos) end = list.size();
        std::string name = Trim(list.substr(start, end - start));
        if (!name.empty()) names.push_back(std::move(name));
        start = end + 1;
    }
    return names;
}

std::string ValidFieldNames() {
    std::string names;
    for (const FieldInfo& f : FieldCatalogue()) {
        names += f.Mnemonic;
        names += ", ";
    }
    return names + "N_STAR (the same as N*), all";
}

// Parses the command line; throws UsageError for anything it cannot accept.
BatchRequest ParseArguments(int argc, const char* const* argv) {
    BatchRequest req;
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
        } else if (arg == "--version") {
            flag();
            req.Version = true;
        } else if (arg == "--batch") {
            flag();
            req.Batch = true;
        } else if (arg == "-o" || arg == "--output") {
            req.Output = value();
        } else if (arg == "--fields") {
            req.Fields = SplitFieldList(value());
        } else if (arg == "--lemmas") {
            flag();
            req.Lemmas = true;
        } else if (arg == "--decimals") {
            const std::string v = value();
            const auto n = ParseInt(v);
            if (!n || *n < 0 || *n > 4)
                throw UsageError{"--decimals must be a whole number from 0 to 4, not '" + v + "'"};
            req.Decimals = *n;
        } else if (arg == "--include-deletions") {
            flag();
            req.IncludeDeletions = true;
        } else if (arg == "--include-additions") {
            flag();
            req.IncludeAdditions = true;
        } else if (arg == "--no-neighbour-list") {
            flag();
            req.NeighbourList = false;
        } else if (arg == "--neighbours") {
            req.OrthoNeighbourFile = value();
        } else if (arg == "--phon-neighbours") {
            req.PhonNeighbourFile = value();
        } else if (arg == "--user1" || arg == "--user2" || arg == "--user3") {
            req.UserFiles[static_cast<std::size_t>(arg.back() - '1')] = value();
        } else if (arg == "--data-dir") {
            req.DataDir = value();
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError{"unknown option '" + arg + "'"};
        } else if (req.Items) {
            throw UsageError{"only one items file can be given ('" + *req.Items + "', '" + arg +
                             "')"};
        } else {
            req.Items = arg;
        }
    }
    if (req.Help || req.Version) return req;
    if (!req.Batch) throw UsageError{"--batch is missing"};
    if (!req.Items) throw UsageError{"no items file given"};
    if (req.Fields) {
        for (const std::string& name : *req.Fields)
            if (LowerAscii(name) != "all" && FindField(name) < 0)
                throw UsageError{"unknown field '" + name +
                                 "' in --fields; valid names: " + ValidFieldNames()};
    }
    if (req.DataDir && !fs::is_directory(*req.DataDir))
        throw UsageError{"--data-dir: '" + *req.DataDir + "' is not a folder"};
    return req;
}

// The folder of the running program.
fs::path ProgramFolder(const char* argv0) {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !exe.empty()) return exe.parent_path();
    const fs::path p = fs::absolute(argv0 ? argv0 : ".", ec);
    return ec ? fs::current_path() : p.parent_path();
}

// Sets the option ticks from the --fields list.
void TickFields(AnalysisOptions& options, const std::vector<std::string>& names) {
    options.UntickAllFields();
    for (const std::string& name : names) {
        if (LowerAscii(name) == "all") {
            for (int f = 0; f < kFieldCount; ++f) options.SetFieldTicked(f, true);
        } else {
            options.SetFieldTicked(FindField(name), true);
        }
    }
}

bool ListsAll(const std::optional<std::vector<std::string>>& fields) {
    if (!fields) return false;
    for (const std::string& name : *fields)
        if (LowerAscii(name) == "all") return true;
    return false;
}

int Run(const BatchRequest& req, const char* argv0, std::ostream& out, std::ostream& err,
        bool terminal, const std::atomic<bool>* interrupted) {
    StreamFeedback ui(err, terminal);
    ui.SetCancelFlag(interrupted);
    Workspace ws(ui, req.DataDir ? fs::path(*req.DataDir) : ProgramFolder(argv0));
    if (req.Fields) TickFields(ws.Options, *req.Fields);
    ws.Startup();
    if (req.Lemmas) ws.UseLemmaLexicon();
    ws.Decimals = req.Decimals;
    for (std::size_t n = 0; n < req.UserFiles.size(); ++n) {
        if (!req.UserFiles[n]) continue;
        if (!LoadUserField(ws, *req.UserFiles[n], static_cast<int>(n))) {
            err << "zirtel: cannot open the user field file '" << *req.UserFiles[n] << "'\n";
            return kBatchFileError;
        }
    }
    // A user field named in the list needs a file; "all" shows one only when a file gave it a
    // name.
    if (req.Fields)
        for (const std::string& name : *req.Fields) {
            const int field = LowerAscii(name) == "all" ? -1 : FindField(name);
            const int user =
                field < 0 ? 0 : FieldCatalogue()[static_cast<std::size_t>(field)].UserField;
            if (user > 0 &&
                ws.UserFields[static_cast<std::size_t>(user - 1)].Name == kUndefinedUserField) {
                err << "zirtel: USER" << user << " is in --fields but has no file: give --user"
                    << user << " FILE\n";
                return kBatchUsageError;
            }
        }
    // "all" shows a user field only when a file gave it a name.
    if (ListsAll(req.Fields))
        for (const FieldInfo& f : FieldCatalogue())
            if (f.UserField > 0 && ws.UserFields[static_cast<std::size_t>(f.UserField - 1)].Name ==
                                       kUndefinedUserField)
                ws.Options.SetFieldTicked(FindField(f.Mnemonic), false);
    ws.Options.SetTicked("IncludeDeletionNsBox", req.IncludeDeletions);
    ws.Options.SetTicked("IncludeAdditionNsBox", req.IncludeAdditions);
    ws.Options.SetTicked("NListBox", req.NeighbourList);
    ws.AssignColumns();
    if (!ws.ReadInputFile(*req.Items)) return kBatchFileError;
    // Interrupted, the run stops between items and writes nothing.
    if (!ws.AnalyseAll() || ui.Cancelled()) {
        err << "zirtel: interrupted; nothing written\n";
        return kBatchInterrupted;
    }

    int status = kBatchOk;
    if (req.Output) {
        if (!SaveOutputFile(ws, *req.Output)) status = kBatchFileError;
    } else {
        const std::string text = OutputFileText(ws);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            err << "zirtel: the results could not be written to standard output\n";
            status = kBatchFileError;
        }
    }
    if (req.OrthoNeighbourFile) {
        if (ws.OrthoNeighbours.Save(*req.OrthoNeighbourFile)) {
            ui.ShowMessage("", "Auzokide-zerrenda gorde egin da", MessageButtons::OkCancel);
        } else {
            ui.ShowMessage("Fitxategi-errorea", "Ezin da gorde auzokide-zerrenda",
                           MessageButtons::OkCancel);
            status = kBatchFileError;
        }
    }
    if (req.PhonNeighbourFile) {
        if (ws.PhonNeighbours.Save(*req.PhonNeighbourFile)) {
            ui.ShowMessage("", "Auzokide-zerrenda gorde egin da", MessageButtons::OkCancel);
        } else {
            ui.ShowMessage("File Error", "Can't save neighbour list", MessageButtons::OkCancel);
            status = kBatchFileError;
        }
    }
    return status;
}

int RunBatchOn(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
               bool terminal, const std::atomic<bool>* interrupted) {
    BatchRequest req;
    try {
        req = ParseArguments(argc, argv);
    } catch (const UsageError& e) {
        err << "zirtel: " << e.Message << '\n' << kUsage << "Try 'zirtel --help' for more.\n";
        return kBatchUsageError;
    }
    if (req.Help) {
        out << kUsage << kHelp;
        return out.flush() ? kBatchOk : kBatchFileError;
    }
    if (req.Version) {
        out << "zirtel " << ZIRTEL_VERSION << '\n';
        return out.flush() ? kBatchOk : kBatchFileError;
    }
    return Run(req, argc > 0 ? argv[0] : nullptr, out, err, terminal, interrupted);
}

} // namespace

int RunBatch(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    return RunBatchOn(argc, argv, out, err, false, nullptr);
}

int RunBatch(int argc, const char* const* argv) {
    std::ios::sync_with_stdio(false);
    struct sigaction action {};
    action.sa_handler = &OnInterrupt;
    sigemptyset(&action.sa_mask);
    struct sigaction previous {};
    ::sigaction(SIGINT, &action, &previous);
    const int status =
        RunBatchOn(argc, argv, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1, &gInterrupted);
    ::sigaction(SIGINT, &previous, nullptr);
    return status;
}

} // namespace zirtel

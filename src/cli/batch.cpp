#include "cli/batch.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "cli/generate.h"
#include "cli/option_scanner.h"
#include "cli/run_settings.h"
#include "cli/selection_batch.h"
#include "cli/stream_feedback.h"
#include "core/analysis/data_folder.h"
#include "core/analysis/field_catalogue.h"
#include "core/analysis/results_output.h"
#include "core/analysis/results_style.h"
#include "core/analysis/streamed_analysis.h"
#include "core/analysis/tidy_neighbours.h"
#include "core/analysis/workspace.h"
#include "core/lexicon/user_fields.h"
#include "core/neighbours/neighbour_search.h"
#include "core/phonology/phon_neighbour_search.h"
#include "core/text/file_identity.h"
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
    "                     [--rule-pronunciations]\n"
    "                     [--neighbours FILE] [--phon-neighbours FILE] [--data-dir DIR]\n"
    "                     [--missing TEXT] [--plain] [--settings FILE]\n"
    "                     [--neighbours-tidy FILE] [--jobs N]\n"
    "       zirtel --generate TEMPLATES [options]   (see zirtel --generate --help)\n"
    "       zirtel --select DESIGN [-o OUT] [--long FILE] [--settings FILE] [--data-dir DIR]\n"
    "       zirtel --match ITEMS --design DESIGN [-n K] [-o OUT] [--settings FILE]\n"
    "       zirtel --help | --version\n"
    "       zirtel [ITEMS]    (opens the main window)\n";

constexpr std::string_view kHelp =
    "\n"
    "Analyses the items of an input file without opening a window and writes the results as\n"
    "the main window saves them: a tab-separated table, UTF-8, CR LF line ends.\n"
    "\n"
    "  ITEMS                  input file: one item per line, \"<Cond ...>\" directives allowed\n"
    "  -o OUT                 write the results to OUT (default, or \"-\": standard output)\n"
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
    "  --rule-pronunciations  \"Sasihitzak arauz ahoskatu\": items not in the lexicon are\n"
    "                         pronounced and syllabified by the spelling rules\n"
    "  --neighbours FILE      save the orthographic neighbour list to FILE\n"
    "  --phon-neighbours FILE save the phonological neighbour list to FILE\n"
    "  --data-dir DIR         folder of the lexicon and table files (default: the program's\n"
    "                         own folder, else ../share/zirtel beside it, else $ZIRTEL_DATA_DIR)\n"
    "  --missing TEXT         write TEXT (e.g. NA) instead of the marks \"-1\", \"   -  \",\n"
    "                         \"    -\" and \"-\" of values that cannot be measured\n"
    "  --plain                a clean TSV: no padding blanks, no trailing tab, LF line ends,\n"
    "                         no final empty row\n"
    "  --settings FILE        write the version, data files (SHA-256), lexicon, decimals,\n"
    "                         fields and options of the run to FILE as JSON\n"
    "  --neighbours-tidy FILE save both neighbour lists to FILE as one table: item, neighbour,\n"
    "                         list, kind, position, frequency\n"
    "  --jobs N               analyse with N workers at the same time (default: one per core);\n"
    "                         the output is the same for every N\n"
    "\n"
    "--select chooses stimuli by a design file: one row per line, one item per cell of the\n"
    "design (wide; --long FILE adds one line per item with its values). --match lists for each\n"
    "item of ITEMS the K closest items of the design's pool (default 10). Both also take\n"
    "--user1/2/3 FILE; --settings FILE writes the design with its seed. See the help file.\n"
    "\n"
    "Messages go to standard error as \"CAPTION: TEXT\" lines. Exit status: 0 done; 1 an input\n"
    "or output file could not be opened or written, or the lexicon cannot be used; 2 bad\n"
    "arguments (one file named twice among the items, user field, results and list files\n"
    "included).\n";

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
    bool RulePronunciations = false;
    bool NeighbourList = true;
    std::optional<std::string> OrthoNeighbourFile;
    std::optional<std::string> PhonNeighbourFile;
    std::optional<std::string> Missing;
    bool Plain = false;
    std::optional<std::string> SettingsFile;
    std::optional<std::string> TidyNeighbourFile;
    int Jobs = 0; // 0: one per core
};

// How the batch mode was started: "zirtel --batch", or "zirtel-batch" (the batch word implied).
struct BatchStart {
    std::string_view Program = "zirtel";
    bool BatchImplied = false;
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

// The value of a whole-number option that takes `least` to `most`.
int WholeNumber(const std::string& option, const std::string& value, int least, int most) {
    const auto n = ParseInt(value);
    if (!n || *n < least || *n > most)
        throw UsageError{option + " must be a whole number from " + std::to_string(least) + " to " +
                         std::to_string(most) + ", not '" + value + "'"};
    return *n;
}

// Parses the command line; throws UsageError for anything it cannot accept.
BatchRequest ParseArguments(int argc, const char* const* argv, const BatchStart& start) {
    BatchRequest req;
    for (OptionScanner scan(argc, argv); scan.Next();) {
        const std::string& arg = scan.Name();
        const auto value = [&] { return scan.Value(); };
        const auto flag = [&] { scan.Flag(); };
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
            req.Decimals = WholeNumber(arg, value(), 0, 4);
        } else if (arg == "--include-deletions") {
            flag();
            req.IncludeDeletions = true;
        } else if (arg == "--include-additions") {
            flag();
            req.IncludeAdditions = true;
        } else if (arg == "--rule-pronunciations") {
            flag();
            req.RulePronunciations = true;
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
        } else if (arg == "--missing") {
            req.Missing = value();
        } else if (arg == "--plain") {
            flag();
            req.Plain = true;
        } else if (arg == "--settings") {
            req.SettingsFile = value();
        } else if (arg == "--neighbours-tidy") {
            req.TidyNeighbourFile = value();
        } else if (arg == "--jobs") {
            req.Jobs = WholeNumber(arg, value(), 1, 256);
        } else if (scan.IsOption()) {
            throw scan.Unknown();
        } else if (req.Items) {
            throw UsageError{"only one items file can be given ('" + *req.Items + "', '" + arg +
                             "')"};
        } else {
            req.Items = arg;
        }
    }
    if (req.Help || req.Version) return req;
    if (!req.Batch && !start.BatchImplied) throw UsageError{"--batch is missing"};
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

// One worker per core.
int DefaultJobs() {
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

// Writes one of the run's extra files; says so on `err` when it cannot.
bool SaveRunFile(const std::string& path, const std::string& text, std::string_view what,
                 std::ostream& err) {
    if (WriteFileAtomically(path, text)) return true;
    err << "zirtel: the " << what << " file '" << path << "' could not be written\n";
    return false;
}

bool ListsAll(const std::optional<std::vector<std::string>>& fields) {
    if (!fields) return false;
    for (const std::string& name : *fields)
        if (LowerAscii(name) == "all") return true;
    return false;
}

// Why a lexicon file gave no lexicon.
std::string LexiconProblem(const fs::path& path) {
    ReadProblem problem = ReadProblem::None;
    const bool read = ReadTextFile(path, '?', kMaxTextFileBytes, &problem).has_value();
    std::string why = "holds no readable entry";
    if (!read) switch (problem) {
        case ReadProblem::Missing:
            why = "does not exist";
            break;
        case ReadProblem::Folder:
            why = "is a folder";
            break;
        case ReadProblem::TooLarge:
            why = "is too large";
            break;
        default:
            why = "cannot be read";
            break;
        }
    return "the lexicon file '" + path.string() + "' cannot be used: it " + why;
}

// Two of the files named on the command line that are one file, when one of them is written:
// a message naming both options, or nothing. Devices and pipes (/dev/null, /dev/stdout) may be
// named more than once.
std::optional<std::string> SameFileTwice(const BatchRequest& req, const fs::path& dataDir) {
    struct Named {
        std::string Option;
        fs::path Path;
        bool Written;
    };
    std::vector<Named> files;
    if (req.Items) files.push_back({"the items file", *req.Items, false});
    for (std::size_t n = 0; n < req.UserFiles.size(); ++n)
        if (req.UserFiles[n])
            files.push_back({"--user" + std::to_string(n + 1), *req.UserFiles[n], false});
    files.push_back({"the lexicon", dataDir / kWholeWordFile, false});
    if (req.Lemmas) files.push_back({"the lemma lexicon", dataDir / kLemmaFile, false});
    if (req.Output && *req.Output != "-") files.push_back({"-o", *req.Output, true});
    if (req.OrthoNeighbourFile) files.push_back({"--neighbours", *req.OrthoNeighbourFile, true});
    if (req.PhonNeighbourFile) files.push_back({"--phon-neighbours", *req.PhonNeighbourFile, true});
    if (req.TidyNeighbourFile) files.push_back({"--neighbours-tidy", *req.TidyNeighbourFile, true});
    if (req.SettingsFile) files.push_back({"--settings", *req.SettingsFile, true});
    std::error_code ec;
    for (std::size_t i = 0; i < files.size(); ++i)
        for (std::size_t j = i + 1; j < files.size(); ++j) {
            if (!files[i].Written && !files[j].Written) continue;
            const fs::file_status status = fs::status(files[i].Path, ec);
            if (fs::exists(status) && !fs::is_regular_file(status)) continue;
            if (SameFile(files[i].Path, files[j].Path))
                return files[i].Option + " and " + files[j].Option + " name the same file '" +
                       files[j].Path.string() + "'";
        }
    return std::nullopt;
}

int Run(const BatchRequest& req, const RunSettings& run, const char* argv0, std::ostream& out,
        std::ostream& err, bool terminal, const std::atomic<bool>* interrupted) {
    StreamFeedback ui(err, terminal);
    ui.SetCancelFlag(interrupted);
    const fs::path dataDir =
        req.DataDir ? fs::path(*req.DataDir) : FindDataFolder(ProgramFolder(argv0));
    if (const auto twice = SameFileTwice(req, dataDir)) {
        err << "zirtel: " << *twice << '\n';
        return kBatchUsageError;
    }
    Workspace ws(ui, dataDir);
    if (req.Fields) TickFields(ws.Options, *req.Fields);
    ws.Options.SetTicked("IncludeDeletionNsBox", req.IncludeDeletions);
    ws.Options.SetTicked("IncludeAdditionNsBox", req.IncludeAdditions);
    ws.Options.SetTicked("NListBox", req.NeighbourList);
    ws.Options.SetTicked("RulePronBox", req.RulePronunciations);
    ws.PrepareGrids();
    ws.AssignColumns();
    // A list that no chosen field fills would be saved empty.
    if (req.OrthoNeighbourFile && !req.NeighbourList) {
        err << "zirtel: --neighbours: no orthographic neighbour list is kept with "
               "--no-neighbour-list\n";
        return kBatchUsageError;
    }
    if (req.OrthoNeighbourFile && !OrthoNeighbourSearchWanted(ws)) {
        err << "zirtel: --neighbours: the orthographic neighbour list is filled only while one "
               "of "
            << FamilyNames(&FindOrthoNeighbours, false)
            << " is in --fields (or with --include-deletions or --include-additions)\n";
        return kBatchUsageError;
    }
    if (req.PhonNeighbourFile && !PhonNeighbourFieldsShown(ws)) {
        err << "zirtel: --phon-neighbours: the phonological neighbour list is filled only while "
               "one of "
            << FamilyNames(&AnalysePhonNeighbours, false) << " is in --fields\n";
        return kBatchUsageError;
    }
    ws.LoadStartupData(std::nullopt);
    // No results from an empty lexicon: every measure would be 0.
    if (!ws.WholeWords.HasReadableEntry()) {
        err << "zirtel: " << LexiconProblem(dataDir / kWholeWordFile) << '\n';
        return kBatchFileError;
    }
    if (req.Lemmas) {
        ws.UseLemmaLexicon();
        if (!ws.Lemmas.HasReadableEntry()) {
            err << "zirtel: " << LexiconProblem(dataDir / kLemmaFile) << '\n';
            return kBatchFileError;
        }
    }
    ws.Decimals = req.Decimals;
    ws.MissingText = req.Missing;
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
    ws.AssignColumns();
    // The items are only listed: each result goes out as soon as it is complete (no grid).
    if (!ws.ReadInputFile(*req.Items, false)) return kBatchFileError;

    int status = kBatchOk;
    const ResultsStyle style{req.Missing, req.Plain};
    StreamedOutputs outputs;
    AtomicFileWriter results, orthoList, phonList, tidy;
    // The tidy table's phonological lines come after all the orthographic ones: they wait in
    // an unnamed temporary file.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> tidyPhon(nullptr, &std::fclose);
    bool resultsOpen = false, resultsRefused = false;
    const bool toFile = req.Output && *req.Output != "-";
    if (toFile) {
        resultsRefused = SameFile(*req.Output, ws.InputFile);
        resultsOpen = !resultsRefused && results.Open(*req.Output);
        if (resultsOpen) outputs.Results = [&results](std::string_view b) { results.Write(b); };
    } else {
        outputs.Results = [&out](std::string_view b) {
            out.write(b.data(), static_cast<std::streamsize>(b.size()));
        };
    }
    if (req.OrthoNeighbourFile && orthoList.Open(*req.OrthoNeighbourFile))
        outputs.OrthoList = [&orthoList](std::string_view b) { orthoList.Write(b); };
    if (req.PhonNeighbourFile && phonList.Open(*req.PhonNeighbourFile))
        outputs.PhonList = [&phonList](std::string_view b) { phonList.Write(b); };
    if (req.TidyNeighbourFile && tidy.Open(*req.TidyNeighbourFile)) {
        tidyPhon.reset(std::tmpfile());
        if (tidyPhon && tidy.Write(kTidyNeighbourHeader)) {
            outputs.TidyOrtho = [&tidy](std::string_view b) { tidy.Write(b); };
            outputs.TidyPhon = [&tidyPhon](std::string_view b) {
                std::fwrite(b.data(), 1, b.size(), tidyPhon.get());
            };
        } else {
            tidy.Abandon();
        }
    }
    // Interrupted, the run stops between items and writes nothing: the files being written are
    // abandoned.
    if (!AnalyseStreamed(ws, style, req.Jobs > 0 ? req.Jobs : DefaultJobs(), outputs) ||
        ui.Cancelled()) {
        // Rows on standard output went out as they were done and cannot be taken back.
        if (toFile)
            err << "zirtel: interrupted; nothing written\n";
        else
            err << "zirtel: interrupted; standard output holds only the rows done so far; no file "
                   "written\n";
        return kBatchInterrupted;
    }

    if (toFile) {
        if (!resultsOpen || !results.Commit()) {
            ui.ShowMessage("Fitxategi-errorea",
                           resultsRefused ? kOverInputText : kOutputSaveErrorText,
                           MessageButtons::OkCancel);
            status = kBatchFileError;
        } else {
            ui.ShowMessage("", kOutputSavedText, MessageButtons::OkCancel);
        }
    } else {
        out.flush();
        if (!out) {
            err << "zirtel: the results could not be written to standard output\n";
            status = kBatchFileError;
        }
    }
    if (req.OrthoNeighbourFile) {
        if (orthoList.Commit()) {
            ui.ShowMessage("", "Auzokide-zerrenda gorde egin da", MessageButtons::OkCancel);
        } else {
            ui.ShowMessage("Fitxategi-errorea", "Ezin da gorde auzokide-zerrenda",
                           MessageButtons::OkCancel);
            status = kBatchFileError;
        }
    }
    if (req.PhonNeighbourFile) {
        if (phonList.Commit()) {
            ui.ShowMessage("", "Auzokide-zerrenda gorde egin da", MessageButtons::OkCancel);
        } else {
            ui.ShowMessage("File Error", "Can't save neighbour list", MessageButtons::OkCancel);
            status = kBatchFileError;
        }
    }
    if (req.TidyNeighbourFile) {
        bool saved = tidy.IsOpen() && tidyPhon && std::fflush(tidyPhon.get()) == 0 &&
                     !std::ferror(tidyPhon.get());
        if (saved) {
            std::rewind(tidyPhon.get());
            char buf[1 << 16];
            std::size_t n = 0;
            while ((n = std::fread(buf, 1, sizeof buf, tidyPhon.get())) > 0)
                tidy.Write(std::string_view(buf, n));
            saved = !std::ferror(tidyPhon.get()) && tidy.Commit();
        }
        if (!saved) {
            err << "zirtel: the neighbour table file '" << *req.TidyNeighbourFile
                << "' could not be written\n";
            status = kBatchFileError;
        }
    }
    if (req.SettingsFile) {
        std::vector<std::optional<fs::path>> userFiles;
        for (const auto& f : req.UserFiles)
            userFiles.push_back(f ? std::optional<fs::path>(*f) : std::nullopt);
        if (!SaveRunFile(*req.SettingsFile, RunSettingsJson(ws, run, userFiles), "settings", err))
            status = kBatchFileError;
    }
    return status;
}

// The usage text as the program was started: "zirtel-batch" names itself without "--batch"
// and opens no window.
std::string Usage(const BatchStart& start) {
    std::string usage(kUsage);
    if (!start.BatchImplied) return usage;
    const std::string zirtelBatch = "zirtel --batch ", program = std::string(start.Program) + ' ';
    usage.replace(usage.find(zirtelBatch), zirtelBatch.size(), program);
    // The continuation lines stay under the first option.
    const std::string indent(7 + zirtelBatch.size() - 1, ' ');
    const std::string newIndent(7 + program.size() - 1, ' ');
    for (std::size_t at = usage.find("\n" + indent + "["); at != std::string::npos;
         at = usage.find("\n" + indent + "[", at + 1))
        usage.replace(at + 1, indent.size(), newIndent);
    usage.replace(usage.find("       zirtel --help"), std::string::npos,
                  "       " + std::string(start.Program) + " --help | --version\n");
    return usage;
}

int RunBatchOn(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
               bool terminal, const BatchStart& start, const std::atomic<bool>* interrupted) {
    if (IsGenerateInvocation(argc, argv)) return RunGenerate(argc, argv, out, err, terminal);
    if (IsSelectionInvocation(argc, argv)) return RunSelection(argc, argv, out, err);
    BatchRequest req;
    try {
        req = ParseArguments(argc, argv, start);
    } catch (const UsageError& e) {
        err << "zirtel: " << e.Message << '\n'
            << Usage(start) << "Try '" << start.Program << " --help' for more.\n";
        return kBatchUsageError;
    }
    if (req.Help) {
        out << Usage(start) << kHelp;
        return out.flush() ? kBatchOk : kBatchFileError;
    }
    if (req.Version) {
        out << start.Program << ' ' << ZIRTEL_VERSION << '\n';
        return out.flush() ? kBatchOk : kBatchFileError;
    }
    RunSettings run;
    run.Program = std::string(start.Program);
    run.Version = ZIRTEL_VERSION;
    for (int i = 1; i < argc; ++i) run.Arguments.emplace_back(argv[i]);
    run.Items = *req.Items;
    run.Missing = req.Missing;
    run.Plain = req.Plain;
    return Run(req, run, argc > 0 ? argv[0] : nullptr, out, err, terminal, interrupted);
}

// Runs on the standard streams with SIGINT caught: an interrupted analysis writes nothing and
// ends with kBatchInterrupted.
int RunInterruptible(int argc, const char* const* argv, const BatchStart& start) {
    struct sigaction action {};
    action.sa_handler = &OnInterrupt;
    sigemptyset(&action.sa_mask);
    struct sigaction previous {};
    ::sigaction(SIGINT, &action, &previous);
    const int status = RunBatchOn(argc, argv, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1,
                                  start, &gInterrupted);
    ::sigaction(SIGINT, &previous, nullptr);
    return status;
}

} // namespace

int RunBatch(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    return RunBatchOn(argc, argv, out, err, false, BatchStart{}, nullptr);
}

int RunBatch(int argc, const char* const* argv) {
    std::ios::sync_with_stdio(false);
    return RunInterruptible(argc, argv, BatchStart{});
}

int RunBatchProgram(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    return RunBatchOn(argc, argv, out, err, false, BatchStart{"zirtel-batch", true}, nullptr);
}

int RunBatchProgram(int argc, const char* const* argv) {
    std::ios::sync_with_stdio(false);
    return RunInterruptible(argc, argv, BatchStart{"zirtel-batch", true});
}

} // namespace zirtel

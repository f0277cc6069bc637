#include "cli/batch.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/generate.h"
#include "cli/mode_support.h"
#include "cli/run_files.h"
#include "cli/run_settings.h"
#include "cli/selection_batch.h"
#include "cli/stop_signals.h"
#include "cli/stream_feedback.h"
#include "core/analysis/field_catalogue.h"
#include "core/analysis/results_style.h"
#include "core/analysis/streamed_analysis.h"
#include "core/analysis/tidy_neighbours.h"
#include "core/analysis/workspace.h"
#include "core/lexicon/user_fields.h"
#include "core/neighbours/neighbour_search.h"
#include "core/phonology/phon_neighbour_search.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

namespace fs = std::filesystem;

int RunBatchMode(Command& command);

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

bool IsAll(const std::string& name) {
    return LowerAscii(name) == "all";
}

// One batch run, in its steps: Validate (the arguments the field table decides, the files),
// Load (the lexicons, the user fields, the items), Open (the outputs), Stream (the analysis) and
// Commit (the outputs put in place). Each step gives kGoOn or the run's exit status.
class BatchRun {
  public:
    explicit BatchRun(Command& command)
        : Cmd_(command), Args_(command.Args), UI_(command.Err(), command.Start.Terminal),
          DataDir_(command.DataFolder()), Ws_(UI_, DataDir_) {
        UI_.SetCancelFlag(command.Start.Signal);
    }

    int Run() {
        for (int (BatchRun::*step)() :
             {&BatchRun::Validate, &BatchRun::Load, &BatchRun::Open, &BatchRun::Stream})
            if (const int status = (this->*step)(); status != kGoOn) {
                Files_.Abandon();
                return status;
            }
        return Commit();
    }

  private:
    int Say(const Message& message, int status) const { return Fail(Cmd_, message, status); }
    bool ToFile() const { return Results_.has_value(); }

    int Validate() {
        if (const auto list = Args_.Get("--fields")) {
            Fields_ = SplitFieldList(*list);
            for (const std::string& name : *Fields_)
                if (!IsAll(name) && FindField(name) < 0)
                    return Say(msg::UnknownField(name, ValidFieldNames()), kBatchUsageError);
        }
        if (const auto missing = Args_.Get("--missing");
            missing && missing->find_first_of("\t\r\n") != std::string::npos)
            return Say(msg::MissingTextUnusable(), kBatchUsageError);

        // The files: the inputs, then the outputs in the order they are committed.
        Files_.Input("the items file", *Args_.Operand);
        AddUserFileInputs(Cmd_, Files_);
        Files_.Input("the lexicon", DataDir_ / kWholeWordFile);
        if (Args_.Has("--lemmas")) Files_.Input("the lemma lexicon", DataDir_ / kLemmaFile);
        if (const auto out = Args_.Get("-o"); out && *out != "-")
            Results_ = Files_.Output("-o", *out, &msg::ResultsNotSaved);
        if (const auto f = Args_.Get("--neighbours"))
            Ortho_ = Files_.Output("--neighbours", *f, &msg::OrthoListNotSaved);
        if (const auto f = Args_.Get("--phon-neighbours"))
            Phon_ = Files_.Output("--phon-neighbours", *f, &msg::PhonListNotSaved);
        if (const auto f = Args_.Get("--neighbours-tidy"))
            Tidy_ = Files_.Output("--neighbours-tidy", *f, [](auto path, auto reason) {
                return msg::FileNotWritten("neighbour table", path, reason);
            });
        if (const auto f = Args_.Get("--settings"))
            Settings_ = Files_.Output("--settings", *f, [](auto path, auto reason) {
                return msg::FileNotWritten("settings", path, reason);
            });
        if (const auto twice = Files_.SameFileTwice()) return Say(*twice, kBatchUsageError);

        // The options as the options dialog would hold them.
        if (Fields_) TickFields();
        Ws_.Setup.Options.SetTicked("IncludeDeletionNsBox", Args_.Has("--include-deletions"));
        Ws_.Setup.Options.SetTicked("IncludeAdditionNsBox", Args_.Has("--include-additions"));
        Ws_.Setup.Options.SetTicked("IncludeSpanishNsBox", Args_.Has("--include-spanish"));
        Ws_.Setup.Options.SetTicked("NListBox", !Args_.Has("--no-neighbour-list"));
        Ws_.Setup.Options.SetTicked("RulePronBox", Args_.Has("--rule-pronunciations"));
        Ws_.PrepareGrids();
        Ws_.AssignColumns();
        // A list that no chosen field fills would be saved empty.
        const bool ortho = OrthoNeighbourSearchWanted(Ws_), phon = PhonNeighbourFieldsShown(Ws_);
        if (Ortho_ && Args_.Has("--no-neighbour-list"))
            return Say(msg::OrthoListWithoutList(), kBatchUsageError);
        if (Ortho_ && !ortho)
            return Say(msg::OrthoListNotFilled(FamilyNames(&FindOrthoNeighbours, false)),
                       kBatchUsageError);
        if (Phon_ && !phon)
            return Say(msg::PhonListNotFilled(FamilyNames(&AnalysePhonNeighbours, false)),
                       kBatchUsageError);
        if (Tidy_ && !ortho && !phon)
            return Say(msg::TidyTableNotFilled(FamilyNames(&FindOrthoNeighbours, false),
                                               FamilyNames(&AnalysePhonNeighbours, false)),
                       kBatchUsageError);
        if (const auto unwritable = Files_.UnwritableOutput())
            return Say(*unwritable, kBatchFileError);
        return kGoOn;
    }

    void TickFields() {
        Ws_.Setup.Options.UntickAllFields();
        for (const std::string& name : *Fields_) {
            if (IsAll(name)) {
                for (int f = 0; f < kFieldCount; ++f) Ws_.Setup.Options.SetFieldTicked(f, true);
            } else {
                Ws_.Setup.Options.SetFieldTicked(FindField(name), true);
            }
        }
    }

    int Load() {
        Ws_.LoadStartupData(std::nullopt);
        // No results from an unusable lexicon: every measure would be 0.
        if (const auto bad = UnusableLexicon(Ws_.Setup.WholeWords, DataDir_ / kWholeWordFile))
            return Say(*bad, kBatchFileError);
        if (Args_.Has("--lemmas")) {
            Ws_.UseLemmaLexicon();
            if (const auto bad = UnusableLexicon(Ws_.Setup.Lemmas, DataDir_ / kLemmaFile))
                return Say(*bad, kBatchFileError);
        }
        Ws_.Decimals = static_cast<int>(Args_.Number("--decimals", 2));
        Ws_.MissingText = Args_.Get("--missing");
        if (const int status = LoadUserFiles(Cmd_, Ws_.Setup); status != kGoOn) return status;
        // A user field named in the list needs a file; "all" shows one only when a file gave it
        // a name.
        const auto undefined = [this](int user) {
            return Ws_.Setup.UserFields[static_cast<std::size_t>(user - 1)].Name ==
                   kUndefinedUserField;
        };
        if (Fields_)
            for (const std::string& name : *Fields_) {
                const int field = IsAll(name) ? -1 : FindField(name);
                const int user =
                    field < 0 ? 0 : FieldCatalogue()[static_cast<std::size_t>(field)].UserField;
                if (user > 0 && undefined(user))
                    return Say(msg::UserFieldWithoutFile(user, "--fields"), kBatchUsageError);
            }
        if (Fields_ && std::any_of(Fields_->begin(), Fields_->end(), IsAll))
            for (const FieldInfo& f : FieldCatalogue())
                if (f.UserField > 0 && undefined(f.UserField))
                    Ws_.Setup.Options.SetFieldTicked(FindField(f.Mnemonic), false);
        Ws_.AssignColumns();
        // The items are only listed: each result goes out as soon as it is complete (no grid).
        if (!Ws_.ReadInputFile(*Args_.Operand, false)) return kBatchFileError;
        if (Args_.Has("--no-item-columns")) {
            Ws_.SetItemColumns({});
            Ws_.Stimuli.OwnCells.clear();
        }
        if (Ws_.Stimuli.Items.empty())
            return Say(msg::NothingProduced("the items file holds no item"), kBatchNothingProduced);
        ReportLongItems();
        return Cmd_.Stopped() ? Interrupted() : kGoOn;
    }

    // The items too long to measure, once for the run (the window tells each).
    void ReportLongItems() {
        const std::vector<std::string>& items = Ws_.Stimuli.Items;
        std::size_t count = 0, first = 0;
        for (std::size_t i = items.size(); i-- > 0;)
            if (items[i].size() > static_cast<std::size_t>(kMaxItemLength)) {
                ++count;
                first = i;
            }
        if (count == 0) return;
        const std::vector<std::size_t>& lines = Ws_.Stimuli.Lines;
        Cmd_.Say(msg::LongItems(kMaxItemLength, count, Latin1ToUtf8(items[first]),
                                first < lines.size() ? lines[first] : 0));
        Streamed_.LongItemsReported = true;
    }

    int Open() {
        if (const auto failed = Files_.Open()) return Say(*failed, kBatchFileError);
        if (Results_) {
            Streamed_.Results = [this](std::string_view b) { Files_.Write(*Results_, b); };
        } else {
            Streamed_.Results = [this](std::string_view b) {
                Cmd_.Out().write(b.data(), static_cast<std::streamsize>(b.size()));
            };
        }
        if (Ortho_) Streamed_.OrthoList = [this](std::string_view b) { Files_.Write(*Ortho_, b); };
        if (Phon_) Streamed_.PhonList = [this](std::string_view b) { Files_.Write(*Phon_, b); };
        if (Tidy_) {
            // The tidy table's phonological lines come after all the orthographic ones: they
            // wait in an unnamed temporary file.
            TidyPhon_.reset(std::tmpfile());
            if (!TidyPhon_)
                return Say(msg::FileNotWritten("neighbour table", Files_.Path(*Tidy_).string(),
                                               SystemReason(errno)),
                           kBatchFileError);
            Files_.Write(*Tidy_, kTidyNeighbourHeader);
            Streamed_.TidyOrtho = [this](std::string_view b) { Files_.Write(*Tidy_, b); };
            Streamed_.TidyPhon = [this](std::string_view b) {
                std::fwrite(b.data(), 1, b.size(), TidyPhon_.get());
            };
        }
        return kGoOn;
    }

    int Interrupted() const {
        // Rows on standard output went out as they were done and cannot be taken back.
        Cmd_.Say(!ToFile() && Streamed_.Results ? msg::InterruptedAfterRows() : msg::Interrupted());
        return Cmd_.StoppedStatus();
    }

    int Stream() {
        const ResultsStyle style{Args_.Get("--missing"), Args_.Has("--plain")};
        const int jobs = static_cast<int>(Args_.Number("--jobs", 0));
        // Interrupted, the run stops between items and writes nothing: the files being written
        // are abandoned.
        if (!AnalyseStreamed(Ws_, style, jobs > 0 ? jobs : DefaultJobs(), Streamed_) ||
            Cmd_.Stopped())
            return Interrupted();
        return kGoOn;
    }

    // Appends the waiting phonological lines to the tidy table.
    bool FinishTidy() {
        if (std::fflush(TidyPhon_.get()) != 0 || std::ferror(TidyPhon_.get())) return false;
        std::rewind(TidyPhon_.get());
        char buf[1 << 16];
        std::size_t n = 0;
        while ((n = std::fread(buf, 1, sizeof buf, TidyPhon_.get())) > 0)
            Files_.Write(*Tidy_, std::string_view(buf, n));
        return !std::ferror(TidyPhon_.get());
    }

    int Commit() {
        if (Cmd_.Stopped()) {
            Files_.Abandon();
            return Interrupted();
        }
        int status = kBatchOk;
        const auto commit = [&](const std::optional<std::size_t>& output,
                                const std::optional<Message>& saved) {
            if (!output) return;
            if (const auto failed = Files_.Commit(*output)) {
                Cmd_.Say(*failed);
                status = kBatchFileError;
            } else if (saved) {
                Cmd_.Say(*saved);
            }
        };
        if (ToFile()) {
            commit(Results_, msg::OutputSaved());
        } else {
            Cmd_.Out().flush();
            if (!Cmd_.Out()) {
                Cmd_.Say(msg::StandardOutputFailed("results"));
                status = kBatchFileError;
            }
        }
        commit(Ortho_, msg::NeighbourListSaved());
        commit(Phon_, msg::NeighbourListSaved());
        if (Tidy_) {
            if (FinishTidy()) {
                commit(Tidy_, std::nullopt);
            } else {
                Cmd_.Say(msg::FileNotWritten("neighbour table", Files_.Path(*Tidy_).string(),
                                             SystemReason(EIO)));
                status = kBatchFileError;
            }
        }
        if (Settings_) {
            RunSettings run = SettingsOf(Cmd_);
            run.Items = *Args_.Operand;
            run.Missing = Args_.Get("--missing");
            run.Plain = Args_.Has("--plain");
            Files_.Write(*Settings_,
                         RunSettingsJson(Ws_.Setup, Ws_.Decimals, run, UserFiles(Cmd_)));
            commit(Settings_, std::nullopt);
        }
        return status;
    }

    Command& Cmd_;
    const Arguments& Args_;
    StreamFeedback UI_;
    fs::path DataDir_;
    Workspace Ws_;
    std::optional<std::vector<std::string>> Fields_; // as given; nothing: the defaults
    RunFiles Files_;
    std::optional<std::size_t> Results_, Ortho_, Phon_, Tidy_, Settings_;
    StreamedOutputs Streamed_;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> TidyPhon_{nullptr, &std::fclose};
};

int RunBatchMode(Command& command) {
    return BatchRun(command).Run();
}

const std::vector<const ModeSpec*>& AllModes() {
    static const std::vector<const ModeSpec*> modes{&BatchMode(), &SelectMode(), &MatchMode(),
                                                    &GenerateMode()};
    return modes;
}

int RunOn(int argc, const char* const* argv, std::ostream& out, std::ostream& err, bool terminal,
          bool batchProgram, const std::atomic<int>* signal) {
    Invocation start;
    start.Program = batchProgram ? "zirtel-batch" : "zirtel";
    start.BatchImplied = batchProgram;
    start.Argc = argc;
    start.Argv = argv;
    start.Out = &out;
    start.Err = &err;
    start.Terminal = terminal;
    start.Signal = signal;
    start.Modes = AllModes();
    return RunCommandLine(start);
}

// Runs on the standard streams with the stop signals caught.
int RunStopping(int argc, const char* const* argv, bool batchProgram) {
    std::ios::sync_with_stdio(false);
    const StopSignals signals;
    return RunOn(argc, argv, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1, batchProgram,
                 &StopSignals::Received());
}

} // namespace

const ModeSpec& BatchMode() {
    static const ModeSpec mode = [] {
        using K = OptionKind;
        ModeSpec m;
        m.Word = "--batch";
        m.Operand = "ITEMS";
        m.OperandWhat = "items file";
        m.OperandHelp = "input file: one item per line, \"<Cond ...>\" directives allowed";
        m.Options = {
            ValueOption(K::OutputFile, "-o", "OUT",
                        "write the results to OUT (default, or \"-\": standard output)")
                .WithAlias("--output"),
            ValueOption(K::Text, "--fields", "LIST",
                        "comma-separated field names, e.g. H_MAIZT,LOG10_MAIZT,N,N*\n"
                        "(letter case ignored; N_STAR for N*; \"all\" for every field, the\n"
                        "user fields only when loaded); default: the options dialog's\n"
                        "defaults. Columns come out in the catalogue's order."),
            FlagOption("--lemmas", "measure against the lemma lexicon"),
            NumberOption("--decimals", "N", 0, 4, "decimals of real values, 0 to 4 (default 2)"),
            ValueOption(K::InputFile, "--user1", "FILE",
                        "load a user-defined field (shown when USER1/2/3 is in the fields)")
                .ShownAs("--user1/2/3 FILE"),
            ValueOption(K::InputFile, "--user2", "FILE"),
            ValueOption(K::InputFile, "--user3", "FILE"),
            FlagOption("--include-deletions", "\"Gehitu ezabapen-auzokideak\""),
            FlagOption("--include-additions", "\"Gehitu auzokide erantsiak\""),
            FlagOption("--include-spanish", "\"Gehitu gaztelaniazko auzokideak\" (with a field of\n"
                                            "the group \"Gaztelania\")"),
            FlagOption("--no-neighbour-list", "untick \"Erakutsi auzokideen zerrenda\""),
            FlagOption("--rule-pronunciations",
                       "\"Sasihitzak arauz ahoskatu\": items not in the lexicon are\n"
                       "pronounced and syllabified by the spelling rules"),
            ValueOption(K::OutputFile, "--neighbours", "FILE",
                        "save the orthographic neighbour list to FILE"),
            ValueOption(K::OutputFile, "--phon-neighbours", "FILE",
                        "save the phonological neighbour list to FILE"),
            ValueOption(K::Folder, "--data-dir", "DIR",
                        "folder of the lexicon and table files (default: the program's\n"
                        "own folder, else ../share/zirtel beside it, else $ZIRTEL_DATA_DIR)"),
            ValueOption(K::Text, "--missing", "TEXT",
                        "write TEXT (e.g. NA) for every value that cannot be measured:\n"
                        "instead of its mark (\"-1\", \"   -  \", \"    -\"), in the cells\n"
                        "left empty where it does not exist, and for a word a user\n"
                        "field's file lacks (0 otherwise)"),
            FlagOption("--no-item-columns",
                       "leave out the items' own columns (the other cells of their lines)"),
            FlagOption("--plain", "a clean TSV: no padding blanks, no trailing tab, LF line ends,\n"
                                  "no final empty row"),
            ValueOption(K::OutputFile, "--settings", "FILE",
                        "write the version, data files (SHA-256), lexicon, decimals,\n"
                        "fields and options of the run to FILE as JSON"),
            ValueOption(K::OutputFile, "--neighbours-tidy", "FILE",
                        "save both neighbour lists to FILE as one table: item, neighbour,\n"
                        "list, kind, position, frequency"),
            NumberOption("--jobs", "N", 1, 256,
                         "analyse with N workers at the same time (default: one per core);\n"
                         "the output is the same for every N"),
            FlagOption("--help").WithAlias("-h").NotInUsage(),
            FlagOption("--version").NotInUsage(),
        };
        m.Description =
            "Analyses the items of an input file without opening a window and writes the results "
            "as\nthe main window saves them: a tab-separated table, UTF-8, CR LF line ends.\n";
        m.Closing =
            "--select chooses stimuli by a design file: one row per line, one item per cell of "
            "the\ndesign (wide; --long FILE adds one line per item with its values). --match "
            "lists for each\nitem of ITEMS the K closest items of the design's pool (default "
            "10). --generate makes\npseudowords like the templates. Each has its own --help.\n"
            "\n"
            "Messages go to standard error as \"CAPTION: TEXT\" lines. Every mode gives the "
            "same exit\nstatus: 0 done; 1 an input or output file could not be opened or "
            "written, or the lexicon\ncannot be used; 2 bad arguments (one file named twice "
            "among the inputs and outputs\nincluded); 3 nothing produced (no item, no row, no "
            "match, no pseudoword): no file is\nwritten; 128 + N stopped by signal N (130 for "
            "Ctrl-C, 143 for SIGTERM): nothing written.\nAn option may be given once.\n";
        m.Run = &RunBatchMode;
        return m;
    }();
    return mode;
}

int RunBatch(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    return RunOn(argc, argv, out, err, false, false, nullptr);
}

int RunBatch(int argc, const char* const* argv) {
    return RunStopping(argc, argv, false);
}

int RunBatchProgram(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    return RunOn(argc, argv, out, err, false, true, nullptr);
}

int RunBatchProgram(int argc, const char* const* argv) {
    return RunStopping(argc, argv, true);
}

} // namespace zirtel

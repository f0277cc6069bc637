#include "cli/selection_batch.h"

#include <cctype>
#include <climits>
#include <filesystem>
#include <future>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/mode_support.h"
#include "cli/option_scanner.h"
#include "cli/plot_png.h"
#include "cli/run_files.h"
#include "cli/run_settings.h"
#include "cli/stream_feedback.h"
#include "core/analysis/field_catalogue.h"
#include "core/analysis/measuring_setup.h"
#include "core/analysis/streamed_analysis.h"
#include "core/lexicon/user_fields.h"
#include "core/random/random_draw.h"
#include "core/selection/engine_statistics.h"
#include "core/selection/selection_plot.h"
#include "core/selection/selection_report.h"
#include "core/text/latin1.h"
#include "core/text/sha256.h"
#include "core/text/text_file.h"

namespace zirtel {

namespace {

namespace fs = std::filesystem;

struct PlotFormatChoice {
    bool Svg = true;
    bool Png = false;
};

// --plot-format: "svg" (the default), "png" or both, comma-separated.
PlotFormatChoice PlotFormats(const Arguments& args) {
    const std::optional<std::string> value = args.Get("--plot-format");
    if (!value) return {};
    PlotFormatChoice choice{false, false};
    std::string_view rest = *value;
    while (true) {
        const auto comma = rest.find(',');
        const std::string_view word = rest.substr(0, comma);
        if (word == "svg" && !choice.Svg)
            choice.Svg = true;
        else if (word == "png" && !choice.Png)
            choice.Png = true;
        else
            throw UsageError{msg::PlotFormat(*value)};
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return choice;
}

// The SHA-256 of files, worked out on another thread while the run measures its pool (the
// lexicon and the origin file are megabytes: hashing them would add a sixth to a selection's
// time); a file not started is hashed when asked for.
class FileDigests {
  public:
    void Start(const fs::path& path) {
        if (!Pending_.contains(path))
            Pending_.emplace(path, std::async(std::launch::async, Sha256FileHex, path).share());
    }
    std::optional<std::string> Get(const fs::path& path) const {
        const auto found = Pending_.find(path);
        return found != Pending_.end() ? found->second.get() : Sha256FileHex(path);
    }

  private:
    std::map<fs::path, std::shared_future<std::optional<std::string>>> Pending_;
};

// A --select or --match run, in its steps: Validate (the design, the files), Load (the lexicon,
// the user fields, the pool, the items to match), Open (the outputs), Measure and choose,
// Commit.
class SelectionRun {
  public:
    SelectionRun(Command& command, bool select)
        : Cmd_(command), Args_(command.Args), Select_(select),
          UI_(command.Err(), command.Start.Terminal), DataDir_(command.DataFolder()),
          Setup_(UI_, DataDir_) {
        UI_.SetCancelFlag(command.Start.Signal);
    }

    int Run() {
        for (int (SelectionRun::*step)() : {&SelectionRun::Validate, &SelectionRun::Load,
                                            &SelectionRun::Open, &SelectionRun::Choose})
            if (const int status = (this->*step)(); status != kGoOn) {
                Files_.Abandon();
                return status;
            }
        return Commit();
    }

  private:
    int Say(const Message& message, int status) const { return Fail(Cmd_, message, status); }

    // An output that may be standard output ("-" or none given).
    std::optional<std::size_t> AddOutput(std::string_view option, std::string_view what) {
        const auto file = Args_.Get(option);
        if (!file || *file == "-") return std::nullopt;
        return Files_.Output(std::string(option), *file, [what](auto path, auto reason) {
            return what.empty() ? msg::ResultsNotSaved(path, reason)
                                : msg::FileNotWritten(what, path, reason);
        });
    }

    int Validate() {
        DesignPath_ = Select_ ? *Args_.Operand : *Args_.Get("--design");
        const std::optional<TextFile> designFile = ReadTextFile(DesignPath_);
        if (!designFile)
            return Say(msg::CannotOpen("design file", DesignPath_.string()), kBatchFileError);
        DesignParse parsed = ParseDesign(designFile->Text, Select_);
        if (parsed.Error)
            return Say(msg::DesignProblem(DesignPath_.string(), Latin1ToUtf8(parsed.Error->Text())),
                       kBatchUsageError);
        Design_ = std::move(parsed.Value);
        DesignFolder_ = DesignPath_.parent_path();

        if (!Select_) Files_.Input("the items file", *Args_.Operand);
        Files_.Input("the design file", DesignPath_);
        if (const auto pool = PoolFile(Design_, DesignFolder_))
            Files_.Input("the design's pool file", *pool);
        AddUserFileInputs(Cmd_, Files_);
        Files_.Input("the lexicon", DataDir_ / kWholeWordFile);
        if (Design_.Lemmas) Files_.Input("the lemma lexicon", DataDir_ / kLemmaFile);
        Main_ = AddOutput("-o", "");
        if (Select_) Long_ = AddOutput("--long", "long table");
        if (Select_) Report_ = AddOutput("--report", "report");
        if (const auto plots = Args_.Get("--plots"); Select_ && plots) {
            const auto [svg, png] = PlotFormats(Args_);
            const auto plotFile = [&](int f, const std::string& name, bool asPng) {
                Plots_.push_back(
                    {f, asPng,
                     Files_.Output("--plots", fs::path(*plots) / name, [](auto path, auto reason) {
                         return msg::FileNotWritten("plot", path, reason);
                     })});
            };
            for (int f : PlotFields(Design_)) {
                if (svg) plotFile(f, PlotFileName(f), false);
                if (png) plotFile(f, PngFileName(PlotFileName(f)), true);
            }
        }
        Settings_ = AddOutput("--settings", "settings");
        if (const auto twice = Files_.SameFileTwice()) return Say(*twice, kBatchUsageError);
        if (const auto unwritable = Files_.UnwritableOutput())
            return Say(*unwritable, kBatchFileError);
        return kGoOn;
    }

    int Load() {
        Setup_.LoadStartupData();
        if (const auto bad = UnusableLexicon(Setup_.WholeWords, DataDir_ / kWholeWordFile))
            return Say(*bad, kBatchFileError);
        if (const int status = LoadUserFiles(Cmd_, Setup_); status != kGoOn) return status;
        // The decimals of the real values the outputs show (the choice works on unrounded ones).
        Decimals_ = static_cast<int>(Args_.Number("--decimals", 2));
        Fields_ = DesignFields(Design_);
        for (int f : Fields_) {
            const int user = FieldCatalogue()[static_cast<std::size_t>(f)].UserField;
            if (user > 0 &&
                Setup_.UserFields[static_cast<std::size_t>(user - 1)].Name == kUndefinedUserField)
                return Say(msg::UserFieldWithoutFile(user, "the design"), kBatchUsageError);
        }
        PrepareForDesign(Setup_, Design_);
        if (Design_.Lemmas)
            if (const auto bad = UnusableLexicon(Setup_.Lemmas, DataDir_ / kLemmaFile))
                return Say(*bad, kBatchFileError);
        if (Select_ && Args_.Has("--report")) {
            std::error_code ec;
            for (const fs::path& file : {DesignPath_, DataDir_ / kWholeWordFile,
                                         DataDir_ / kLemmaFile, DataDir_ / kOriginFile})
                if (fs::is_regular_file(file, ec) &&
                    (file.filename() != kLemmaFile || Design_.Lemmas))
                    Digests_.Start(file);
        }
        PoolItems_ = PoolItems(Setup_, Design_, DesignFolder_);
        if (!PoolItems_) return kBatchFileError;
        if (!Select_) {
            Targets_ = ReadItemsFile(Setup_, *Args_.Operand);
            if (!Targets_) return kBatchFileError;
        }
        return Cmd_.Stopped() ? Interrupted() : kGoOn;
    }

    int Open() {
        if (const auto failed = Files_.Open()) return Say(*failed, kBatchFileError);
        return kGoOn;
    }

    int Interrupted() const {
        Cmd_.Say(msg::Interrupted());
        return Cmd_.StoppedStatus();
    }

    // The progress of a measuring run on a bar; false once a signal asked the run to stop.
    SelectionProgress OnBar(ProgressWindow& bar) const {
        return [this, &bar](std::size_t done, std::size_t total) {
            bar.SetMax(static_cast<int>(total));
            bar.SetPosition(static_cast<int>(done));
            return !Cmd_.Stopped();
        };
    }

    int Choose() {
        const int jobs = static_cast<int>(Args_.Number("--jobs", 0));
        EngineStatistics stats(Setup_, Fields_, Decimals_, jobs > 0 ? jobs : DefaultJobs());
        Pool_ = [&] {
            const auto bar = Setup_.UI.OpenProgress("Measuring the pool ...", "",
                                                    static_cast<int>(PoolItems_->size()));
            return MeasurePool(Design_, *PoolItems_, stats, Select_, OnBar(*bar));
        }();
        if (!Pool_) return Interrupted();
        if (Select_) {
            if (!Design_.Seed) {
                Design_.Seed = DrawSeed();
                Cmd_.Say(msg::DrawnSeed(*Design_.Seed));
            }
            Selection_ = Generate(Design_, *Pool_, *Design_.Seed, Cmd_.KeepGoing());
            if (!Selection_) return Interrupted();
            const std::string shortfall = ShortfallWarning(*Selection_);
            if (!shortfall.empty()) Cmd_.Say(msg::Shortfall(shortfall));
            if (Selection_->Rows.empty())
                return Say(msg::NothingProduced("no row could be made"), kBatchNothingProduced);
            MainText_ = WideOutput(*Selection_, *Pool_);
            LongText_ = LongOutput(*Selection_, *Pool_);
            if (Args_.Has("--report")) ReportText_ = Report();
            for (const PlotOutput& plot : Plots_) {
                std::string svg = StripPlotSvg(*Selection_, *Pool_, plot.Field);
                if (plot.Png) {
                    std::optional<std::string> png = PngFromSvg(svg);
                    if (!png)
                        return Say(msg::FileNotWritten("plot", Files_.Path(plot.Output).string(),
                                                       "the image could not be drawn"),
                                   kBatchFileError);
                    svg = std::move(*png);
                }
                PlotTexts_.push_back(std::move(svg));
            }
        } else {
            const auto targets = [&] {
                const auto bar = Setup_.UI.OpenProgress("Measuring the items ...", "",
                                                        static_cast<int>(Targets_->size()));
                return MeasureItems(*Targets_, Fields_, stats, OnBar(*bar));
            }();
            if (!targets) return Interrupted();
            const int count = static_cast<int>(Args_.Number("-n", 10));
            const auto matches = MatchItems(Design_, *Pool_, *targets, count, Cmd_.KeepGoing());
            if (Cmd_.Stopped()) return Interrupted();
            if (matches.empty())
                return Say(msg::NothingProduced("no item has a match"), kBatchNothingProduced);
            MainText_ = MatchOutput(Design_, matches, *Pool_, *targets);
        }
        return kGoOn;
    }

    // The balance report of the rows: tab-separated, or text for a name ending in ".txt".
    std::string Report() const {
        ReportRun run;
        run.Program = Cmd_.Start.Program;
        run.Version = SettingsOf(Cmd_).Version;
        const auto entry = [this](const fs::path& path) {
            return ReportFile{PathText(path), Digests_.Get(path)};
        };
        run.Files.push_back(entry(DesignPath_));
        for (const fs::path& file : DataFilesRead(Setup_)) run.Files.push_back(entry(file));
        run.Lexicon = entry(DataDir_ / (Setup_.LemmasCurrent ? kLemmaFile : kWholeWordFile));
        if (const std::optional<TextFile> notice = ReadTextFile(DataDir_ / "NOTICE"))
            run.LexiconSources = LexiconSourcesOf(notice->Text);
        const SelectionReport report = MakeSelectionReport(Design_, *Selection_, *Pool_, run);
        std::string name = fs::path(*Args_.Get("--report")).filename().string();
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return name.ends_with(".txt") ? ReportText(report) : ReportTsv(report);
    }

    // Writes a result to its file, or to standard output when it has none.
    bool Emit(const std::optional<std::size_t>& output, const std::string& text) {
        if (output) {
            Files_.Write(*output, text);
            if (const auto failed = Files_.Commit(*output)) {
                Cmd_.Say(*failed);
                return false;
            }
            return true;
        }
        Cmd_.Out().write(text.data(), static_cast<std::streamsize>(text.size()));
        Cmd_.Out().flush();
        if (!Cmd_.Out()) Cmd_.Say(msg::StandardOutputFailed("results"));
        return static_cast<bool>(Cmd_.Out());
    }

    int Commit() {
        if (Cmd_.Stopped()) {
            Files_.Abandon();
            return Interrupted();
        }
        int status = kBatchOk;
        if (!Emit(Main_, MainText_)) status = kBatchFileError;
        if (Select_ && Args_.Has("--long") && !Emit(Long_, LongText_)) status = kBatchFileError;
        if (Select_ && Args_.Has("--report") && !Emit(Report_, ReportText_))
            status = kBatchFileError;
        for (std::size_t p = 0; p < Plots_.size(); ++p)
            if (!Emit(Plots_[p].Output, PlotTexts_[p])) status = kBatchFileError;
        if (Settings_) {
            RunSettings run = SettingsOf(Cmd_);
            if (Select_) {
                run.Items = PoolFile(Design_, DesignFolder_);
                run.Seed = Design_.Seed;
            } else {
                run.Items = *Args_.Operand;
            }
            run.DesignFile = DesignPath_;
            run.Design = Latin1ToUtf8(DesignText(Design_));
            if (!Emit(Settings_, RunSettingsJson(Setup_, Decimals_, run, UserFiles(Cmd_))))
                status = kBatchFileError;
        }
        return status;
    }

    Command& Cmd_;
    const Arguments& Args_;
    bool Select_;
    StreamFeedback UI_;
    fs::path DataDir_;
    MeasuringSetup Setup_;
    int Decimals_ = 2;
    fs::path DesignPath_, DesignFolder_;
    Design Design_;
    std::vector<int> Fields_;
    RunFiles Files_;
    std::optional<std::size_t> Main_, Long_, Report_, Settings_;
    std::optional<std::vector<std::string>> PoolItems_, Targets_;
    std::optional<MeasuredItems> Pool_;
    std::optional<Selection> Selection_;
    std::string MainText_, LongText_, ReportText_;
    struct PlotOutput {
        int Field;
        bool Png; // else SVG
        std::size_t Output;
    };
    std::vector<PlotOutput> Plots_;
    std::vector<std::string> PlotTexts_;
    FileDigests Digests_;
};

// Options of the other command, refused with a word on where they belong.
void CheckSelect(const Arguments& args) {
    if (args.Has("--design")) throw UsageError{msg::DesignBelongsToMatch()};
    if (args.Has("-n")) throw UsageError{msg::BelongsTo("-n", "--match")};
    if (args.Has("--plot-format") && !args.Has("--plots"))
        throw UsageError{msg::NeedsOption("--plot-format", "--plots")};
    PlotFormats(args);
}

void CheckMatch(const Arguments& args) {
    if (args.Has("--long")) throw UsageError{msg::BelongsTo("--long", "--select")};
    if (args.Has("--report")) throw UsageError{msg::BelongsTo("--report", "--select")};
    if (args.Has("--plots")) throw UsageError{msg::BelongsTo("--plots", "--select")};
    if (args.Has("--plot-format")) throw UsageError{msg::BelongsTo("--plot-format", "--select")};
}

int RunSelect(Command& command) {
    return SelectionRun(command, true).Run();
}

int RunMatch(Command& command) {
    return SelectionRun(command, false).Run();
}

std::vector<OptionSpec> SharedOptions() {
    using K = OptionKind;
    return {
        ValueOption(K::OutputFile, "--settings", "FILE",
                    "write the run's settings, the design and its seed to FILE as JSON"),
        NumberOption("--decimals", "N", 0, 4,
                     "decimals of the real values written, 0 to 4 (default 2)"),
        ValueOption(K::Folder, "--data-dir", "DIR",
                    "folder of the lexicon and table files (default as for --batch)"),
        ValueOption(K::InputFile, "--user1", "FILE",
                    "load a user-defined field, for designs that name USER1/2/3")
            .ShownAs("--user1/2/3 FILE"),
        ValueOption(K::InputFile, "--user2", "FILE"),
        ValueOption(K::InputFile, "--user3", "FILE"),
        NumberOption("--jobs", "N", 1, 256,
                     "measure with N workers at the same time (default: one per core);\n"
                     "the output is the same for every N"),
    };
}

constexpr std::string_view kDesignHelp =
    "A design file holds one statement a line (\"#\" starts a comment):\n"
    "  pool lexicon | pool items FILE        (a FILE in double quotes may hold blanks and \"#\")\n"
    "  lemmas\n"
    "  rule-pronunciations\n"
    "  filter FIELD LOW HIGH | filter JATORRIA ORIGIN ...\n"
    "                                        (ORIGIN: euskara, mailegua, atzerrikoa, izena,\n"
    "                                        kreditua)\n"
    "  split FIELD LOW-HIGH LOW-HIGH ...     (1 to 3 split lines: factors A, B, C)\n"
    "  control FIELD LOW HIGH | control FIELD\n"
    "  generate N [match balanced|first|random] [seed S]\n"
    "A design has at most 10000 cells (the product of its splits' levels) and asks for at most\n"
    "10000000 items (rows times cells).\n"
    "\n"
    "Messages go to standard error as \"CAPTION: TEXT\" lines. Exit status: 0 done; 1 an input\n"
    "or output file could not be opened or written, or the lexicon cannot be used; 2 bad\n"
    "arguments or a bad design; 3 nothing produced: no file written; 128 + N stopped by signal\n"
    "N (130 for Ctrl-C): nothing written.\n";

} // namespace

const ModeSpec& SelectMode() {
    static const ModeSpec mode = [] {
        using K = OptionKind;
        ModeSpec m;
        m.Word = "--select";
        m.WordTakesValue = true;
        m.Operand = "DESIGN";
        m.OperandWhat = "design file";
        m.OperandHelp = "the design file (see below)";
        m.Options = {
            ValueOption(K::OutputFile, "-o", "OUT",
                        "write the rows to OUT (default, or \"-\": standard output)")
                .WithAlias("--output"),
            ValueOption(K::OutputFile, "--long", "FILE",
                        "also write one line per item with its values to FILE"),
            ValueOption(K::Folder, "--plots", "DIR",
                        "also write a strip plot of each numeric split and control field,\n"
                        "one colour per cell, to DIR/FIELD.svg"),
            ValueOption(K::Text, "--plot-format", "LIST",
                        "the plots' formats: svg (default), png (twice the SVG's size),\n"
                        "or svg,png for both"),
            ValueOption(K::OutputFile, "--report", "FILE",
                        "also write the rows' balance report to FILE (tab-separated sections;\n"
                        "text when FILE ends in .txt)"),
        };
        for (const OptionSpec& o : SharedOptions()) m.Options.push_back(o);
        // The matcher's own options, refused with a word on where they belong.
        m.Options.push_back(ValueOption(K::InputFile, "--design", "DESIGN").NotInUsage());
        m.Options.push_back(ValueOption(K::Text, "-n", "K").NotInUsage());
        m.Options.push_back(FlagOption("--help").WithAlias("-h").NotInUsage());
        m.Description = "Chooses factorial stimulus sets from the design's pool: one row per "
                        "line, one item\nper cell of the design, matched on its controls. "
                        "Writes a tab-separated table, UTF-8.\n";
        m.Closing = kDesignHelp;
        m.Run = &RunSelect;
        m.Check = &CheckSelect;
        return m;
    }();
    return mode;
}

const ModeSpec& MatchMode() {
    static const ModeSpec mode = [] {
        using K = OptionKind;
        ModeSpec m;
        m.Word = "--match";
        m.WordTakesValue = true;
        m.Operand = "ITEMS";
        m.OperandWhat = "items file";
        m.OperandHelp = "the items to match: one item per line";
        m.Options = {
            ValueOption(K::InputFile, "--design", "DESIGN",
                        "the design: its pool, filters and controls")
                .Needed(),
            NumberOption("-n", "K", 1, INT_MAX, "matches per item (default 10)"),
            ValueOption(K::OutputFile, "-o", "OUT",
                        "write the matches to OUT (default, or \"-\": standard output)")
                .WithAlias("--output"),
        };
        for (const OptionSpec& o : SharedOptions()) m.Options.push_back(o);
        m.Options.push_back(ValueOption(K::OutputFile, "--long", "FILE").NotInUsage());
        m.Options.push_back(ValueOption(K::OutputFile, "--report", "FILE").NotInUsage());
        m.Options.push_back(ValueOption(K::Folder, "--plots", "DIR").NotInUsage());
        m.Options.push_back(ValueOption(K::Text, "--plot-format", "LIST").NotInUsage());
        m.Options.push_back(FlagOption("--help").WithAlias("-h").NotInUsage());
        m.Description = "Lists for each item of ITEMS the K pool items of the design closest "
                        "to it that pass\nits filters and satisfy its controls. Writes a "
                        "tab-separated table, UTF-8.\n";
        m.Closing = kDesignHelp;
        m.Run = &RunMatch;
        m.Check = &CheckMatch;
        return m;
    }();
    return mode;
}

} // namespace zirtel

#include "cli/generate.h"

#include <climits>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/mode_support.h"
#include "cli/option_scanner.h"
#include "cli/run_files.h"
#include "cli/run_settings.h"
#include "cli/stream_feedback.h"
#include "core/analysis/item_list.h"
#include "core/generator/old20_function.h"
#include "core/generator/pseudoword_generator.h"
#include "core/generator/pseudoword_table.h"
#include "core/generator/word_likeness.h"
#include "core/lexicon/lexicon.h"
#include "core/lexicon/spanish_words.h"
#include "core/lexicon/spelling_dictionary.h"
#include "core/text/latin1.h"
#include "core/text/whole_number.h"

namespace zirtel {

namespace {

namespace fs = std::filesystem;

// "P/Q" from 0/1 to 1/1; throws UsageError.
std::pair<int, int> Overlap(const std::string& value) {
    const auto slash = value.find('/');
    const auto part = [&](std::string_view text) -> std::optional<int> {
        const auto n = ParseWholeNumber(text);
        if (!n || *n > static_cast<std::uint64_t>(INT_MAX)) return std::nullopt;
        return static_cast<int>(*n);
    };
    const auto p =
        slash == std::string::npos ? std::nullopt : part(std::string_view(value).substr(0, slash));
    const auto q =
        slash == std::string::npos ? std::nullopt : part(std::string_view(value).substr(slash + 1));
    if (!p || !q || *q < 1 || *p > *q) throw UsageError{msg::OverlapFraction(value)};
    return {*p, *q};
}

void CheckGenerate(const Arguments& args) {
    if (const auto overlap = args.Get("--overlap")) Overlap(*overlap);
    if (args.Has("--max-es-n") && !args.Has("--not-spanish"))
        throw UsageError{msg::NeedsOption("--max-es-n", "--not-spanish")};
    if (args.Has("--dictionary") && args.Has("--allow-dictionary-words"))
        throw UsageError{msg::NotTogether("--dictionary", "--allow-dictionary-words")};
}

// A --generate run: Validate (the files), Load (the lexicon, the templates, the exclude list),
// Open (the outputs), the walks, Commit.
class GenerateRun {
  public:
    explicit GenerateRun(Command& command)
        : Cmd_(command), Args_(command.Args), UI_(command.Err(), command.Start.Terminal),
          DataDir_(command.DataFolder()) {
        UI_.SetCancelFlag(command.Start.Signal);
    }

    int Run() {
        for (int (GenerateRun::*step)() :
             {&GenerateRun::Validate, &GenerateRun::Load, &GenerateRun::Open, &GenerateRun::Walk})
            if (const int status = (this->*step)(); status != kGoOn) {
                Files_.Abandon();
                return status;
            }
        return Commit();
    }

  private:
    int Say(const Message& message, int status) const { return Fail(Cmd_, message, status); }

    int Validate() {
        Settings_.Count = static_cast<int>(Args_.Number("-n", 10));
        if (const auto overlap = Args_.Get("--overlap"))
            std::tie(Settings_.OverlapNumerator, Settings_.OverlapDenominator) = Overlap(*overlap);
        Settings_.MatchLengths = !Args_.Has("--no-length-match");
        Settings_.MaxCandidates = static_cast<long long>(
            Args_.Number("--max-candidates", static_cast<std::uint64_t>(Settings_.MaxCandidates)));
        Files_.Input("the templates file", *Args_.Operand);
        if (const auto exclude = Args_.Get("--exclude")) Files_.Input("--exclude", *exclude);
        if (const auto dictionary = Args_.Get("--dictionary"))
            Files_.Input("--dictionary", *dictionary);
        Files_.Input("the lexicon", DataDir_ / kWholeWordFile);
        Settings_.ForeignWords = Args_.Has("--foreign-words");
        if (!Settings_.ForeignWords) Files_.Input("the origin file", DataDir_ / kOriginFile);
        Settings_.NotSpanish = Args_.Has("--not-spanish");
        if (Args_.Get("--max-es-n"))
            Settings_.MaxSpanishNeighbours = static_cast<int>(Args_.Number("--max-es-n", 0));
        if (Settings_.NotSpanish) Files_.Input("the Spanish words", DataDir_ / kSpanishFormFile);
        if (const auto out = Args_.Get("-o"); out && *out != "-")
            Table_ = Files_.Output("-o", *out, &msg::ResultsNotSaved);
        if (const auto f = Args_.Get("--settings"))
            SettingsFile_ = Files_.Output("--settings", *f, [](auto path, auto reason) {
                return msg::FileNotWritten("settings", path, reason);
            });
        if (const auto twice = Files_.SameFileTwice()) return Say(*twice, kBatchUsageError);
        if (const auto unwritable = Files_.UnwritableOutput())
            return Say(*unwritable, kBatchFileError);
        return kGoOn;
    }

    int Load() {
        const fs::path lexiconPath = DataDir_ / kWholeWordFile;
        LoadWholeWordLexicon(lexiconPath, Lexicon_, UI_);
        if (const auto bad = UnusableLexicon(Lexicon_, lexiconPath))
            return Say(*bad, kBatchFileError);
        // The templates, by the rules of an items file.
        std::optional<ItemList> items = ReadItemList(UI_, *Args_.Operand);
        if (!items) return kBatchFileError;
        Templates_ = std::move(items->Stimuli.Items);
        if (const auto exclude = Args_.Get("--exclude")) {
            Excluded_ = ReadWordList(*exclude);
            if (!Excluded_) return Say(msg::CannotOpen("exclude file", *exclude), kBatchFileError);
        }
        if (!Settings_.ForeignWords) {
            const fs::path originPath = DataDir_ / kOriginFile;
            if (!LoadWordOrigins(originPath, Origins_, UI_))
                return Say(msg::OriginFileNeeded(originPath.string()), kBatchFileError);
        }
        if (const fs::path spanish = DataDir_ / kSpanishFormFile;
            Settings_.NotSpanish && !LoadSpanishWords(spanish, Spanish_, UI_))
            return Say(msg::SpanishFileNeeded(spanish.string()), kBatchFileError);
        // Last: the Basque dictionary takes seconds to read.
        if (!Args_.Has("--allow-dictionary-words")) {
            std::string places;
            if (const auto file = Args_.Get("--dictionary")) {
                Dictionary_ = SpellingDictionary::Open(fs::path(*file).replace_extension());
                places = *file;
            } else {
                Dictionary_ = OpenBasqueDictionary(DataDir_);
                for (const fs::path& f : BasqueDictionaryFolders(DataDir_))
                    places += (places.empty() ? "" : ", ") + f.string();
            }
            if (!Dictionary_) return Say(msg::DictionaryNeeded(places), kBatchFileError);
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

    int Walk() {
        PseudowordGenerator generator(Lexicon_, MakeOld20Function(Lexicon_),
                                      Settings_.ForeignWords ? nullptr : &Origins_);
        if (Excluded_) generator.SetExcludedWords(*Excluded_);
        if (Settings_.NotSpanish)
            generator.SetSpanishWords(&Spanish_, Settings_.MaxSpanishNeighbours);
        if (Dictionary_)
            generator.SetDictionary(
                [this](std::string_view word) { return Dictionary_->Accepts(word); });
        const auto seed = Args_.Get("--seed");
        Settings_.Seed = seed ? Args_.Number("--seed", 0) : DrawSeed();
        // Stopped between walks and between templates.
        Run_ = generator.Generate(Templates_, Settings_, [this](int) { return Cmd_.Stopped(); });
        if (Cmd_.Stopped()) return Interrupted();
        for (const TemplateOutcome& o : Run_.Outcomes)
            if (o.Found < Settings_.Count)
                Cmd_.Say(msg::TemplateShortfall(Latin1ToUtf8(OutcomeText(o, Settings_))));
        if (Run_.DictionaryWords > 0)
            Cmd_.Say(
                msg::DictionaryWordsLeftOut(Run_.DictionaryWords, Dictionary_->File().string()));
        Cmd_.Say(msg::GenerateSummary(Run_.Pseudowords.size(), Templates_.size(), Run_.Seed));
        if (Args_.Has("--word-likeness") && !Run_.Pseudowords.empty()) {
            std::vector<std::string> made;
            for (const GeneratedPseudoword& w : Run_.Pseudowords) made.push_back(w.Pseudoword);
            Likeness_ =
                ClassifyByNearest(made, LengthMatchedWords(Lexicon_.LexWords, made, Run_.Seed));
            Cmd_.Say(msg::WordLikenessReport(Latin1ToUtf8(WordLikenessText(*Likeness_))));
        }
        if (Run_.Pseudowords.empty())
            return Say(msg::NothingProduced("no pseudoword was made"), kBatchNothingProduced);
        return kGoOn;
    }

    int Commit() {
        if (Cmd_.Stopped()) {
            Files_.Abandon();
            return Interrupted();
        }
        int status = kBatchOk;
        const std::string text = PseudowordTableText(Run_.Pseudowords);
        if (Table_) {
            Files_.Write(*Table_, text);
            if (const auto failed = Files_.Commit(*Table_)) {
                Cmd_.Say(*failed);
                status = kBatchFileError;
            } else {
                Cmd_.Say(msg::OutputSaved());
            }
        } else {
            Cmd_.Out().write(text.data(), static_cast<std::streamsize>(text.size()));
            Cmd_.Out().flush();
            if (!Cmd_.Out()) {
                Cmd_.Say(msg::StandardOutputFailed("pseudowords"));
                status = kBatchFileError;
            }
        }
        if (SettingsFile_) {
            const auto exclude = Args_.Get("--exclude");
            Files_.Write(
                *SettingsFile_,
                GenerateSettingsJson(
                    SettingsOf(Cmd_), DataDir_, *Args_.Operand,
                    exclude ? std::optional<fs::path>(*exclude) : std::nullopt, Settings_, Run_,
                    Dictionary_ ? std::optional<fs::path>(Dictionary_->File()) : std::nullopt,
                    Likeness_ ? &*Likeness_ : nullptr));
            if (const auto failed = Files_.Commit(*SettingsFile_)) {
                Cmd_.Say(*failed);
                status = kBatchFileError;
            }
        }
        return status;
    }

    Command& Cmd_;
    const Arguments& Args_;
    StreamFeedback UI_;
    fs::path DataDir_;
    GeneratorSettings Settings_;
    RunFiles Files_;
    std::optional<std::size_t> Table_, SettingsFile_;
    Lexicon Lexicon_;
    WordOrigins Origins_;
    SpanishWords Spanish_;
    std::vector<std::string> Templates_;
    std::optional<std::vector<std::string>> Excluded_;
    GeneratorRun Run_;
    std::unique_ptr<SpellingDictionary> Dictionary_;
    std::optional<WordLikeness> Likeness_;
};

int RunGenerateMode(Command& command) {
    return GenerateRun(command).Run();
}

} // namespace

const ModeSpec& GenerateMode() {
    static const ModeSpec mode = [] {
        using K = OptionKind;
        ModeSpec m;
        m.Word = "--generate";
        m.Operand = "TEMPLATES";
        m.OperandWhat = "templates file";
        m.OperandHelp = "items file: one template a line, \"<Cond ...>\" directives allowed";
        m.Options = {
            NumberOption("-n", "N", 1, INT_MAX, "pseudowords per template (default 10)"),
            NumberOption("--seed", "S", 0, UINT64_MAX,
                         "seed of the random walks, 0 to 18446744073709551615 (default:\n"
                         "drawn and reported); a seed gives the same table on any machine"),
            ValueOption(K::Text, "--overlap", "P/Q",
                        "share of the template's non-empty segments a pseudoword keeps\n"
                        "(default 2/3; at least one is kept and at least one changed)"),
            FlagOption("--no-length-match", "segments may differ in length from the template's"),
            FlagOption("--foreign-words",
                       "foreign words and names (origin atzerrikoa or izena in\n"
                       "jatorria_EUS.txt) also feed the transitions and serve as templates\n"
                       "(default: left out)"),
            FlagOption("--not-spanish",
                       "no pseudoword is a Spanish word (es_EUS.txt; letter case and\n"
                       "accents folded)"),
            NumberOption("--max-es-n", "K", 0, INT_MAX,
                         "with --not-spanish: no pseudoword has more than K Spanish words\n"
                         "one letter away"),
            FlagOption("--allow-dictionary-words",
                       "pseudowords may be words of the Basque spelling dictionary\n"
                       "(hunspell-eu; default: such candidates are left out)"),
            ValueOption(K::InputFile, "--dictionary", "FILE",
                        "the spelling dictionary's .dic file, its .aff beside it (default:\n"
                        "eu.dic of the data folder, else the system's)"),
            FlagOption("--word-likeness",
                       "check how well the pseudowords pass for words: mixed with as many\n"
                       "lexicon words of their lengths, each string classified by its nearest\n"
                       "(Levenshtein); the accuracy (50 % is chance) and the most telling\n"
                       "pseudowords on standard error and in the settings"),
            ValueOption(K::InputFile, "--exclude", "FILE",
                        "words no pseudoword may be, one a line (e.g. a Spanish list)"),
            NumberOption("--max-candidates", "M", 1, static_cast<std::uint64_t>(LLONG_MAX),
                         "walks examined per template at most (default 100000)"),
            ValueOption(K::OutputFile, "-o", "OUT",
                        "write the table to OUT (default, or \"-\": standard output)")
                .WithAlias("--output"),
            ValueOption(K::OutputFile, "--settings", "FILE",
                        "write the run's settings (seed included) to FILE as JSON"),
            ValueOption(K::Folder, "--data-dir", "DIR",
                        "folder of the lexicon files (default as for --batch)"),
            FlagOption("--help").WithAlias("-h").NotInUsage(),
        };
        m.Description =
            "Makes pseudowords that look like the templates: random walks through the "
            "transitions\nbetween the onsets, nuclei and codas of the whole-word lexicon, close "
            "to each template's\nown transition counts first. Writes a tab-separated table, "
            "UTF-8, with a header row:\ntemplate, pseudoword, syllables, overlap, max_dev, "
            "sum_dev, OLD20, OLD20_diff,\npronunciation.\n";
        m.Closing =
            "A template that gives fewer than N pseudowords is named in a warning with the count "
            "and\nthe reason. Messages go to standard error as \"CAPTION: TEXT\" lines. Exit "
            "status: 0 done;\n1 an input or output file could not be opened or written, or the "
            "lexicon cannot be used;\n2 bad arguments; 3 no pseudoword was made: no file "
            "written; 128 + N stopped by signal N\n(130 for Ctrl-C): nothing written.\n";
        m.Run = &RunGenerateMode;
        m.Check = &CheckGenerate;
        return m;
    }();
    return mode;
}

} // namespace zirtel

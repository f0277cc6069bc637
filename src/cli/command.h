// The command framework of the batch modes (--batch, --select, --match, --generate). Each mode is
// a table: its word, its operand, its options (kind, value, help text); the framework scans a
// command line by that table with one rule for every mode (an option given at most once, one
// reading of whole numbers), writes the usage and the help from it, finds the data folder, and
// gives a run the signals that stop it and the files it reads and writes (run_files.h).
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/feedback/messages.h"

namespace zirtel {

// Exit statuses of every mode.
inline constexpr int kBatchOk = 0;
inline constexpr int kBatchFileError = 1; // an input or output not opened/written; no lexicon
inline constexpr int kBatchUsageError = 2;
inline constexpr int kBatchNothingProduced = 3; // the whole output would be empty: none written
inline constexpr int kBatchInterrupted = 130;   // 128 + SIGINT (SIGTERM 143, SIGHUP 129, ...)

enum class OptionKind {
    Flag,        // no value
    Text,        // any text
    WholeNumber, // digits only, from Least to Most
    InputFile,   // a file the run reads
    OutputFile,  // a file the run writes
    Folder,      // an existing folder
};

struct OptionSpec {
    std::string_view Name; // "--fields", "-o"
    OptionKind Kind = OptionKind::Flag;
    std::string_view Value; // its value in the usage and the help ("LIST"); empty for a flag
    std::string_view Help;  // the help text, lines separated by '\n'; empty: not in the help
    std::string_view Alias; // "--output" for "-o"
    std::uint64_t Least = 0, Most = 0; // a whole number's range
    bool InUsage = true;               // shown in the usage line
    bool Required = false;             // shown without brackets in the usage line
    std::string_view HelpName;         // the help's left column when not NAME VALUE

    OptionSpec WithAlias(std::string_view alias) const {
        OptionSpec o = *this;
        o.Alias = alias;
        return o;
    }
    OptionSpec NotInUsage() const {
        OptionSpec o = *this;
        o.InUsage = false;
        return o;
    }
    OptionSpec Needed() const {
        OptionSpec o = *this;
        o.Required = true;
        return o;
    }
    OptionSpec ShownAs(std::string_view helpName) const {
        OptionSpec o = *this;
        o.HelpName = helpName;
        return o;
    }
};

// The kinds of option, as a mode's table lists them.
inline OptionSpec FlagOption(std::string_view name, std::string_view help = {}) {
    OptionSpec o;
    o.Name = name;
    o.Help = help;
    return o;
}
inline OptionSpec ValueOption(OptionKind kind, std::string_view name, std::string_view value,
                              std::string_view help = {}) {
    OptionSpec o;
    o.Name = name;
    o.Kind = kind;
    o.Value = value;
    o.Help = help;
    return o;
}
inline OptionSpec NumberOption(std::string_view name, std::string_view value, std::uint64_t least,
                               std::uint64_t most, std::string_view help = {}) {
    OptionSpec o = ValueOption(OptionKind::WholeNumber, name, value, help);
    o.Least = least;
    o.Most = most;
    return o;
}

class Command;

struct ModeSpec {
    std::string_view Word;        // "--batch", "--select", "--match", "--generate"
    bool WordTakesValue = false;  // "--select DESIGN": the word's value is the operand
    std::string_view Operand;     // "ITEMS", "DESIGN", "TEMPLATES"
    std::string_view OperandWhat; // "items file": "no items file given"
    std::string_view OperandHelp; // the operand's help text
    std::vector<OptionSpec> Options;
    std::string_view Description; // the help text before the options
    std::string_view Closing;     // the help text after them
    int (*Run)(Command&) = nullptr;
    // Checks what the table cannot say (options that belong to another mode); throws
    // UsageError. May be null.
    void (*Check)(const class Arguments&) = nullptr;

    const OptionSpec* Find(std::string_view name) const;
};

// How the program was started.
struct Invocation {
    std::string Program = "zirtel"; // as run: "zirtel" or "zirtel-batch"
    bool BatchImplied = false;      // zirtel-batch: the batch mode without its word
    int Argc = 0;
    const char* const* Argv = nullptr;
    std::ostream* Out = nullptr;
    std::ostream* Err = nullptr;
    bool Terminal = false; // standard error is a terminal: progress bars are drawn
    // The signal that asked the run to stop (0: none), set by a handler; null: never.
    const std::atomic<int>* Signal = nullptr;
    // The modes, for the usage of the whole program.
    std::vector<const ModeSpec*> Modes;
};

// The arguments of a command line, as a mode's table accepted them.
class Arguments {
  public:
    bool Help = false;
    bool Version = false;
    std::optional<std::string> Operand;

    bool Has(std::string_view name) const { return Given_.find(name) != Given_.end(); }
    std::optional<std::string> Get(std::string_view name) const;
    // A whole-number option's value, `otherwise` when it was not given.
    std::uint64_t Number(std::string_view name, std::uint64_t otherwise) const;
    void Set(std::string name, std::string value) { Given_[std::move(name)] = std::move(value); }

  private:
    std::map<std::string, std::string, std::less<>> Given_;
};

// Reads the command line by the mode's table and its check; throws UsageError.
Arguments ParseArguments(const ModeSpec& mode, const Invocation& start);

// The mode of a command line: the one whose word it holds (--batch when none does). Throws
// UsageError when it holds the words of two modes.
const ModeSpec& FindMode(const Invocation& start);

// "Usage: ..." of one mode, or of the whole program (every mode, --help, --version and, for
// zirtel, the window).
std::string ModeUsage(const ModeSpec& mode, const Invocation& start);
std::string ProgramUsage(const Invocation& start);
// The help of a mode: its usage, its description, the options, its closing text.
std::string ModeHelp(const ModeSpec& mode, const Invocation& start);

// One run of a mode.
class Command {
  public:
    Command(const Invocation& start, const ModeSpec& mode, Arguments args)
        : Start(start), Mode(mode), Args(std::move(args)) {}

    const Invocation& Start;
    const ModeSpec& Mode;
    Arguments Args;

    std::ostream& Out() const { return *Start.Out; }
    std::ostream& Err() const { return *Start.Err; }
    // Writes the message as one line on standard error.
    void Say(const Message& message) const;
    // The folder of the lexicon and the tables: --data-dir, else beside the program, else
    // ../share/zirtel, else $ZIRTEL_DATA_DIR.
    std::filesystem::path DataFolder() const;
    // The signal that asked the run to stop, or 0.
    int StopSignal() const { return Start.Signal ? Start.Signal->load() : 0; }
    bool Stopped() const { return StopSignal() != 0; }
    // The exit status of a run stopped by a signal: 128 + the signal.
    int StoppedStatus() const { return 128 + StopSignal(); }
    // A progress callback for the engine's long operations: false once a signal came.
    std::function<bool(std::size_t, std::size_t)> KeepGoing() const;
};

// Runs the command line: finds the mode, reads its arguments, prints the usage on an error (exit
// 2), the help or the version, or runs the mode.
int RunCommandLine(const Invocation& start);

} // namespace zirtel

#include "cli/command.h"

#include <algorithm>

#include "cli/option_scanner.h"
#include "core/analysis/data_folder.h"
#include "core/text/concat.h"
#include "core/text/whole_number.h"

#ifndef ZIRTEL_VERSION
#error "ZIRTEL_VERSION must be defined by the build"
#endif

namespace zirtel {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kUsageWidth = 96;
constexpr std::size_t kHelpColumn = 25;

bool IsHelp(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

// The mode's word as its usage writes it: none for zirtel-batch's batch mode.
std::string WordPart(const ModeSpec& mode, const Invocation& start) {
    if (mode.Word == "--batch" && start.BatchImplied) return "";
    return Concat({mode.Word, " "});
}

// "Try 'zirtel --select --help' for more."
std::string TryHelp(const ModeSpec& mode, const Invocation& start) {
    const std::string word = mode.Word == "--batch" ? "" : Concat({mode.Word, " "});
    return Concat({"Try '", start.Program, " ", word, "--help' for more.\n"});
}

} // namespace

const OptionSpec* ModeSpec::Find(std::string_view name) const {
    for (const OptionSpec& o : Options)
        if (o.Name == name || (!o.Alias.empty() && o.Alias == name)) return &o;
    return nullptr;
}

std::optional<std::string> Arguments::Get(std::string_view name) const {
    const auto it = Given_.find(name);
    if (it == Given_.end()) return std::nullopt;
    return it->second;
}

std::uint64_t Arguments::Number(std::string_view name, std::uint64_t otherwise) const {
    const auto it = Given_.find(name);
    if (it == Given_.end()) return otherwise;
    return ParseWholeNumber(it->second).value_or(otherwise);
}

Arguments ParseArguments(const ModeSpec& mode, const Invocation& start) {
    Arguments args;
    bool wordSeen = false;
    for (OptionScanner scan(start.Argc, start.Argv); scan.Next();) {
        const std::string& arg = scan.Name();
        if (arg == mode.Word) {
            if (wordSeen) throw UsageError{msg::GivenTwice(arg)};
            wordSeen = true;
            if (!mode.WordTakesValue) {
                scan.Flag();
                continue;
            }
            // "--select --help" asks for the mode's help.
            if (const auto next = scan.PeekNext();
                next && IsHelp(*next) && !scan.HasInlineValue()) {
                args.Help = true;
                scan.Value();
                continue;
            }
            args.Operand = scan.Value();
            continue;
        }
        const OptionSpec* option = mode.Find(arg);
        if (!option) {
            if (scan.IsOption()) throw scan.Unknown();
            if (mode.WordTakesValue) throw UsageError{msg::UnexpectedArgument(arg)};
            if (args.Operand)
                throw UsageError{msg::OneOperandOnly(mode.OperandWhat, *args.Operand, arg)};
            args.Operand = arg;
            continue;
        }
        const std::string name(option->Name);
        if (args.Has(name)) throw UsageError{msg::GivenTwice(arg)};
        if (option->Kind == OptionKind::Flag) {
            scan.Flag();
            args.Set(name, "");
            if (name == "--help") args.Help = true;
            if (name == "--version") args.Version = true;
            continue;
        }
        std::string value = scan.Value();
        if (option->Kind == OptionKind::WholeNumber) {
            const auto n = ParseWholeNumber(value);
            if (!n || *n < option->Least || *n > option->Most)
                throw UsageError{msg::WholeNumber(arg, value, option->Least, option->Most)};
        }
        args.Set(name, std::move(value));
    }
    if (args.Help || args.Version) return args;
    const bool wordImplied = mode.Word == "--batch" && start.BatchImplied;
    if (!wordSeen && !wordImplied) throw UsageError{msg::WordMissing(mode.Word)};
    if (!args.Operand) throw UsageError{msg::NoOperand(mode.OperandWhat)};
    if (mode.Check) mode.Check(args);
    for (const OptionSpec& o : mode.Options)
        if (o.Required && !args.Has(o.Name))
            throw UsageError{msg::NeedsOption(mode.Word, Concat({o.Name, " ", o.Value}))};
    for (const OptionSpec& o : mode.Options) {
        if (o.Kind != OptionKind::Folder) continue;
        const auto folder = args.Get(o.Name);
        std::error_code ec;
        if (folder && !fs::is_directory(*folder, ec))
            throw UsageError{msg::NotAFolder(o.Name, *folder)};
    }
    return args;
}

const ModeSpec& FindMode(const Invocation& start) {
    const ModeSpec* found = nullptr;
    const ModeSpec* batch = nullptr;
    for (const ModeSpec* m : start.Modes)
        if (m->Word == "--batch") batch = m;
    // Values of options are passed over, so that a value that looks like a mode's word does not
    // choose the mode.
    const auto takesValue = [&start](std::string_view name) {
        for (const ModeSpec* m : start.Modes) {
            if (m->Word == name) return m->WordTakesValue;
            if (const OptionSpec* o = m->Find(name)) return o->Kind != OptionKind::Flag;
        }
        return false;
    };
    for (OptionScanner scan(start.Argc, start.Argv); scan.Next();) {
        const std::string& arg = scan.Name();
        for (const ModeSpec* m : start.Modes) {
            if (arg != m->Word) continue;
            if (found && found != m) throw UsageError{msg::NotTogether(found->Word, m->Word)};
            found = m;
        }
        if (!scan.HasInlineValue() && takesValue(arg) && scan.PeekNext() &&
            !IsHelp(*scan.PeekNext()))
            scan.Value();
    }
    return found ? *found : *batch;
}

std::string ModeUsage(const ModeSpec& mode, const Invocation& start) {
    const std::string head = Concat({"Usage: ", start.Program, " ", WordPart(mode, start)});
    std::string usage = head + std::string(mode.Operand);
    const std::string indent(head.size(), ' ');
    std::size_t lineStart = 0;
    for (const OptionSpec& o : mode.Options) {
        if (!o.InUsage) continue;
        std::string piece = o.Value.empty() ? std::string(o.Name) : Concat({o.Name, " ", o.Value});
        if (!o.Required) piece = Concat({"[", piece, "]"});
        if (usage.size() - lineStart + 1 + piece.size() > kUsageWidth) {
            usage += "\n";
            lineStart = usage.size();
            usage += indent;
            usage += piece;
        } else {
            usage += ' ';
            usage += piece;
        }
    }
    usage += '\n';
    return usage;
}

std::string ProgramUsage(const Invocation& start) {
    std::string usage;
    const std::string pad = Concat({"       ", start.Program, " "});
    for (const ModeSpec* m : start.Modes) {
        if (m->Word == "--batch") {
            usage = ModeUsage(*m, start) + usage;
            continue;
        }
        std::string line = Concat({pad, m->Word, " ", m->Operand});
        for (const OptionSpec& o : m->Options)
            if (o.Required) line += Concat({" ", o.Name, " ", o.Value});
        usage += Concat({line, " [options]   (see ", start.Program, " ", m->Word, " --help)\n"});
    }
    usage += Concat({pad, "--help | --version\n"});
    if (!start.BatchImplied) usage += Concat({pad, "[ITEMS]    (opens the main window)\n"});
    return usage;
}

std::string ModeHelp(const ModeSpec& mode, const Invocation& start) {
    std::string help = mode.Word == "--batch" ? ProgramUsage(start) : ModeUsage(mode, start);
    help += Concat({"\n", mode.Description, "\n"});
    const auto entry = [&help](const std::string& name, std::string_view text) {
        const std::string left = Concat({"  ", name});
        help += left;
        if (left.size() + 1 > kHelpColumn) {
            help += '\n';
            help.append(kHelpColumn, ' ');
        } else {
            help.append(kHelpColumn - left.size(), ' ');
        }
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = text.find('\n', start);
            help += text.substr(start, end - start);
            help += '\n';
            if (end == std::string_view::npos) break;
            help.append(kHelpColumn, ' ');
            start = end + 1;
        }
    };
    if (!mode.OperandHelp.empty()) entry(std::string(mode.Operand), mode.OperandHelp);
    for (const OptionSpec& o : mode.Options) {
        if (o.Help.empty()) continue;
        std::string left = !o.HelpName.empty() ? std::string(o.HelpName) : std::string(o.Name);
        if (o.HelpName.empty() && !o.Value.empty()) left = Concat({left, " ", o.Value});
        entry(left, o.Help);
    }
    if (!mode.Closing.empty()) help += Concat({"\n", mode.Closing});
    return help;
}

void Command::Say(const Message& message) const {
    Err() << MessageLine(message, Start.Program) << '\n';
    Err().flush();
}

fs::path Command::DataFolder() const {
    if (const auto dir = Args.Get("--data-dir")) return fs::path(*dir);
    return FindDataFolder(ProgramFolder(Start.Argc > 0 ? Start.Argv[0] : nullptr));
}

std::function<bool(std::size_t, std::size_t)> Command::KeepGoing() const {
    return [this](std::size_t, std::size_t) { return !Stopped(); };
}

int RunCommandLine(const Invocation& start) {
    const ModeSpec* mode = nullptr;
    Arguments args;
    try {
        mode = &FindMode(start);
        args = ParseArguments(*mode, start);
    } catch (const UsageError& e) {
        const ModeSpec& shown = mode ? *mode : *start.Modes.front();
        *start.Err << MessageLine(e.What, start.Program) << '\n'
                   << (shown.Word == "--batch" ? ProgramUsage(start) : ModeUsage(shown, start))
                   << TryHelp(shown, start);
        return kBatchUsageError;
    }
    if (args.Help) {
        *start.Out << ModeHelp(*mode, start);
        return start.Out->flush() ? kBatchOk : kBatchFileError;
    }
    if (args.Version) {
        *start.Out << start.Program << ' ' << ZIRTEL_VERSION << '\n';
        return start.Out->flush() ? kBatchOk : kBatchFileError;
    }
    Command command(start, *mode, std::move(args));
    return mode->Run(command);
}

} // namespace zirtel

#include "core/feedback/messages.h"

#include <cstring>

#include "core/feedback/feedback.h"

namespace zirtel {

namespace {

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

Message Program(std::string text) {
    return Message{Caption::Program, std::move(text)};
}

} // namespace

std::string_view CaptionText(Caption caption) {
    switch (caption) {
    case Caption::Error:
        return "Errorea";
    case Caption::Warning:
        return "Abisua";
    case Caption::FileError:
        return "Fitxategi-errorea";
    case Caption::FileErrorEnglish:
        return "File Error";
    case Caption::None:
    case Caption::Program:
        break;
    }
    return "";
}

std::string MessageLine(const Message& message, std::string_view program) {
    if (message.Kind == Caption::Program) return std::string(program) + ": " + message.Text;
    if (message.Kind == Caption::None) return message.Text;
    return std::string(CaptionText(message.Kind)) + ": " + message.Text;
}

void Show(Feedback& feedback, const Message& message) {
    const bool fileError =
        message.Kind == Caption::FileError || message.Kind == Caption::FileErrorEnglish;
    feedback.ShowMessage(std::string(CaptionText(message.Kind)), message.Text,
                         fileError || message.Kind == Caption::None ? MessageButtons::OkCancel
                                                                    : MessageButtons::Ok);
}

std::string SystemReason(int error) {
    return std::strerror(error);
}

namespace msg {

Message UnknownOption(std::string_view option) {
    return Program("unknown option " + Quoted(option));
}
Message NeedsValue(std::string_view option) {
    return Program("option " + std::string(option) + " needs a value");
}
Message TakesNoValue(std::string_view option) {
    return Program("option " + std::string(option) + " takes no value");
}
Message GivenTwice(std::string_view option) {
    return Program("option " + std::string(option) + " is given twice");
}
Message WholeNumber(std::string_view option, std::string_view value, std::uint64_t least,
                    std::uint64_t most) {
    return Program(std::string(option) + " must be a whole number from " + std::to_string(least) +
                   " to " + std::to_string(most) + ", not " + Quoted(value));
}
Message NotTogether(std::string_view first, std::string_view second) {
    return Program(std::string(first) + " and " + std::string(second) + " cannot be used together");
}
Message WordMissing(std::string_view word) {
    return Program(std::string(word) + " is missing");
}
Message NoOperand(std::string_view what) {
    return Program("no " + std::string(what) + " given");
}
Message OneOperandOnly(std::string_view what, std::string_view first, std::string_view second) {
    return Program("only one " + std::string(what) + " can be given (" + Quoted(first) + ", " +
                   Quoted(second) + ")");
}
Message UnexpectedArgument(std::string_view argument) {
    return Program("unexpected argument " + Quoted(argument));
}
Message BelongsTo(std::string_view option, std::string_view mode) {
    return Program(std::string(option) + " belongs to " + std::string(mode));
}
Message DesignBelongsToMatch() {
    return Program("--design belongs to --match; --select takes the design");
}
Message NeedsOption(std::string_view mode, std::string_view option) {
    return Program(std::string(mode) + " needs " + std::string(option));
}
Message NotAFolder(std::string_view option, std::string_view path) {
    return Program(std::string(option) + ": " + Quoted(path) + " is not a folder");
}
Message UnknownField(std::string_view name, std::string_view validNames) {
    return Program("unknown field " + Quoted(name) +
                   " in --fields; valid names: " + std::string(validNames));
}
Message MissingTextUnusable() {
    return Program("--missing: the text must not hold a tab or a line end");
}
Message OverlapFraction(std::string_view value) {
    return Program("--overlap must be a fraction P/Q from 0/1 to 1/1, such as 2/3, not " +
                   Quoted(value));
}
Message OrthoListWithoutList() {
    return Program("--neighbours: no orthographic neighbour list is kept with "
                   "--no-neighbour-list");
}
Message OrthoListNotFilled(std::string_view fields) {
    return Program("--neighbours: the orthographic neighbour list is filled only while one of " +
                   std::string(fields) +
                   " is in --fields (or with --include-deletions or --include-additions)");
}
Message PhonListNotFilled(std::string_view fields) {
    return Program("--phon-neighbours: the phonological neighbour list is filled only while one "
                   "of " +
                   std::string(fields) + " is in --fields");
}
Message TidyTableNotFilled(std::string_view orthoFields, std::string_view phonFields) {
    return Program("--neighbours-tidy: the neighbour lists are filled only while one of " +
                   std::string(orthoFields) + ", " + std::string(phonFields) +
                   " is in --fields (or with --include-deletions or --include-additions); the "
                   "table would hold its header only");
}
Message UserFieldWithoutFile(int field, std::string_view where) {
    const std::string n = std::to_string(field);
    return Program("USER" + n + " is in " + std::string(where) + " but has no file: give --user" +
                   n + " FILE");
}
Message SameFile(std::string_view first, std::string_view second, std::string_view path) {
    return Program(std::string(first) + " and " + std::string(second) + " name the same file " +
                   Quoted(path));
}
Message DesignProblem(std::string_view path, std::string_view problem) {
    return Program(std::string(path) + ": " + std::string(problem));
}

Message CannotOpen(std::string_view what, std::string_view path) {
    return Program("cannot open the " + std::string(what) + " " + Quoted(path));
}
Message LexiconUnusable(std::string_view path, std::string_view why) {
    return Program("the lexicon file " + Quoted(path) + " cannot be used: " + std::string(why));
}
Message ResultsNotSaved(std::string_view path, std::string_view reason) {
    return Message{Caption::FileError, "Ezin da gorde irteera-fitxategia: " + std::string(path) +
                                           ": " + std::string(reason)};
}
Message OrthoListNotSaved(std::string_view path, std::string_view reason) {
    return Message{Caption::FileError, "Ezin da gorde auzokide-zerrenda: " + std::string(path) +
                                           ": " + std::string(reason)};
}
Message PhonListNotSaved(std::string_view path, std::string_view reason) {
    return Message{Caption::FileErrorEnglish,
                   "Can't save neighbour list: " + std::string(path) + ": " + std::string(reason)};
}
Message FileNotWritten(std::string_view what, std::string_view path, std::string_view reason) {
    return Program("the " + std::string(what) + " file " + Quoted(path) +
                   " could not be written: " + std::string(reason));
}
Message StandardOutputFailed(std::string_view what) {
    return Program("the " + std::string(what) + " could not be written to standard output");
}
Message OutputSaved() {
    return Message{Caption::None, "Irteera gordeta"};
}
Message NeighbourListSaved() {
    return Message{Caption::None, "Auzokide-zerrenda gorde egin da"};
}

Message Interrupted() {
    return Program("interrupted; nothing written");
}
Message InterruptedAfterRows() {
    return Program("interrupted; standard output holds only the rows done so far; no file written");
}
Message NothingProduced(std::string_view why) {
    return Program("nothing produced: " + std::string(why) + "; no file written");
}
Message LongItems(int maxLength, std::size_t count, std::string_view firstItem,
                  std::size_t firstLine) {
    std::string text = "Item length must not exceed " + std::to_string(maxLength) + " letters: ";
    if (count > 1) text += std::to_string(count) + " items, the first ";
    text += "\"" + std::string(firstItem) + "\"";
    if (firstLine > 0) text += " (line " + std::to_string(firstLine) + ")";
    return Message{Caption::Error, text};
}
Message DrawnSeed(std::uint64_t seed) {
    return Program("seed " + std::to_string(seed));
}
Message Shortfall(std::string_view text) {
    return Program(std::string(text));
}
Message TemplateShortfall(std::string_view text) {
    return Message{Caption::Warning, std::string(text)};
}
Message GenerateSummary(std::size_t pseudowords, std::size_t templates, std::uint64_t seed) {
    return Message{Caption::None, std::to_string(pseudowords) + " sasihitz, " +
                                      std::to_string(templates) + " txantiloi; hazia " +
                                      std::to_string(seed)};
}

} // namespace msg

} // namespace zirtel

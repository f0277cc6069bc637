#include "core/feedback/messages.h"

#include <cstring>
#include <initializer_list>

#include "core/feedback/feedback.h"
#include "core/text/concat.h"

namespace zirtel {

namespace {

std::string Cat(std::initializer_list<std::string_view> pieces) {
    return Concat(pieces);
}

std::string Quoted(std::string_view text) {
    return Cat({"'", text, "'"});
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
    if (message.Kind == Caption::Program) return Cat({program, ": ", message.Text});
    if (message.Kind == Caption::None) return message.Text;
    return Cat({CaptionText(message.Kind), ": ", message.Text});
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
    return Program(Cat({"unknown option ", Quoted(option)}));
}
Message NeedsValue(std::string_view option) {
    return Program(Cat({"option ", option, " needs a value"}));
}
Message TakesNoValue(std::string_view option) {
    return Program(Cat({"option ", option, " takes no value"}));
}
Message GivenTwice(std::string_view option) {
    return Program(Cat({"option ", option, " is given twice"}));
}
Message WholeNumber(std::string_view option, std::string_view value, std::uint64_t least,
                    std::uint64_t most) {
    return Program(Cat({option, " must be a whole number from ", std::to_string(least), " to ",
                        std::to_string(most), ", not ", Quoted(value)}));
}
Message NotTogether(std::string_view first, std::string_view second) {
    return Program(Cat({first, " and ", second, " cannot be used together"}));
}
Message WordMissing(std::string_view word) {
    return Program(Cat({word, " is missing"}));
}
Message NoOperand(std::string_view what) {
    return Program(Cat({"no ", what, " given"}));
}
Message OneOperandOnly(std::string_view what, std::string_view first, std::string_view second) {
    return Program(
        Cat({"only one ", what, " can be given (", Quoted(first), ", ", Quoted(second), ")"}));
}
Message UnexpectedArgument(std::string_view argument) {
    return Program(Cat({"unexpected argument ", Quoted(argument)}));
}
Message BelongsTo(std::string_view option, std::string_view mode) {
    return Program(Cat({option, " belongs to ", mode}));
}
Message DesignBelongsToMatch() {
    return Program("--design belongs to --match; --select takes the design");
}
Message NeedsOption(std::string_view mode, std::string_view option) {
    return Program(Cat({mode, " needs ", option}));
}
Message NotAFolder(std::string_view option, std::string_view path) {
    return Program(Cat({option, ": ", Quoted(path), " is not a folder"}));
}
Message UnknownField(std::string_view name, std::string_view validNames) {
    return Program(
        Cat({"unknown field ", Quoted(name), " in --fields; valid names: ", validNames}));
}
Message MissingTextUnusable() {
    return Program("--missing: the text must not hold a tab or a line end");
}
Message OverlapFraction(std::string_view value) {
    return Program(Cat(
        {"--overlap must be a fraction P/Q from 0/1 to 1/1, such as 2/3, not ", Quoted(value)}));
}
Message PlotFormat(std::string_view value) {
    return Program(Cat({"--plot-format must be svg, png or svg,png, not ", Quoted(value)}));
}
Message OrthoListWithoutList() {
    return Program("--neighbours: no orthographic neighbour list is kept with "
                   "--no-neighbour-list");
}
Message OrthoListNotFilled(std::string_view fields) {
    return Program(
        Cat({"--neighbours: the orthographic neighbour list is filled only while one of ", fields,
             " is in --fields (or with --include-deletions or --include-additions)"}));
}
Message PhonListNotFilled(std::string_view fields) {
    return Program(Cat({"--phon-neighbours: the phonological neighbour list is filled only while "
                        "one of ",
                        fields, " is in --fields"}));
}
Message TidyTableNotFilled(std::string_view orthoFields, std::string_view phonFields) {
    return Program(Cat({"--neighbours-tidy: the neighbour lists are filled only while one of ",
                        orthoFields, ", ", phonFields,
                        " is in --fields (or with --include-deletions or --include-additions); "
                        "the table would hold its header only"}));
}
Message UserFieldWithoutFile(int field, std::string_view where) {
    const std::string n = std::to_string(field);
    return Program(Cat({"USER", n, " is in ", where, " but has no file: give --user", n, " FILE"}));
}
Message SameFile(std::string_view first, std::string_view second, std::string_view path) {
    return Program(Cat({first, " and ", second, " name the same file ", Quoted(path)}));
}
Message DesignProblem(std::string_view path, std::string_view problem) {
    return Program(Cat({path, ": ", problem}));
}

Message CannotOpen(std::string_view what, std::string_view path) {
    return Program(Cat({"cannot open the ", what, " ", Quoted(path)}));
}
Message LexiconUnusable(std::string_view path, std::string_view why) {
    return Program(Cat({"the lexicon file ", Quoted(path), " cannot be used: ", why}));
}
Message OriginFileNeeded(std::string_view path) {
    return Program(Cat({"the origin file ", Quoted(path),
                        " cannot be used to leave out foreign words and names; with "
                        "--foreign-words every word is used"}));
}
Message SpanishFileNeeded(std::string_view path) {
    return Program(Cat({"the Spanish word file ", Quoted(path),
                        " cannot be used to leave out Spanish words; without --not-spanish "
                        "none is left out"}));
}
Message ResultsNotSaved(std::string_view path, std::string_view reason) {
    return Message{Caption::FileError,
                   Cat({"Ezin da gorde irteera-fitxategia: ", path, ": ", reason})};
}
Message OrthoListNotSaved(std::string_view path, std::string_view reason) {
    return Message{Caption::FileError,
                   Cat({"Ezin da gorde auzokide-zerrenda: ", path, ": ", reason})};
}
Message PhonListNotSaved(std::string_view path, std::string_view reason) {
    return Message{Caption::FileErrorEnglish,
                   Cat({"Can't save neighbour list: ", path, ": ", reason})};
}
Message FileNotWritten(std::string_view what, std::string_view path, std::string_view reason) {
    return Program(Cat({"the ", what, " file ", Quoted(path), " could not be written: ", reason}));
}
Message StandardOutputFailed(std::string_view what) {
    return Program(Cat({"the ", what, " could not be written to standard output"}));
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
    return Program(Cat({"nothing produced: ", why, "; no file written"}));
}
Message LongItems(int maxLength, std::size_t count, std::string_view firstItem,
                  std::size_t firstLine) {
    std::string text =
        Cat({"Item length must not exceed ", std::to_string(maxLength), " letters: "});
    if (count > 1) text += Cat({std::to_string(count), " items, the first "});
    text += Cat({"\"", firstItem, "\""});
    if (firstLine > 0) text += Cat({" (line ", std::to_string(firstLine), ")"});
    return Message{Caption::Error, text};
}
Message DrawnSeed(std::uint64_t seed) {
    return Program(Cat({"seed ", std::to_string(seed)}));
}
Message Shortfall(std::string_view text) {
    return Program(std::string(text));
}
Message TemplateShortfall(std::string_view text) {
    return Message{Caption::Warning, std::string(text)};
}
Message GenerateSummary(std::size_t pseudowords, std::size_t templates, std::uint64_t seed) {
    return Message{Caption::None,
                   Cat({std::to_string(pseudowords), " sasihitz, ", std::to_string(templates),
                        " txantiloi; hazia ", std::to_string(seed)})};
}

Message DictionaryNeeded(std::string_view folders) {
    return Program(
        Cat({"the Basque spelling dictionary (eu.aff and eu.dic) was not found in ", folders,
             ": install it (sudo apt-get install hunspell-eu), or pass "
             "--allow-dictionary-words to keep pseudowords that are real words"}));
}
Message WordLikenessReport(std::string_view text) {
    return Program(Cat({"word-likeness: ", text}));
}
Message DictionaryWordsLeftOut(long long count, std::string_view file) {
    return Program(Cat({std::to_string(count),
                        count == 1 ? " candidate was left out as a word of "
                                   : " candidates were left out as words of ",
                        Quoted(file)}));
}

} // namespace msg

} // namespace zirtel

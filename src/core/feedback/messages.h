// The program's messages, each defined once: its caption and its text. The window shows the
// caption as the title of a message box; the batch mode prints "CAPTION: TEXT" on standard error,
// "TEXT" alone when there is no caption, and "PROGRAM: TEXT" for the command line's own messages
// (caption Program: the program's name as it was run). Texts are UTF-8; where the window shows a
// message, it is Basque as the window is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zirtel {

class Feedback;

enum class Caption {
    None,             // no caption
    Program,          // the program's name ("zirtel", "zirtel-batch")
    Error,            // "Errorea"
    Warning,          // "Abisua"
    FileError,        // "Fitxategi-errorea"
    FileErrorEnglish, // "File Error"
};

struct Message {
    Caption Kind = Caption::None;
    std::string Text;
    bool operator==(const Message&) const = default;
};

// The caption's text; "" for None and Program.
std::string_view CaptionText(Caption caption);
// The message as one line: "CAPTION: TEXT", "TEXT", or "PROGRAM: TEXT" with `program`.
std::string MessageLine(const Message& message, std::string_view program);
// Shows the message through a Feedback (file errors with OK and Cancel, the others with OK).
void Show(Feedback& feedback, const Message& message);

// Why a file operation failed (errno), as the system says it.
std::string SystemReason(int error);

namespace msg {

// ---- The command line ----
Message UnknownOption(std::string_view option);
Message NeedsValue(std::string_view option);
Message TakesNoValue(std::string_view option);
Message GivenTwice(std::string_view option);
Message WholeNumber(std::string_view option, std::string_view value, std::uint64_t least,
                    std::uint64_t most);
Message NotTogether(std::string_view first, std::string_view second);
Message WordMissing(std::string_view word);
Message NoOperand(std::string_view what);
Message OneOperandOnly(std::string_view what, std::string_view first, std::string_view second);
Message UnexpectedArgument(std::string_view argument);
Message BelongsTo(std::string_view option, std::string_view mode);
Message DesignBelongsToMatch();
Message NeedsOption(std::string_view mode, std::string_view option);
Message NotAFolder(std::string_view option, std::string_view path);
Message UnknownField(std::string_view name, std::string_view validNames);
Message MissingTextUnusable();
Message OverlapFraction(std::string_view value);
Message PlotFormat(std::string_view value);
Message OrthoListWithoutList();
Message OrthoListNotFilled(std::string_view fields);
Message PhonListNotFilled(std::string_view fields);
Message TidyTableNotFilled(std::string_view orthoFields, std::string_view phonFields);
Message UserFieldWithoutFile(int field, std::string_view where);
Message SameFile(std::string_view first, std::string_view second, std::string_view path);
Message DesignProblem(std::string_view path, std::string_view problem);

// ---- Files ----
Message CannotOpen(std::string_view what, std::string_view path);
Message LexiconUnusable(std::string_view path, std::string_view why);
// The generator's origin file, needed unless --foreign-words is given.
Message OriginFileNeeded(std::string_view path);
// --not-spanish without a usable Spanish word file.
Message SpanishFileNeeded(std::string_view path);
// The results file (the window's own message, with the file and the reason).
Message ResultsNotSaved(std::string_view path, std::string_view reason);
Message OrthoListNotSaved(std::string_view path, std::string_view reason);
Message PhonListNotSaved(std::string_view path, std::string_view reason);
// Any other file a run writes ("settings", "neighbour table", "long table").
Message FileNotWritten(std::string_view what, std::string_view path, std::string_view reason);
Message StandardOutputFailed(std::string_view what);
Message OutputSaved();
Message NeighbourListSaved();

// ---- The run ----
Message Interrupted();
Message InterruptedAfterRows();
Message NothingProduced(std::string_view why);
// The items longer than `maxLength` letters, once for a run: their count and the first of them.
Message LongItems(int maxLength, std::size_t count, std::string_view firstItem,
                  std::size_t firstLine);
Message DrawnSeed(std::uint64_t seed);
Message Shortfall(std::string_view text);
Message TemplateShortfall(std::string_view text);
Message GenerateSummary(std::size_t pseudowords, std::size_t templates, std::uint64_t seed);
// The generator without the Basque spelling dictionary, looked for in `folders` (or the file).
Message DictionaryNeeded(std::string_view folders);
// The word-likeness check of the pseudowords made (its text: WordLikenessText).
Message WordLikenessReport(std::string_view text);
// The candidates left out as words of the dictionary `file`.
Message DictionaryWordsLeftOut(long long count, std::string_view file);

} // namespace msg

} // namespace zirtel

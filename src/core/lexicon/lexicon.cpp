#include "core/lexicon/lexicon.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

#include "core/feedback/number_check.h"
#include "core/text/collation.h"
#include "core/text/text_file.h"
#include "core/text/token_reader.h"

namespace zirtel {

std::string RemoveHyphens(std::string_view pronunciation) {
    std::string out;
    out.reserve(pronunciation.size());
    for (char c : pronunciation)
        if (c != '-') out.push_back(c);
    return out;
}

void Lexicon::Clear() {
    *this = Lexicon();
}

void Lexicon::BuildIndexes() {
    WordIndex_.Build(LexWords);
    Lazy_ = LazyHolder();
}

const Lexicon::PronunciationState& Lexicon::Pronunciations() const {
    LazyIndexes& lazy = Lazy_.Get();
    std::call_once(lazy.PronunciationsBuilt, [this, &p = lazy.Pronunciations]() {
        if (LexPhonForms.empty()) return;
        p.Keys.reserve(LexPhonForms.size());
        for (const std::string& phon : LexPhonForms) p.Keys.push_back(RemoveHyphens(phon));
        // Most frequent first, so that the index entry of homophones carries that word.
        std::vector<int> byFrequency(p.Keys.size());
        std::iota(byFrequency.begin(), byFrequency.end(), 0);
        std::stable_sort(byFrequency.begin(), byFrequency.end(), [this](int a, int b) {
            return LexFreqs[static_cast<std::size_t>(a)] > LexFreqs[static_cast<std::size_t>(b)];
        });
        p.Index.Build(p.Keys, byFrequency);
        p.Filter.Build(p.Index, p.Keys);
    });
    return lazy.Pronunciations;
}

const Lexicon::PhonFormState& Lexicon::PhonForms() const {
    LazyIndexes& lazy = Lazy_.Get();
    std::call_once(lazy.PhonFormsBuilt, [this, &p = lazy.PhonForms]() {
        if (LexPhonForms.empty()) return;
        std::vector<int> firstOf;
        p.Index.Build(LexPhonForms, &firstOf);
        p.NextSame.assign(LexPhonForms.size(), -1);
        std::vector<int> last(LexPhonForms.size(), -1); // last entry seen per first entry
        for (std::size_t i = 0; i < LexPhonForms.size(); ++i) {
            const int first = firstOf[i];
            if (first == static_cast<int>(i)) {
                last[i] = first;
                continue;
            }
            p.NextSame[static_cast<std::size_t>(last[static_cast<std::size_t>(first)])] =
                static_cast<int>(i);
            last[static_cast<std::size_t>(first)] = static_cast<int>(i);
        }
    });
    return lazy.PhonForms;
}

bool Lexicon::HasReadableEntry() const {
    return std::any_of(LexWords.begin(), LexWords.end(), [](const std::string& word) {
        return std::none_of(word.begin(), word.end(), [](char c) {
            const auto u = static_cast<unsigned char>(c);
            return u < 0x20 || u == 0x7F;
        });
    });
}

int Lexicon::FindHomophone(int entry) const {
    if (entry < 0 || entry >= static_cast<int>(LexPhonForms.size())) return -1;
    const PhonFormState& p = PhonForms();
    const int first = p.Index.Find(LexPhonForms, LexPhonForms[static_cast<std::size_t>(entry)]);
    if (first != entry) return first;
    return p.NextSame[static_cast<std::size_t>(entry)];
}

namespace {

const char* const kFileErrorCaption = "Fitxategi-errorea";

// Calls `fn` with each line of the text, as SplitLines gives them (LF, CR LF and a lone CR end a
// line), without building a list. The line ends are found by memchr, the next LF kept while it
// lies ahead, so that a file of lone CRs is not searched to its end for each line.
template <typename Fn> void ForEachLine(std::string_view text, Fn&& fn) {
    const char* const data = text.data();
    const std::size_t size = text.size();
    std::size_t start = 0;
    std::size_t nextLf = 0; // the first LF at or after `start`, or `size`
    bool lfKnown = false;
    while (start < size) {
        if (!lfKnown || nextLf < start) {
            const void* lf = std::memchr(data + start, '\n', size - start);
            nextLf = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : size;
            lfKnown = true;
        }
        std::size_t end = nextLf;
        if (const void* cr = std::memchr(data + start, '\r', end - start))
            end = static_cast<std::size_t>(static_cast<const char*>(cr) - data);
        fn(text.substr(start, end - start));
        if (end + 1 < size && text[end] == '\r' && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
}

// The blanks that separate tokens (TokenReader's), as a table.
const std::array<bool, 256> kBlankByte = [] {
    std::array<bool, 256> t{};
    for (std::size_t b = 0; b < t.size(); ++b) t[b] = IsBlank(static_cast<char>(b));
    return t;
}();

// The first N tokens of a line, split in place (as SplitTokens splits them); `Count` of them are
// there.
template <std::size_t N> struct LineTokens {
    std::array<std::string_view, N> Token;
    std::size_t Count = 0;
};
template <std::size_t N = 4> LineTokens<N> FirstTokens(std::string_view line) {
    LineTokens<N> t;
    const std::size_t n = line.size();
    std::size_t i = 0;
    while (t.Count < t.Token.size()) {
        while (i < n && kBlankByte[static_cast<unsigned char>(line[i])]) ++i;
        if (i >= n) break;
        const std::size_t start = i;
        while (i < n && !kBlankByte[static_cast<unsigned char>(line[i])]) ++i;
        t.Token[t.Count++] = line.substr(start, i - start);
    }
    return t;
}

// A character no word holds: a control character (NUL included), as a binary file has them.
bool IsControlChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

// The lexicon stays empty, with the refused line in RefusedLine.
bool RefuseFile(Lexicon& lexicon, Feedback& feedback, const std::filesystem::path& path,
                std::size_t line, std::string_view what) {
    lexicon.Clear();
    lexicon.RefusedLine = line;
    return ReportRefusedFile(feedback, path, line, what);
}

void SortEntries(Lexicon& lex) {
    std::vector<int> order(lex.LexWords.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&lex](int a, int b) {
        return CollateLess(lex.LexWords[static_cast<std::size_t>(a)],
                           lex.LexWords[static_cast<std::size_t>(b)]);
    });
    auto permute = [&order](auto& list) {
        if (list.empty()) return;
        std::remove_reference_t<decltype(list)> sorted;
        sorted.reserve(list.size());
        for (int i : order) sorted.push_back(std::move(list[static_cast<std::size_t>(i)]));
        list = std::move(sorted);
    };
    permute(lex.LexWords);
    permute(lex.LexFreqs);
    permute(lex.LexOrthSylls);
    permute(lex.LexPhonForms);
}

} // namespace

bool HoldsControlChar(std::string_view word) {
    return std::any_of(word.begin(), word.end(), IsControlChar);
}

// A file with a word that holds a control character is no lexicon: the message names the file
// and the line.
bool ReportRefusedFile(Feedback& feedback, const std::filesystem::path& path, std::size_t line,
                       std::string_view what) {
    feedback.ShowMessage(kFileErrorCaption,
                         path.string() + ": " + std::to_string(line) +
                             ". lerroko hitzak kontrol-karaktere bat du; " + std::string(what) +
                             " ez da erabiliko",
                         MessageButtons::OkCancel);
    return false;
}

bool LoadWholeWordLexicon(const std::filesystem::path& path, Lexicon& lexicon, Feedback& feedback) {
    BusyCursor busy(feedback);
    lexicon.Clear();
    std::optional<TextFile> file = ReadTextFile(path);
    auto cannotOpen = [&]() {
        feedback.ShowMessage(kFileErrorCaption, "Ezin da ireki hitz-maiztasunaren fitxategia",
                             MessageButtons::OkCancel);
        return false;
    };
    if (!file) return cannotOpen();
    const std::size_t n = CountLineFeeds(file->Text) + 1;
    lexicon.LexWords.reserve(n);
    lexicon.LexFreqs.reserve(n);
    lexicon.LexOrthSylls.reserve(n);
    lexicon.LexPhonForms.reserve(n);
    bool sorted = true;
    BadNumberTally bad;
    std::size_t lineNumber = 0, controlLine = 0;
    ForEachLine(file->Text, [&](std::string_view line) {
        ++lineNumber;
        if (controlLine != 0) return;
        const auto tokens = FirstTokens(line);
        if (tokens.Count == 0) return;
        const std::string_view word = tokens.Token[0];
        if (HoldsControlChar(word)) {
            controlLine = lineNumber;
            return;
        }
        if (sorted && !lexicon.LexWords.empty() && CollateLess(word, lexicon.LexWords.back()))
            sorted = false;
        lexicon.LexWords.emplace_back(word);
        lexicon.LexFreqs.push_back(bad.Check(
            tokens.Count > 1 ? ParseFloat(tokens.Token[1]).value_or(0.0f) : 0.0f, lineNumber));
        lexicon.LexOrthSylls.emplace_back(tokens.Token[2]);
        const std::string_view pron = tokens.Token[3];
        lexicon.LexPhonForms.emplace_back(pron);
        const auto hyphens = std::count(pron.begin(), pron.end(), '-');
        if (hyphens == 1) ++lexicon.TwoSyllCount;
        if (hyphens == 2) ++lexicon.ThreeSyllCount;
    });
    if (controlLine != 0)
        return RefuseFile(lexicon, feedback, path, controlLine, "hitz-maiztasunaren fitxategia");
    // A file without a single entry is no lexicon: the same as one that cannot be opened.
    if (lexicon.Empty()) {
        lexicon.Clear();
        return cannotOpen();
    }
    bad.Report(feedback, path);
    if (!sorted) {
        SortEntries(lexicon);
        feedback.ShowMessage("Abisua",
                             "Hitz-maiztasunaren fitxategiko lerroak ez daude ordenatuta; "
                             "programak ordenatu egin ditu, hitz guztiak aurki daitezen.",
                             MessageButtons::Ok);
    }
    lexicon.BuildIndexes();
    return true;
}

bool LoadLemmaLexicon(const std::filesystem::path& path, Lexicon& lexicon, Feedback& feedback) {
    lexicon.Clear();
    std::optional<TextFile> file = ReadTextFile(path);
    auto cannotOpen = [&]() {
        feedback.ShowMessage(kFileErrorCaption, "Ezin da ireki lema-maiztasunaren fitxategia",
                             MessageButtons::OkCancel);
        return false;
    };
    if (!file) return cannotOpen();
    BusyCursor busy(feedback);
    // One entry per lemma (the collation's equality); the last line's frequency stays.
    std::vector<std::string> words;
    std::vector<float> freqs;
    LetterHashIndex seen;
    std::vector<std::pair<std::string_view, float>> lines;
    BadNumberTally bad;
    std::size_t lineNumber = 0, controlLine = 0;
    ForEachLine(file->Text, [&lines, &bad, &lineNumber, &controlLine](std::string_view line) {
        ++lineNumber;
        if (controlLine != 0) return;
        const auto tokens = FirstTokens(line);
        if (tokens.Count == 0) return;
        if (HoldsControlChar(tokens.Token[0])) {
            controlLine = lineNumber;
            return;
        }
        lines.emplace_back(
            tokens.Token[0],
            bad.Check(tokens.Count > 1 ? ParseFloat(tokens.Token[1]).value_or(0.0f) : 0.0f,
                      lineNumber));
    });
    if (controlLine != 0)
        return RefuseFile(lexicon, feedback, path, controlLine, "lema-maiztasunaren fitxategia");
    if (lines.empty()) return cannotOpen();
    bad.Report(feedback, path);
    words.reserve(lines.size());
    for (const auto& l : lines) words.emplace_back(l.first);
    seen.Build(words); // first spelling of each lemma wins
    std::vector<float> lastFreq(words.size(), 0.0f);
    std::vector<int> unique;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const int first = seen.Find(words, words[i]);
        if (first == static_cast<int>(i)) unique.push_back(first);
        lastFreq[static_cast<std::size_t>(first)] = lines[i].second;
    }
    std::stable_sort(unique.begin(), unique.end(), [&words](int a, int b) {
        return CollateLess(words[static_cast<std::size_t>(a)], words[static_cast<std::size_t>(b)]);
    });
    lexicon.LexWords.reserve(unique.size());
    lexicon.LexFreqs.reserve(unique.size());
    for (int i : unique) {
        lexicon.LexWords.push_back(std::move(words[static_cast<std::size_t>(i)]));
        lexicon.LexFreqs.push_back(lastFreq[static_cast<std::size_t>(i)]);
    }
    lexicon.BuildIndexes();
    return true;
}

std::optional<WordOrigin> ReadWordOrigin(std::string_view name) {
    for (std::size_t i = 0; i < kWordOriginNames.size(); ++i)
        if (kWordOriginNames[i] == name) return static_cast<WordOrigin>(i);
    return std::nullopt;
}

bool LoadWordOrigins(const std::filesystem::path& path, WordOrigins& origins, Feedback& feedback) {
    origins = WordOrigins();
    std::optional<TextFile> file = ReadTextFile(path);
    auto cannotOpen = [&]() {
        origins = WordOrigins();
        feedback.ShowMessage(kFileErrorCaption, "Ezin da ireki hitzen jatorriaren fitxategia",
                             MessageButtons::OkCancel);
        return false;
    };
    if (!file) return cannotOpen();
    BusyCursor busy(feedback);
    const std::size_t n = CountLineFeeds(file->Text) + 1;
    origins.Words.reserve(n);
    origins.Origins.reserve(n);
    std::size_t lineNumber = 0, controlLine = 0, badCount = 0, firstBad = 0;
    ForEachLine(file->Text, [&](std::string_view line) {
        ++lineNumber;
        if (controlLine != 0) return;
        const auto tokens = FirstTokens<5>(line);
        if (tokens.Count == 0) return;
        if (HoldsControlChar(tokens.Token[0])) {
            controlLine = lineNumber;
            return;
        }
        const std::optional<WordOrigin> origin =
            tokens.Count == 5 ? ReadWordOrigin(tokens.Token[4]) : std::nullopt;
        if (!origin) {
            if (badCount++ == 0) firstBad = lineNumber;
            return;
        }
        origins.Words.emplace_back(tokens.Token[0]);
        origins.Origins.push_back(*origin);
    });
    if (controlLine != 0) {
        origins = WordOrigins();
        return ReportRefusedFile(feedback, path, controlLine, "jatorriaren fitxategia");
    }
    if (badCount > 0)
        feedback.ShowMessage("Abisua",
                             path.string() + ": " + std::to_string(badCount) +
                                 " lerrotan ez dago jatorririk (euskara, mailegua, atzerrikoa, "
                                 "izena edo kreditua), eta haien hitzek ez dute jatorririk; "
                                 "lehena " +
                                 std::to_string(firstBad) + ". lerroan.",
                             MessageButtons::Ok);
    if (origins.Empty()) return cannotOpen();
    origins.BuildIndex();
    return true;
}

} // namespace zirtel

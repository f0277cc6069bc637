#include "core/lexicon/spanish_words.h"

#include <cmath>
#include <optional>
#include <unordered_map>

#include "core/text/latin1.h"
#include "core/text/letters.h"
#include "core/text/text_file.h"

namespace zirtel {

namespace {

// The tab-separated fields of a line.
std::vector<std::string_view> TabFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

bool CannotOpen(Feedback& feedback, std::string_view what) {
    feedback.ShowMessage("Fitxategi-errorea", "Ezin da ireki " + std::string(what),
                         MessageButtons::OkCancel);
    return false;
}

void WarnBadLines(Feedback& feedback, const std::filesystem::path& path, std::size_t count,
                  std::size_t first, std::string_view lacking) {
    if (count == 0) return;
    feedback.ShowMessage("Abisua",
                         path.string() + ": " + std::to_string(count) + " lerrotan ez dago " +
                             std::string(lacking) + ", eta ez dira erabiliko; lehena " +
                             std::to_string(first) + ". lerroan.",
                         MessageButtons::Ok);
}

std::string WithoutMultiwordMarks(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '#') out.push_back(c);
    return Trim(out);
}

} // namespace

std::string SpanishKey(std::string_view word) {
    return FoldAccents(LowerLatin1(word));
}

int SpanishWords::Find(std::string_view word) const {
    return Keys.Find(SpanishKey(word));
}

bool LoadSpanishWords(const std::filesystem::path& path, SpanishWords& words, Feedback& feedback) {
    words = SpanishWords();
    const char* const what = "gaztelaniazko hitzen fitxategia";
    const std::optional<TextFile> file = ReadTextFile(path);
    if (!file) return CannotOpen(feedback, what);
    BusyCursor busy(feedback);
    std::unordered_map<std::string, std::size_t> keyOf;
    std::vector<float> bestFreq; // of the form shown for each key
    std::size_t lineNumber = 0, badCount = 0, firstBad = 0;
    for (std::string_view line : SplitLines(file->Text)) {
        ++lineNumber;
        if (Trim(line).empty()) continue;
        const std::vector<std::string_view> fields = TabFields(line);
        const std::string form = Trim(fields[0]);
        if (HoldsControlChar(form)) {
            words = SpanishWords();
            return ReportRefusedFile(feedback, path, lineNumber, what);
        }
        const std::optional<float> freq =
            fields.size() >= 2 ? ParseFloat(Trim(fields[1])) : std::nullopt;
        if (form.empty() || !freq || !std::isfinite(*freq) || *freq < 0.0f) {
            if (badCount++ == 0) firstBad = lineNumber;
            continue;
        }
        std::string key = SpanishKey(form);
        const auto [at, added] = keyOf.emplace(key, words.Forms.size());
        if (added) {
            words.Keys.LexWords.push_back(std::move(key));
            words.Keys.LexFreqs.push_back(*freq);
            words.Forms.push_back(form);
            bestFreq.push_back(*freq);
            continue;
        }
        const std::size_t i = at->second;
        words.Keys.LexFreqs[i] += *freq;
        if (*freq > bestFreq[i]) {
            bestFreq[i] = *freq;
            words.Forms[i] = form;
        }
    }
    WarnBadLines(feedback, path, badCount, firstBad, "maiztasunik");
    if (words.Empty()) return CannotOpen(feedback, what);
    words.Keys.BuildIndexes();
    return true;
}

const Translations::Entry* Translations::OfForm(std::string_view form) const {
    const int i = FormIndex_.Find(FormWords, form);
    return i < 0 ? nullptr
                 : &Entries[static_cast<std::size_t>(FormEntry[static_cast<std::size_t>(i)])];
}

const Translations::Entry* Translations::OfLemma(std::string_view lemma) const {
    const int i = LemmaIndex_.Find(LemmaWords_, lemma);
    return i < 0 ? nullptr : &Entries[static_cast<std::size_t>(i)];
}

void Translations::BuildIndexes() {
    LemmaWords_.clear();
    for (const Entry& e : Entries) LemmaWords_.push_back(e.Lemma);
    LemmaIndex_.Build(LemmaWords_);
    FormIndex_.Build(FormWords);
}

bool LoadTranslations(const std::filesystem::path& path, Translations& translations,
                      Feedback& feedback) {
    translations = Translations();
    const char* const what = "itzulpenen fitxategia";
    const std::optional<TextFile> file = ReadTextFile(path);
    if (!file) return CannotOpen(feedback, what);
    BusyCursor busy(feedback);
    std::size_t lineNumber = 0, badCount = 0, firstBad = 0;
    for (std::string_view line : SplitLines(file->Text)) {
        ++lineNumber;
        if (Trim(line).empty()) continue;
        const std::vector<std::string_view> fields = TabFields(line);
        Translations::Entry entry{.Lemma = Trim(fields[0]), .Spanish = {}};
        if (HoldsControlChar(entry.Lemma)) {
            translations = Translations();
            return ReportRefusedFile(feedback, path, lineNumber, what);
        }
        if (fields.size() >= 2) {
            std::string_view rest = fields[1];
            while (!rest.empty()) {
                const std::size_t slash = rest.find('/');
                std::string one = WithoutMultiwordMarks(rest.substr(0, slash));
                if (!one.empty()) entry.Spanish.push_back(std::move(one));
                rest =
                    slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
            }
        }
        if (entry.Lemma.empty() || entry.Spanish.empty()) {
            if (badCount++ == 0) firstBad = lineNumber;
            continue;
        }
        const int index = static_cast<int>(translations.Entries.size());
        if (fields.size() >= 3)
            for (std::string_view form : SplitTokens(fields[2])) {
                translations.FormWords.emplace_back(form);
                translations.FormEntry.push_back(index);
            }
        translations.Entries.push_back(std::move(entry));
    }
    WarnBadLines(feedback, path, badCount, firstBad, "itzulpenik");
    if (translations.Empty()) return CannotOpen(feedback, what);
    translations.BuildIndexes();
    return true;
}

} // namespace zirtel

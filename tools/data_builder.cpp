#include "data_builder.h"

#include <hunspell.hxx>

#include <algorithm>
#include <cstddef>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "core/feedback/feedback.h"
#include "core/lexicon/lexicon.h"
#include "core/measures/bigram_table_writer.h"
#include "core/phonology/pronunciation_rules.h"
#include "core/phonology/syllabifier.h"
#include "core/text/collation.h"
#include "core/text/format.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"
#include "lemma_analyser.h"

namespace zirtel::tools {
namespace {

constexpr std::size_t kMaxWordLength = 31;  // longest word the lexicon holds
constexpr std::size_t kMaxFieldLength = 79; // longest syllabification or pronunciation
constexpr int kMinTableLength = 2;
constexpr int kMaxTableLength = 18;

struct Form {
    std::string Word; // Latin-1, lower case
    long long Count = 0;
    std::string Syllables;
    std::string Pronunciation;
};

struct Tally {
    long long Lines = 0;
    long long Forms = 0;
    long long Tokens = 0;
    long long Malformed = 0;
    long long BelowMinCount = 0;
    long long NotBasqueLetters = 0;
    long long TooLong = 0;
    long long RejectedByDictionary = 0;
    long long NoVowel = 0;
    long long OutsideRules = 0;
    long long Merged = 0;
};

// Reports the loader's messages as failures: the data just written must load without any.
class FailingFeedback : public SilentFeedback {
  public:
    MessageResult ShowMessage(const std::string& caption, const std::string& text,
                              MessageButtons) override {
        throw std::runtime_error("reading back the lexicon: " + caption + ": " + text);
    }
};

std::string Percent(long long part, long long whole) {
    return FormatReal(whole == 0 ? 0.0
                                 : 100.0 * static_cast<double>(part) / static_cast<double>(whole),
                      0, 1) +
           "%";
}

std::string PerMillion(double count, long long tokens) {
    return FormatReal(count * 1e6 / static_cast<double>(tokens), 0, 2);
}

void WriteOut(const std::filesystem::path& path, const std::string& bytes) {
    if (!WriteFileAtomically(path, bytes))
        throw std::runtime_error("cannot write " + path.string());
}

bool ParseCountLine(const std::string& line, std::string& form, long long& count) {
    std::istringstream in(line);
    std::string countText, extra;
    if (!(in >> form >> countText) || (in >> extra)) return false;
    const auto value = ParseInt(countText);
    if (!value || *value < 0) return false;
    count = *value;
    return true;
}

bool AllCoveredLetters(const std::string& word) {
    return !word.empty() && std::all_of(word.begin(), word.end(), IsCoveredLetter);
}

void PrintDistribution(std::ostream& report, const std::string& title,
                       const std::map<std::size_t, long long>& histogram) {
    report << title << "\n";
    for (const auto& [value, count] : histogram) report << "  " << value << "\t" << count << "\n";
}

} // namespace

void BuildDataSet(const BuildOptions& options, std::ostream& report) {
    // ---- Sources ----
    std::ifstream counts(options.Counts, std::ios::binary);
    if (!counts) throw std::runtime_error("cannot read " + options.Counts.string());
    const std::string aff = options.Dictionary.string() + ".aff";
    const std::string dic = options.Dictionary.string() + ".dic";
    if (!FileExists(aff) || !FileExists(dic))
        throw std::runtime_error("Hunspell dictionary not found: " + aff + ", " + dic);
    Hunspell speller(aff.c_str(), dic.c_str());
    std::filesystem::create_directories(options.OutFolder);

    // ---- Forms: read, filter, pronounce ----
    // Filters, in this order (a form is counted under the first that drops it): malformed line,
    // count below the minimum, letters outside the Basque alphabet (a-z, ñ, á é í ó ú ü) after
    // lower-casing, longer than the lexicon holds, refused by the dictionary (asked in lower
    // case), outside the pronunciation rules.
    Tally tally;
    std::vector<Form> forms;
    std::unordered_map<std::string, std::size_t> formIndex;
    std::string line;
    while (std::getline(counts, line)) {
        ++tally.Lines;
        if (Trim(line).empty()) continue;
        std::string raw;
        long long count = 0;
        if (!ParseCountLine(line, raw, count)) {
            ++tally.Malformed;
            continue;
        }
        ++tally.Forms;
        tally.Tokens += count;
        if (count < options.MinCount) {
            ++tally.BelowMinCount;
            continue;
        }
        if (!IsValidUtf8(raw)) {
            ++tally.NotBasqueLetters;
            continue;
        }
        const Latin1Conversion latin1 = Utf8ToLatin1(raw);
        const std::string word = LowerLatin1(latin1.Text);
        if (latin1.Unmapped > 0 || !AllCoveredLetters(word)) {
            ++tally.NotBasqueLetters;
            continue;
        }
        if (word.size() > kMaxWordLength) {
            ++tally.TooLong;
            continue;
        }
        if (!speller.spell(Latin1ToUtf8(word))) {
            ++tally.RejectedByDictionary;
            continue;
        }
        const Pronunciation pron = Pronounce(word);
        if (pron.Outcome == PronunciationOutcome::NoVowel) {
            ++tally.NoVowel;
            continue;
        }
        if (pron.Outcome != PronunciationOutcome::Ok) {
            ++tally.OutsideRules;
            continue;
        }
        Form f{word, count, Syllabify(word), pron.Text};
        if (f.Syllables.size() > kMaxFieldLength || f.Pronunciation.size() > kMaxFieldLength) {
            ++tally.TooLong;
            continue;
        }
        // The list is in lower case already; a form that lower-casing makes equal to an earlier
        // one adds its count to it.
        const auto [at, inserted] = formIndex.emplace(word, forms.size());
        if (!inserted) {
            forms[at->second].Count += count;
            ++tally.Merged;
            continue;
        }
        forms.push_back(std::move(f));
    }
    if (tally.Tokens <= 0) throw std::runtime_error("no tokens in " + options.Counts.string());
    std::sort(forms.begin(), forms.end(),
              [](const Form& a, const Form& b) { return CollateLess(a.Word, b.Word); });

    // ---- Whole words ----
    long long keptTokens = 0;
    std::string wholeWords;
    for (const Form& f : forms) {
        keptTokens += f.Count;
        wholeWords += Latin1ToUtf8(f.Word) + '\t' +
                      PerMillion(static_cast<double>(f.Count), tally.Tokens) + '\t' +
                      Latin1ToUtf8(f.Syllables) + '\t' + f.Pronunciation + '\n';
    }
    const auto wholeWordPath = options.OutFolder / "nwfreq_EUS.txt";
    WriteOut(wholeWordPath, wholeWords);

    // ---- Lemmas: each form's count shared evenly among its distinct lemmas ----
    std::vector<std::string> utf8Forms;
    utf8Forms.reserve(forms.size());
    for (const Form& f : forms) utf8Forms.push_back(Latin1ToUtf8(f.Word));
    const LemmaAnalysis analysis = AnalyseLemmas(utf8Forms, options.LtProc, options.Analyser);
    std::unordered_map<std::string, double> lemmaCounts; // Latin-1 lower-case lemma -> count
    long long knownForms = 0, knownTokens = 0, ambiguousForms = 0, refusedLemmas = 0;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        std::vector<std::string> lemmas;
        for (const std::string& l : analysis.Lemmas[i]) {
            const Latin1Conversion c = IsValidUtf8(l) ? Utf8ToLatin1(l) : Latin1Conversion{"", 1};
            const std::string lemma = LowerLatin1(c.Text);
            if (c.Unmapped > 0 || !AllCoveredLetters(lemma) || lemma.size() > kMaxWordLength) {
                ++refusedLemmas;
                continue;
            }
            if (std::find(lemmas.begin(), lemmas.end(), lemma) == lemmas.end())
                lemmas.push_back(lemma);
        }
        if (lemmas.empty()) {
            lemmaCounts[forms[i].Word] += static_cast<double>(forms[i].Count);
            continue;
        }
        ++knownForms;
        knownTokens += forms[i].Count;
        if (lemmas.size() > 1) ++ambiguousForms;
        const double share =
            static_cast<double>(forms[i].Count) / static_cast<double>(lemmas.size());
        for (const std::string& l : lemmas) lemmaCounts[l] += share;
    }
    std::vector<std::pair<std::string, double>> lemmaList(lemmaCounts.begin(), lemmaCounts.end());
    std::sort(lemmaList.begin(), lemmaList.end(),
              [](const auto& a, const auto& b) { return CollateLess(a.first, b.first); });
    std::string lemmaText;
    for (const auto& [lemma, count] : lemmaList)
        lemmaText += Latin1ToUtf8(lemma) + '\t' + PerMillion(count, tally.Tokens) + '\n';
    WriteOut(options.OutFolder / "lemak_EUS2.txt", lemmaText);

    // ---- Tables, from the lexicon exactly as the program loads it ----
    Lexicon lexicon;
    FailingFeedback feedback;
    if (!LoadWholeWordLexicon(wholeWordPath, lexicon, feedback))
        throw std::runtime_error("cannot read back " + wholeWordPath.string());
    if (lexicon.Size() != static_cast<int>(forms.size()))
        throw std::runtime_error("the lexicon read back has a different number of entries");
    for (int i = 0; i < lexicon.Size(); ++i)
        if (lexicon.Find(lexicon.LexWords[static_cast<std::size_t>(i)]) != i)
            throw std::runtime_error("lookup fails in the lexicon read back: " +
                                     Latin1ToUtf8(lexicon.LexWords[static_cast<std::size_t>(i)]));
    for (int n = kMinTableLength; n <= kMaxTableLength; ++n) {
        WriteOut(options.OutFolder / ("ZR_BF" + std::to_string(n) + ".txt"),
                 BigramTableFileText(CountBigrams(lexicon.LexWords, lexicon.LexFreqs, n)));
        WriteOut(options.OutFolder / ("ZR_BPF" + std::to_string(n) + ".txt"),
                 BiphoneTableFileText(CountBiphones(lexicon.LexPhonForms, lexicon.LexFreqs, n)));
    }

    // ---- Report ----
    std::map<std::size_t, long long> lengths, syllables, phonemes;
    for (const Form& f : forms) {
        ++lengths[f.Word.size()];
        ++syllables[static_cast<std::size_t>(
                        std::count(f.Syllables.begin(), f.Syllables.end(), '-')) +
                    1];
        ++phonemes[PhonemesOnly(f.Pronunciation).size()];
    }
    report << "Source: " << options.Counts.string() << "\n"
           << "Forms read: " << tally.Forms << " (" << tally.Tokens << " tokens)\n"
           << "Dropped, malformed line: " << tally.Malformed << "\n"
           << "Dropped, count below " << options.MinCount << ": " << tally.BelowMinCount << "\n"
           << "Dropped, letters outside the Basque alphabet: " << tally.NotBasqueLetters << "\n"
           << "Dropped, longer than the lexicon holds: " << tally.TooLong << "\n"
           << "Dropped, refused by the dictionary: " << tally.RejectedByDictionary << "\n"
           << "Dropped, no vowel (outside the pronunciation rules): " << tally.NoVowel << "\n"
           << "Dropped, other letter outside the pronunciation rules: " << tally.OutsideRules
           << "\n"
           << "Merged with an equal lower-case form: " << tally.Merged << "\n"
           << "Kept: " << forms.size() << " forms, " << keptTokens << " tokens ("
           << Percent(keptTokens, tally.Tokens) << " of all tokens)\n"
           << "Lemmas: " << knownForms << " of " << forms.size() << " forms known to the analyser ("
           << Percent(knownForms, static_cast<long long>(forms.size())) << " of forms, "
           << Percent(knownTokens, keptTokens) << " of their tokens); " << ambiguousForms
           << " with several lemmas; " << forms.size() - static_cast<std::size_t>(knownForms)
           << " unknown forms count for themselves; " << analysis.Unmatched
           << " analyser lines unmatched; " << refusedLemmas << " lemmas refused; "
           << lemmaList.size() << " distinct lemmas written\n";
    PrintDistribution(report, "Length in letters (letters, words):", lengths);
    PrintDistribution(report, "Syllables (syllables, words):", syllables);
    PrintDistribution(report, "Phonemes (phonemes, words):", phonemes);
    report
        << "Written to " << options.OutFolder.string()
        << ": nwfreq_EUS.txt, lemak_EUS2.txt, ZR_BF2.txt..ZR_BF18.txt, ZR_BPF2.txt..ZR_BPF18.txt\n";
}

} // namespace zirtel::tools

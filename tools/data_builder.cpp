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
    long long CreditArtefacts = 0;
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

enum class LemmaSource { Analyser, Hunspell, Neither };

// A form's share of a lemma's count.
struct Feed {
    std::size_t Form = 0;
    double Count = 0;
};

// The lemmas of the form as written in the lemma file (Latin-1, lower case), each once, from
// UTF-8 lemmas or stems; those outside the Basque alphabet or too long are counted as refused.
std::vector<std::string> AcceptedLemmas(const std::vector<std::string>& utf8, long long& refused) {
    std::vector<std::string> lemmas;
    for (const std::string& l : utf8) {
        const Latin1Conversion c = IsValidUtf8(l) ? Utf8ToLatin1(l) : Latin1Conversion{"", 1};
        const std::string lemma = LowerLatin1(c.Text);
        if (c.Unmapped > 0 || !AllCoveredLetters(lemma) || lemma.size() > kMaxWordLength) {
            ++refused;
            continue;
        }
        if (std::find(lemmas.begin(), lemmas.end(), lemma) == lemmas.end()) lemmas.push_back(lemma);
    }
    return lemmas;
}

bool IsCreditArtefact(const std::string& word) {
    return std::find_if(std::begin(kCreditArtefacts), std::end(kCreditArtefacts),
                        [&](const char* a) { return word == a; }) != std::end(kCreditArtefacts);
}

struct LemmaTally {
    long long Refused = 0;
    long long SharedBySupport = 0;
    long long SharedEvenly = 0;
};

constexpr std::size_t kSampleSize = 30;
constexpr std::size_t kLargest = 10;
constexpr std::size_t kMaxFeedsShown = 20;

// The lemma part of the report: where the lemmas came from, the ten largest lemmas, and a fixed
// sample of lemma entries (evenly spaced through the file) with the forms that feed them, each
// as "form share" or, when the form is shared with other lemmas, "form share of whole".
void PrintLemmaReport(std::ostream& report, const std::vector<Form>& forms,
                      const std::vector<std::vector<std::string>>& candidates,
                      const std::vector<LemmaSource>& sources, const LemmaAnalysis& analysis,
                      const std::vector<std::pair<std::string, double>>& lemmaList,
                      const std::unordered_map<std::string, std::vector<Feed>>& feeds,
                      const LemmaTally& tally, long long tokens) {
    long long byForms[3] = {}, byTokens[3] = {}, keptTokens = 0, prefixed = 0, several = 0;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const auto source = static_cast<std::size_t>(sources[i]);
        ++byForms[source];
        byTokens[source] += forms[i].Count;
        keptTokens += forms[i].Count;
        if (sources[i] == LemmaSource::Analyser && analysis.Prefixed[i]) ++prefixed;
        if (candidates[i].size() > 1) ++several;
    }
    const auto formCount = static_cast<long long>(forms.size());
    const char* const names[3] = {"the analyser", "Hunspell's stemmer",
                                  "neither (the form counts for itself)"};
    for (std::size_t s = 0; s < 3; ++s) {
        report << "Lemmas by " << names[s] << ": " << byForms[s] << " forms ("
               << Percent(byForms[s], formCount) << " of forms, "
               << Percent(byTokens[s], keptTokens) << " of their tokens)";
        if (s == 0) report << ", " << prefixed << " of them after a prefix";
        report << "\n";
    }
    report << "Forms with several lemmas: " << several << " (" << tally.SharedBySupport
           << " shared by support, " << tally.SharedEvenly << " evenly)\n"
           << "Analyser lines unmatched: " << analysis.Unmatched
           << "; lemmas refused: " << tally.Refused << "\n"
           << "Lemma entries written: " << lemmaList.size() << "\n";

    auto feedsOf = [&](const std::string& lemma) {
        std::vector<Feed> list = feeds.at(lemma);
        std::sort(list.begin(), list.end(), [&](const Feed& a, const Feed& b) {
            if (a.Count != b.Count) return a.Count > b.Count;
            return CollateLess(forms[a.Form].Word, forms[b.Form].Word);
        });
        return list;
    };
    std::vector<std::size_t> order(lemmaList.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return lemmaList[a].second > lemmaList[b].second;
    });
    report << "Ten largest lemmas (lemma, per million, forms feeding it):\n";
    for (std::size_t k = 0; k < std::min(kLargest, order.size()); ++k) {
        const auto& [lemma, count] = lemmaList[order[k]];
        report << "  " << Latin1ToUtf8(lemma) << "\t" << PerMillion(count, tokens) << "\t"
               << feeds.at(lemma).size() << "\n";
    }
    report << "Sample of " << kSampleSize
           << " lemma entries (lemma, per million: the forms feeding it, per million):\n";
    const std::size_t n = lemmaList.size();
    for (std::size_t k = 0; k < std::min(kSampleSize, n); ++k) {
        const std::size_t at = n <= kSampleSize ? k : (2 * k + 1) * n / (2 * kSampleSize);
        const auto& [lemma, count] = lemmaList[at];
        report << "  " << Latin1ToUtf8(lemma) << "\t" << PerMillion(count, tokens) << ":";
        const std::vector<Feed> list = feedsOf(lemma);
        for (std::size_t f = 0; f < std::min(kMaxFeedsShown, list.size()); ++f) {
            const Form& form = forms[list[f].Form];
            report << (f == 0 ? " " : ", ") << Latin1ToUtf8(form.Word) << " "
                   << PerMillion(list[f].Count, tokens);
            if (candidates[list[f].Form].size() > 1)
                report << " of " << PerMillion(static_cast<double>(form.Count), tokens);
        }
        if (list.size() > kMaxFeedsShown)
            report << ", and " << list.size() - kMaxFeedsShown << " more forms";
        report << "\n";
    }
}

} // namespace

const char* const kCreditArtefacts[4] = {"azpitituluak", "euskaratzailea", "euskaratzaileak",
                                         "itzulpena"};

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
    // case), a subtitle-credit artefact, outside the pronunciation rules.
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
        if (IsCreditArtefact(word)) {
            ++tally.CreditArtefacts;
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

    // ---- Lemmas: the analyser's, else Hunspell's stems, else the form itself ----
    std::vector<std::string> utf8Forms;
    utf8Forms.reserve(forms.size());
    for (const Form& f : forms) utf8Forms.push_back(Latin1ToUtf8(f.Word));
    const LemmaAnalysis analysis = options.Analyses.empty()
                                       ? AnalyseLemmas(utf8Forms, options.LtProc, options.Analyser)
                                       : ReadAnalyses(utf8Forms, options.Analyses);
    long long refusedLemmas = 0;
    std::vector<std::vector<std::string>> candidates(forms.size());
    std::vector<LemmaSource> sources(forms.size(), LemmaSource::Analyser);
    for (std::size_t i = 0; i < forms.size(); ++i) {
        candidates[i] = AcceptedLemmas(analysis.Lemmas[i], refusedLemmas);
        if (!candidates[i].empty()) continue;
        candidates[i] = AcceptedLemmas(speller.stem(utf8Forms[i]), refusedLemmas);
        sources[i] = LemmaSource::Hunspell;
        if (!candidates[i].empty()) continue;
        candidates[i] = {forms[i].Word};
        sources[i] = LemmaSource::Neither;
    }
    // A lemma's support: the count of the forms that have it as their only lemma.
    std::unordered_map<std::string, double> support;
    for (std::size_t i = 0; i < forms.size(); ++i)
        if (candidates[i].size() == 1)
            support[candidates[i][0]] += static_cast<double>(forms[i].Count);
    std::unordered_map<std::string, double> lemmaCounts; // Latin-1 lower-case lemma -> count
    std::unordered_map<std::string, std::vector<Feed>> feeds;
    long long sharedBySupport = 0, sharedEvenly = 0;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const std::vector<std::string>& lemmas = candidates[i];
        const double count = static_cast<double>(forms[i].Count);
        std::vector<double> weights(lemmas.size(), 1.0);
        if (lemmas.size() > 1) {
            double total = 0;
            for (std::size_t k = 0; k < lemmas.size(); ++k) {
                const auto at = support.find(lemmas[k]);
                weights[k] = (at == support.end() ? 0.0 : at->second) +
                             (lemmas[k] == forms[i].Word ? count : 0.0);
                total += weights[k];
            }
            if (total > 0) {
                ++sharedBySupport;
            } else {
                std::fill(weights.begin(), weights.end(), 1.0);
                ++sharedEvenly;
            }
        }
        double total = 0;
        for (double w : weights) total += w;
        for (std::size_t k = 0; k < lemmas.size(); ++k) {
            const double share = count * weights[k] / total;
            if (share <= 0) continue;
            lemmaCounts[lemmas[k]] += share;
            feeds[lemmas[k]].push_back({i, share});
        }
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
           << "Dropped, subtitle-credit artefact: " << tally.CreditArtefacts << "\n"
           << "Dropped, no vowel (outside the pronunciation rules): " << tally.NoVowel << "\n"
           << "Dropped, other letter outside the pronunciation rules: " << tally.OutsideRules
           << "\n"
           << "Merged with an equal lower-case form: " << tally.Merged << "\n"
           << "Kept: " << forms.size() << " forms, " << keptTokens << " tokens ("
           << Percent(keptTokens, tally.Tokens) << " of all tokens)\n";
    PrintLemmaReport(report, forms, candidates, sources, analysis, lemmaList, feeds,
                     {refusedLemmas, sharedBySupport, sharedEvenly}, tally.Tokens);
    PrintDistribution(report, "Length in letters (letters, words):", lengths);
    PrintDistribution(report, "Syllables (syllables, words):", syllables);
    PrintDistribution(report, "Phonemes (phonemes, words):", phonemes);
    report
        << "Written to " << options.OutFolder.string()
        << ": nwfreq_EUS.txt, lemak_EUS2.txt, ZR_BF2.txt..ZR_BF18.txt, ZR_BPF2.txt..ZR_BPF18.txt\n";
}

} // namespace zirtel::tools

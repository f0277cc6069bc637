#include "data_builder.h"

#include <hunspell.hxx>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "core/feedback/feedback.h"
#include "core/lexicon/lexicon.h"
#include "core/measures/bigram_table_writer.h"
#include "core/neighbours/known_neighbourhoods.h"
#include "core/phonology/pronunciation_rules.h"
#include "core/phonology/syllabifier.h"
#include "core/text/collation.h"
#include "core/text/format.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"
#include "espeak_agreement.h"
#include "lemma_analyser.h"
#include "lemma_rules.h"
#include "neighbourhood_file.h"
#include "spanish_data.h"
#include "word_origin.h"

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
    Origin WordOrigin = Origin::Euskara;
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

void PrintDistribution(std::ostream& report, const std::string& title,
                       const std::map<std::size_t, long long>& histogram) {
    report << title << "\n";
    for (const auto& [value, count] : histogram) report << "  " << value << "\t" << count << "\n";
}

enum class LemmaSource { Analyser, Hunspell, Neither };

// Whether the form is the lemma with a common nominal ending (sheriff-a, henry-k, rock-eko).
bool IsNominalEnding(const std::string& form, const std::string& lemma) {
    static const std::set<std::string> kEndings = {
        "a",  "ak",  "ari",  "aren", "arekin", "arentzat", "an",    "ra", "tik",    "ek",
        "ei", "en",  "ekin", "k",    "ri",     "ren",      "rekin", "z",  "az",     "ko",
        "ik", "rik", "era",  "etik", "ean",    "eko",      "ena",   "ok", "entzat", "ez"};
    return form.size() > lemma.size() && form.compare(0, lemma.size(), lemma) == 0 &&
           kEndings.contains(form.substr(lemma.size()));
}

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
        const std::string lemma = CoveredLowerWord(l);
        if (lemma.empty() || lemma.size() > kMaxWordLength) {
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
    long long NotWords = 0;
    long long Folded = 0;
    long long Unmatched = 0;
};

constexpr std::size_t kSampleSize = 30;
constexpr std::size_t kLargest = 10;
constexpr std::size_t kMaxFeedsShown = 20;

// The lemma part of the report: where the lemmas came from, the ten largest lemmas, and a fixed
// sample of lemma entries (evenly spaced through the file) with the forms that feed them, each
// as "form share" or, when the form is shared with other lemmas, "form share of whole".
void PrintLemmaReport(std::ostream& report, const std::vector<Form>& forms,
                      const std::vector<std::vector<std::string>>& candidates,
                      const std::vector<LemmaSource>& sources,
                      const std::vector<bool>& prefixedForms,
                      const std::vector<std::pair<std::string, double>>& lemmaList,
                      const std::unordered_map<std::string, std::vector<Feed>>& feeds,
                      const LemmaTally& tally, long long tokens) {
    long long byForms[3] = {}, byTokens[3] = {}, keptTokens = 0, prefixed = 0, several = 0;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const auto source = static_cast<std::size_t>(sources[i]);
        ++byForms[source];
        byTokens[source] += forms[i].Count;
        keptTokens += forms[i].Count;
        if (sources[i] == LemmaSource::Analyser && prefixedForms[i]) ++prefixed;
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
           << "Analyser lines unmatched: " << tally.Unmatched
           << "; lemmas refused: " << tally.Refused
           << "; analyser lemmas that are not words: " << tally.NotWords << "\n"
           << "Hunspell stems folded into a fuller lemma: " << tally.Folded << " forms\n"
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

constexpr std::size_t kOriginExamples = 20;
constexpr std::size_t kLargestMoves = 30;
constexpr std::size_t kChangedShown = 30;
constexpr std::size_t kEspeakSample = 1000;
constexpr unsigned kEspeakSeed = 2018;

// The forms and tokens of each origin, with its 20 most frequent forms.
void PrintOriginReport(std::ostream& report, const std::vector<Form>& forms, long long tokens) {
    std::vector<std::size_t> order(forms.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return forms[a].Count > forms[b].Count; });
    report << "Origins (origin: forms, per million, the most frequent forms):\n";
    for (int o = 0; o < kOriginCount; ++o) {
        const auto origin = static_cast<Origin>(o);
        long long count = 0, tokensOf = 0;
        std::string examples;
        for (std::size_t i : order) {
            if (forms[i].WordOrigin != origin) continue;
            ++count;
            tokensOf += forms[i].Count;
            if (count <= static_cast<long long>(kOriginExamples))
                examples += (count == 1 ? " " : ", ") + Latin1ToUtf8(forms[i].Word);
        }
        report << "  " << OriginName(origin) << ": " << count << " forms, "
               << PerMillion(static_cast<double>(tokensOf), tokens) << ":" << examples << "\n";
    }
}

// word -> second field of a tab-separated file (frequency), and -> fourth (pronunciation).
std::map<std::string, std::pair<double, std::string>>
ReadPrevious(const std::filesystem::path& path) {
    std::map<std::string, std::pair<double, std::string>> entries;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string word, freq, syllables, pron;
        if (!(fields >> word >> freq)) continue;
        fields >> syllables >> pron;
        entries[word] = {std::stod(freq), pron};
    }
    return entries;
}

// What changed since the earlier build: the 30 largest moves of lemma frequency and the forms
// whose pronunciation changed.
void PrintComparison(std::ostream& report, const std::filesystem::path& previous,
                     const std::vector<Form>& forms,
                     const std::vector<std::pair<std::string, double>>& lemmaList,
                     long long tokens) {
    const auto oldLemmas = ReadPrevious(previous / "lemak_EUS2.txt");
    std::map<std::string, double> newLemmas;
    for (const auto& [lemma, count] : lemmaList)
        newLemmas[Latin1ToUtf8(lemma)] = std::stod(PerMillion(count, tokens));
    std::map<std::string, std::pair<double, double>> moves; // lemma -> before, after
    for (const auto& [lemma, entry] : oldLemmas) moves[lemma].first = entry.first;
    for (const auto& [lemma, pm] : newLemmas) moves[lemma].second = pm;
    std::vector<std::pair<std::string, std::pair<double, double>>> list(moves.begin(), moves.end());
    std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
        return std::abs(a.second.second - a.second.first) >
               std::abs(b.second.second - b.second.first);
    });
    std::size_t changed = 0;
    for (const auto& m : list)
        if (FormatReal(m.second.first, 0, 2) != FormatReal(m.second.second, 0, 2)) ++changed;
    report << "Lemma entries: " << oldLemmas.size() << " before, " << newLemmas.size() << " now; "
           << changed << " lemmas changed frequency\n"
           << "Largest moves of lemma frequency (lemma, per million before, now, change):\n";
    for (std::size_t k = 0; k < std::min(kLargestMoves, list.size()); ++k) {
        const auto& [lemma, v] = list[k];
        report << "  " << lemma << "\t" << FormatReal(v.first, 0, 2) << "\t"
               << FormatReal(v.second, 0, 2) << "\t" << (v.second >= v.first ? "+" : "")
               << FormatReal(v.second - v.first, 0, 2) << "\n";
    }
    const auto oldWords = ReadPrevious(previous / "nwfreq_EUS.txt");
    std::vector<std::size_t> changedForms;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const auto at = oldWords.find(Latin1ToUtf8(forms[i].Word));
        if (at != oldWords.end() && at->second.second != forms[i].Pronunciation)
            changedForms.push_back(i);
    }
    std::stable_sort(changedForms.begin(), changedForms.end(),
                     [&](std::size_t a, std::size_t b) { return forms[a].Count > forms[b].Count; });
    report << "Forms whose pronunciation changed: " << changedForms.size()
           << " (the most frequent: form, before, now):\n";
    for (std::size_t k = 0; k < std::min(kChangedShown, changedForms.size()); ++k) {
        const Form& f = forms[changedForms[k]];
        report << "  " << Latin1ToUtf8(f.Word) << "\t" << oldWords.at(Latin1ToUtf8(f.Word)).second
               << "\t" << f.Pronunciation << "\n";
    }
}

void PrintAgreement(std::ostream& report, const std::string& title, const Agreement& a) {
    report << "  " << title << ": " << a.Identical << " of " << a.Compared << " identical ("
           << Percent(a.Identical, a.Compared) << "), " << a.UpToVariants
           << " with the accepted variants set aside (" << Percent(a.UpToVariants, a.Compared)
           << ")\n";
}

// The agreement with eSpeak NG over a fixed random sample of 1,000 forms, before (the earlier
// build's pronunciations, when there is one) and now.
void PrintEspeakAgreement(std::ostream& report, const BuildOptions& options,
                          const std::vector<Form>& forms) {
    std::map<std::string, std::pair<double, std::string>> oldWords;
    if (!options.Previous.empty()) oldWords = ReadPrevious(options.Previous / "nwfreq_EUS.txt");
    const std::vector<std::size_t> sample = FixedSample(forms.size(), kEspeakSample, kEspeakSeed);
    std::vector<std::string> words, now, before, espeakBefore;
    for (std::size_t i : sample) {
        words.push_back(Latin1ToUtf8(forms[i].Word));
        now.push_back(forms[i].Pronunciation);
    }
    const std::vector<std::string> espeak = EspeakReadings(words, options.Espeak);
    for (std::size_t k = 0; k < words.size(); ++k) {
        const auto at = oldWords.find(words[k]);
        if (at == oldWords.end()) continue;
        before.push_back(at->second.second);
        espeakBefore.push_back(espeak[k]);
    }
    report << "Agreement with eSpeak NG's Basque voice, " << words.size() << " random forms (seed "
           << kEspeakSeed << "):\n";
    if (!oldWords.empty()) PrintAgreement(report, "before", Compare(before, espeakBefore));
    PrintAgreement(report, "now", Compare(now, espeak));
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
    std::map<std::string, long long> referenceCounts; // "de" and "the", the foreign text's gauge
    std::vector<Form> forms;
    std::unordered_map<std::string, std::size_t> formIndex;
    std::string line;
    while (std::getline(counts, line)) {
        ++tally.Lines;
        const CountLine c = ReadCountLine(line, options.MinCount);
        if (c.Fate == CountLineFate::Blank) continue;
        if (c.Fate == CountLineFate::Malformed) {
            ++tally.Malformed;
            continue;
        }
        ++tally.Forms;
        tally.Tokens += c.Count;
        if (c.Raw == "de" || c.Raw == "the") referenceCounts[c.Raw] += c.Count;
        if (c.Fate != CountLineFate::Kept) {
            ++(c.Fate == CountLineFate::BelowMinCount    ? tally.BelowMinCount
               : c.Fate == CountLineFate::OutsideLetters ? tally.NotBasqueLetters
                                                         : tally.TooLong);
            continue;
        }
        const std::string& word = c.Word;
        const long long count = c.Count;
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
    std::unordered_map<std::string, std::size_t> position; // Latin-1 form -> index in `forms`
    for (std::size_t i = 0; i < forms.size(); ++i) position[forms[i].Word] = i;

    // ---- Lemmas: the analyser's, else those of Hunspell's stems, else the form itself ----
    std::vector<std::string> utf8Forms;
    utf8Forms.reserve(forms.size());
    for (const Form& f : forms) utf8Forms.push_back(Latin1ToUtf8(f.Word));
    auto analyse = [&](const std::vector<std::string>& words) {
        return options.Analyses.empty() ? AnalyseForms(words, options.LtProc, options.Analyser)
                                        : ReadAnalyses(words, options.Analyses);
    };
    const AnalyserOutput analysis = analyse(utf8Forms);
    auto isWord = [&](const std::string& w) { return speller.spell(w); };
    LemmaTally lemmaTally;
    lemmaTally.Unmatched = analysis.Unmatched;
    std::vector<std::vector<TaggedLemma>> tagged(forms.size());
    std::vector<std::vector<std::string>> utf8Lemmas(forms.size());
    std::vector<bool> prefixedForms(forms.size(), false);
    std::vector<LemmaSource> sources(forms.size(), LemmaSource::Analyser);
    std::vector<HunspellView> views(forms.size());
    std::set<std::string> analyserLemmas, stemsToAnalyse;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const AnalyserLemmas a = LemmasFromAnalyses(utf8Forms[i], analysis.Analyses[i], isWord);
        lemmaTally.NotWords += a.Dropped;
        for (const Analysis& an : analysis.Analyses[i])
            for (const MorphPart& part : an.Parts) analyserLemmas.insert(part.Lemma);
        if (!a.Lemmas.empty()) {
            tagged[i] = a.Lemmas;
            prefixedForms[i] = a.Prefixed;
            for (const TaggedLemma& l : a.Lemmas) utf8Lemmas[i].push_back(l.Lemma);
            continue;
        }
        sources[i] = LemmaSource::Hunspell;
        views[i].Stems = speller.stem(utf8Forms[i]);
        for (const std::string& m : speller.analyze(utf8Forms[i])) {
            const std::size_t st = m.find("st:");
            if (st != std::string::npos && !Trim(m.substr(0, st)).empty()) views[i].Prefixed = true;
        }
        for (const std::string& stem : StemsToAnalyse(views[i])) stemsToAnalyse.insert(stem);
    }
    const std::vector<std::string> stemList(stemsToAnalyse.begin(), stemsToAnalyse.end());
    const AnalyserOutput stemOutput = analyse(stemList);
    std::map<std::string, std::vector<Analysis>> stemAnalyses;
    for (std::size_t k = 0; k < stemList.size(); ++k)
        stemAnalyses[stemList[k]] = stemOutput.Analyses[k];
    for (std::size_t i = 0; i < forms.size(); ++i) {
        if (sources[i] != LemmaSource::Hunspell) continue;
        StemLemmas s =
            LemmasFromStems(utf8Forms[i], views[i], stemAnalyses, analyserLemmas, isWord);
        if (s.Folded) ++lemmaTally.Folded;
        prefixedForms[i] = views[i].Prefixed && !s.Lemmas.empty();
        tagged[i] = std::move(s.Tagged);
        utf8Lemmas[i] = std::move(s.Lemmas);
    }
    long long& refusedLemmas = lemmaTally.Refused;
    std::vector<std::vector<std::string>> candidates(forms.size());
    for (std::size_t i = 0; i < forms.size(); ++i) {
        candidates[i] = AcceptedLemmas(utf8Lemmas[i], refusedLemmas);
        if (!candidates[i].empty()) continue;
        candidates[i] = {forms[i].Word};
        sources[i] = LemmaSource::Neither;
        tagged[i].clear();
    }

    // ---- Origins, and the reading of c before e, i, y ----
    OriginListPaths listPaths = options.Lists;
    listPaths.BasqueDic = dic;
    const OriginLists lists(listPaths);
    std::vector<TaggedLemma> toTranslate;
    for (const auto& t : tagged) toTranslate.insert(toTranslate.end(), t.begin(), t.end());
    std::sort(toTranslate.begin(), toTranslate.end());
    toTranslate.erase(std::unique(toTranslate.begin(), toTranslate.end()), toTranslate.end());
    std::vector<std::vector<std::string>> translations(toTranslate.size());
    if (!options.Translations.empty())
        translations = ReadTranslations(toTranslate, options.Translations);
    else if (options.Analyses.empty())
        translations = TranslateLemmas(toTranslate, options.LtProc, options.Bilingual);
    std::set<TaggedLemma> loans;
    for (std::size_t k = 0; k < toTranslate.size(); ++k)
        for (const std::string& t : translations[k])
            if (SameSpelling(toTranslate[k].Lemma, t)) loans.insert(toTranslate[k]);
    auto perMillion = [&](long long count) {
        return static_cast<double>(count) * 1e6 / static_cast<double>(tally.Tokens);
    };
    const double foreignText = perMillion(std::max(referenceCounts["de"], referenceCounts["the"]));
    long long pronunciationsByLoanReading = 0;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        Form& f = forms[i];
        if (std::find(kCreditWords.begin(), kCreditWords.end(), f.Word) != kCreditWords.end()) {
            f.WordOrigin = Origin::Kreditua;
        } else if (!tagged[i].empty()) {
            f.WordOrigin = std::all_of(tagged[i].begin(), tagged[i].end(),
                                       [&](const TaggedLemma& l) { return loans.contains(l); })
                               ? Origin::Mailegua
                               : Origin::Euskara;
        } else {
            // A form in no list is judged by its lemma when the lemma is a form too.
            const std::string& lemma = candidates[i].front();
            const auto at = position.find(lemma);
            const bool listed = lists.InForeignList(f.Word) || lists.IsName(f.Word) ||
                                lists.IsCapitalisedName(f.Word);
            const std::size_t judged =
                !listed && at != position.end() && IsNominalEnding(f.Word, lemma) ? at->second : i;
            f.WordOrigin = OriginOfUnknown(forms[judged].Word, perMillion(forms[judged].Count),
                                           foreignText, lists);
        }
        const SoftC softC = SoftCOf(f.Word, candidates[i], lists);
        if (softC != SoftC::Spanish) {
            const Pronunciation p = Pronounce(f.Word, softC);
            if (p.Text != f.Pronunciation) ++pronunciationsByLoanReading;
            f.Pronunciation = p.Text;
        }
    }

    // ---- Whole words, with and without their origin ----
    long long keptTokens = 0;
    std::string wholeWords, withOrigin;
    for (const Form& f : forms) {
        keptTokens += f.Count;
        const std::string line = Latin1ToUtf8(f.Word) + '\t' +
                                 PerMillion(static_cast<double>(f.Count), tally.Tokens) + '\t' +
                                 Latin1ToUtf8(f.Syllables) + '\t' + f.Pronunciation;
        wholeWords += line + '\n';
        withOrigin += line + '\t' + OriginName(f.WordOrigin) + '\n';
    }
    const auto wholeWordPath = options.OutFolder / "nwfreq_EUS.txt";
    WriteOut(wholeWordPath, wholeWords);
    WriteOut(options.OutFolder / "jatorria_EUS.txt", withOrigin);

    // ---- Lemma counts ----
    // A lemma's support: the count of the forms that have it as their only lemma.
    std::unordered_map<std::string, double> support;
    for (std::size_t i = 0; i < forms.size(); ++i)
        if (candidates[i].size() == 1)
            support[candidates[i][0]] += static_cast<double>(forms[i].Count);
    std::unordered_map<std::string, double> lemmaCounts; // Latin-1 lower-case lemma -> count
    std::unordered_map<std::string, std::vector<Feed>> feeds;
    long long sharedBySupport = 0, sharedEvenly = 0;
    std::vector<std::vector<double>> shares(forms.size()); // the form's count given to lemma k
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
        shares[i].resize(lemmas.size());
        for (std::size_t k = 0; k < lemmas.size(); ++k) {
            const double share = count * weights[k] / total;
            shares[i][k] = share;
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

    // ---- Each form's lemmas with the share of its count each one receives ----
    std::string formText;
    std::map<std::string, int> familySizes; // lemma -> forms that have it
    std::size_t formLemmaPairs = 0;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        std::vector<std::size_t> order;
        for (std::size_t k = 0; k < candidates[i].size(); ++k)
            if (shares[i][k] > 0) order.push_back(k);
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return CollateLess(candidates[i][a], candidates[i][b]);
        });
        for (std::size_t k : order) {
            char share[32];
            std::snprintf(share, sizeof share, "%.4f",
                          shares[i][k] / static_cast<double>(forms[i].Count));
            formText += Latin1ToUtf8(forms[i].Word) + '\t' + Latin1ToUtf8(candidates[i][k]) + '\t' +
                        share + '\n';
            ++familySizes[candidates[i][k]];
            ++formLemmaPairs;
        }
    }
    WriteOut(options.OutFolder / "formak_EUS.txt", formText);
    std::vector<std::pair<std::string, int>> families(familySizes.begin(), familySizes.end());
    std::stable_sort(families.begin(), families.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::ostringstream familyReport;
    familyReport << "Form-lemma pairs: " << formLemmaPairs << " over " << forms.size()
                 << " forms and " << families.size() << " lemmas; the largest families:";
    for (std::size_t f = 0; f < families.size() && f < 10; ++f)
        familyReport << (f == 0 ? " " : ", ") << Latin1ToUtf8(families[f].first) << " "
                     << families[f].second;
    familyReport << '\n';

    // ---- Translations: each form takes those of its largest lemma that has any ----
    std::unordered_map<std::string, std::vector<std::string>> lemmaTranslations; // Latin-1
    for (std::size_t k = 0; k < toTranslate.size(); ++k) {
        const std::string lemma = LowerLatin1(Utf8ToLatin1(toTranslate[k].Lemma).Text);
        for (const std::string& t : translations[k]) {
            const std::string text = TranslationInLatin1(t);
            if (text.empty()) continue;
            std::vector<std::string>& list = lemmaTranslations[lemma];
            if (std::find(list.begin(), list.end(), text) == list.end()) list.push_back(text);
        }
    }
    std::map<std::string, TranslatedLemma> translated;
    for (const auto& [lemma, count] : lemmaList)
        if (const auto at = lemmaTranslations.find(lemma); at != lemmaTranslations.end())
            translated[lemma] = {lemma, at->second, {}};
    long long translatedForms = 0, translatedTokens = 0;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const std::string* best = nullptr;
        double bestShare = -1;
        for (std::size_t k = 0; k < candidates[i].size(); ++k)
            if (translated.contains(candidates[i][k]) && shares[i][k] > bestShare) {
                best = &candidates[i][k];
                bestShare = shares[i][k];
            }
        if (!best) continue;
        translated[*best].Forms.push_back(forms[i].Word);
        ++translatedForms;
        translatedTokens += forms[i].Count;
    }
    std::vector<TranslatedLemma> translatedList;
    for (auto& [lemma, t] : translated) translatedList.push_back(std::move(t));
    WriteOut(options.OutFolder / "itzulpenak_EUS.txt",
             TranslationFileText(std::move(translatedList)));

    // ---- Spanish forms and lemmas ----
    std::optional<SpanishTally> spanish;
    if (!options.Lists.SpanishCounts.empty()) {
        auto analyseSpanish = [&](const std::vector<std::string>& words) {
            if (!options.SpanishAnalyses.empty())
                return ReadAnalyses(words, options.SpanishAnalyses);
            if (!options.Analyses.empty()) {
                AnalyserOutput none;
                none.Analyses.resize(words.size());
                return none;
            }
            return AnalyseForms(words, options.LtProc, options.SpanishAnalyser);
        };
        const SpanishFiles files =
            BuildSpanishFiles(options.Lists.SpanishCounts, options.SpanishDictionary, lists,
                              analyseSpanish, options.MinCount);
        WriteOut(options.OutFolder / "es_EUS.txt", files.Forms);
        WriteOut(options.OutFolder / "es_lemak_EUS.txt", files.Lemmas);
        spanish = files.Tally;
    }

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

    // ---- The neighbourhoods of the files just written, as the program loads them ----
    std::ostringstream neighbourhoodReport;
    WriteOut(options.OutFolder / kNeighbourhoodFile,
             NeighbourhoodFileText(options.OutFolder, neighbourhoodReport));

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
    lemmaTally.SharedBySupport = sharedBySupport;
    lemmaTally.SharedEvenly = sharedEvenly;
    PrintLemmaReport(report, forms, candidates, sources, prefixedForms, lemmaList, feeds,
                     lemmaTally, tally.Tokens);
    report << familyReport.str();
    PrintOriginReport(report, forms, tally.Tokens);
    report << "Forms whose lemma has a Spanish translation: " << translatedForms << " ("
           << Percent(translatedForms, static_cast<long long>(forms.size())) << " of forms, "
           << Percent(translatedTokens, keptTokens)
           << " of their tokens); translated lemmas: " << translated.size() << "\n";
    if (spanish) PrintSpanishReport(report, *spanish);
    report << "Pronunciations read as an English or French loan (c before e, i, y as s): "
           << pronunciationsByLoanReading << " forms\n";
    if (!options.Previous.empty())
        PrintComparison(report, options.Previous, forms, lemmaList, tally.Tokens);
    if (!options.Espeak.empty()) PrintEspeakAgreement(report, options, forms);
    PrintDistribution(report, "Length in letters (letters, words):", lengths);
    PrintDistribution(report, "Syllables (syllables, words):", syllables);
    PrintDistribution(report, "Phonemes (phonemes, words):", phonemes);
    report << neighbourhoodReport.str();
    report << "Written to " << options.OutFolder.string()
           << ": nwfreq_EUS.txt, jatorria_EUS.txt, lemak_EUS2.txt, formak_EUS.txt, "
              "itzulpenak_EUS.txt, "
           << (spanish ? "es_EUS.txt, es_lemak_EUS.txt, " : "")
           << "ZR_BF2.txt..ZR_BF18.txt, ZR_BPF2.txt..ZR_BPF18.txt, " << kNeighbourhoodFile << "\n";
}

} // namespace zirtel::tools

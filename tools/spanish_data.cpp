#include "spanish_data.h"

#include <hunspell.hxx>

#include <algorithm>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <unordered_map>

#include "core/neighbours/levenshtein_index.h"
#include "core/text/collation.h"
#include "core/text/format.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"
#include "core/text/text_file.h"

namespace zirtel::tools {
namespace {

constexpr std::size_t kMaxWordLength = 31; // longest word the lexicons hold

struct SpanishForm {
    std::string Word; // Latin-1, lower case
    long long Count = 0;
};

std::string Percent(long long part, long long whole) {
    return FormatReal(whole == 0 ? 0.0
                                 : 100.0 * static_cast<double>(part) / static_cast<double>(whole),
                      0, 1) +
           "%";
}

// "form<TAB>per million<TAB>key" lines of words with their counts, sorted with the collation.
std::string ListText(std::vector<std::pair<std::string, double>> entries, long long tokens) {
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return CollateLess(a.first, b.first); });
    std::string text;
    for (const auto& [word, count] : entries)
        text += Latin1ToUtf8(word) + '\t' +
                FormatReal(count * 1e6 / static_cast<double>(tokens), 0, 2) + '\t' +
                Latin1ToUtf8(OrthographicKey(word)) + '\n';
    return text;
}

// The Spanish lemmas of a form's analyses (the first part's lemma of each), each once, in Latin-1;
// those outside the lexicons' letters are left out.
std::vector<std::string> LemmasOf(const std::vector<Analysis>& analyses) {
    std::vector<std::string> lemmas;
    for (const Analysis& a : analyses) {
        if (a.Parts.empty() || !IsValidUtf8(a.Parts[0].Lemma)) continue;
        const Latin1Conversion c = Utf8ToLatin1(a.Parts[0].Lemma);
        const std::string lemma = LowerLatin1(c.Text);
        if (c.Unmapped > 0 || !AllCoveredLetters(lemma) || lemma.size() > kMaxWordLength) continue;
        if (std::find(lemmas.begin(), lemmas.end(), lemma) == lemmas.end()) lemmas.push_back(lemma);
    }
    return lemmas;
}

} // namespace

bool ParseCountLine(const std::string& line, std::string& form, long long& count) {
    std::istringstream in(line);
    std::string countText, extra;
    if (!(in >> form >> countText) || (in >> extra)) return false;
    const auto value = ParseInt(countText);
    if (!value || *value < 0) return false;
    count = *value;
    return true;
}

std::string CoveredLowerWord(const std::string& utf8) {
    if (!IsValidUtf8(utf8)) return {};
    const Latin1Conversion c = Utf8ToLatin1(utf8);
    std::string word = LowerLatin1(c.Text);
    return c.Unmapped == 0 && AllCoveredLetters(word) ? word : std::string();
}

CountLine ReadCountLine(const std::string& line, long long minCount) {
    CountLine c;
    if (Trim(line).empty()) return c;
    c.Fate = CountLineFate::Malformed;
    if (!ParseCountLine(line, c.Raw, c.Count)) return c;
    c.Fate = CountLineFate::BelowMinCount;
    if (c.Count < minCount) return c;
    c.Fate = CountLineFate::OutsideLetters;
    c.Word = CoveredLowerWord(c.Raw);
    if (c.Word.empty()) return c;
    c.Fate = c.Word.size() > kMaxWordLength ? CountLineFate::TooLong : CountLineFate::Kept;
    return c;
}

bool AllCoveredLetters(const std::string& word) {
    return !word.empty() && std::all_of(word.begin(), word.end(), IsCoveredLetter);
}

SpanishFiles
BuildSpanishFiles(const std::filesystem::path& counts, const std::filesystem::path& dictionary,
                  const OriginLists& lists,
                  const std::function<AnalyserOutput(const std::vector<std::string>&)>& analyse,
                  long long minCount) {
    std::ifstream in(counts, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + counts.string());
    const std::string aff = dictionary.string() + ".aff", dic = dictionary.string() + ".dic";
    if (!FileExists(aff) || !FileExists(dic))
        throw std::runtime_error("Spanish Hunspell dictionary not found: " + aff + ", " + dic);
    Hunspell speller(aff.c_str(), dic.c_str());

    // Filters, in this order (a form is counted under the first that drops it): malformed line,
    // count below the minimum, letters outside the Spanish alphabet, too long, refused by the
    // dictionary (held only with a capital, or not at all); then, of the forms the analyser does
    // not know, names and foreign words.
    SpanishFiles files;
    SpanishTally& tally = files.Tally;
    std::vector<SpanishForm> forms;
    std::unordered_map<std::string, std::size_t> formIndex;
    std::string line;
    while (std::getline(in, line)) {
        const CountLine c = ReadCountLine(line, minCount);
        if (c.Fate == CountLineFate::Blank) continue;
        if (c.Fate == CountLineFate::Malformed) {
            ++tally.Malformed;
            continue;
        }
        ++tally.Forms;
        tally.Tokens += c.Count;
        if (c.Fate != CountLineFate::Kept) {
            ++(c.Fate == CountLineFate::BelowMinCount    ? tally.BelowMinCount
               : c.Fate == CountLineFate::OutsideLetters ? tally.NotSpanishLetters
                                                         : tally.TooLong);
            continue;
        }
        const std::string& word = c.Word;
        const long long count = c.Count;
        if (!speller.spell(Latin1ToUtf8(word))) {
            std::string capitalised = word;
            capitalised[0] = UpperLatin1(word.substr(0, 1))[0];
            ++(speller.spell(Latin1ToUtf8(capitalised)) ? tally.CapitalisedOnly
                                                        : tally.RejectedByDictionary);
            continue;
        }
        const auto [at, inserted] = formIndex.emplace(word, forms.size());
        if (inserted)
            forms.push_back({word, count});
        else
            forms[at->second].Count += count;
    }
    if (tally.Tokens <= 0) throw std::runtime_error("no tokens in " + counts.string());

    std::vector<std::string> utf8;
    utf8.reserve(forms.size());
    for (const SpanishForm& f : forms) utf8.push_back(Latin1ToUtf8(f.Word));
    const AnalyserOutput analysis = analyse(utf8);
    std::vector<std::pair<std::string, double>> kept;
    std::vector<std::vector<std::string>> lemmas;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        std::vector<std::string> l = LemmasOf(analysis.Analyses[i]);
        if (l.empty()) {
            if (lists.IsName(forms[i].Word)) {
                ++tally.Names;
                continue;
            }
            if (lists.InEnglishOrFrench(forms[i].Word)) {
                ++tally.Foreign;
                continue;
            }
            l = {forms[i].Word};
        } else {
            ++tally.KnownToAnalyser;
        }
        kept.emplace_back(forms[i].Word, static_cast<double>(forms[i].Count));
        lemmas.push_back(std::move(l));
        tally.KeptTokens += forms[i].Count;
    }

    // A lemma's support: the count of the forms that have it as their only lemma.
    std::unordered_map<std::string, double> support, lemmaCounts;
    for (std::size_t k = 0; k < kept.size(); ++k)
        if (lemmas[k].size() == 1) support[lemmas[k][0]] += kept[k].second;
    for (std::size_t k = 0; k < kept.size(); ++k) {
        std::vector<double> weights(lemmas[k].size(), 0.0);
        double total = 0;
        for (std::size_t j = 0; j < lemmas[k].size(); ++j) {
            const auto at = support.find(lemmas[k][j]);
            weights[j] = (at == support.end() ? 0.0 : at->second) +
                         (lemmas[k][j] == kept[k].first ? kept[k].second : 0.0);
            total += weights[j];
        }
        if (total <= 0) {
            std::fill(weights.begin(), weights.end(), 1.0);
            total = static_cast<double>(weights.size());
        }
        for (std::size_t j = 0; j < lemmas[k].size(); ++j)
            if (weights[j] > 0) lemmaCounts[lemmas[k][j]] += kept[k].second * weights[j] / total;
    }
    tally.LemmaEntries = static_cast<long long>(lemmaCounts.size());
    files.Forms = ListText(kept, tally.Tokens);
    files.Lemmas = ListText({lemmaCounts.begin(), lemmaCounts.end()}, tally.Tokens);
    return files;
}

void PrintSpanishReport(std::ostream& report, const SpanishTally& t) {
    report << "Spanish forms read: " << t.Forms << " (" << t.Tokens << " tokens)\n"
           << "  dropped, malformed line: " << t.Malformed << "\n"
           << "  dropped, count below the minimum: " << t.BelowMinCount << "\n"
           << "  dropped, letters outside the Spanish alphabet: " << t.NotSpanishLetters << "\n"
           << "  dropped, longer than the lexicons hold: " << t.TooLong << "\n"
           << "  dropped, a name (the dictionary has it only with a capital): " << t.CapitalisedOnly
           << "\n"
           << "  dropped, refused by the Spanish dictionary: " << t.RejectedByDictionary << "\n"
           << "  dropped, unknown to the Spanish analyser and a first name: " << t.Names << "\n"
           << "  dropped, unknown to the Spanish analyser and an English or French word: "
           << t.Foreign << "\n";
    const long long kept = t.Forms - t.Malformed - t.BelowMinCount - t.NotSpanishLetters -
                           t.TooLong - t.CapitalisedOnly - t.RejectedByDictionary - t.Names -
                           t.Foreign;
    report << "Spanish forms kept: " << kept << " (" << Percent(t.KeptTokens, t.Tokens)
           << " of the tokens), " << t.KnownToAnalyser
           << " known to the Spanish analyser; Spanish lemma entries: " << t.LemmaEntries << "\n";
}

std::string TranslationInLatin1(const std::string& utf8) {
    if (!IsValidUtf8(utf8)) return {};
    const Latin1Conversion c = Utf8ToLatin1(utf8);
    if (c.Unmapped > 0 || c.Text.find_first_of("\t\r\n/") != std::string::npos) return {};
    return c.Text;
}

std::string TranslationFileText(std::vector<TranslatedLemma> lemmas) {
    std::sort(lemmas.begin(), lemmas.end(), [](const TranslatedLemma& a, const TranslatedLemma& b) {
        return CollateLess(a.Lemma, b.Lemma);
    });
    std::string text;
    for (const TranslatedLemma& l : lemmas) {
        text += Latin1ToUtf8(l.Lemma) + '\t';
        for (std::size_t k = 0; k < l.Translations.size(); ++k)
            text += (k == 0 ? "" : "/") + Latin1ToUtf8(l.Translations[k]);
        text += '\t';
        for (std::size_t k = 0; k < l.Forms.size(); ++k)
            text += (k == 0 ? "" : " ") + Latin1ToUtf8(l.Forms[k]);
        text += '\n';
    }
    return text;
}

} // namespace zirtel::tools

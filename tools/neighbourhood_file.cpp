#include "neighbourhood_file.h"

#include <future>
#include <ostream>
#include <stdexcept>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/feedback/feedback.h"
#include "core/lexicon/lexicon.h"
#include "core/lexicon/spanish_words.h"
#include "core/neighbours/known_neighbourhoods.h"
#include "core/neighbours/levenshtein_measures.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"

namespace zirtel::tools {

namespace {

using Rows = std::vector<std::pair<std::string, Neighbourhood>>;

// Each key once, in the order first met; empty keys (an entry without a pronunciation) left out.
std::vector<std::string> DistinctKeys(std::vector<std::string> keys) {
    std::unordered_set<std::string> seen;
    std::vector<std::string> distinct;
    for (std::string& key : keys)
        if (!key.empty() && seen.insert(key).second) distinct.push_back(std::move(key));
    return distinct;
}

struct Section {
    std::string_view Name;
    std::string Text;
    std::size_t Rows = 0;
};

// The section of the index built on `entries` (with `words`' frequencies when `zipf`), for the
// keys `queries`.
Section Measure(std::string_view name, const Lexicon& words,
                const std::vector<std::string>& entries, bool zipf,
                const std::vector<std::string>& queries) {
    const LevenshteinIndex index(entries);
    Rows rows;
    rows.reserve(queries.size());
    for (const std::string& key : queries)
        rows.emplace_back(key, MeasureNeighbourhood(words, index, key, zipf));
    return {.Name = name,
            .Text = NeighbourhoodSectionText(
                name, NeighbourhoodDigest(entries, zipf ? &words.LexFreqs : nullptr), rows),
            .Rows = rows.size()};
}

template <typename Fn>
std::vector<std::string> KeysOf(const std::vector<std::string>& words, Fn key) {
    std::vector<std::string> keys;
    keys.reserve(words.size());
    for (const std::string& w : words) keys.push_back(key(w));
    return keys;
}

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

std::string NeighbourhoodFileText(const std::filesystem::path& folder, std::ostream& report) {
    SilentFeedback feedback;
    Lexicon whole, lemmas;
    if (!LoadWholeWordLexicon(folder / kWholeWordFile, whole, feedback))
        throw std::runtime_error("cannot read " + (folder / kWholeWordFile).string());
    LoadLemmaLexicon(folder / kLemmaFile, lemmas, feedback);
    SpanishWords spanishForms, spanishLemmas;
    if (FileExists(folder / kSpanishFormFile))
        LoadSpanishWords(folder / kSpanishFormFile, spanishForms, feedback);
    if (FileExists(folder / kSpanishLemmaFile))
        LoadSpanishWords(folder / kSpanishLemmaFile, spanishLemmas, feedback);

    const std::vector<std::string> orth = KeysOf(whole.LexWords, OrthographicKey);
    const std::vector<std::string> phon = KeysOf(whole.LexPhonForms, PhonologicalKey);
    // The sections are measured side by side, one thread each.
    std::vector<std::future<Section>> sections;
    sections.push_back(std::async(std::launch::async, [&] {
        return Measure(kOrthSection, whole, orth, true,
                       DistinctKeys(Joined(orth, KeysOf(lemmas.LexWords, OrthographicKey))));
    }));
    if (whole.HasPronunciations())
        sections.push_back(std::async(std::launch::async, [&] {
            return Measure(kPhonSection, whole, phon, true, DistinctKeys(phon));
        }));
    if (!spanishForms.Empty())
        sections.push_back(std::async(std::launch::async, [&] {
            return Measure(kSpanishFormSection, spanishForms.Keys, spanishForms.Keys.LexWords,
                           false, DistinctKeys(KeysOf(whole.LexWords, SpanishKey)));
        }));
    if (!spanishLemmas.Empty() && lemmas.Size() > 0)
        sections.push_back(std::async(std::launch::async, [&] {
            return Measure(kSpanishLemmaSection, spanishLemmas.Keys, spanishLemmas.Keys.LexWords,
                           false, DistinctKeys(KeysOf(lemmas.LexWords, SpanishKey)));
        }));
    std::string text;
    for (std::future<Section>& f : sections) {
        const Section s = f.get();
        report << "Neighbourhoods, " << s.Name << ": " << s.Rows << " keys\n";
        text += s.Text;
    }
    return Latin1ToUtf8(text);
}

} // namespace zirtel::tools

#include "neighbourhood_file.h"

#include <future>
#include <initializer_list>
#include <ostream>
#include <stdexcept>
#include <unordered_set>
#include <utility>
#include <vector>

#include "core/analysis/table_store.h"
#include "core/feedback/feedback.h"
#include "core/lexicon/lexicon.h"
#include "core/lexicon/spanish_words.h"
#include "core/neighbours/known_neighbourhoods.h"
#include "core/neighbours/levenshtein_measures.h"
#include "core/text/latin1.h"

namespace zirtel::tools {

namespace {

// The keys of the words of the lists, each once, in the order first met; empty keys (a word
// without a pronunciation) left out.
template <typename Key>
std::vector<std::string> DistinctKeys(std::initializer_list<const std::vector<std::string>*> lists,
                                      Key key) {
    std::vector<std::string> keys;
    std::unordered_set<std::string> seen;
    for (const std::vector<std::string>* words : lists)
        for (const std::string& w : *words)
            if (std::string k = key(w); !k.empty() && seen.insert(k).second)
                keys.push_back(std::move(k));
    return keys;
}

struct Section {
    std::string_view Name;
    std::string Text;
    std::size_t Rows = 0;
};

// The section of `table` (built on `words`) for the keys `queries`, searched.
Section Measure(std::string_view name, const LevenshteinTable& table, const Lexicon& words,
                bool zipf, const std::vector<std::string>& queries) {
    std::vector<std::pair<std::string, Neighbourhood>> rows;
    rows.reserve(queries.size());
    for (const std::string& key : queries)
        rows.emplace_back(key, MeasureNeighbourhood(words, table.Index, key, zipf));
    return {.Name = name,
            .Text = NeighbourhoodSectionText(name, table.Digest, rows),
            .Rows = rows.size()};
}

} // namespace

std::string NeighbourhoodFileText(const std::filesystem::path& folder, std::ostream& report) {
    SilentFeedback feedback;
    Lexicon whole, lemmas;
    if (!LoadWholeWordLexicon(folder / kWholeWordFile, whole, feedback))
        throw std::runtime_error("cannot read " + (folder / kWholeWordFile).string());
    LoadLemmaLexicon(folder / kLemmaFile, lemmas, feedback);
    // The indexes as the program builds them from the folder's files, built before the threads
    // share them.
    TableStore tables(folder);
    const LevenshteinTable& orth = tables.OrthLevenshtein(whole);
    const LevenshteinTable& phon = tables.PhonLevenshtein(whole);
    const SpanishWords& spanishForms = tables.Spanish(false, feedback);
    const SpanishWords& spanishLemmas = tables.Spanish(true, feedback);
    const LevenshteinTable& spanishFormIndex = tables.SpanishLevenshtein(false, feedback);
    const LevenshteinTable& spanishLemmaIndex = tables.SpanishLevenshtein(true, feedback);

    // The sections are measured side by side, one thread each.
    std::vector<std::future<Section>> sections;
    sections.push_back(std::async(std::launch::async, [&] {
        return Measure(kOrthSection, orth, whole, true,
                       DistinctKeys({&whole.LexWords, &lemmas.LexWords}, OrthographicKey));
    }));
    if (whole.HasPronunciations())
        sections.push_back(std::async(std::launch::async, [&] {
            return Measure(kPhonSection, phon, whole, true,
                           DistinctKeys({&whole.LexPhonForms}, PhonologicalKey));
        }));
    if (!spanishForms.Empty())
        sections.push_back(std::async(std::launch::async, [&] {
            return Measure(kSpanishFormSection, spanishFormIndex, spanishForms.Keys, false,
                           DistinctKeys({&whole.LexWords}, SpanishKey));
        }));
    if (!spanishLemmas.Empty() && lemmas.Size() > 0)
        sections.push_back(std::async(std::launch::async, [&] {
            return Measure(kSpanishLemmaSection, spanishLemmaIndex, spanishLemmas.Keys, false,
                           DistinctKeys({&lemmas.LexWords}, SpanishKey));
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

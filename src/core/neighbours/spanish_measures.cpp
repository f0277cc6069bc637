#include "core/neighbours/spanish_measures.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>

#include "core/fields/measure_tables.h"
#include "core/fields/row_values.h"
#include "core/lexicon/spanish_words.h"
#include "core/neighbours/known_neighbourhoods.h"
#include "core/neighbours/levenshtein_measures.h"
#include "core/neighbours/ortho_neighbour_list.h"
#include "core/text/letters.h"

namespace zirtel {

namespace {

// Calls `found(entry, position)` for each Spanish word one letter replaced away from the key.
template <typename Found>
void EachSubstitution(const SpanishWords& words, const std::string& key, Found found) {
    const Lexicon& lex = words.Keys;
    const EditHashes edits(lex.WordIndex(), key);
    std::string candidate = key;
    for (std::size_t at = 0; at < key.size(); ++at) {
        const char own = key[at];
        for (int letter = 0; letter < kAlphabetSize; ++letter) {
            const char c = AlphabetLetter(letter);
            if (c == own) continue;
            candidate[at] = c;
            const int entry = lex.FindHashed(candidate, edits.Substituted(at, c));
            if (entry >= 0) found(static_cast<std::size_t>(entry), static_cast<int>(at) + 1);
        }
        candidate[at] = own;
    }
}

} // namespace

SpanishNeighbours FindSpanishNeighbours(const SpanishWords& words, std::string_view word) {
    SpanishNeighbours found;
    if (words.Empty()) return found;
    EachSubstitution(words, SpanishKey(word), [&](std::size_t entry, int) {
        ++found.Count;
        found.FreqSum += words.Keys.LexFreqs[entry];
    });
    return found;
}

void RecordSpanishNeighbours(const SpanishWords& words, std::string_view word, bool deletions,
                             bool additions, bool listed, std::vector<NeighbourRecord>& records) {
    if (words.Empty()) return;
    const Lexicon& lex = words.Keys;
    const std::string key = SpanishKey(word);
    const auto keep = [&](std::size_t entry, NeighbourKind kind, int position) {
        records.push_back({.Word = words.Forms[entry],
                           .Kind = kind,
                           .Position = position,
                           .Frequency = lex.LexFreqs[entry],
                           .Listed = listed,
                           .Spanish = true});
    };
    const auto record = [&](const std::string& candidate, NeighbourKind kind, int position) {
        if (const int entry = lex.Find(candidate); entry >= 0)
            keep(static_cast<std::size_t>(entry), kind, position);
    };
    EachSubstitution(words, key, [&](std::size_t entry, int position) {
        keep(entry, NeighbourKind::Substitution, position);
    });
    if (deletions)
        for (std::size_t at = 0; at < key.size(); ++at) {
            // Removing either of two equal adjacent letters gives the same word.
            if (at > 0 && key[at] == key[at - 1]) continue;
            record(key.substr(0, at) + key.substr(at + 1), NeighbourKind::Deletion,
                   static_cast<int>(at) + 1);
        }
    if (additions)
        for (std::size_t at = 0; at <= key.size(); ++at)
            for (int letter = 0; letter < kAlphabetSize; ++letter) {
                const char c = AlphabetLetter(letter);
                // A letter inserted right after an equal letter was tried in front of it.
                if (at > 0 && key[at - 1] == c) continue;
                record(key.substr(0, at) + c + key.substr(at), NeighbourKind::Addition,
                       static_cast<int>(at) + 1);
            }
}

namespace {

std::string JoinedTranslations(const Translations::Entry& entry) {
    std::string text;
    for (const std::string& t : entry.Spanish) {
        if (!text.empty()) text += '/';
        text += t;
    }
    return text;
}

} // namespace

double SpellingSimilarity(std::string_view a, std::string_view b) {
    const std::string ka = SpanishKey(a), kb = SpanishKey(b);
    const std::size_t longer = std::max(ka.size(), kb.size());
    if (longer == 0) return 1.0;
    return 1.0 - static_cast<double>(LevenshteinDistance(ka, kb)) / static_cast<double>(longer);
}

void WriteSpanishMeasures(MeasureContext& ctx, RowValues& values) {
    const bool lemmas = &ctx.Current != &ctx.WholeWords;
    const std::string key = SpanishKey(values.Item());
    if (values.WantsAny({FieldId::kES_MAIZT, FieldId::kES_ZIPF, FieldId::kES_N,
                         FieldId::kES_N_MAIZT, FieldId::kES_OLD20})) {
        // Every table the fields read is read (or built) here, whatever the item: the first item
        // measured loads them all before any other thread measures.
        const SpanishWords& words = ctx.Tables.Spanish(lemmas, ctx.UI);
        if (values.WantsAny({FieldId::kES_MAIZT, FieldId::kES_ZIPF})) {
            const int entry = words.Keys.Find(key);
            const double freq =
                entry < 0 ? 0.0 : words.Keys.LexFreqs[static_cast<std::size_t>(entry)];
            if (entry < 0)
                values.PutMissing(FieldId::kES_MAIZT, MissingReason::NotInLexicon);
            else
                values.PutReal(FieldId::kES_MAIZT, freq);
            if (const std::optional<double> zipf = Zipf(freq))
                values.PutReal(FieldId::kES_ZIPF, *zipf);
            else
                values.PutMissing(FieldId::kES_ZIPF, MissingReason::NotInLexicon);
        }
        if (values.WantsAny({FieldId::kES_N, FieldId::kES_N_MAIZT})) {
            const SpanishNeighbours n = FindSpanishNeighbours(words, key);
            values.PutCount(FieldId::kES_N, n.Count);
            values.PutReal(FieldId::kES_N_MAIZT, n.FreqSum);
        }
        if (values.Wants(FieldId::kES_OLD20)) {
            const std::optional<double> mean =
                NeighbourhoodOf(ctx.Tables.SpanishLevenshtein(lemmas, ctx.UI), words.Keys, key,
                                false)
                    .Mean;
            if (mean)
                values.PutReal(FieldId::kES_OLD20, *mean);
            else
                values.PutMissing(FieldId::kES_OLD20, MissingReason::NotFound);
        }
    }
    if (ctx.OrthoList && ctx.ListSpanishNs) {
        const std::size_t first = values.OrthoNeighbours().size();
        RecordSpanishNeighbours(ctx.Tables.Spanish(lemmas, ctx.UI), values.Item(),
                                ctx.ListDeletionNs, ctx.ListAdditionNs, ctx.OrthoListShown,
                                values.OrthoNeighbours());
        if (ctx.OrthoListShown)
            LayOutSpanishNeighbours(*ctx.OrthoList,
                                    std::span(values.OrthoNeighbours()).subspan(first));
    }
    if (values.WantsAny({FieldId::kITZULPENA, FieldId::kKOGNATU})) {
        const Translations& translations = ctx.Tables.SpanishTranslations(ctx.UI);
        const Translations::Entry* entry =
            lemmas ? translations.OfLemma(values.Item()) : translations.OfForm(values.Item());
        if (!entry) {
            values.PutMissing(FieldId::kITZULPENA, MissingReason::NotInLexicon);
            values.PutMissing(FieldId::kKOGNATU, MissingReason::NotInLexicon);
            return;
        }
        values.PutText(FieldId::kITZULPENA, JoinedTranslations(*entry));
        values.PutReal(FieldId::kKOGNATU, SpellingSimilarity(entry->Lemma, entry->Spanish[0]));
    }
}

} // namespace zirtel

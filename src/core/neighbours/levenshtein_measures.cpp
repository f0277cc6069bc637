#include "core/neighbours/levenshtein_measures.h"

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "core/fields/measure_tables.h"
#include "core/fields/row_values.h"
#include "core/lexicon/lexicon.h"
#include "core/neighbours/known_neighbourhoods.h"
#include "core/phonology/item_pronunciation.h"

namespace zirtel {

namespace {

constexpr int kClosest = 20;

void PutMean(RowValues& values, FieldId field, const std::optional<double>& mean,
             MissingReason none) {
    if (mean)
        values.PutReal(field, *mean);
    else
        values.PutMissing(field, none);
}

// The mean Zipf value of the entries that enter the mean distance.
std::optional<double> MeanZipf(const Lexicon& words, const LevenshteinIndex::Closest& closest) {
    if (!closest.Mean || closest.Entries.empty()) return std::nullopt;
    double sum = 0.0;
    for (const LevenshteinIndex::Neighbour& n : closest.Entries)
        sum += Zipf(words.LexFreqs[n.Entry]).value_or(0.0);
    return sum / static_cast<double>(closest.Entries.size());
}

// OLD20 or PLD20 (`mean`) and OLD20F or PLD20F (`zipf`) of one key, whichever are wanted: as
// the data folder's neighbourhoods give them, else searched.
void PutNeighbourhood(RowValues& values, const Lexicon& words, const LevenshteinTable& table,
                      std::string_view key, FieldId mean, FieldId zipf) {
    const bool wantsZipf = values.Wants(zipf);
    if (!wantsZipf && !values.Wants(mean)) return;
    const Neighbourhood n = NeighbourhoodOf(table, words, key, wantsZipf);
    PutMean(values, mean, n.Mean, MissingReason::NotFound);
    if (wantsZipf) PutMean(values, zipf, n.ZipfMean, MissingReason::NotFound);
}

} // namespace

Neighbourhood MeasureNeighbourhood(const Lexicon& words, const LevenshteinIndex& index,
                                   std::string_view key, bool zipf) {
    if (!zipf) return {.Mean = index.MeanClosest(key, kClosest), .ZipfMean = std::nullopt};
    const LevenshteinIndex::Closest closest = index.ClosestEntries(key, kClosest);
    return {.Mean = closest.Mean, .ZipfMean = MeanZipf(words, closest)};
}

Neighbourhood NeighbourhoodOf(const LevenshteinTable& table, const Lexicon& words,
                              std::string_view key, bool zipf) {
    if (std::optional<Neighbourhood> known = table.Known.Find(key)) return *known;
    return MeasureNeighbourhood(words, table.Index, key, zipf);
}

void WriteLevenshteinNeighbourhood(MeasureContext& ctx, RowValues& values) {
    const Lexicon& words = ctx.WholeWords;
    if (values.WantsAny({FieldId::kOLD20, FieldId::kOLD20F}))
        PutNeighbourhood(values, words, ctx.Tables.OrthLevenshtein(words),
                         OrthographicKey(values.Item()), FieldId::kOLD20, FieldId::kOLD20F);
    if (values.WantsAny({FieldId::kPLD20, FieldId::kPLD20F})) {
        // A word's pronunciation, or the rules' for an item the lexicon lacks while they are
        // used.
        const ItemPhonology& p = ItemPhonologyOf(ctx, values);
        if (!p.Known()) {
            values.PutMissing(FieldId::kPLD20, MissingReason::NoPronunciation);
            values.PutMissing(FieldId::kPLD20F, MissingReason::NoPronunciation);
            return;
        }
        PutNeighbourhood(values, words, ctx.Tables.PhonLevenshtein(words), PhonologicalKey(p.Phon),
                         FieldId::kPLD20, FieldId::kPLD20F);
    }
}

} // namespace zirtel

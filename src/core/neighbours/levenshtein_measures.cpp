#include "core/neighbours/levenshtein_measures.h"

#include <optional>
#include <string>

#include "core/fields/measure_tables.h"
#include "core/fields/row_values.h"
#include "core/lexicon/lexicon.h"
#include "core/neighbours/levenshtein_index.h"
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

} // namespace

void WriteLevenshteinNeighbourhood(MeasureContext& ctx, RowValues& values) {
    const Lexicon& words = ctx.WholeWords;
    if (values.Wants(FieldId::kOLD20))
        PutMean(
            values, FieldId::kOLD20,
            ctx.Tables.OrthLevenshtein(words).MeanClosest(OrthographicKey(values.Item()), kClosest),
            MissingReason::NotFound);
    if (values.Wants(FieldId::kPLD20)) {
        // A word's pronunciation, or the rules' for an item the lexicon lacks while they are
        // used.
        const ItemPhonology& p = ItemPhonologyOf(ctx, values);
        std::optional<double> mean;
        if (p.Known())
            mean = ctx.Tables.PhonLevenshtein(words).MeanClosest(PhonologicalKey(p.Phon), kClosest);
        PutMean(values, FieldId::kPLD20, mean,
                p.Known() ? MissingReason::NotFound : MissingReason::NoPronunciation);
    }
}

} // namespace zirtel

#include "core/neighbours/levenshtein_measures.h"

#include <optional>
#include <string>

#include "core/fields/row_cells.h"
#include "core/lexicon/lexicon.h"
#include "core/measures/measure_tables.h"
#include "core/neighbours/levenshtein_index.h"

namespace zirtel {

namespace {

constexpr int kClosest = 20;

void PutMean(RowCells& cells, FieldId field, const std::optional<double>& mean) {
    if (mean)
        cells.PutReal(field, *mean);
    else
        cells.Put(field, "   -  ");
}

} // namespace

void WriteLevenshteinNeighbourhood(MeasureContext& ctx, RowCells& cells) {
    const Lexicon& words = ctx.WholeWords;
    if (cells.Wants(FieldId::kOLD20))
        PutMean(
            cells, FieldId::kOLD20,
            ctx.Tables.OrthLevenshtein(words).MeanClosest(OrthographicKey(cells.Item()), kClosest));
    if (cells.Wants(FieldId::kPLD20)) {
        const int entry = words.HasPronunciations() ? words.Find(cells.Item()) : -1;
        std::optional<double> mean;
        if (entry >= 0)
            mean = ctx.Tables.PhonLevenshtein(words).MeanClosest(
                PhonologicalKey(words.LexPhonForms[static_cast<std::size_t>(entry)]), kClosest);
        PutMean(cells, FieldId::kPLD20, mean);
    }
}

} // namespace zirtel

#include "core/measures/morphology_measures.h"

#include "core/fields/measure_tables.h"
#include "core/fields/row_values.h"
#include "core/lexicon/morphology.h"

namespace zirtel {

void WriteMorphology(MeasureContext& ctx, RowValues& values) {
    const Morphology::Family* family =
        ctx.Tables.FormLemmas(ctx.WholeWords, ctx.UI).OfForm(values.Item());
    if (!family) {
        for (FieldId f : {FieldId::kLEMA, FieldId::kLEMA_MAIZT, FieldId::kFAMILIA,
                          FieldId::kFAMILIA_MAIZT, FieldId::kENTROPIA})
            values.PutMissing(f, MissingReason::NotInLexicon);
        return;
    }
    values.PutText(FieldId::kLEMA, family->Lemma);
    if (family->LemmaFreq >= 0.0f)
        values.PutReal(FieldId::kLEMA_MAIZT, family->LemmaFreq);
    else
        values.PutMissing(FieldId::kLEMA_MAIZT, MissingReason::NotInLexicon);
    values.PutCount(FieldId::kFAMILIA, family->Forms);
    values.PutReal(FieldId::kFAMILIA_MAIZT, family->FreqSum);
    values.PutReal(FieldId::kENTROPIA, family->Entropy);
}

} // namespace zirtel

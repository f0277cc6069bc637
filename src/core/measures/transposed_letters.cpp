#include "core/measures/transposed_letters.h"

#include <utility>

#include "core/fields/row_values.h"
#include "core/lexicon/lexicon.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"

namespace zirtel {

Transposition FindTransposition(const Lexicon& lexicon, std::string_view item, int distance) {
    Transposition found;
    const std::string word = FoldAccents(LowerAscii(item));
    const auto d = static_cast<std::size_t>(distance);
    if (distance < 1 || word.size() <= d) return found;
    // The find with the highest position is the one shown, so search from the end.
    for (std::size_t i = word.size() - d; i-- > 0;) {
        if (word[i] == word[i + d]) continue;
        std::string candidate = word;
        std::swap(candidate[i], candidate[i + d]);
        const int entry = lexicon.Find(candidate);
        if (entry < 0) continue;
        found.Word = std::move(candidate);
        found.Entry = entry;
        found.Position = static_cast<int>(i) + 1;
        return found;
    }
    return found;
}

void WriteTransposedLetters(MeasureContext& ctx, RowValues& values) {
    if (!values.Wants(FieldId::kTL) && !values.Wants(FieldId::kTL_MAIZT) &&
        !values.Wants(FieldId::kTL_KOK))
        return;
    const Lexicon& lex = ctx.Current;
    const Transposition t = FindTransposition(lex, values.Item(), 1);
    if (t.Entry < 0) {
        for (FieldId f : {FieldId::kTL, FieldId::kTL_MAIZT, FieldId::kTL_KOK})
            values.PutMissing(f, MissingReason::NotFound);
        return;
    }
    values.PutText(FieldId::kTL, t.Word);
    values.PutReal(FieldId::kTL_MAIZT, lex.LexFreqs[static_cast<std::size_t>(t.Entry)]);
    values.PutCount(FieldId::kTL_KOK, t.Position);
}

void WriteNonAdjacentTransposition(MeasureContext& ctx, RowValues& values) {
    if (!values.Wants(FieldId::kNATL)) return;
    const Transposition t = FindTransposition(ctx.Current, values.Item(), 2);
    if (t.Entry >= 0)
        values.PutText(FieldId::kNATL, t.Word);
    else
        values.PutMissing(FieldId::kNATL, MissingReason::NotFound);
}

} // namespace zirtel

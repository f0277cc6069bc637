#include "core/measures/lexical_measures.h"

#include <algorithm>
#include <cmath>

#include "core/fields/measure_tables.h"
#include "core/fields/row_values.h"
#include "core/lexicon/lexicon.h"
#include "core/phonology/item_pronunciation.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"

namespace zirtel {

namespace {
// Frequency of the lower-cased item in the current lexicon, 0 when it is absent.
float ItemFrequency(const MeasureContext& ctx, const RowValues& values) {
    const Lexicon& lex = ctx.Current;
    const int i = lex.Find(LowerAscii(values.Item()));
    return i < 0 ? 0.0f : lex.LexFreqs[static_cast<std::size_t>(i)];
}
} // namespace

void WriteWordFrequency(MeasureContext& ctx, RowValues& values) {
    if (!values.Wants(FieldId::kH_MAIZT)) return;
    values.PutReal(FieldId::kH_MAIZT, ItemFrequency(ctx, values));
}

void WriteLogFrequency(MeasureContext& ctx, RowValues& values) {
    if (!values.Wants(FieldId::kLOG10_MAIZT)) return;
    // Worked out in extended precision; the value keeps the nearest double.
    const long double value =
        std::log10(static_cast<long double>(ItemFrequency(ctx, values)) + 1.0L);
    values.PutReal(FieldId::kLOG10_MAIZT, static_cast<double>(value));
}

void WriteZipf(MeasureContext& ctx, RowValues& values) {
    if (!values.Wants(FieldId::kZIPF)) return;
    const std::optional<double> zipf = Zipf(ItemFrequency(ctx, values));
    if (zipf)
        values.PutReal(FieldId::kZIPF, *zipf);
    else
        values.PutMissing(FieldId::kZIPF, MissingReason::NotInLexicon);
}

void WriteLetterLength(MeasureContext& /*ctx*/, RowValues& values) {
    if (!values.Wants(FieldId::kLUZ_L)) return;
    values.PutCount(FieldId::kLUZ_L, static_cast<long long>(values.Item().size()));
}

void WriteOrthCVPattern(MeasureContext& /*ctx*/, RowValues& values) {
    if (!values.Wants(FieldId::kKB_O)) return;
    const std::string item = LowerAscii(values.Item());
    std::string pattern(item.size(), ' ');
    for (std::size_t i = 0; i < item.size(); ++i) pattern[i] = IsVowelLetter(item[i]) ? 'V' : 'C';
    values.Put(FieldId::kKB_O, Value::Text(std::move(pattern)));
}

void WriteOrthSyllabification(MeasureContext& ctx, RowValues& values) {
    if (!values.Wants(FieldId::kORT_SILAB)) return;
    // Syllabifications belong to the whole-word lexicon, whichever lexicon is current.
    // An item the lexicon lacks is syllabified by the rules while they are used.
    const Lexicon& lex = ctx.WholeWords;
    const ItemPhonology& p = ItemPhonologyOf(ctx, values);
    if (p.Source == PronunciationSource::Rules) {
        values.PutText(FieldId::kORT_SILAB, p.Syllables);
        return;
    }
    const int i = p.Entry;
    if (i < 0 || lex.LexOrthSylls.empty())
        values.PutMissing(FieldId::kORT_SILAB, MissingReason::NotInLexicon);
    else
        values.PutText(FieldId::kORT_SILAB, lex.LexOrthSylls[static_cast<std::size_t>(i)]);
}

void WriteLetterRepetition(MeasureContext& /*ctx*/, RowValues& values) {
    if (!values.Wants(FieldId::kERREP)) return;
    const std::string item = LowerAscii(values.Item());
    bool seen[256] = {};
    for (char c : item) {
        const auto b = static_cast<unsigned char>(c);
        if (seen[b]) {
            values.PutText(FieldId::kERREP, "rep");
            return;
        }
        seen[b] = true;
    }
    // No letter repeats: the answer is "no", an empty text.
    values.PutText(FieldId::kERREP, "");
}

void WriteWordOrigin(MeasureContext& ctx, RowValues& values) {
    if (!values.Wants(FieldId::kJATORRIA)) return;
    const std::optional<WordOrigin> origin = ctx.Tables.Origins(ctx.UI).Find(values.Item());
    if (origin)
        values.Put(FieldId::kJATORRIA, Value::Text(std::string(WordOriginName(*origin))));
    else
        values.PutMissing(FieldId::kJATORRIA, MissingReason::NotInLexicon);
}

} // namespace zirtel

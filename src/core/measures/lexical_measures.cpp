#include "core/measures/lexical_measures.h"

#include <algorithm>
#include <cmath>

#include "core/fields/row_cells.h"
#include "core/lexicon/lexicon.h"
#include "core/measures/letters.h"
#include "core/measures/measure_tables.h"
#include "core/neighbours/levenshtein_index.h"
#include "core/phonology/item_pronunciation.h"
#include "core/text/format.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {
// Frequency of the lower-cased item in the current lexicon, 0 when it is absent.
float ItemFrequency(const MeasureContext& ctx, const RowCells& cells) {
    const Lexicon& lex = ctx.Current;
    const int i = lex.Find(LowerAscii(cells.Item()));
    return i < 0 ? 0.0f : lex.LexFreqs[static_cast<std::size_t>(i)];
}
} // namespace

void WriteWordFrequency(MeasureContext& ctx, RowCells& cells) {
    if (!cells.Wants(FieldId::kH_MAIZT)) return;
    cells.PutReal(FieldId::kH_MAIZT, ItemFrequency(ctx, cells));
}

void WriteLogFrequency(MeasureContext& ctx, RowCells& cells) {
    if (!cells.Wants(FieldId::kLOG10_MAIZT)) return;
    const long double value =
        std::log10(static_cast<long double>(ItemFrequency(ctx, cells)) + 1.0L);
    cells.Put(FieldId::kLOG10_MAIZT, FormatReal(value, 7, cells.Decimals()));
}

void WriteZipf(MeasureContext& ctx, RowCells& cells) {
    if (!cells.Wants(FieldId::kZIPF)) return;
    const std::optional<double> zipf = Zipf(ItemFrequency(ctx, cells));
    if (zipf)
        cells.PutReal(FieldId::kZIPF, *zipf);
    else
        cells.Put(FieldId::kZIPF, "   -  ");
}

void WriteLetterLength(MeasureContext& /*ctx*/, RowCells& cells) {
    if (!cells.Wants(FieldId::kLUZ_L)) return;
    cells.PutCount(FieldId::kLUZ_L, static_cast<long long>(cells.Item().size()));
}

void WriteOrthCVPattern(MeasureContext& /*ctx*/, RowCells& cells) {
    if (!cells.Wants(FieldId::kKB_O)) return;
    const std::string item = LowerAscii(cells.Item());
    std::string pattern(std::max<std::size_t>(15, item.size()), ' ');
    for (std::size_t i = 0; i < item.size(); ++i) pattern[i] = IsVowelLetter(item[i]) ? 'V' : 'C';
    cells.Put(FieldId::kKB_O, pattern);
}

void WriteOrthSyllabification(MeasureContext& ctx, RowCells& cells) {
    if (!cells.Wants(FieldId::kORT_SILAB)) return;
    // Syllabifications belong to the whole-word lexicon, whichever lexicon is current.
    // An item the lexicon lacks is syllabified by the rules while they are used.
    const Lexicon& lex = ctx.WholeWords;
    const ItemPhonology& p = ItemPhonologyOf(ctx, cells);
    if (p.Source == PronunciationSource::Rules) {
        cells.Put(FieldId::kORT_SILAB, p.Syllables);
        return;
    }
    const int i = p.Entry;
    cells.Put(FieldId::kORT_SILAB, i < 0 || lex.LexOrthSylls.empty()
                                       ? std::string("-1")
                                       : lex.LexOrthSylls[static_cast<std::size_t>(i)]);
}

void WriteLetterRepetition(MeasureContext& /*ctx*/, RowCells& cells) {
    if (!cells.Wants(FieldId::kERREP)) return;
    const std::string item = LowerAscii(cells.Item());
    bool seen[256] = {};
    for (char c : item) {
        const auto b = static_cast<unsigned char>(c);
        if (seen[b]) {
            cells.Put(FieldId::kERREP, "rep");
            return;
        }
        seen[b] = true;
    }
}

void WriteWordOrigin(MeasureContext& ctx, RowCells& cells) {
    if (!cells.Wants(FieldId::kJATORRIA)) return;
    const std::optional<WordOrigin> origin = ctx.Tables.Origins(ctx.UI).Find(cells.Item());
    cells.Put(FieldId::kJATORRIA, origin ? std::string(WordOriginName(*origin)) : "-1");
}

} // namespace zirtel

#include "core/measures/syllable_measures.h"

#include <array>

#include "core/fields/row_cells.h"
#include "core/lexicon/lexicon.h"
#include "core/measures/measure_tables.h"
#include "core/measures/syllable_tables.h"

namespace zirtel {

namespace {

struct SyllableFields {
    FieldId Type;
    FieldId Token;
    FieldId Max;
};

constexpr std::array<SyllableFields, 3> kPhonFields = {{
    {FieldId::kFSM1_TP, FieldId::kFSM1_TK, FieldId::kFSM1_MAX},
    {FieldId::kFSM2_TP, FieldId::kFSM2_TK, FieldId::kFSM2_MAX},
    {FieldId::kFSM3_TP, FieldId::kFSM3_TK, FieldId::kFSM3_MAX},
}};

constexpr std::array<SyllableFields, 3> kOrthFields = {{
    {FieldId::kOSM1_TP, FieldId::kOSM1_TK, FieldId::kOSM1_MAX},
    {FieldId::kOSM2_TP, FieldId::kOSM2_TK, FieldId::kOSM2_MAX},
    {FieldId::kOSM3_TP, FieldId::kOSM3_TK, FieldId::kOSM3_MAX},
}};

void WriteSyllableFrequency(MeasureContext& ctx, RowCells& cells, int position,
                            SyllableTableSet::Source source, const SyllableFields& fields) {
    if (!cells.WantsAny({fields.Type, fields.Token, fields.Max})) return;
    const Lexicon& lex = ctx.WholeWords;
    const SyllableTableSet& set = ctx.Tables.Syllables(source, lex, ctx.UI);

    const std::vector<std::string>& texts =
        source == SyllableTableSet::Source::Pronunciations ? lex.LexPhonForms : lex.LexOrthSylls;
    const int entry = lex.Find(cells.Item());
    if (entry < 0 || entry >= static_cast<int>(texts.size())) return;
    const std::string& text = texts[static_cast<std::size_t>(entry)];
    const int syllables = SyllableCount(text);
    if (syllables != 2 && syllables != 3) return;
    if (position > syllables) return;

    const SyllableCounts* counts =
        set.Table(syllables, position).Find(ExtractSyllable(text, position));
    if (counts == nullptr) return;
    cells.PutCount(fields.Type, counts->Type);
    cells.PutReal(fields.Token, counts->Token);
    cells.PutReal(fields.Max, counts->Max);
}

void WriteSyllableFrequencies(MeasureContext& ctx, RowCells& cells, SyllableTableSet::Source source,
                              const std::array<SyllableFields, 3>& fields) {
    for (int position = 1; position <= 3; ++position)
        WriteSyllableFrequency(ctx, cells, position, source,
                               fields[static_cast<std::size_t>(position - 1)]);
}

} // namespace

void WritePhonSyllableFrequencies(MeasureContext& ctx, RowCells& cells) {
    WriteSyllableFrequencies(ctx, cells, SyllableTableSet::Source::Pronunciations, kPhonFields);
}

void WriteOrthSyllableFrequencies(MeasureContext& ctx, RowCells& cells) {
    WriteSyllableFrequencies(ctx, cells, SyllableTableSet::Source::Syllabifications, kOrthFields);
}

} // namespace zirtel

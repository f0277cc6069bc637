#include "core/measures/syllable_measures.h"

#include <array>

#include "core/fields/measure_tables.h"
#include "core/fields/row_values.h"
#include "core/lexicon/lexicon.h"
#include "core/measures/syllable_tables.h"
#include "core/phonology/item_pronunciation.h"

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

void WriteSyllableFrequency(MeasureContext& ctx, RowValues& values, int position,
                            SyllableTableSet::Source source, const SyllableFields& fields) {
    if (!values.WantsAny({fields.Type, fields.Token, fields.Max})) return;
    const Lexicon& lex = ctx.WholeWords;
    const bool spoken = source == SyllableTableSet::Source::Pronunciations;
    const SyllableTableSet& set = ctx.Tables.Syllables(spoken, lex, ctx.UI);

    const std::vector<std::string>& texts = spoken ? lex.LexPhonForms : lex.LexOrthSylls;
    // A word's own texts; the rules' for an item the lexicon lacks, while they are used.
    const ItemPhonology& p = ItemPhonologyOf(ctx, values);
    const bool byRules = p.Source == PronunciationSource::Rules;
    const int entry = p.Entry;
    const auto missing = [&](MissingReason reason) {
        for (FieldId f : {fields.Type, fields.Token, fields.Max}) values.PutMissing(f, reason);
    };
    if (!byRules && (entry < 0 || entry >= static_cast<int>(texts.size())))
        return missing(spoken ? MissingReason::NoPronunciation : MissingReason::NotInLexicon);
    const std::string& text = !byRules ? texts[static_cast<std::size_t>(entry)]
                              : spoken ? p.Phon
                                       : p.Syllables;
    const int syllables = SyllableCount(text);
    // The tables hold the syllables of words of two and three syllables.
    if (syllables != 2 && syllables != 3) return missing(MissingReason::NotFound);
    if (position > syllables) return missing(MissingReason::NoPosition);

    const SyllableCounts* counts =
        set.Table(syllables, position).Find(ExtractSyllable(text, position));
    if (counts == nullptr) return missing(MissingReason::NotFound);
    values.PutCount(fields.Type, counts->Type);
    values.PutReal(fields.Token, counts->Token);
    values.PutReal(fields.Max, counts->Max);
}

void WriteSyllableFrequencies(MeasureContext& ctx, RowValues& values,
                              SyllableTableSet::Source source,
                              const std::array<SyllableFields, 3>& fields) {
    for (int position = 1; position <= 3; ++position)
        WriteSyllableFrequency(ctx, values, position, source,
                               fields[static_cast<std::size_t>(position - 1)]);
}

} // namespace

void WritePhonSyllableFrequencies(MeasureContext& ctx, RowValues& values) {
    WriteSyllableFrequencies(ctx, values, SyllableTableSet::Source::Pronunciations, kPhonFields);
}

void WriteOrthSyllableFrequencies(MeasureContext& ctx, RowValues& values) {
    WriteSyllableFrequencies(ctx, values, SyllableTableSet::Source::Syllabifications, kOrthFields);
}

} // namespace zirtel

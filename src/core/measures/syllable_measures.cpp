#include "core/measures/syllable_measures.h"

#include <array>

#include "core/analysis/workspace.h"
#include "core/measures/syllable_tables.h"

namespace zirtel {

namespace {

using Col = int FieldColumns::*;

struct SyllableColumns {
    Col Type;
    Col Token;
    Col Max;
};

constexpr std::array<SyllableColumns, 3> kPhonColumns = {{
    {&FieldColumns::Col_FSM1_TP, &FieldColumns::Col_FSM1_TK, &FieldColumns::Col_FSM1_MAX},
    {&FieldColumns::Col_FSM2_TP, &FieldColumns::Col_FSM2_TK, &FieldColumns::Col_FSM2_MAX},
    {&FieldColumns::Col_FSM3_TP, &FieldColumns::Col_FSM3_TK, &FieldColumns::Col_FSM3_MAX},
}};

constexpr std::array<SyllableColumns, 3> kOrthColumns = {{
    {&FieldColumns::Col_OSM1_TP, &FieldColumns::Col_OSM1_TK, &FieldColumns::Col_OSM1_MAX},
    {&FieldColumns::Col_OSM2_TP, &FieldColumns::Col_OSM2_TK, &FieldColumns::Col_OSM2_MAX},
    {&FieldColumns::Col_OSM3_TP, &FieldColumns::Col_OSM3_TK, &FieldColumns::Col_OSM3_MAX},
}};

void WriteSyllableFrequency(Workspace& ws, int row, int position, SyllableTableSet& set,
                            SyllableTableSet::Source source, const SyllableColumns& cols) {
    if (!ws.Shown(cols.Type) && !ws.Shown(cols.Token) && !ws.Shown(cols.Max)) return;
    const Lexicon& lex = ws.WholeWords;
    if (!set.Built) set.Build(lex, source, ws.UI);

    const std::vector<std::string>& texts =
        source == SyllableTableSet::Source::Pronunciations ? lex.LexPhonForms : lex.LexOrthSylls;
    const int entry = lex.Find(ws.Item(row));
    if (entry < 0 || entry >= static_cast<int>(texts.size())) return;
    const std::string& text = texts[static_cast<std::size_t>(entry)];
    const int syllables = SyllableCount(text);
    if (syllables != 2 && syllables != 3) return;
    if (position > syllables) return;

    const SyllableCounts* counts =
        set.Table(syllables, position).Find(ExtractSyllable(text, position));
    if (counts == nullptr) return;
    ws.PutCount(cols.Type, row, counts->Type);
    ws.PutReal(cols.Token, row, counts->Token);
    ws.PutReal(cols.Max, row, counts->Max);
}

} // namespace

void WritePhonSyllableFrequency(Workspace& ws, int row, int position) {
    if (position < 1 || position > 3) return;
    WriteSyllableFrequency(ws, row, position, ws.PhonSyllables,
                           SyllableTableSet::Source::Pronunciations,
                           kPhonColumns[static_cast<std::size_t>(position - 1)]);
}

void WriteOrthSyllableFrequency(Workspace& ws, int row, int position) {
    if (position < 1 || position > 3) return;
    WriteSyllableFrequency(ws, row, position, ws.OrthSyllables,
                           SyllableTableSet::Source::Syllabifications,
                           kOrthColumns[static_cast<std::size_t>(position - 1)]);
}

} // namespace zirtel

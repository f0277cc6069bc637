#include "core/phonology/biphone_measures.h"

#include <cmath>
#include <optional>

#include "core/feedback/feedback.h"
#include "core/fields/measure_tables.h"
#include "core/fields/row_values.h"
#include "core/lexicon/lexicon.h"
#include "core/phonology/biphone_tables.h"
#include "core/phonology/item_pronunciation.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

constexpr const char* kWarningCaption = "Abisua";

// The phonemes of the item, or nothing when it has no pronunciation.
std::optional<std::string> ItemPhonemes(const MeasureContext& ctx, RowValues& values) {
    const ItemPhonology& p = ItemPhonologyOf(ctx, values);
    if (!p.Known()) return std::nullopt;
    return BiphonePhonemes(p.Phon);
}

// Calls visit(position, row) for each biphone of the item, position 0-based, row -1 for a
// biphone without a row.
template <typename Visit>
void ForEachBiphone(const BiphoneTables& tables, const std::string& phonemes, Visit visit) {
    const int n = static_cast<int>(phonemes.size());
    for (int i = 1; i < n; ++i)
        visit(i - 1,
              tables.Row(n, std::string_view(phonemes).substr(static_cast<std::size_t>(i - 1), 2)));
}

// BPMLB: the sum of log10 of the item's positive token frequencies.
double LogSum(const BiphoneTables& tables, const std::string& phonemes) {
    const int n = static_cast<int>(phonemes.size());
    double sum = 0.0;
    ForEachBiphone(tables, phonemes, [&](int position, int biphoneRow) {
        if (biphoneRow < 0) return;
        const float f = tables.TokenFreq(n, position, biphoneRow);
        if (f > 0.0f) sum += std::log10(static_cast<double>(f));
    });
    return sum;
}

std::string Count(int n) {
    return std::to_string(n);
}

std::string BasqueWarning(int n) {
    return " Ezin da kalkulatu " + Count(n) + " fonema-estimuluen bifonema-maiztasuna";
}

std::string TableName(int n) {
    return BiphoneFileName(n) + ":";
}

// An item the whole-word lexicon has without a pronunciation (a lexicon file without its
// pronunciation field): that, not a table, is what is missing.
bool LacksPronunciation(const MeasureContext& ctx, RowValues& values) {
    const ItemPhonology& p = ItemPhonologyOf(ctx, values);
    return p.Source == PronunciationSource::Lexicon && p.Phon.empty();
}

std::string NoPronunciationText(RowValues& values) {
    return "Hitz-maiztasunaren fitxategiak ez du \"" + Latin1ToUtf8(values.Item()) +
           "\" hitzaren ahoskerarik (4. eremua): ezin da kalkulatu bifonema-maiztasuna";
}

} // namespace

std::string BiphonePhonemes(std::string_view pronunciation) {
    std::string out;
    out.reserve(pronunciation.size());
    for (char c : pronunciation)
        if (c != '\'' && c != '"' && c != '-') out.push_back(c);
    return out;
}

namespace {

void WriteBiphoneTokenMean(MeasureContext& ctx, RowValues& values, const BiphoneTables& tables) {
    if (!values.Wants(FieldId::kTK_BB)) return;
    const auto phonemes = ItemPhonemes(ctx, values);
    if (!phonemes) {
        values.PutMissing(FieldId::kTK_BB, MissingReason::NoPronunciation);
        return;
    }
    const int n = static_cast<int>(phonemes->size());
    if (!tables.Loaded(n)) {
        values.PutMissing(FieldId::kTK_BB, MissingReason::NoTable);
        ctx.UI.ShowMessage(kWarningCaption,
                           LacksPronunciation(ctx, values)
                               ? NoPronunciationText(values)
                               : "Couldn't load " + TableName(n) +
                                     " Can't calculate biphone frequency for " + Count(n) +
                                     " phoneme stimuli",
                           MessageButtons::Ok);
        return;
    }
    float sum = 0.0f;
    ForEachBiphone(tables, *phonemes, [&](int position, int biphoneRow) {
        if (biphoneRow >= 0) sum += tables.TokenFreq(n, position, biphoneRow);
    });
    // The sum is single precision; the mean is not rounded to it again.
    values.PutReal(FieldId::kTK_BB, static_cast<double>(sum) / (n - 1));
}

void WriteBiphoneTypeMean(MeasureContext& ctx, RowValues& values, const BiphoneTables& tables) {
    if (!values.Wants(FieldId::kTP_BB)) return;
    const auto phonemes = ItemPhonemes(ctx, values);
    if (!phonemes) {
        values.PutMissing(FieldId::kTP_BB, MissingReason::NoPronunciation);
        return;
    }
    const int n = static_cast<int>(phonemes->size());
    if (!tables.Loaded(n)) {
        values.PutMissing(FieldId::kTP_BB, MissingReason::NoTable);
        if (!values.Wants(FieldId::kTK_BB))
            ctx.UI.ShowMessage(kWarningCaption,
                               LacksPronunciation(ctx, values) ? NoPronunciationText(values)
                                                               : BasqueWarning(n),
                               MessageButtons::Ok);
        return;
    }
    long long sum = 0;
    ForEachBiphone(tables, *phonemes, [&](int position, int biphoneRow) {
        if (biphoneRow >= 0) sum += tables.TypeCount(n, position, biphoneRow);
    });
    values.PutReal(FieldId::kTP_BB, static_cast<double>(sum) / (n - 1));
}

// BPMLB and BPMLBB: with no table for the item's count, the warning only when neither TK_BB nor
// TP_BB has given one.
void WriteLogMeasure(MeasureContext& ctx, RowValues& values, const BiphoneTables& tables,
                     FieldId field, bool perBiphone) {
    if (!values.Wants(field)) return;
    const auto phonemes = ItemPhonemes(ctx, values);
    if (!phonemes) {
        values.PutMissing(field, MissingReason::NoPronunciation);
        return;
    }
    const int n = static_cast<int>(phonemes->size());
    if (!tables.Loaded(n)) {
        values.PutMissing(field, MissingReason::NoTable);
        if (!values.Wants(FieldId::kTK_BB) && !values.Wants(FieldId::kTP_BB))
            ctx.UI.ShowMessage(kWarningCaption,
                               LacksPronunciation(ctx, values)
                                   ? NoPronunciationText(values)
                                   : "Couldn't load " + TableName(n) + BasqueWarning(n),
                               MessageButtons::Ok);
        return;
    }
    const double sum = LogSum(tables, *phonemes);
    values.PutReal(field, perBiphone ? sum / (n - 1) : sum);
}

} // namespace

void WriteBiphoneMeasures(MeasureContext& ctx, RowValues& values) {
    const BiphoneTables& tables = ctx.Tables.Biphones(ctx.UI);
    WriteBiphoneTokenMean(ctx, values, tables);
    WriteBiphoneTypeMean(ctx, values, tables);
    WriteLogMeasure(ctx, values, tables, FieldId::kBPMLB, false);
    WriteLogMeasure(ctx, values, tables, FieldId::kBPMLBB, true);
}

} // namespace zirtel

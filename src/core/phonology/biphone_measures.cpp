#include "core/phonology/biphone_measures.h"

#include <cmath>
#include <optional>

#include "core/analysis/workspace.h"
#include "core/phonology/biphone_tables.h"

namespace zirtel {

namespace {

constexpr const char* kWarningCaption = "Abisua";
const std::string kDash = "   -  ";
const std::string kLogSumDash = "    -";

// The phonemes of the item in `row`, or nothing when the item is not in the whole-word lexicon.
std::optional<std::string> ItemPhonemes(const Workspace& ws, int row) {
    const Lexicon& lex = ws.WholeWords;
    const int entry = lex.Find(ws.Item(row));
    if (entry < 0 || !lex.HasPronunciations()) return std::nullopt;
    return BiphonePhonemes(lex.LexPhonForms[static_cast<std::size_t>(entry)]);
}

// Calls visit(position, row) for each biphone of the item, position 0-based, row -1 for a
// biphone without a row.
template <typename Visit>
void ForEachBiphone(const Workspace& ws, const std::string& phonemes, Visit visit) {
    const int n = static_cast<int>(phonemes.size());
    for (int i = 1; i < n; ++i)
        visit(i - 1, ws.Biphones.Row(
                         n, std::string_view(phonemes).substr(static_cast<std::size_t>(i - 1), 2)));
}

// BPMLB: the sum of log10 of the item's positive token frequencies.
double LogSum(const Workspace& ws, const std::string& phonemes) {
    const int n = static_cast<int>(phonemes.size());
    double sum = 0.0;
    ForEachBiphone(ws, phonemes, [&](int position, int biphoneRow) {
        if (biphoneRow < 0) return;
        const float f = ws.Biphones.TokenFreq(n, position, biphoneRow);
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

} // namespace

bool BiphoneFieldsShown(const Workspace& ws) {
    return ws.Col_TK_BB != 0 || ws.Col_TP_BB != 0 || ws.Col_BPMLB != 0 || ws.Col_BPMLBB != 0;
}

std::string BiphonePhonemes(std::string_view pronunciation) {
    std::string out;
    out.reserve(pronunciation.size());
    for (char c : pronunciation)
        if (c != '\'' && c != '"' && c != '-') out.push_back(c);
    return out;
}

void WriteBiphoneTokenMean(Workspace& ws, int row) {
    if (!ws.Shown(&FieldColumns::Col_TK_BB)) return;
    const auto phonemes = ItemPhonemes(ws, row);
    if (!phonemes) {
        ws.Put(&FieldColumns::Col_TK_BB, row, kDash);
        return;
    }
    const int n = static_cast<int>(phonemes->size());
    if (!ws.Biphones.Loaded(n)) {
        ws.Put(&FieldColumns::Col_TK_BB, row, "-1");
        ws.UI.ShowMessage(kWarningCaption,
                          "Couldn't load BPF" + Count(n) +
                              ".txt:" + " Can't calculate biphone frequency for " + Count(n) +
                              " phoneme stimuli",
                          MessageButtons::Ok);
        return;
    }
    float sum = 0.0f;
    ForEachBiphone(ws, *phonemes, [&](int position, int biphoneRow) {
        if (biphoneRow >= 0) sum += ws.Biphones.TokenFreq(n, position, biphoneRow);
    });
    // The sum is single precision; the mean is not rounded to it again.
    ws.PutReal(&FieldColumns::Col_TK_BB, row, static_cast<double>(sum) / (n - 1));
}

void WriteBiphoneTypeMean(Workspace& ws, int row) {
    if (!ws.Shown(&FieldColumns::Col_TP_BB)) return;
    const auto phonemes = ItemPhonemes(ws, row);
    if (!phonemes) {
        ws.Put(&FieldColumns::Col_TP_BB, row, kDash);
        return;
    }
    const int n = static_cast<int>(phonemes->size());
    if (!ws.Biphones.Loaded(n)) {
        ws.Put(&FieldColumns::Col_TP_BB, row, "-1");
        if (!ws.Shown(&FieldColumns::Col_TK_BB))
            ws.UI.ShowMessage(kWarningCaption, BasqueWarning(n), MessageButtons::Ok);
        return;
    }
    long long sum = 0;
    ForEachBiphone(ws, *phonemes, [&](int position, int biphoneRow) {
        if (biphoneRow >= 0) sum += ws.Biphones.TypeCount(n, position, biphoneRow);
    });
    ws.PutReal(&FieldColumns::Col_TP_BB, row, static_cast<double>(sum) / (n - 1));
}

namespace {

// BPMLB and BPMLBB: with no table for the item's count, the warning only when neither TK_BB nor
// TP_BB has given one.
void WriteLogMeasure(Workspace& ws, int row, int FieldColumns::*col, bool perBiphone) {
    if (!ws.Shown(col)) return;
    const auto phonemes = ItemPhonemes(ws, row);
    if (!phonemes) {
        ws.Put(col, row, perBiphone ? kDash : kLogSumDash);
        return;
    }
    const int n = static_cast<int>(phonemes->size());
    if (!ws.Biphones.Loaded(n)) {
        ws.Put(col, row, perBiphone ? "-1" : kLogSumDash);
        if (!ws.Shown(&FieldColumns::Col_TK_BB) && !ws.Shown(&FieldColumns::Col_TP_BB))
            ws.UI.ShowMessage(kWarningCaption,
                              "Couldn't load BPF" + Count(n) + ".txt:" + BasqueWarning(n),
                              MessageButtons::Ok);
        return;
    }
    const double sum = LogSum(ws, *phonemes);
    ws.PutReal(col, row, perBiphone ? sum / (n - 1) : sum);
}

} // namespace

void WriteBiphoneLogSum(Workspace& ws, int row) {
    WriteLogMeasure(ws, row, &FieldColumns::Col_BPMLB, false);
}

void WriteBiphoneMeanLog(Workspace& ws, int row) {
    WriteLogMeasure(ws, row, &FieldColumns::Col_BPMLBB, true);
}

} // namespace zirtel

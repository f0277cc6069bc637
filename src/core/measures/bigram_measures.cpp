#include "core/measures/bigram_measures.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/feedback/feedback.h"
#include "core/fields/measure_tables.h"
#include "core/fields/row_values.h"
#include "core/measures/bigram_tables.h"

namespace zirtel {

namespace {

constexpr std::array<FieldId, 5> kPositionalFields = {
    FieldId::k1_BM, FieldId::k2_BM, FieldId::k3_BM, FieldId::k4_BM, FieldId::k5_BM};

void WarnMissingTable(MeasureContext& ctx, int length) {
    const std::string n = std::to_string(length);
    ctx.UI.ShowMessage("Abisua",
                       "Couldn't load " + BigramFileName(length) + ":" + " Ezin da kalkulatu " + n +
                           " letra-estimuluen bigrama-maiztasuna",
                       MessageButtons::Ok);
}

} // namespace

std::optional<float> BigramLogSum(const BigramTables& tables, std::string_view item) {
    const int n = static_cast<int>(item.size());
    if (!tables.Loaded(n)) return std::nullopt;
    const std::vector<int> bigrams = BigramIndexes(item);
    float sum = 0.0f;
    for (int p = 0; p < n - 1; ++p) {
        const float token = tables.Token(n, p, bigrams[static_cast<std::size_t>(p)]);
        // The logarithm joins the single-precision sum unrounded: one rounding per addition.
        if (token > 0.0f)
            sum = static_cast<float>(static_cast<double>(sum) +
                                     std::log10(static_cast<double>(token)));
    }
    return sum;
}

void WriteBigramMeasures(MeasureContext& ctx, RowValues& values) {
    const BigramTables& tables = ctx.Tables.Bigrams(ctx.UI);
    const std::string& item = values.Item();
    const int n = static_cast<int>(item.size());
    const bool loaded = tables.Loaded(n);
    const std::vector<int> bigrams = BigramIndexes(item);
    auto token = [&](int p) { return tables.Token(n, p, bigrams[static_cast<std::size_t>(p)]); };
    auto type = [&](int p) { return tables.Type(n, p, bigrams[static_cast<std::size_t>(p)]); };

    // Positional values: every shown position warns when the table is missing.
    for (int k = 1; k <= 5; ++k) {
        const FieldId field = kPositionalFields[static_cast<std::size_t>(k - 1)];
        if (!values.Wants(field)) continue;
        if (!loaded) {
            WarnMissingTable(ctx, n);
            values.PutMissing(field, MissingReason::NoTable);
        } else if (k < n) {
            values.PutReal(field, token(k - 1));
        } else {
            values.PutMissing(field, MissingReason::NoPosition);
        }
    }

    const bool tokenShown = values.Wants(FieldId::kBM_TK);
    const bool typeShown = values.Wants(FieldId::kBM_TP);
    if (tokenShown) {
        if (!loaded) {
            WarnMissingTable(ctx, n);
            values.PutMissing(FieldId::kBM_TK, MissingReason::NoTable);
        } else {
            float sum = 0.0f;
            for (int p = 0; p < n - 1; ++p) sum += token(p);
            values.PutReal(FieldId::kBM_TK, sum / static_cast<float>(n - 1));
        }
    }
    if (typeShown) {
        if (!loaded) {
            // One warning covers both means.
            if (!tokenShown) WarnMissingTable(ctx, n);
            values.PutMissing(FieldId::kBM_TP, MissingReason::NoTable);
        } else {
            std::int64_t sum = 0;
            for (int p = 0; p < n - 1; ++p) sum += type(p);
            values.PutReal(FieldId::kBM_TP, static_cast<double>(sum) / static_cast<double>(n - 1));
        }
    }

    // The log sum warns only when neither mean has; it is computed once for each of the two
    // fields. A sum of exactly -1 is a value like any other.
    const bool logWarns = !tokenShown && !typeShown;
    if (values.Wants(FieldId::kBMLB)) {
        const std::optional<float> sum = BigramLogSum(tables, item);
        if (!sum) {
            if (logWarns) WarnMissingTable(ctx, n);
            values.PutMissing(FieldId::kBMLB, MissingReason::NoTable);
        } else {
            values.PutReal(FieldId::kBMLB, *sum);
        }
    }
    if (values.Wants(FieldId::kBMLBB)) {
        const std::optional<float> sum = BigramLogSum(tables, item);
        if (!sum) {
            if (logWarns) WarnMissingTable(ctx, n);
            values.PutMissing(FieldId::kBMLBB, MissingReason::NoTable);
        } else {
            values.PutReal(FieldId::kBMLBB, *sum / static_cast<float>(n - 1));
        }
    }
}

} // namespace zirtel

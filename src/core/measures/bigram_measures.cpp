#include "core/measures/bigram_measures.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/analysis/workspace.h"
#include "core/measures/bigram_tables.h"

namespace zirtel {

namespace {

using Col = int FieldColumns::*;

constexpr std::array<Col, 5> kPositionalColumns = {&FieldColumns::Col_1_BM, &FieldColumns::Col_2_BM,
                                                   &FieldColumns::Col_3_BM, &FieldColumns::Col_4_BM,
                                                   &FieldColumns::Col_5_BM};

void WarnMissingTable(Workspace& ws, int length) {
    const std::string n = std::to_string(length);
    ws.UI.ShowMessage("Abisua",
                      "Couldn't load BF" + n + ".txt:" + " Ezin da kalkulatu " + n +
                          " lletra-estimuluen bigrama-maiztasuna",
                      MessageButtons::Ok);
}

} // namespace

void EnsureBigramTables(Workspace& ws) {
    if (ws.BigramTablesLoaded) return;
    bool needed = ws.Shown(&FieldColumns::Col_BM_TK) || ws.Shown(&FieldColumns::Col_BM_TP) ||
                  ws.Shown(&FieldColumns::Col_BMLB) || ws.Shown(&FieldColumns::Col_BMLBB);
    for (Col col : kPositionalColumns) needed = needed || ws.Shown(col);
    if (!needed) return;
    ws.Bigrams.ReadAll(ws.AppDir, ws.UI);
    ws.BigramTablesLoaded = true;
}

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

void WriteBigramMeasures(Workspace& ws, int row) {
    // A copy: writing cells may move the grid's storage.
    const std::string item = ws.Item(row);
    const int n = static_cast<int>(item.size());
    const BigramTables& tables = ws.Bigrams;
    const bool loaded = tables.Loaded(n);
    const std::vector<int> bigrams = BigramIndexes(item);
    auto token = [&](int p) { return tables.Token(n, p, bigrams[static_cast<std::size_t>(p)]); };
    auto type = [&](int p) { return tables.Type(n, p, bigrams[static_cast<std::size_t>(p)]); };

    // Positional values: every shown position warns when the table is missing.
    for (int k = 1; k <= 5; ++k) {
        const Col col = kPositionalColumns[static_cast<std::size_t>(k - 1)];
        if (!ws.Shown(col)) continue;
        if (!loaded) {
            WarnMissingTable(ws, n);
            ws.Put(col, row, "-1");
        } else if (k < n) {
            ws.PutReal(col, row, token(k - 1));
        }
    }

    const bool tokenShown = ws.Shown(&FieldColumns::Col_BM_TK);
    const bool typeShown = ws.Shown(&FieldColumns::Col_BM_TP);
    if (tokenShown) {
        if (!loaded) {
            WarnMissingTable(ws, n);
            ws.Put(&FieldColumns::Col_BM_TK, row, "-1");
        } else {
            float sum = 0.0f;
            for (int p = 0; p < n - 1; ++p) sum += token(p);
            ws.PutReal(&FieldColumns::Col_BM_TK, row, sum / static_cast<float>(n - 1));
        }
    }
    if (typeShown) {
        if (!loaded) {
            // One warning covers both means.
            if (!tokenShown) WarnMissingTable(ws, n);
            ws.Put(&FieldColumns::Col_BM_TP, row, "-1");
        } else {
            std::int64_t sum = 0;
            for (int p = 0; p < n - 1; ++p) sum += type(p);
            ws.PutReal(&FieldColumns::Col_BM_TP, row,
                       static_cast<double>(sum) / static_cast<double>(n - 1));
        }
    }

    // The log sum warns only when neither mean has; it is computed once for each of the two
    // fields. A sum of exactly -1 is a value like any other.
    const bool logWarns = !tokenShown && !typeShown;
    if (ws.Shown(&FieldColumns::Col_BMLB)) {
        const std::optional<float> sum = BigramLogSum(tables, item);
        if (!sum) {
            if (logWarns) WarnMissingTable(ws, n);
            ws.Put(&FieldColumns::Col_BMLB, row, "    -");
        } else {
            ws.PutReal(&FieldColumns::Col_BMLB, row, *sum);
        }
    }
    if (ws.Shown(&FieldColumns::Col_BMLBB)) {
        const std::optional<float> sum = BigramLogSum(tables, item);
        if (!sum) {
            if (logWarns) WarnMissingTable(ws, n);
            ws.Put(&FieldColumns::Col_BMLBB, row, "-1");
        } else {
            ws.PutReal(&FieldColumns::Col_BMLBB, row, *sum / static_cast<float>(n - 1));
        }
    }
}

} // namespace zirtel

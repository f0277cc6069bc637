#include "core/analysis/field_distribution.h"

#include <algorithm>

#include "core/analysis/item_statistics.h"
#include "core/analysis/workspace.h"

namespace zirtel {

double FieldDistribution::PercentileOf(double x) const {
    if (Values.empty()) return 0;
    const auto at = std::upper_bound(Values.begin(), Values.end(), x);
    return 100.0 * static_cast<double>(at - Values.begin()) / static_cast<double>(Values.size());
}

FieldDistribution LexiconDistribution(Workspace& ws, FieldId f, int length) {
    FieldDistribution d;
    FieldSet fields;
    fields.set(static_cast<std::size_t>(FieldIndex(f)));
    MeasureContext ctx = ws.Measures();
    RowValues values;
    const Lexicon& lex = ws.Setup.Current();
    d.Values.reserve(static_cast<std::size_t>(lex.Size()));
    for (const std::string& word : lex.LexWords) {
        if (length > 0 && static_cast<int>(word.size()) != length) continue;
        if (!MeasureItem(ctx, word, fields, values)) continue;
        const Value& v = values.At(f);
        if (v.IsNumber()) d.Values.push_back(v.Number());
    }
    std::sort(d.Values.begin(), d.Values.end());
    return d;
}

int Histogram::BinOf(double x) const {
    const int bins = static_cast<int>(Items.size());
    if (bins == 0) return 0;
    if (High <= Low) return 0;
    const int b = static_cast<int>((x - Low) / (High - Low) * bins);
    return std::clamp(b, 0, bins - 1);
}

Histogram MakeHistogram(const std::vector<double>& items, const std::vector<double>& lexicon,
                        int bins, bool trimmed) {
    Histogram h;
    bins = std::max(bins, 1);
    h.Items.assign(static_cast<std::size_t>(bins), 0);
    h.Lexicon.assign(static_cast<std::size_t>(bins), 0);
    bool any = false;
    std::vector<double> ends;
    if (trimmed && !lexicon.empty()) {
        std::vector<double> sorted = lexicon;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t last = sorted.size() - 1;
        ends = {sorted[last / 100], sorted[last * 99 / 100]};
    }
    for (const std::vector<double>* set : {&items, trimmed ? &ends : &lexicon})
        for (double x : *set) {
            h.Low = any ? std::min(h.Low, x) : x;
            h.High = any ? std::max(h.High, x) : x;
            any = true;
        }
    for (double x : items) ++h.Items[static_cast<std::size_t>(h.BinOf(x))];
    for (double x : lexicon) ++h.Lexicon[static_cast<std::size_t>(h.BinOf(x))];
    return h;
}

} // namespace zirtel

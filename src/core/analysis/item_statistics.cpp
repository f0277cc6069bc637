#include "core/analysis/item_statistics.h"

#include <algorithm>
#include <stdexcept>

#include "core/analysis/analysis_options.h"
#include "core/analysis/field_catalogue.h"
#include "core/fields/value_format.h"
#include "core/neighbours/neighbour_search.h"
#include "core/neighbours/spanish_measures.h"

namespace zirtel {

std::string LongItemText() {
    return "Item length must not exceed " + std::to_string(kMaxItemLength) + " letters";
}

namespace {

// One writer of the table with the fields of its family.
struct PlannedWriter {
    FieldWriter Writer;
    FieldSet Family;
    int Step;
};

// The distinct writers of the table, by step (table order on a tie).
const std::vector<PlannedWriter>& WriterPlan() {
    static const std::vector<PlannedWriter> plan = [] {
        std::vector<PlannedWriter> writers;
        const auto& cat = FieldCatalogue();
        for (int f = 0; f < kFieldCount; ++f) {
            const FieldInfo& info = cat[static_cast<std::size_t>(f)];
            auto it = std::find_if(writers.begin(), writers.end(),
                                   [&](const PlannedWriter& w) { return w.Writer == info.Writer; });
            if (it == writers.end())
                it = writers.insert(writers.end(), {info.Writer, {}, info.Step});
            it->Family.set(static_cast<std::size_t>(f));
        }
        std::stable_sort(
            writers.begin(), writers.end(),
            [](const PlannedWriter& a, const PlannedWriter& b) { return a.Step < b.Step; });
        return writers;
    }();
    return plan;
}

} // namespace

FieldSet TickedFields(const AnalysisOptions& options) {
    FieldSet fields;
    for (int f = 0; f < kFieldCount; ++f)
        if (options.FieldTicked(f)) fields.set(static_cast<std::size_t>(f));
    return fields;
}

FieldSet FieldsNamed(std::initializer_list<std::string_view> mnemonics) {
    FieldSet fields;
    for (std::string_view name : mnemonics) {
        const int f = FindField(name);
        if (f < 0) throw std::invalid_argument("no such field: " + std::string(name));
        fields.set(static_cast<std::size_t>(f));
    }
    return fields;
}

bool MeasureItem(MeasureContext& ctx, std::string_view item, const FieldSet& fields,
                 RowValues& values) {
    values.Start(item, fields);
    if (item.size() < static_cast<std::size_t>(kMinItemLength) ||
        item.size() > static_cast<std::size_t>(kMaxItemLength)) {
        values.PutAllMissing(MissingReason::ItemLength);
        return false;
    }
    for (const PlannedWriter& w : WriterPlan()) {
        bool runs = (fields & w.Family).any();
        // The orthographic search also fills the neighbour list's deletion and addition rows.
        if (w.Writer == &FindOrthoNeighbours)
            runs = runs || ctx.ListDeletionNs || ctx.ListAdditionNs || ctx.ListSpanishNs;
        // The Spanish neighbours are listed after the item's Basque ones.
        if (w.Writer == &WriteSpanishMeasures) runs = runs || (ctx.OrthoList && ctx.ListSpanishNs);
        if (runs) w.Writer(ctx, values);
    }
    return true;
}

std::vector<Value> ItemValues(MeasureContext& ctx, std::string_view item, const FieldSet& fields) {
    RowValues values;
    if (!MeasureItem(ctx, item, fields, values)) return {};
    std::vector<Value> out(static_cast<std::size_t>(kFieldCount));
    for (int f = 0; f < kFieldCount; ++f)
        if (fields[static_cast<std::size_t>(f)]) out[static_cast<std::size_t>(f)] = values.At(f);
    return out;
}

std::vector<std::string> ItemStatistics(MeasureContext& ctx, std::string_view item,
                                        const FieldSet& fields, int decimals) {
    const std::vector<Value> values = ItemValues(ctx, item, fields);
    if (values.empty()) return {};
    const ValueStyle grid{.Decimals = decimals};
    std::vector<std::string> texts(static_cast<std::size_t>(kFieldCount));
    for (int f = 0; f < kFieldCount; ++f)
        if (fields[static_cast<std::size_t>(f)])
            texts[static_cast<std::size_t>(f)] =
                ValueText(static_cast<FieldId>(f), values[static_cast<std::size_t>(f)], grid);
    return texts;
}

} // namespace zirtel

#include "core/measures/uniqueness_point.h"

#include <algorithm>

#include "core/fields/measure_tables.h"
#include "core/fields/row_values.h"
#include "core/lexicon/lexicon.h"
#include "core/measures/phonotactics.h"
#include "core/phonology/item_pronunciation.h"

namespace zirtel {

namespace {

std::size_t CommonPrefix(std::string_view a, std::string_view b) {
    std::size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
    return n;
}

} // namespace

PrefixTable::PrefixTable(std::vector<std::string> keys) : Keys_(std::move(keys)) {
    std::sort(Keys_.begin(), Keys_.end());
    Keys_.erase(std::unique(Keys_.begin(), Keys_.end()), Keys_.end());
}

int PrefixTable::UniquenessPoint(std::string_view key) const {
    // The key that shares the longest prefix with it is one of its two neighbours in byte order
    // (the key itself left out).
    const auto lower = std::lower_bound(Keys_.begin(), Keys_.end(), key);
    auto upper = lower;
    if (upper != Keys_.end() && *upper == key) ++upper;
    std::size_t longest = 0;
    if (lower != Keys_.begin()) longest = CommonPrefix(key, *std::prev(lower));
    if (upper != Keys_.end()) longest = std::max(longest, CommonPrefix(key, *upper));
    return static_cast<int>(longest) + 1;
}

void WriteUniquenessPoints(MeasureContext& ctx, RowValues& values) {
    const Lexicon& words = ctx.WholeWords;
    if (values.Wants(FieldId::kUP_ORT))
        values.PutCount(
            FieldId::kUP_ORT,
            ctx.Tables.Prefixes(false, words).UniquenessPoint(PhonotacticLetters(values.Item())));
    if (values.Wants(FieldId::kUP_FON)) {
        const PrefixTable& t = ctx.Tables.Prefixes(true, words);
        const ItemPhonology& p = ItemPhonologyOf(ctx, values);
        if (p.Known())
            values.PutCount(FieldId::kUP_FON, t.UniquenessPoint(PhonotacticPhonemes(p.Phon)));
        else
            values.PutMissing(FieldId::kUP_FON, MissingReason::NoPronunciation);
    }
}

} // namespace zirtel

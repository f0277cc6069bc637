#include "core/lexicon/user_fields.h"

#include <algorithm>
#include <optional>

#include "core/fields/row_values.h"
#include "core/text/collation.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

constexpr FieldId kUserFields[3] = {FieldId::kUSER1, FieldId::kUSER2, FieldId::kUSER3};

} // namespace

int UserField::IndexOf(std::string_view word) const {
    const auto it = std::lower_bound(
        Words.begin(), Words.end(), word,
        [](const std::string& a, std::string_view b) { return CollateLess(a, b); });
    if (it == Words.end() || CollateCompare(*it, word) != 0) return -1;
    return static_cast<int>(it - Words.begin());
}

std::optional<float> UserField::Find(std::string_view word) const {
    const int i = IndexOf(word);
    if (i < 0) return std::nullopt;
    return Values[static_cast<std::size_t>(i)];
}

float UserField::ValueOf(std::string_view word) const {
    return Find(word).value_or(0.0f);
}

bool UserField::IsMissing(std::string_view word) const {
    const int i = IndexOf(word);
    return i >= 0 && static_cast<std::size_t>(i) < Missing.size() &&
           Missing[static_cast<std::size_t>(i)];
}

void WriteUserFields(MeasureContext& ctx, RowValues& values) {
    for (std::size_t field = 0; field < 3; ++field) {
        if (!values.Wants(kUserFields[field])) continue;
        const UserField& user = ctx.UserFields[field];
        const std::string word = LowerAscii(values.Item());
        if (user.IsMissing(word))
            values.PutMissing(kUserFields[field], MissingReason::NotFound);
        else if (const std::optional<float> value = user.Find(word))
            values.PutReal(kUserFields[field], *value);
        else
            values.PutMissing(kUserFields[field], MissingReason::NotInUserFile);
    }
}

} // namespace zirtel

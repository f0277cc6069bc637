// The output fields as the code names them, all derived from the field table (fields.def):
// FieldId::k<Name> for every field, in column order, kFieldCount, sets of fields, and
// FieldColumns, the column position of each field in the results (0: not shown).
#pragma once

#include <bitset>
#include <cstddef>
#include <initializer_list>

namespace zirtel {

enum class FieldId : int {
#define ZIRTEL_FIELD(Id, ...) Id,
#include "core/fields/fields.def"
#undef ZIRTEL_FIELD
};

inline constexpr int kFieldCount = 0
#define ZIRTEL_FIELD(...) +1
#include "core/fields/fields.def"
#undef ZIRTEL_FIELD
    ;

constexpr int FieldIndex(FieldId f) {
    return static_cast<int>(f);
}

// A set of fields, by field index.
using FieldSet = std::bitset<kFieldCount>;

inline FieldSet MakeFieldSet(std::initializer_list<FieldId> fields) {
    FieldSet set;
    for (FieldId f : fields) set.set(static_cast<std::size_t>(FieldIndex(f)));
    return set;
}

struct FieldColumns {
#define ZIRTEL_FIELD(Id, Col, ...) int Col = 0;
#include "core/fields/fields.def"
#undef ZIRTEL_FIELD
};

} // namespace zirtel

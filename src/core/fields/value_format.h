// The one formatting layer: how every output shows a value. The results grid, the saved results
// file and the clipboard show the grid's texts ("%4d" counts, "%*.*f" reals of width 7 with the
// results' decimals, each field's own marks for its missing values); --plain drops the padding;
// a missing-value text (--missing, the view options) replaces every missing value, whatever its
// mark, the cells a position the item lacks leaves empty included. The formats and marks of the
// fields come from the field table (fields.def).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/fields/fields.h"
#include "core/fields/value.h"

namespace zirtel {

enum class ValueFormat : std::uint8_t {
    Count,   // "%4d"
    Real,    // "%*.*f", width 7
    Text,    // as it is
    Pattern, // a text left-aligned in at least 15 characters
};

struct ValueStyle {
    int Decimals = 2;
    // Written for every missing value instead of its mark (Latin-1); null: the marks.
    const std::string* Missing = nullptr;
    // No padding blanks: numbers without their leading blanks, texts and marks trimmed.
    bool Plain = false;
};

ValueFormat FormatOf(FieldId f);
// The grid's text for a missing value of the field: its mark, its table mark for a table that
// could not be read, nothing for a position the item lacks or an item that was not measured.
std::string_view MarkOf(FieldId f, MissingReason reason);
// Whether the value shows as missing in the style: a user field's word that its file lacks shows
// as 0 unless missing values are written as a text.
bool ShownMissing(const Value& v, const ValueStyle& style);

// Appends the value's text in the style (Latin-1).
void AppendValueText(std::string& out, FieldId f, const Value& v, const ValueStyle& style);
std::string ValueText(FieldId f, const Value& v, const ValueStyle& style);

} // namespace zirtel

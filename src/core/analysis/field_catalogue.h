// The catalogue of output fields, derived from the field table (core/fields/fields.def): every
// statistic the results grid can show, in the order in which AssignColumns packs them into
// columns, with its header text, its width rule, the check box that enables it and the writer
// that measures it. FieldColumns holds the column position of each field (0: not shown).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/fields/fields.h"
#include "core/fields/measure_context.h"
#include "core/fields/value_format.h"

namespace zirtel {

// How wide the window draws a field's column, D being its default column width (the window
// works out the pixels: gui/grid_presenter.h).
enum class WidthRule {
    Default,   // D
    Frequency, // D + 10 * Decimals - 7
    Minus5,    // D - 5
    Minus15,   // D - 15
    Fixed,     // a fixed number of pixels
};

// The group boxes of the analysis options dialog, in their order (option_groups.def,
// OptionGroups()).
enum class OptionGroupId {
#define ZIRTEL_OPTION_GROUP(Id, ...) Id,
#include "core/analysis/option_groups.def"
#undef ZIRTEL_OPTION_GROUP
};

struct FieldInfo {
    FieldId Id;
    std::string_view Mnemonic; // as the batch mode and the help name it ("N*" for Col_N_STAR)
    std::string_view BoxName;  // the check box of the analysis options that enables it
    std::string_view Header;   // the text of row 0
    WidthRule Width;
    int FixedWidth; // for WidthRule::Fixed
    int FieldColumns::*Col;
    int UserField;               // 1..3 for the user-defined fields, else 0
    std::string_view BoxCaption; // the check box's text
    OptionGroupId Group;         // the group box it sits in
    int BoxOrder;                // its place in the dialog, within its group
    bool TickedByDefault;
    FieldWriter Writer;  // measures it, with the other fields of its family
    int Step;            // writers run by increasing step
    ValueFormat Format;  // how the results show its value
    bool ReadsPhonology; // reads the item's pronunciation or syllabification
};

const std::array<FieldInfo, kFieldCount>& FieldCatalogue();
inline const FieldInfo& FieldOf(FieldId f) {
    return FieldCatalogue()[static_cast<std::size_t>(FieldIndex(f))];
}

// Index of the field with this mnemonic (case-insensitive; "N_STAR" names "N*"), or -1.
int FindField(std::string_view mnemonic);
// Every name FindField takes, for messages: the mnemonics in table order, then "N_STAR (the same
// as N*), all".
std::string ValidFieldNames();

// The names of the fields one writer measures (its family), in table order, joined with ", ".
// With `ranges`, a run of names that differ only in a final digit rising by one (N1, N2, ..., N5)
// is written as its first and last name joined by "-" ("N1-N5").
std::string FamilyNames(FieldWriter writer, bool ranges);

} // namespace zirtel

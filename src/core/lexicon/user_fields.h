// User-defined fields: up to three word-to-value tables, each read from a text file whose first
// line names the field. For every item a shown field writes the value of the item's word, or 0
// when the word is not in the table.
//
// File format: line 1 is the field's name (the whole line, spaces included); every further line
// holds a word and, after a tab or blanks, a decimal number, with a decimal point or a decimal
// comma ("5,8"). Where a word (letter case ignored) occurs on several lines, the last line with a
// number gives its value; a line without a number adds its word and changes no value (a word on
// such lines only has the value 0). A value that is no number ("n/a") is missing: a word with no
// number but such values shows the missing mark, and the file's warning counts those lines. The
// last line is read whether or not it ends with a line feed.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/fields/measure_context.h"

namespace zirtel {

inline constexpr const char* kUndefinedUserField = "Undefined";
inline constexpr const char* kUserField1File = "User1.txt";
inline constexpr std::size_t kMaxUserFieldNameLength = 500;

struct UserField {
    std::string Name = kUndefinedUserField; // the header of the field's column (Latin-1)
    std::vector<std::string> Words;         // sorted in collation order, no two equal
    std::vector<float> Values;              // value of Words[i]
    std::vector<bool> Missing;              // whether Words[i] has a missing value

    // Value of the word (letter case ignored), nothing when it is not in the table.
    std::optional<float> Find(std::string_view word) const;
    // The same, 0 when it is not in the table.
    float ValueOf(std::string_view word) const;
    // Whether the word is in the table with a missing value.
    bool IsMissing(std::string_view word) const;

  private:
    int IndexOf(std::string_view word) const; // index in Words, or -1
};

// The measure of the user fields USER1..USER3, each when requested: the value of the item's
// word in the field's table, a real value; missing (NotInUserFile, which the results show as 0
// unless missing values are written as a text) when the table lacks the word.
void WriteUserFields(MeasureContext& ctx, RowValues& values);

} // namespace zirtel

// User-defined fields: up to three word-to-value tables, each read from a text file whose first
// line names the field.
#pragma once

#include <string>
#include <vector>

namespace zirtel {

struct UserField {
    std::string Name = "Undefined"; // the header of the field's column
    std::vector<std::string> Words; // sorted in collation order
    std::vector<float> Values;      // value of Words[i]
};

} // namespace zirtel

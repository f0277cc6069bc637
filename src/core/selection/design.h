// A selection design: the pool of candidate items, the filters that narrow it, the split lines
// whose levels cross into cells, the controls that match the items of a row, and how many rows
// to generate. It is read from a plain text file, one statement a line, "#" starting a comment:
//
//   pool lexicon | pool items FILE
//   lemmas
//   rule-pronunciations
//   filter FIELD LOW HIGH | filter FIELD VALUE ...   (the second for JATORRIA: its origins)
//   filter FIELD -1                          (the items whose value is missing)
//   split FIELD LOW-HIGH LOW-HIGH ...        (1 to 3 split lines: factors A, B, C)
//   control FIELD LOW HIGH | control FIELD
//   generate N [match balanced|first|random] [seed S]
//
// FIELD is a field name as the batch mode's --fields takes it (letter case ignored, N_STAR for
// N*). Text fields can only be controlled exactly; a text field with a closed set of values
// (FieldValues) is filtered by the values to keep, letter case ignored. A pool FILE in double
// quotes may hold blanks,
// "#" and (as \" and \\) quotes and backslashes. A design has at most kMaxDesignCells cells
// (the product of the split lines' level counts) and asks for at most kMaxDesignItems items
// (rows times cells); the line that goes beyond is the design's error.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zirtel {

inline constexpr std::uint64_t kMaxDesignCells = 10'000;
inline constexpr std::uint64_t kMaxDesignItems = 10'000'000;

struct ValueRange {
    double Low = 0;
    double High = 0;
    bool Contains(double v) const { return Low <= v && v <= High; }
};

struct DesignFilter {
    int Field = -1; // index in the field catalogue
    ValueRange Range;
    std::vector<std::string> Values; // when not empty: the texts kept, instead of a range
    bool Missing = false;            // "-1": only the items the field has no value for
};

struct DesignSplit {
    int Field = -1;
    std::vector<ValueRange> Levels; // ascending, not overlapping
};

struct DesignControl {
    int Field = -1;
    bool Exact = true;  // the reference's value (text fields: its text)
    ValueRange Offsets; // when not exact: [reference + Low, reference + High]
};

enum class ReferenceChoice { Balanced, First, Random };

struct Design {
    bool PoolIsLexicon = true;
    std::string PoolFile; // the items file when !PoolIsLexicon (as written, Latin-1)
    bool Lemmas = false;
    bool RulePronunciations = false;
    std::vector<DesignFilter> Filters;
    std::vector<DesignSplit> Splits;
    std::vector<DesignControl> Controls;
    bool HasGenerate = false;
    int Rows = 0;
    ReferenceChoice Match = ReferenceChoice::Balanced;
    std::optional<std::uint64_t> Seed;
};

struct DesignError {
    int Line = 0; // 1-based; 0 for the design as a whole
    std::string Message;
    std::string Text() const; // "line N: message"
};

struct DesignParse {
    Design Value;
    std::optional<DesignError> Error; // the first error found
};

// Reads a design. `forGenerate`: the design must have a generate line and a split line (the
// matcher needs neither).
DesignParse ParseDesign(std::string_view text, bool forGenerate = true);

// The design as a design file (statements in the order above, LF line ends).
std::string DesignText(const Design& design);

// Whether a field holds texts (patterns, pronunciations, words) rather than numbers.
bool IsTextField(int field);

// The values of a text field that takes only a few known ones (JATORRIA: the word origins);
// empty for any other field.
std::vector<std::string_view> FieldValues(int field);

// What a filter line keeps, as the design file writes it after the field: "LOW HIGH" or the
// values separated by blanks.
std::string FilterText(const DesignFilter& filter);

// The fields the design names: filters, splits, controls, in that order, each once.
std::vector<int> DesignFields(const Design& design);

// The field's name as the design file and the outputs write it ("N*" stays "N*").
std::string FieldName(int field);

// A number as the design file writes it: the shortest text that reads back the same value.
std::string DesignNumber(double value);

} // namespace zirtel

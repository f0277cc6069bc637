// A measure's result for one field of one item: a count, a real number, a text (a pronunciation,
// a word, a pattern) or a missing value with the reason it is missing. Measures produce values;
// only the formatting layer (value_format.h) turns them into the texts of the outputs.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace zirtel {

enum class ValueKind : std::uint8_t { Missing, Count, Real, Text };

// Why a value is missing. The results show most reasons with the field's own mark ("-1",
// "   -  ", ...; see value_format.h), some with an empty cell.
enum class MissingReason : std::uint8_t {
    None,            // not missing
    NotInLexicon,    // the item is not a word of the lexicon the measure reads
    NoPronunciation, // the item has no pronunciation (neither the lexicon's nor the rules')
    NoPosition,      // the position does not exist in this item (a 2-letter item's 3rd bigram)
    NotFound,        // the item has none (no homophone, no transposed-letter word, fewer than 20
                     // words for OLD20, a syllable no table holds)
    NoTable,         // the table for the item's length could not be read
    ItemLength,      // the item is too short or too long to be measured
    NotInUserFile,   // a user-defined field's file does not hold the word
    NotMeasured,     // requested, but the measure gave nothing
};

class Value {
  public:
    Value() = default; // missing, not measured

    static Value Count(long long n) { return Value(ValueKind::Count, static_cast<double>(n)); }
    static Value Real(double x) { return Value(ValueKind::Real, x); }
    static Value Text(std::string text) {
        Value v(ValueKind::Text, 0.0);
        v.Text_ = std::move(text);
        return v;
    }
    static Value Missing(MissingReason reason) {
        Value v;
        v.Reason_ = reason;
        return v;
    }

    ValueKind Kind() const { return Kind_; }
    bool IsMissing() const { return Kind_ == ValueKind::Missing; }
    bool IsNumber() const { return Kind_ == ValueKind::Count || Kind_ == ValueKind::Real; }
    MissingReason Reason() const { return Reason_; }
    // The number of a count or a real value (0 for the others).
    double Number() const { return Number_; }
    long long Integer() const { return static_cast<long long>(Number_); }
    // The text of a text value (empty for the others).
    const std::string& Text() const { return Text_; }

  private:
    Value(ValueKind kind, double number)
        : Kind_(kind), Reason_(MissingReason::None), Number_(number) {}

    ValueKind Kind_ = ValueKind::Missing;
    MissingReason Reason_ = MissingReason::NotMeasured;
    double Number_ = 0.0;
    std::string Text_;
};

} // namespace zirtel

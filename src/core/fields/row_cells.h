// The cells of the item being measured: the writers put the text of each field they measure
// here, but only for the fields that were requested. The grid path moves the cells into the
// item's row of the results; the grid-free call hands them to its caller.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/fields/fields.h"

namespace zirtel {

class RowCells {
  public:
    // Starts the cells of an item: none written, `wanted` requested, real values with
    // `decimals` digits after the point.
    void Start(std::string_view item, const FieldSet& wanted, int decimals);

    // The item as entered (letter case as typed).
    const std::string& Item() const { return Item_; }
    int Decimals() const { return Decimals_; }
    const FieldSet& Wanted() const { return Wanted_; }
    bool Wants(FieldId f) const { return Wanted_[Index(f)]; }
    bool WantsAny(std::initializer_list<FieldId> fields) const {
        for (FieldId f : fields)
            if (Wants(f)) return true;
        return false;
    }

    // Writes a field's text when the field is requested.
    void Put(FieldId f, std::string text) {
        if (!Wants(f)) return;
        Cells_[Index(f)] = std::move(text);
        Written_.set(Index(f));
    }
    // A real value in the results' format ("%*.*f", width 7, Decimals()).
    void PutReal(FieldId f, double value);
    // A count ("%4d").
    void PutCount(FieldId f, long long value);

    // The fields written so far, and their texts (by field index).
    const FieldSet& Written() const { return Written_; }
    const std::string& Cell(int field) const { return Cells_[static_cast<std::size_t>(field)]; }
    const std::string& Cell(FieldId f) const { return Cells_[Index(f)]; }
    std::string TakeCell(int field) { return std::move(Cells_[static_cast<std::size_t>(field)]); }

  private:
    static std::size_t Index(FieldId f) { return static_cast<std::size_t>(FieldIndex(f)); }
    std::string Item_;
    FieldSet Wanted_;
    FieldSet Written_;
    int Decimals_ = 2;
    std::array<std::string, kFieldCount> Cells_;
};

} // namespace zirtel

// The values of the item being measured: the writers put the value of each field they measure
// here, but only for the fields that were requested; a requested field no writer reaches is
// missing (MissingReason::NotMeasured). The results keep the values of their rows; the grid-free
// call hands them to its caller. Nothing here is formatted (see value_format.h).
#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/fields/fields.h"
#include "core/fields/item_phonology.h"
#include "core/fields/neighbour_record.h"
#include "core/fields/value.h"

namespace zirtel {

class RowValues {
  public:
    // Starts the values of an item: none written, `wanted` requested.
    void Start(std::string_view item, const FieldSet& wanted) {
        Item_.assign(item);
        Wanted_ = wanted;
        for (std::size_t i = 0; i < Values_.size(); ++i)
            if (Written_[i]) Values_[i] = Value();
        Written_.reset();
        Phonology_.reset();
        OrthoNeighbours_.clear();
        PhonNeighbours_.clear();
    }

    // The item as entered (letter case as typed).
    const std::string& Item() const { return Item_; }
    const FieldSet& Wanted() const { return Wanted_; }
    bool Wants(FieldId f) const { return Wanted_[Index(f)]; }
    bool WantsAny(std::initializer_list<FieldId> fields) const {
        for (FieldId f : fields)
            if (Wants(f)) return true;
        return false;
    }

    // Writes a field's value when the field is requested.
    void Put(FieldId f, Value v) {
        if (!Wants(f)) return;
        Values_[Index(f)] = std::move(v);
        Written_.set(Index(f));
    }
    void PutCount(FieldId f, long long n) {
        if (Wants(f)) Put(f, Value::Count(n));
    }
    void PutReal(FieldId f, double x) {
        if (Wants(f)) Put(f, Value::Real(x));
    }
    void PutText(FieldId f, std::string_view text) {
        if (Wants(f)) Put(f, Value::Text(std::string(text)));
    }
    void PutMissing(FieldId f, MissingReason reason) {
        if (Wants(f)) Put(f, Value::Missing(reason));
    }
    // Every requested field missing for the reason (an item that cannot be measured).
    void PutAllMissing(MissingReason reason) {
        for (int f = 0; f < kFieldCount; ++f)
            if (Wanted_[static_cast<std::size_t>(f)])
                Put(static_cast<FieldId>(f), Value::Missing(reason));
    }

    // The item's pronunciation and syllabification once a measure has worked them out (see
    // ItemPhonologyOf); nothing until then. Emptied when the next item starts.
    std::optional<ItemPhonology>& Phonology() { return Phonology_; }

    // The neighbours the searches found, while they record them (MeasureContext): the
    // orthographic ones and the phonological ones, each in the order found.
    std::vector<NeighbourRecord>& OrthoNeighbours() { return OrthoNeighbours_; }
    std::vector<NeighbourRecord>& PhonNeighbours() { return PhonNeighbours_; }
    const std::vector<NeighbourRecord>& OrthoNeighbours() const { return OrthoNeighbours_; }
    const std::vector<NeighbourRecord>& PhonNeighbours() const { return PhonNeighbours_; }

    // The fields written so far, and the value of each field (missing, not measured, for a
    // field that was not written).
    const FieldSet& Written() const { return Written_; }
    const Value& At(int field) const { return Values_[static_cast<std::size_t>(field)]; }
    const Value& At(FieldId f) const { return Values_[Index(f)]; }

  private:
    static std::size_t Index(FieldId f) { return static_cast<std::size_t>(FieldIndex(f)); }
    std::string Item_;
    FieldSet Wanted_;
    FieldSet Written_;
    std::array<Value, kFieldCount> Values_;
    std::optional<ItemPhonology> Phonology_;
    std::vector<NeighbourRecord> OrthoNeighbours_, PhonNeighbours_;
};

} // namespace zirtel

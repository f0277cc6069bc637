// The values behind the results grid: for each item row that was measured, the value of every
// shown field as the measures gave it (unrounded), and the neighbours its searches found. The
// grid shows these values as text (value_format.h); saving, copying and the neighbour table in
// any style read them here. Rows are numbered as in the grid (1 is the first item).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/fields/fields.h"
#include "core/fields/neighbour_record.h"
#include "core/fields/row_values.h"
#include "core/fields/value.h"

namespace zirtel {

class ResultsTable {
  public:
    // The fields of the grid's columns from column `firstCol` on (2, or after the items' own
    // columns), in column order; forgets every row.
    void SetColumns(std::vector<FieldId> fields, int firstCol = 2);
    const std::vector<FieldId>& Columns() const { return Columns_; }
    // The grid column of the first field.
    int FirstCol() const { return FirstCol_; }
    // The field of grid column `col`, or nothing for the item column and columns past the fields.
    const FieldId* FieldOfColumn(int col) const;

    // Row `row` holds the values of `values` for the columns, and its recorded neighbours.
    void SetRow(int row, const RowValues& values);
    // Row `row` holds `reason` in every column and no neighbours.
    void SetRowMissing(int row, MissingReason reason);
    // Column `col` of row `row` holds `value` (the row's other columns stay, or are not measured).
    void SetValue(int row, int col, const Value& value);
    void ClearRow(int row);
    void Clear();
    // Forgets the rows from `rows` on.
    void Truncate(int rows);
    // Rows first.. take the rows `order` names: row first + i becomes what row order[i] was.
    void PermuteRows(int first, const std::vector<int>& order);

    bool HasRow(int row) const;
    // The value of grid column `col` (FirstCol() on) in `row`; missing, not measured, where there
    // is none.
    Value At(int row, int col) const;
    // The neighbours the row's searches found (none where the row has no records).
    const std::vector<NeighbourRecord>& OrthoNeighbours(int row) const;
    const std::vector<NeighbourRecord>& PhonNeighbours(int row) const;

  private:
    // A value in 10 bytes: a count or a real's number, or a text's place in the row's texts.
    struct Packed {
        unsigned char Payload[8];
        ValueKind Kind;
        MissingReason Reason;
    };
    struct Neighbours {
        std::vector<NeighbourRecord> Ortho, Phon;
    };
    struct Row {
        std::vector<Packed> Cells; // by column, from column 2
        std::string Texts;
        std::unique_ptr<Neighbours> Found;
    };
    static Packed Pack(const Value& v, std::string& texts);
    Row& RowAt(int row);

    std::vector<FieldId> Columns_;
    int FirstCol_ = 2;
    std::vector<Row> Rows_; // index: grid row
};

} // namespace zirtel

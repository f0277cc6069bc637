// The stimulus selector: measures a pool of items on the fields a design names, crosses its
// split levels into cells and generates rows of one item per cell, matched on the design's
// controls; and the matcher, which finds for given items the closest pool items.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/fields/value.h"
#include "core/selection/design.h"

namespace zirtel {

// Where the selector gets the values of the items: for an item, the value of each of the given
// fields as the measures give it (unrounded).
class StatisticsSource {
  public:
    virtual ~StatisticsSource() = default;
    // The values of `fields` (catalogue indices) for `item` (Latin-1), in the order of `fields`,
    // into `values`.
    virtual void Measure(const std::string& item, const std::vector<int>& fields,
                         std::vector<Value>& values) = 0;
    // Gives `take` the values of each of items[begin, end), with the item's place: by default
    // one item after the other; a source may share them among threads, which then call `take`
    // at once (for different items).
    using ValuesTaker = std::function<void(std::size_t item, const std::vector<Value>& values)>;
    virtual void MeasureRange(const std::vector<std::string>& items, std::size_t begin,
                              std::size_t end, const std::vector<int>& fields,
                              const ValuesTaker& take);
    // The decimals with which the outputs show the real values.
    virtual int Decimals() const { return 2; }
};

// Called with the work done and the whole work; returning false cancels the run.
using SelectionProgress = std::function<bool(std::size_t done, std::size_t total)>;

// Items with the values of a few fields, measured once.
class MeasuredItems {
  public:
    std::vector<std::string> Items; // Latin-1
    std::vector<int> Fields;        // catalogue indices
    int Decimals = 2;               // of the texts

    std::size_t Size() const { return Items.size(); }
    // Position of a field among Fields, or -1.
    int Slot(int field) const;
    // The field's text as the results show it, trimmed ("" for an empty cell).
    const std::string& Text(std::size_t item, std::size_t slot) const {
        return Texts_[item * Fields.size() + slot];
    }
    // The field's number, unrounded; NaN for a text and for a missing value (but a user field's
    // word its file lacks, which counts as 0).
    double Number(std::size_t item, std::size_t slot) const {
        return Numbers_[item * Fields.size() + slot];
    }
    // Whether the value is missing with a mark ("-1", "   -  ", ...: as the results show a
    // value that does not exist).
    bool Absent(std::size_t item, std::size_t slot) const {
        return Absent_[item * Fields.size() + slot] != 0;
    }

    // Makes room for `items` items, so that adding them moves nothing.
    void Reserve(std::size_t items);
    // Adds an item with the value of every field.
    void Add(std::string item, const std::vector<Value>& values);
    // Holds `items` with no value yet; Put gives each its values (from several threads at once,
    // for different items).
    void Start(std::vector<std::string> items);
    void Put(std::size_t item, const std::vector<Value>& values);
    // Adds item `i` of `first` with each of Fields as `first` measured it, or else as item `j`
    // of `second` did.
    void AddFrom(const MeasuredItems& first, std::size_t i, const MeasuredItems& second,
                 std::size_t j);

  private:
    std::vector<std::string> Texts_;
    std::vector<double> Numbers_;
    std::vector<char> Absent_;
};

// Measures every item on `fields`, calling `progress` as it goes. Nothing when cancelled.
std::optional<MeasuredItems> MeasureItems(const std::vector<std::string>& items,
                                          const std::vector<int>& fields, StatisticsSource& stats,
                                          const SelectionProgress& progress = {});

// Measures a design's pool in two rounds: every item on the fields that decide whether it can
// take part (the filters', and for rows also the splits'), then only the items that pass (that
// fall in a cell, for rows) on the design's other fields. The items that cannot take part are
// left out; the rest keep their order and get every field of DesignFields(design), so that rows
// and matches come out as from the whole pool measured on all of them. `progress` is told
// (done, total) over both rounds, the total growing by the second round's items once they are
// known. Nothing when cancelled.
std::optional<MeasuredItems> MeasurePool(const Design& design,
                                         const std::vector<std::string>& items,
                                         StatisticsSource& stats, bool forRows,
                                         const SelectionProgress& progress = {});

// The cell names of a design: "A1", "A2", ... for one split; "A1_B1", "A1_B2", ... for two; the
// first split's level varies slowest.
std::vector<std::string> CellNames(const Design& design);

struct SelectionRow {
    std::vector<std::size_t> Items; // pool index of the row's item in each cell
    std::size_t ReferenceCell = 0;
};

struct Selection {
    std::vector<std::string> CellNames;
    std::vector<SelectionRow> Rows;
    std::uint64_t Seed = 0;
    int Asked = 0;                       // the rows the design asks for
    std::vector<std::size_t> EmptyCells; // cells no pool item falls in: then no row is drawn
};

// Generates the design's rows from a pool measured on DesignFields(design), with `seed`. Nothing
// when cancelled (`progress` is asked before each row and every 1,024 reference tries). A cell
// that no pool item falls in is found before any draw (EmptyCells): no row then. Failing takes
// time linear in the pool: an item fails as a reference once, and a reference's candidates are
// looked for only among the items whose values can meet the most selective control.
std::optional<Selection> Generate(const Design& design, const MeasuredItems& pool,
                                  std::uint64_t seed, const SelectionProgress& progress = {});

// "only K of N rows could be made" when the selection is short, followed by ": no pool item
// falls in cell A2_B1" (up to ten cells named) when cells are empty; empty otherwise.
std::string ShortfallWarning(const Selection& selection);

// The outputs, UTF-8 with CR LF line ends, fields separated by tabs.
// Wide: row, one column per cell, reference_cell.
std::string WideOutput(const Selection& selection, const MeasuredItems& pool);
// Long: row, cell, item, is_reference, then every field the design names.
std::string LongOutput(const Selection& selection, const MeasuredItems& pool);

struct MatchResult {
    std::size_t Target = 0; // index among the matched items
    int Rank = 1;
    std::size_t Match = 0; // pool index
    double Distance = 0;
};

// For each target (measured on the same fields as the pool), the `count` pool items that pass
// the filters and satisfy the controls relative to it (the target itself excluded), nearest
// first: Euclidean distance over the numeric controlled fields, each scaled by its standard
// deviation over the filtered pool; equal distances in the collation order of the items.
// `progress` is asked every 64 targets; told to stop, the matches found so far are returned.
std::vector<MatchResult> MatchItems(const Design& design, const MeasuredItems& pool,
                                    const MeasuredItems& targets, int count,
                                    const SelectionProgress& progress = {});

// item, rank, match, distance, then the controlled fields' values of the match.
std::string MatchOutput(const Design& design, const std::vector<MatchResult>& matches,
                        const MeasuredItems& pool, const MeasuredItems& targets);

} // namespace zirtel

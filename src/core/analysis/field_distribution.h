// A picture of one field: its values over the whole current lexicon (or over the words of one
// length), against which the items' values are drawn as a histogram, with each item's place in
// the lexicon as a percentile.
#pragma once

#include <string>
#include <vector>

#include "core/fields/fields.h"

namespace zirtel {

class Workspace;

struct FieldDistribution {
    std::vector<double> Values; // the lexicon words' numeric values, sorted
    // The percentage of the lexicon's values at or below `x` (0 for an empty lexicon).
    double PercentileOf(double x) const;
};

// The numeric values of field `f` over the words of the current lexicon, each measured as an item
// is (words without a number for the field left out); only the words of `length` letters when
// `length` > 0.
FieldDistribution LexiconDistribution(Workspace& ws, FieldId f, int length = 0);

// Counts of two sets of values in `bins` equal bins from the least to the greatest value of both;
// with `trimmed`, the lexicon's values count only from its 1st to its 99th percentile in the
// range (a few extreme words, as frequencies have, would squeeze every other value into one
// bin): values outside the range count in the end bins.
struct Histogram {
    double Low = 0, High = 0;
    std::vector<int> Items, Lexicon;
    // The bin of a value.
    int BinOf(double x) const;
};
Histogram MakeHistogram(const std::vector<double>& items, const std::vector<double>& lexicon,
                        int bins, bool trimmed = false);

} // namespace zirtel

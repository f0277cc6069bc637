#include "core/selection/selector.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

#include "core/fields/value_format.h"
#include "core/random/random_draw.h"
#include "core/text/collation.h"
#include "core/text/format.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The compiled controls: slot of each field in the measured items.
struct Control {
    std::size_t Slot;
    bool Text;
    bool Exact;
    ValueRange Offsets;
};

std::vector<Control> CompileControls(const Design& design, const MeasuredItems& items) {
    std::vector<Control> controls;
    for (const DesignControl& c : design.Controls)
        controls.push_back({static_cast<std::size_t>(items.Slot(c.Field)), IsTextField(c.Field),
                            c.Exact, c.Offsets});
    return controls;
}

// Whether candidate `b` of `bs` matches reference `a` of `as` (both measured on the same fields).
bool Satisfies(const std::vector<Control>& controls, const MeasuredItems& as, std::size_t a,
               const MeasuredItems& bs, std::size_t b) {
    for (const Control& c : controls) {
        if (as.Absent(a, c.Slot) || bs.Absent(b, c.Slot)) return false;
        if (c.Text) {
            if (as.Text(a, c.Slot) != bs.Text(b, c.Slot)) return false;
            continue;
        }
        const double ref = as.Number(a, c.Slot);
        const double v = bs.Number(b, c.Slot);
        if (std::isnan(ref) || std::isnan(v)) return false;
        const double low = c.Exact ? 0.0 : c.Offsets.Low;
        const double high = c.Exact ? 0.0 : c.Offsets.High;
        // A rounding error of the subtraction must not turn a boundary value away.
        const double slack = 1e-9 * std::max({1.0, std::fabs(ref), std::fabs(v)});
        const double diff = v - ref;
        if (diff < low - slack || diff > high + slack) return false;
    }
    return true;
}

bool PassesFilters(const Design& design, const MeasuredItems& items, std::size_t i) {
    for (const DesignFilter& f : design.Filters) {
        const auto slot = static_cast<std::size_t>(items.Slot(f.Field));
        if (!f.Values.empty()) {
            if (std::find(f.Values.begin(), f.Values.end(), items.Text(i, slot)) == f.Values.end())
                return false;
            continue;
        }
        const double v = items.Number(i, slot);
        if (f.Missing ? !std::isnan(v) : std::isnan(v) || !f.Range.Contains(v)) return false;
    }
    return true;
}

constexpr std::size_t kNoCell = static_cast<std::size_t>(-1);

// The cell of a pool item, or kNoCell when it passes no level of some split (or no filter).
std::size_t CellOf(const Design& design, const MeasuredItems& items, std::size_t i) {
    if (!PassesFilters(design, items, i)) return kNoCell;
    std::size_t cell = 0;
    for (const DesignSplit& s : design.Splits) {
        const double v = items.Number(i, static_cast<std::size_t>(items.Slot(s.Field)));
        std::size_t level = kNoCell;
        for (std::size_t l = 0; l < s.Levels.size() && !std::isnan(v); ++l)
            if (s.Levels[l].Contains(v)) level = l;
        if (level == kNoCell) return kNoCell;
        cell = cell * s.Levels.size() + level;
    }
    return cell;
}

// Which positions 0..n-1 are still in, with the k-th of them found in logarithmic time (a
// Fenwick tree of counts).
class Survivors {
  public:
    explicit Survivors(std::size_t n) : Tree_(n + 1, 0), Count_(n) {
        for (std::size_t i = 1; i <= n; ++i) {
            Tree_[i] += 1;
            const std::size_t parent = i + (i & (~i + 1));
            if (parent <= n) Tree_[parent] += Tree_[i];
        }
        for (Top_ = 1; Top_ * 2 <= n; Top_ *= 2) {
        }
    }
    std::size_t Count() const { return Count_; }
    void Remove(std::size_t position) {
        --Count_;
        for (std::size_t i = position + 1; i < Tree_.size(); i += i & (~i + 1)) --Tree_[i];
    }
    // The position of the k-th survivor (from 0), k < Count().
    std::size_t Select(std::size_t k) const {
        std::size_t at = 0;
        for (std::size_t step = Top_; step > 0; step /= 2)
            if (at + step < Tree_.size() && Tree_[at + step] <= k) {
                at += step;
                k -= Tree_[at];
            }
        return at;
    }

  private:
    std::vector<std::size_t> Tree_;
    std::size_t Count_;
    std::size_t Top_ = 1;
};

// The members of one cell, and for each control the members that have a value for it, ordered
// by that value: a reference's candidates under a control lie in one stretch of that order.
struct CellIndex {
    std::vector<std::size_t> Members;             // pool indices, in pool order
    std::vector<std::vector<std::size_t>> Sorted; // [control]: positions in Members, by value
};

// The stretch of `index.Sorted[k]` that can satisfy control `c` for reference `ref`.
std::pair<std::size_t, std::size_t> Stretch(const CellIndex& index, std::size_t k, const Control& c,
                                            const MeasuredItems& pool, std::size_t ref) {
    const std::vector<std::size_t>& sorted = index.Sorted[k];
    const auto member = [&](std::size_t position) { return index.Members[position]; };
    if (pool.Absent(ref, c.Slot)) return {0, 0};
    if (c.Text) {
        const std::string& text = pool.Text(ref, c.Slot);
        const auto [lo, hi] =
            std::equal_range(sorted.begin(), sorted.end(), text, [&](const auto& a, const auto& b) {
                if constexpr (std::is_same_v<std::decay_t<decltype(a)>, std::string>)
                    return a < pool.Text(member(b), c.Slot);
                else
                    return pool.Text(member(a), c.Slot) < b;
            });
        return {static_cast<std::size_t>(lo - sorted.begin()),
                static_cast<std::size_t>(hi - sorted.begin())};
    }
    const double v = pool.Number(ref, c.Slot);
    if (std::isnan(v)) return {0, 0};
    double low = v + (c.Exact ? 0.0 : c.Offsets.Low);
    double high = v + (c.Exact ? 0.0 : c.Offsets.High);
    // Wider than Satisfies' own slack: the stretch holds every value it can accept.
    const double slack = 1e-6 * std::max({1.0, std::fabs(v), std::fabs(low), std::fabs(high)});
    low -= slack;
    high += slack;
    const auto value = [&](std::size_t position) { return pool.Number(member(position), c.Slot); };
    const auto lo = std::lower_bound(sorted.begin(), sorted.end(), low,
                                     [&](std::size_t p, double x) { return value(p) < x; });
    const auto hi = std::upper_bound(lo, sorted.end(), high,
                                     [&](double x, std::size_t p) { return x < value(p); });
    return {static_cast<std::size_t>(lo - sorted.begin()),
            static_cast<std::size_t>(hi - sorted.begin())};
}

std::string Row(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += '\t';
        line += Latin1ToUtf8(fields[i]);
    }
    return line + "\r\n";
}

} // namespace

int MeasuredItems::Slot(int field) const {
    const auto it = std::find(Fields.begin(), Fields.end(), field);
    return it == Fields.end() ? -1 : static_cast<int>(it - Fields.begin());
}

void MeasuredItems::Reserve(std::size_t items) {
    Items.reserve(items);
    Texts_.reserve(items * Fields.size());
    Numbers_.reserve(items * Fields.size());
    Absent_.reserve(items * Fields.size());
}

void MeasuredItems::Add(std::string item, const std::vector<Value>& values) {
    Items.push_back(std::move(item));
    Texts_.resize(Items.size() * Fields.size());
    Numbers_.resize(Items.size() * Fields.size());
    Absent_.resize(Items.size() * Fields.size());
    Put(Items.size() - 1, values);
}

void MeasuredItems::Start(std::vector<std::string> items) {
    Items = std::move(items);
    Texts_.assign(Items.size() * Fields.size(), std::string());
    Numbers_.assign(Items.size() * Fields.size(), kNaN);
    Absent_.assign(Items.size() * Fields.size(), 0);
}

void MeasuredItems::Put(std::size_t item, const std::vector<Value>& values) {
    const ValueStyle plain{.Decimals = Decimals, .Plain = true};
    for (std::size_t s = 0; s < Fields.size(); ++s) {
        const Value v = s < values.size() ? values[s] : Value();
        const auto f = static_cast<FieldId>(Fields[s]);
        // An item the analysis refuses has "-1" in every field.
        const bool refused = v.Reason() == MissingReason::ItemLength;
        std::string text = refused ? std::string("-1") : ValueText(f, v, plain);
        // A missing value that the results show with a mark is absent; one they leave empty is
        // no number.
        const bool absent =
            v.IsMissing() && !text.empty() && v.Reason() != MissingReason::NotInUserFile;
        const std::size_t at = item * Fields.size() + s;
        Numbers_[at] = v.IsNumber()                                 ? v.Number()
                       : v.Reason() == MissingReason::NotInUserFile ? 0.0
                                                                    : kNaN;
        Absent_[at] = absent ? 1 : 0;
        Texts_[at] = std::move(text);
    }
}

void MeasuredItems::AddFrom(const MeasuredItems& first, std::size_t i, const MeasuredItems& second,
                            std::size_t j) {
    Items.push_back(first.Items[i]);
    for (int f : Fields) {
        const int inFirst = first.Slot(f);
        const MeasuredItems& from = inFirst >= 0 ? first : second;
        const std::size_t at = (inFirst >= 0 ? i : j) * from.Fields.size() +
                               static_cast<std::size_t>(inFirst >= 0 ? inFirst : second.Slot(f));
        Numbers_.push_back(from.Numbers_[at]);
        Absent_.push_back(from.Absent_[at]);
        Texts_.push_back(from.Texts_[at]);
    }
}

void StatisticsSource::MeasureRange(const std::vector<std::string>& items, std::size_t begin,
                                    std::size_t end, const std::vector<int>& fields,
                                    const ValuesTaker& take) {
    std::vector<Value> values;
    for (std::size_t i = begin; i < end; ++i) {
        values.clear();
        Measure(items[i], fields, values);
        take(i, values);
    }
}

std::optional<MeasuredItems> MeasureItems(const std::vector<std::string>& items,
                                          const std::vector<int>& fields, StatisticsSource& stats,
                                          const SelectionProgress& progress) {
    MeasuredItems measured;
    measured.Fields = fields;
    measured.Decimals = stats.Decimals();
    measured.Start(items);
    // Items between two questions to `progress`: enough that starting the workers costs little
    // beside the measuring. The workers make the items' texts as well.
    constexpr std::size_t kRound = 2048;
    const StatisticsSource::ValuesTaker take = [&measured](std::size_t item,
                                                           const std::vector<Value>& values) {
        measured.Put(item, values);
    };
    for (std::size_t i = 0; i < items.size() && !fields.empty(); i += kRound) {
        if (progress && !progress(i, items.size())) return std::nullopt;
        stats.MeasureRange(items, i, std::min(items.size(), i + kRound), fields, take);
    }
    if (progress && !progress(items.size(), items.size())) return std::nullopt;
    return measured;
}

std::optional<MeasuredItems> MeasurePool(const Design& design,
                                         const std::vector<std::string>& items,
                                         StatisticsSource& stats, bool forRows,
                                         const SelectionProgress& progress) {
    const std::vector<int> all = DesignFields(design);
    std::vector<int> deciding, rest;
    for (int f : all) {
        const bool decides =
            std::any_of(design.Filters.begin(), design.Filters.end(),
                        [f](const DesignFilter& x) { return x.Field == f; }) ||
            (forRows && std::any_of(design.Splits.begin(), design.Splits.end(),
                                    [f](const DesignSplit& x) { return x.Field == f; }));
        (decides ? deciding : rest).push_back(f);
    }
    const std::size_t n = items.size();
    const auto first = MeasureItems(items, deciding, stats, [&](std::size_t done, std::size_t) {
        return !progress || progress(done, n);
    });
    if (!first) return std::nullopt;
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < n; ++i)
        if (forRows ? CellOf(design, *first, i) != kNoCell : PassesFilters(design, *first, i))
            kept.push_back(i);
    std::vector<std::string> keptItems;
    keptItems.reserve(kept.size());
    for (std::size_t i : kept) keptItems.push_back(items[i]);
    const auto second =
        MeasureItems(keptItems, rest, stats, [&](std::size_t done, std::size_t total) {
            return !progress || progress(n + done, n + total);
        });
    if (!second) return std::nullopt;

    MeasuredItems pool;
    pool.Fields = all;
    pool.Decimals = stats.Decimals();
    pool.Reserve(kept.size());
    for (std::size_t k = 0; k < kept.size(); ++k) pool.AddFrom(*first, kept[k], *second, k);
    return pool;
}

std::vector<std::string> CellNames(const Design& design) {
    std::vector<std::string> names{""};
    for (std::size_t s = 0; s < design.Splits.size(); ++s) {
        std::vector<std::string> next;
        for (const std::string& prefix : names)
            for (std::size_t l = 0; l < design.Splits[s].Levels.size(); ++l)
                next.push_back(prefix + (s > 0 ? "_" : "") + static_cast<char>('A' + s) +
                               std::to_string(l + 1));
        names = std::move(next);
    }
    return design.Splits.empty() ? std::vector<std::string>() : names;
}

std::optional<Selection> Generate(const Design& design, const MeasuredItems& pool,
                                  std::uint64_t seed, const SelectionProgress& progress) {
    Selection sel;
    sel.CellNames = CellNames(design);
    sel.Seed = seed;
    sel.Asked = design.Rows;
    const std::size_t cellCount = sel.CellNames.size();
    if (cellCount == 0) return sel;

    std::vector<CellIndex> cells(cellCount);
    std::vector<std::size_t> cellOf(pool.Size(), kNoCell), positionOf(pool.Size(), 0);
    for (std::size_t i = 0; i < pool.Size(); ++i) {
        const std::size_t cell = CellOf(design, pool, i);
        if (cell == kNoCell) continue;
        cellOf[i] = cell;
        positionOf[i] = cells[cell].Members.size();
        cells[cell].Members.push_back(i);
    }
    // A cell without an item leaves every row incomplete: no row is drawn.
    for (std::size_t c = 0; c < cellCount; ++c)
        if (cells[c].Members.empty()) sel.EmptyCells.push_back(c);
    if (!sel.EmptyCells.empty()) return sel;

    const std::vector<Control> controls = CompileControls(design, pool);
    for (CellIndex& cell : cells) {
        cell.Sorted.resize(controls.size());
        for (std::size_t k = 0; k < controls.size(); ++k) {
            const Control& c = controls[k];
            std::vector<std::size_t>& sorted = cell.Sorted[k];
            for (std::size_t p = 0; p < cell.Members.size(); ++p) {
                const std::size_t i = cell.Members[p];
                if (!pool.Absent(i, c.Slot) && (c.Text || !std::isnan(pool.Number(i, c.Slot))))
                    sorted.push_back(p);
            }
            const auto key = [&](std::size_t p) { return cell.Members[p]; };
            if (c.Text)
                std::stable_sort(sorted.begin(), sorted.end(), [&](std::size_t a, std::size_t b) {
                    return pool.Text(key(a), c.Slot) < pool.Text(key(b), c.Slot);
                });
            else
                std::stable_sort(sorted.begin(), sorted.end(), [&](std::size_t a, std::size_t b) {
                    return pool.Number(key(a), c.Slot) < pool.Number(key(b), c.Slot);
                });
        }
    }
    // Per cell: the members that may still head a row (unused, never failed: an item that once
    // failed as a reference fails for good, since the unused items only dwindle), and the unused
    // ones.
    std::vector<Survivors> heads, unused;
    for (const CellIndex& cell : cells) {
        heads.emplace_back(cell.Members.size());
        unused.emplace_back(cell.Members.size());
    }
    std::vector<char> used(pool.Size(), 0), dead(pool.Size(), 0);
    const auto retire = [&](std::size_t i) { // no longer a possible head
        if (dead[i] || used[i]) return;
        heads[cellOf[i]].Remove(positionOf[i]);
    };

    RandomEngine rng(seed);
    std::vector<std::size_t> order(cellCount);
    for (std::size_t c = 0; c < cellCount; ++c) order[c] = c;
    if (design.Match == ReferenceChoice::Balanced) Shuffle(order, rng);

    // The candidates of cell `c` for reference `ref`: its unused members that satisfy the
    // controls, in pool order.
    std::vector<std::size_t> candidates;
    const auto gather = [&](std::size_t c, std::size_t ref) {
        candidates.clear();
        const CellIndex& cell = cells[c];
        std::size_t best = 0, from = 0, to = 0;
        for (std::size_t k = 0; k < controls.size(); ++k) {
            const auto [lo, hi] = Stretch(cell, k, controls[k], pool, ref);
            if (k == 0 || hi - lo < to - from) {
                best = k;
                from = lo;
                to = hi;
            }
        }
        for (std::size_t q = from; q < to; ++q) {
            const std::size_t i = cell.Members[cell.Sorted[best][q]];
            if (!used[i] && Satisfies(controls, pool, ref, pool, i)) candidates.push_back(i);
        }
        std::sort(candidates.begin(), candidates.end());
    };

    std::size_t tries = 0;
    for (int r = 0; r < design.Rows; ++r) {
        if (progress &&
            !progress(static_cast<std::size_t>(r), static_cast<std::size_t>(design.Rows)))
            return std::nullopt;
        // The row's reference cell comes first. "first" keeps A1...; otherwise, when no unused
        // item of that cell can head a row, the next cells (in the cycle for "balanced") are tried.
        std::vector<std::size_t> tried;
        if (design.Match == ReferenceChoice::First) {
            tried.push_back(0);
        } else {
            const std::size_t start = design.Match == ReferenceChoice::Balanced
                                          ? static_cast<std::size_t>(r) % cellCount
                                          : BoundedDraw(rng, cellCount);
            for (std::size_t k = 0; k < cellCount; ++k)
                tried.push_back(design.Match == ReferenceChoice::Balanced
                                    ? order[(start + k) % cellCount]
                                    : (start + k) % cellCount);
        }
        bool made = false;
        for (std::size_t k = 0; k < tried.size() && !made; ++k) {
            const std::size_t refCell = tried[k];
            while (heads[refCell].Count() > 0) {
                if (progress && ++tries % 1024 == 0 &&
                    !progress(static_cast<std::size_t>(r), static_cast<std::size_t>(design.Rows)))
                    return std::nullopt;
                const std::size_t ref = cells[refCell].Members[heads[refCell].Select(
                    static_cast<std::size_t>(BoundedDraw(rng, heads[refCell].Count())))];
                SelectionRow row;
                row.ReferenceCell = refCell;
                row.Items.assign(cellCount, ref);
                bool complete = true;
                for (std::size_t c = 0; c < cellCount && complete; ++c) {
                    if (c == refCell) continue;
                    if (controls.empty()) {
                        // Every unused member is a candidate.
                        if (unused[c].Count() == 0) {
                            complete = false;
                        } else {
                            row.Items[c] = cells[c].Members[unused[c].Select(
                                static_cast<std::size_t>(BoundedDraw(rng, unused[c].Count())))];
                        }
                        continue;
                    }
                    gather(c, ref);
                    if (candidates.empty()) {
                        complete = false;
                    } else {
                        row.Items[c] = candidates[BoundedDraw(rng, candidates.size())];
                    }
                }
                if (!complete) {
                    retire(ref);
                    dead[ref] = 1;
                    continue;
                }
                for (std::size_t i : row.Items) {
                    retire(i);
                    used[i] = 1;
                    unused[cellOf[i]].Remove(positionOf[i]);
                }
                sel.Rows.push_back(std::move(row));
                made = true;
                break;
            }
        }
        if (!made) break; // no unused item of the cells tried can head a row any more
    }
    if (progress &&
        !progress(static_cast<std::size_t>(design.Rows), static_cast<std::size_t>(design.Rows)))
        return std::nullopt;
    return sel;
}

std::string ShortfallWarning(const Selection& selection) {
    if (static_cast<int>(selection.Rows.size()) >= selection.Asked) return "";
    std::string text = "only " + std::to_string(selection.Rows.size()) + " of " +
                       std::to_string(selection.Asked) + " rows could be made";
    if (selection.EmptyCells.empty()) return text;
    text += selection.EmptyCells.size() == 1 ? ": no pool item falls in cell "
                                             : ": no pool item falls in cells ";
    constexpr std::size_t kNamed = 10;
    for (std::size_t k = 0; k < selection.EmptyCells.size() && k < kNamed; ++k)
        text += (k > 0 ? ", " : "") + selection.CellNames[selection.EmptyCells[k]];
    if (selection.EmptyCells.size() > kNamed)
        text += " and " + std::to_string(selection.EmptyCells.size() - kNamed) + " more";
    return text;
}

std::string WideOutput(const Selection& selection, const MeasuredItems& pool) {
    std::vector<std::string> header{"row"};
    header.insert(header.end(), selection.CellNames.begin(), selection.CellNames.end());
    header.push_back("reference_cell");
    std::string out = Row(header);
    for (std::size_t r = 0; r < selection.Rows.size(); ++r) {
        const SelectionRow& row = selection.Rows[r];
        std::vector<std::string> fields{std::to_string(r + 1)};
        for (std::size_t i : row.Items) fields.push_back(pool.Items[i]);
        fields.push_back(selection.CellNames[row.ReferenceCell]);
        out += Row(fields);
    }
    return out;
}

std::string LongOutput(const Selection& selection, const MeasuredItems& pool) {
    std::vector<std::string> header{"row", "cell", "item", "is_reference"};
    for (int f : pool.Fields) header.push_back(FieldName(f));
    std::string out = Row(header);
    for (std::size_t r = 0; r < selection.Rows.size(); ++r) {
        const SelectionRow& row = selection.Rows[r];
        for (std::size_t c = 0; c < row.Items.size(); ++c) {
            const std::size_t i = row.Items[c];
            std::vector<std::string> fields{std::to_string(r + 1), selection.CellNames[c],
                                            pool.Items[i], c == row.ReferenceCell ? "1" : "0"};
            for (std::size_t s = 0; s < pool.Fields.size(); ++s) fields.push_back(pool.Text(i, s));
            out += Row(fields);
        }
    }
    return out;
}

std::vector<MatchResult> MatchItems(const Design& design, const MeasuredItems& pool,
                                    const MeasuredItems& targets, int count,
                                    const SelectionProgress& progress) {
    std::vector<std::size_t> eligible;
    for (std::size_t i = 0; i < pool.Size(); ++i)
        if (PassesFilters(design, pool, i)) eligible.push_back(i);
    const std::vector<Control> controls = CompileControls(design, pool);

    // The scale of each numeric controlled field: its standard deviation over the filtered pool
    // (n - 1); a field without spread adds nothing to the distance.
    std::vector<std::pair<std::size_t, double>> scales;
    for (const Control& c : controls) {
        if (c.Text) continue;
        if (std::any_of(scales.begin(), scales.end(),
                        [&](const auto& s) { return s.first == c.Slot; }))
            continue;
        double sum = 0, sumSq = 0;
        std::size_t n = 0;
        for (std::size_t i : eligible) {
            const double v = pool.Number(i, c.Slot);
            if (std::isnan(v)) continue;
            sum += v;
            ++n;
        }
        if (n < 2) continue;
        const double mean = sum / static_cast<double>(n);
        for (std::size_t i : eligible) {
            const double v = pool.Number(i, c.Slot);
            if (!std::isnan(v)) sumSq += (v - mean) * (v - mean);
        }
        const double sd = std::sqrt(sumSq / static_cast<double>(n - 1));
        if (sd > 0) scales.emplace_back(c.Slot, sd);
    }

    std::vector<MatchResult> results;
    std::vector<std::pair<double, std::size_t>> found;
    for (std::size_t t = 0; t < targets.Size(); ++t) {
        if (progress && t % 64 == 0 && !progress(t, targets.Size())) return results;
        found.clear();
        const std::string key = CollationEqualityKey(targets.Items[t]);
        for (std::size_t i : eligible) {
            if (!Satisfies(controls, targets, t, pool, i)) continue;
            if (CollationEqualityKey(pool.Items[i]) == key) continue;
            double sq = 0;
            for (const auto& [slot, sd] : scales) {
                const double z = (pool.Number(i, slot) - targets.Number(t, slot)) / sd;
                sq += z * z;
            }
            found.emplace_back(std::sqrt(sq), i);
        }
        const std::size_t keep =
            std::min(found.size(), static_cast<std::size_t>(std::max(count, 0)));
        std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(keep),
                          found.end(), [&](const auto& a, const auto& b) {
                              if (a.first != b.first) return a.first < b.first;
                              const int c =
                                  CollateCompare(pool.Items[a.second], pool.Items[b.second]);
                              return c != 0 ? c < 0 : a.second < b.second;
                          });
        for (std::size_t k = 0; k < keep; ++k)
            results.push_back({t, static_cast<int>(k + 1), found[k].second, found[k].first});
    }
    return results;
}

std::string MatchOutput(const Design& design, const std::vector<MatchResult>& matches,
                        const MeasuredItems& pool, const MeasuredItems& targets) {
    std::vector<int> controlled;
    for (const DesignControl& c : design.Controls)
        if (std::find(controlled.begin(), controlled.end(), c.Field) == controlled.end())
            controlled.push_back(c.Field);
    std::vector<std::string> header{"item", "rank", "match", "distance"};
    for (int f : controlled) header.push_back(FieldName(f));
    std::string out = Row(header);
    for (const MatchResult& m : matches) {
        std::vector<std::string> fields{targets.Items[m.Target], std::to_string(m.Rank),
                                        pool.Items[m.Match], Trim(FormatReal(m.Distance, 0, 4))};
        for (int f : controlled)
            fields.push_back(pool.Text(m.Match, static_cast<std::size_t>(pool.Slot(f))));
        out += Row(fields);
    }
    return out;
}

} // namespace zirtel

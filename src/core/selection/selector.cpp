#include "core/selection/selector.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>

#include "core/selection/random.h"
#include "core/text/collation.h"
#include "core/text/format.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double ParseValue(const std::string& text) {
    if (text.empty()) return kNaN;
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(v) ? v : kNaN;
}

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
        // Values come from texts with a few decimals: a rounding error of the subtraction must
        // not turn a boundary value away.
        const double slack = 1e-9 * std::max({1.0, std::fabs(ref), std::fabs(v)});
        const double diff = v - ref;
        if (diff < low - slack || diff > high + slack) return false;
    }
    return true;
}

bool PassesFilters(const Design& design, const MeasuredItems& items, std::size_t i) {
    for (const DesignFilter& f : design.Filters) {
        const double v = items.Number(i, static_cast<std::size_t>(items.Slot(f.Field)));
        if (std::isnan(v) || !f.Range.Contains(v)) return false;
    }
    return true;
}

// The cell of a pool item, or -1 when it passes no level of some split (or no filter).
int CellOf(const Design& design, const MeasuredItems& items, std::size_t i) {
    if (!PassesFilters(design, items, i)) return -1;
    int cell = 0;
    for (const DesignSplit& s : design.Splits) {
        const double v = items.Number(i, static_cast<std::size_t>(items.Slot(s.Field)));
        int level = -1;
        for (std::size_t l = 0; l < s.Levels.size() && !std::isnan(v); ++l)
            if (s.Levels[l].Contains(v)) level = static_cast<int>(l);
        if (level < 0) return -1;
        cell = cell * static_cast<int>(s.Levels.size()) + level;
    }
    return cell;
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

void MeasuredItems::Add(std::string item, const std::vector<std::string>& texts) {
    Items.push_back(std::move(item));
    for (std::size_t f = 0; f < Fields.size(); ++f) {
        std::string text = f < texts.size() ? Trim(texts[f]) : std::string();
        const bool absent = text == "-1" || text == "-";
        Numbers_.push_back(absent ? kNaN : ParseValue(text));
        Absent_.push_back(absent ? 1 : 0);
        Texts_.push_back(std::move(text));
    }
}

std::optional<MeasuredItems> MeasureItems(const std::vector<std::string>& items,
                                          const std::vector<int>& fields, StatisticsSource& stats,
                                          const SelectionProgress& progress) {
    MeasuredItems measured;
    measured.Fields = fields;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (progress && i % 256 == 0 && !progress(i, items.size())) return std::nullopt;
        measured.Add(items[i], fields.empty() ? std::vector<std::string>()
                                              : stats.FieldTexts(items[i], fields));
    }
    if (progress && !progress(items.size(), items.size())) return std::nullopt;
    return measured;
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

    std::vector<std::vector<std::size_t>> members(cellCount);
    for (std::size_t i = 0; i < pool.Size(); ++i) {
        const int cell = CellOf(design, pool, i);
        if (cell >= 0) members[static_cast<std::size_t>(cell)].push_back(i);
    }
    const std::vector<Control> controls = CompileControls(design, pool);
    std::vector<char> used(pool.Size(), 0);
    // An item that once failed as a reference fails for good: the unused items only dwindle.
    std::vector<char> dead(pool.Size(), 0);

    std::mt19937_64 rng(seed);
    std::vector<std::size_t> order(cellCount);
    for (std::size_t c = 0; c < cellCount; ++c) order[c] = c;
    if (design.Match == ReferenceChoice::Balanced) selection::Shuffle(order, rng);

    std::vector<std::size_t> live, candidates;
    for (int r = 0; r < design.Rows; ++r) {
        if (progress &&
            !progress(static_cast<std::size_t>(r), static_cast<std::size_t>(design.Rows)))
            return std::nullopt;
        // The row's reference cell comes first. "first" keeps A1...; otherwise, when no unused
        // item of that cell can head a row, the next cells (in the cycle for "balanced") are tried.
        std::vector<std::size_t> tries;
        if (design.Match == ReferenceChoice::First) {
            tries.push_back(0);
        } else {
            const std::size_t start = design.Match == ReferenceChoice::Balanced
                                          ? static_cast<std::size_t>(r) % cellCount
                                          : selection::BoundedDraw(rng, cellCount);
            for (std::size_t k = 0; k < cellCount; ++k)
                tries.push_back(design.Match == ReferenceChoice::Balanced
                                    ? order[(start + k) % cellCount]
                                    : (start + k) % cellCount);
        }
        bool made = false;
        for (std::size_t k = 0; k < tries.size() && !made; ++k) {
            const std::size_t refCell = tries[k];
            for (;;) {
                live.clear();
                for (std::size_t i : members[refCell])
                    if (!used[i] && !dead[i]) live.push_back(i);
                if (live.empty()) break;
                const std::size_t ref = live[selection::BoundedDraw(rng, live.size())];
                SelectionRow row;
                row.ReferenceCell = refCell;
                row.Items.assign(cellCount, ref);
                bool complete = true;
                for (std::size_t c = 0; c < cellCount && complete; ++c) {
                    if (c == refCell) continue;
                    candidates.clear();
                    for (std::size_t i : members[c])
                        if (!used[i] && Satisfies(controls, pool, ref, pool, i))
                            candidates.push_back(i);
                    if (candidates.empty()) {
                        complete = false;
                    } else {
                        row.Items[c] = candidates[selection::BoundedDraw(rng, candidates.size())];
                    }
                }
                if (!complete) {
                    dead[ref] = 1;
                    continue;
                }
                for (std::size_t i : row.Items) used[i] = 1;
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
    return "only " + std::to_string(selection.Rows.size()) + " of " +
           std::to_string(selection.Asked) + " rows could be made";
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
                                    const MeasuredItems& targets, int count) {
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

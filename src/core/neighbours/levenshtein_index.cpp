#include "core/neighbours/levenshtein_index.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <unordered_map>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/measures/letters.h"
#include "core/phonology/biphone_measures.h"
#include "core/text/latin1.h"

namespace zirtel {

std::string OrthographicKey(std::string_view word) {
    return FoldAccents(LowerLatin1(word));
}

std::string PhonologicalKey(std::string_view pronunciation) {
    return BiphonePhonemes(pronunciation);
}

int LevenshteinDistance(std::string_view a, std::string_view b) {
    std::vector<int> row(b.size() + 1);
    std::iota(row.begin(), row.end(), 0);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] =
                std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

namespace {

constexpr int kMyersWidth = 64; // longest query the bit-parallel route takes

// The letter counts of an entry are kept twice, four bits to a count:
//  - fine: the 32 bins in 16 bytes, bin j in the low half of byte j and bin j + 16 in the high
//    half;
//  - coarse: 16 bins (the 15 first, then the rest together) in 8 bytes, bin j in the low half of
//    byte j and bin j + 8 in the high half, four entries to 32 bytes.
// The L1 distance of coarse counts is at most that of fine counts, so both give lower bounds; the
// coarse one is tested four entries at a time, the fine one only for the entries that pass it.
constexpr std::size_t kFineBytes = 16, kCoarseBytes = 8, kQuadBytes = 4 * kCoarseBytes;

void PackFine(const std::uint8_t* counts, std::uint8_t* out) {
    for (int j = 0; j < 16; ++j)
        out[j] = static_cast<std::uint8_t>(counts[j] | counts[j + 16] << 4);
}

// The 16 coarse bins of 32 fine counts.
std::array<std::uint8_t, 16> Coarse(const std::uint8_t* counts) {
    std::array<std::uint8_t, 16> c{};
    std::copy(counts, counts + 15, c.begin());
    int rest = 0;
    for (int j = 15; j < 32; ++j) rest += counts[j];
    c[15] = static_cast<std::uint8_t>(std::min(rest, 15));
    return c;
}

void PackCoarse(const std::uint8_t* counts, std::uint8_t* out) {
    const std::array<std::uint8_t, 16> c = Coarse(counts);
    for (int j = 0; j < 8; ++j) out[j] = static_cast<std::uint8_t>(c[j] | c[j + 8] << 4);
}

// The L1 distance between the query's 32 fine counts and an entry's packed ones.
int FineDistance(const std::uint8_t* query, const std::uint8_t* packed) {
#if defined(__SSE2__)
    const __m128i nibble = _mm_set1_epi8(0x0F);
    const __m128i entry = _mm_loadu_si128(reinterpret_cast<const __m128i*>(packed));
    const __m128i sum =
        _mm_add_epi64(_mm_sad_epu8(_mm_and_si128(entry, nibble),
                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(query))),
                      _mm_sad_epu8(_mm_and_si128(_mm_srli_epi16(entry, 4), nibble),
                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(query + 16))));
    return _mm_cvtsi128_si32(sum) + _mm_cvtsi128_si32(_mm_srli_si128(sum, 8));
#else
    int d = 0;
    for (int j = 0; j < 16; ++j)
        d += std::abs(int(query[j]) - (packed[j] & 0x0F)) +
             std::abs(int(query[j + 16]) - (packed[j] >> 4));
    return d;
#endif
}

// Which entries of a quad have a coarse L1 distance in [least, limit): bit s for entry s.
class QuadFilter {
  public:
    QuadFilter(const std::uint8_t* query, int least, int limit)
        : Query_(Coarse(query)), Least_(least), Limit_(limit) {
#if defined(__SSE2__)
        alignas(16) std::uint8_t twice[2][16];
        for (int j = 0; j < 16; ++j) {
            twice[0][j] = Query_[static_cast<std::size_t>(j % 8)];
            twice[1][j] = Query_[static_cast<std::size_t>(j % 8 + 8)];
        }
        Low_ = _mm_load_si128(reinterpret_cast<const __m128i*>(twice[0]));
        High_ = _mm_load_si128(reinterpret_cast<const __m128i*>(twice[1]));
        AtLeast_ = _mm_set1_epi32(least - 1);
        Below_ = _mm_set1_epi32(limit);
#endif
    }

    unsigned Test(const std::uint8_t* quad) const {
#if defined(__SSE2__)
        const __m128i nibble = _mm_set1_epi8(0x0F);
        // Each 64-bit half of a sum is one entry's distance.
        auto pairSum = [&](const std::uint8_t* pair) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pair));
            return _mm_add_epi64(_mm_sad_epu8(_mm_and_si128(v, nibble), Low_),
                                 _mm_sad_epu8(_mm_and_si128(_mm_srli_epi16(v, 4), nibble), High_));
        };
        const __m128i sums = _mm_castps_si128(_mm_shuffle_ps(_mm_castsi128_ps(pairSum(quad)),
                                                             _mm_castsi128_ps(pairSum(quad + 16)),
                                                             _MM_SHUFFLE(2, 0, 2, 0)));
        const __m128i in =
            _mm_and_si128(_mm_cmpgt_epi32(sums, AtLeast_), _mm_cmpgt_epi32(Below_, sums));
        return static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(in)));
#else
        unsigned bits = 0;
        for (int s = 0; s < 4; ++s) {
            int d = 0;
            for (int j = 0; j < 8; ++j) {
                const int byte =
                    quad[kCoarseBytes * static_cast<std::size_t>(s) + static_cast<std::size_t>(j)];
                d += std::abs(int(Query_[static_cast<std::size_t>(j)]) - (byte & 0x0F)) +
                     std::abs(int(Query_[static_cast<std::size_t>(j + 8)]) - (byte >> 4));
            }
            if (d >= Least_ && d < Limit_) bits |= 1u << s;
        }
        return bits;
#endif
    }

  private:
    std::array<std::uint8_t, 16> Query_;
    [[maybe_unused]] int Least_, Limit_; // read by the portable path only
#if defined(__SSE2__)
    __m128i Low_, High_; // the query's coarse bins 0-7 and 8-15, each twice over
    __m128i AtLeast_, Below_;
#endif
};

// The query side of the bit-parallel distance (Myers 1999, in Hyyrö's form for the distance
// between whole strings): for each byte, the positions of the query where it stands.
class MyersPattern {
  public:
    explicit MyersPattern(std::string_view query) : Length_(static_cast<int>(query.size())) {
        for (std::size_t i = 0; i < query.size(); ++i)
            Peq_[static_cast<unsigned char>(query[i])] |= std::uint64_t{1} << i;
        Last_ = std::uint64_t{1} << (Length_ - 1);
    }

    // The distance to `text`, or any value >= `bound` once it is sure to reach `bound`.
    int Distance(const char* text, int n, int bound) const {
        std::uint64_t pv = ~std::uint64_t{0}, mv = 0;
        int score = Length_;
        for (int j = 0; j < n; ++j) {
            const std::uint64_t eq = Peq_[static_cast<unsigned char>(text[j])];
            const std::uint64_t xv = eq | mv;
            const std::uint64_t xh = (((eq & pv) + pv) ^ pv) | eq;
            std::uint64_t ph = mv | ~(xh | pv);
            std::uint64_t mh = pv & xh;
            score += static_cast<int>((ph & Last_) != 0) - static_cast<int>((mh & Last_) != 0);
            // Each remaining text byte lowers the last row by at most one.
            if (score - (n - 1 - j) >= bound) return bound;
            ph = (ph << 1) | 1;
            mh <<= 1;
            pv = mh | ~(xv | ph);
            mv = ph & xv;
        }
        return score;
    }

  private:
    std::array<std::uint64_t, 256> Peq_{};
    int Length_;
    std::uint64_t Last_;
};

// The distances found so far, by value, and the k-th smallest of them.
class ClosestTally {
  public:
    ClosestTally(int k, int maxDistance)
        : K_(k), Count_(static_cast<std::size_t>(maxDistance) + 1) {}

    // Entries at a distance >= Bound() cannot change the mean of the k smallest.
    int Bound() const { return Bound_; }

    void Add(int distance, std::uint32_t entries) {
        Count_[static_cast<std::size_t>(distance)] += entries;
        Total_ += entries;
        if (Total_ < static_cast<std::uint64_t>(K_)) return;
        std::uint64_t seen = 0;
        for (int d = 1; d < Bound_; ++d) {
            seen += Count_[static_cast<std::size_t>(d)];
            if (seen >= static_cast<std::uint64_t>(K_)) {
                Bound_ = d;
                break;
            }
        }
    }

    std::optional<double> Mean() const {
        if (Total_ < static_cast<std::uint64_t>(K_)) return std::nullopt;
        std::uint64_t left = static_cast<std::uint64_t>(K_), sum = 0;
        for (std::size_t d = 1; d < Count_.size() && left > 0; ++d) {
            const std::uint64_t take = std::min(left, Count_[d]);
            sum += take * d;
            left -= take;
        }
        return static_cast<double>(sum) / K_;
    }

  private:
    int K_;
    std::vector<std::uint64_t> Count_;
    std::uint64_t Total_ = 0;
    int Bound_ = INT_MAX;
};

} // namespace

LevenshteinIndex::LevenshteinIndex(const std::vector<std::string>& keys) {
    // The commonest bytes get a bin each, so that the bound from the counts is tight.
    std::array<std::uint64_t, 256> frequency{};
    std::size_t longest = 0;
    for (const std::string& key : keys) {
        for (char c : key) ++frequency[static_cast<unsigned char>(c)];
        longest = std::max(longest, key.size());
    }
    std::array<int, 256> order;
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&frequency](int a, int b) {
        return frequency[static_cast<std::size_t>(a)] > frequency[static_cast<std::size_t>(b)];
    });
    for (int rank = 0; rank < 256; ++rank)
        BinOf_[order[static_cast<std::size_t>(rank)]] =
            static_cast<std::uint8_t>(std::min(rank, kBins - 1));

    Buckets_.resize(keys.empty() ? 0 : longest + 1);
    std::vector<std::unordered_map<std::string_view, std::uint32_t>> seen(Buckets_.size());
    for (const std::string& key : keys) {
        Bucket& bucket = Buckets_[key.size()];
        auto [at, added] =
            seen[key.size()].try_emplace(key, static_cast<std::uint32_t>(bucket.Entries.size()));
        if (!added) {
            ++bucket.Entries[at->second];
            continue;
        }
        bucket.Chars += key;
        std::uint8_t counts[kBins];
        CountBins(key, counts);
        const std::size_t i = bucket.Entries.size();
        bucket.Counts.resize(bucket.Counts.size() + kFineBytes);
        PackFine(counts, bucket.Counts.data() + i * kFineBytes);
        if (i % 4 == 0) bucket.Coarse.resize(bucket.Coarse.size() + kQuadBytes);
        PackCoarse(counts, bucket.Coarse.data() + i * kCoarseBytes);
        bucket.Entries.push_back(1);
    }
    for (Bucket& bucket : Buckets_) {
        bucket.Chars.shrink_to_fit();
        bucket.Counts.shrink_to_fit();
        bucket.Coarse.shrink_to_fit();
        bucket.Entries.shrink_to_fit();
    }
}

void LevenshteinIndex::CountBins(std::string_view key, std::uint8_t* counts) const {
    std::fill(counts, counts + kBins, std::uint8_t{0});
    for (char c : key) {
        std::uint8_t& n = counts[BinOf_[static_cast<unsigned char>(c)]];
        if (n < 15) ++n; // saturated counts still give a lower bound
    }
}

std::optional<double> LevenshteinIndex::MeanClosest(std::string_view key, int k) const {
    if (k < 1) return std::nullopt;
    const int m = static_cast<int>(key.size());
    const int lengths = static_cast<int>(Buckets_.size());
    ClosestTally tally(k, std::max(m, lengths));
    alignas(16) std::uint8_t counts[kBins];
    CountBins(key, counts);
    const bool bitParallel = m > 0 && m <= kMyersWidth;
    const std::optional<MyersPattern> pattern =
        bitParallel ? std::optional<MyersPattern>(key) : std::nullopt;

    // Best first: the entries are filed by their lower bound and the files worked through in
    // rising order, so that the k-th best distance falls early and most entries are never
    // compared. An entry `gap` lengths away has a lower bound of at least `gap`, so its ring of
    // lengths (the query's length, then one longer or shorter, ...) is filed when file `gap` is
    // reached. Only bounds in a window of kWindow files are filed at a time (filing every entry
    // would cost more than the comparisons it saves); when the work goes past the window, the
    // rings already seen are filed again for the next window. No bound exceeds the longer
    // length.
    struct Pending {
        std::uint32_t Length, Index;
    };
    constexpr int kWindow = 4;
    thread_local std::vector<std::vector<Pending>> scratch;
    std::vector<std::vector<Pending>>& files = scratch;
    const int levels = std::max(m, lengths) + 1;
    if (static_cast<int>(files.size()) < levels) files.resize(static_cast<std::size_t>(levels));
    for (int t = 0; t < levels; ++t) files[static_cast<std::size_t>(t)].clear();

    int lo = 0, hi = kWindow - 1; // the window of bounds being filed
    auto fileBucket = [&](int length, int gap) {
        if (length < 0 || length >= lengths) return;
        const Bucket& bucket = Buckets_[static_cast<std::size_t>(length)];
        // Each edit changes the letter counts by at most 2 and the length by at most 1, and each
        // length step costs one insertion or deletion: the bound is ceil((L1 + gap) / 2), and it
        // lies in [lo, top) when the L1 distance lies in [least, limit). A coarse distance below
        // `least` says nothing, so the coarse test only takes `limit`.
        const int top = std::min(hi + 1, tally.Bound());
        const int least = 2 * lo - gap - 1, limit = 2 * top - gap - 1;
        const QuadFilter filter(counts, INT_MIN / 2, limit);
        const std::size_t size = bucket.Entries.size();
        const std::uint8_t* quad = bucket.Coarse.data();
        for (std::size_t first = 0; first < size; first += 4, quad += kQuadBytes) {
            unsigned in = filter.Test(quad);
            while (in != 0) {
                const std::size_t i = first + static_cast<std::size_t>(std::countr_zero(in));
                in &= in - 1;
                if (i >= size) break; // the empty end of the last quad
                const int l1 = FineDistance(counts, bucket.Counts.data() + i * kFineBytes);
                if (l1 >= least && l1 < limit)
                    files[static_cast<std::size_t>((l1 + gap + 1) / 2)].push_back(
                        {static_cast<std::uint32_t>(length), static_cast<std::uint32_t>(i)});
            }
        }
    };
    auto fileRing = [&](int gap) {
        fileBucket(m - gap, gap);
        if (gap > 0) fileBucket(m + gap, gap);
    };
    for (int t = 0; t < levels && t < tally.Bound(); ++t) {
        if (t > hi) {
            lo = t;
            hi = t + kWindow - 1;
            for (int gap = 0; gap < t; ++gap) fileRing(gap);
        }
        fileRing(t);
        for (const Pending& p : files[static_cast<std::size_t>(t)]) {
            const int bound = tally.Bound();
            if (t >= bound) break;
            const Bucket& bucket = Buckets_[p.Length];
            const char* text = bucket.Chars.data() + std::size_t{p.Index} * p.Length;
            const int length = static_cast<int>(p.Length);
            int d;
            if (bitParallel)
                d = pattern->Distance(text, length, bound);
            else if (m == 0)
                d = length;
            else
                d = LevenshteinDistance(key,
                                        std::string_view(text, static_cast<std::size_t>(length)));
            if (d > 0 && d < bound) tally.Add(d, bucket.Entries[p.Index]);
        }
    }
    return tally.Mean();
}

std::size_t LevenshteinIndex::MemoryBytes() const {
    std::size_t bytes = sizeof(*this) + Buckets_.capacity() * sizeof(Bucket);
    for (const Bucket& bucket : Buckets_)
        bytes += bucket.Chars.capacity() + bucket.Counts.capacity() + bucket.Coarse.capacity() +
                 bucket.Entries.capacity() * sizeof(std::uint32_t);
    return bytes;
}

std::optional<double> Zipf(double perMillion) {
    if (!(perMillion > 0.0)) return std::nullopt;
    return std::log10(perMillion) + 3.0;
}

} // namespace zirtel

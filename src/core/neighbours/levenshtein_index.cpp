#include "core/neighbours/levenshtein_index.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <unordered_map>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "core/phonology/biphone_measures.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"

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

// The letter counts of an entry: 16 bins, four bits to a count, in 8 bytes (bin j in the low half
// of byte j and bin j + 8 in the high half), four entries to a quad of 32 bytes. A bucket is
// scanned a chunk of 16 quads (64 entries) at a time: the L1 distance of each entry's counts to
// the query's, and which entries lie in [least, limit).
constexpr std::size_t kCountBytes = 8, kQuadBytes = 4 * kCountBytes, kChunkQuads = 16;

void PackCounts(const std::uint8_t* counts, std::uint8_t* out) {
    for (int j = 0; j < 8; ++j) out[j] = static_cast<std::uint8_t>(counts[j] | counts[j + 8] << 4);
}

std::atomic<LevenshteinScan> gScan{LevenshteinScan::Widest};

struct ChunkQuery {
    std::array<std::uint8_t, 16> Counts; // the query's bins
    int Least, Limit;
#if defined(__x86_64__)
    __m128i Low, High; // the query's bins 0-7 and 8-15, each twice over

    ChunkQuery(const std::uint8_t* counts, int least, int limit) : Least(least), Limit(limit) {
        std::copy(counts, counts + 16, Counts.begin());
        alignas(16) std::uint8_t twice[2][16];
        for (int j = 0; j < 16; ++j) {
            twice[0][j] = counts[j % 8];
            twice[1][j] = counts[j % 8 + 8];
        }
        Low = _mm_load_si128(reinterpret_cast<const __m128i*>(twice[0]));
        High = _mm_load_si128(reinterpret_cast<const __m128i*>(twice[1]));
    }
#else
    ChunkQuery(const std::uint8_t* counts, int least, int limit) : Least(least), Limit(limit) {
        std::copy(counts, counts + 16, Counts.begin());
    }
#endif
};

// Each Scan fills dist[4 * q + s] with the distance of entry s of quad q and returns bit 4q + s
// set when it lies in [least, limit).
std::uint64_t ScanPortable(const std::uint8_t* quads, std::size_t count, const ChunkQuery& q,
                           int* dist) {
    std::uint64_t in = 0;
    for (std::size_t e = 0; e < 4 * count; ++e) {
        const std::uint8_t* packed = quads + kCountBytes * e;
        int d = 0;
        for (int j = 0; j < 8; ++j)
            d += std::abs(int(q.Counts[static_cast<std::size_t>(j)]) - (packed[j] & 0x0F)) +
                 std::abs(int(q.Counts[static_cast<std::size_t>(j + 8)]) - (packed[j] >> 4));
        dist[e] = d;
        if (d >= q.Least && d < q.Limit) in |= std::uint64_t{1} << e;
    }
    return in;
}

#if defined(__x86_64__)
std::uint64_t ScanSse2(const std::uint8_t* quads, std::size_t count, const ChunkQuery& q,
                       int* dist) {
    const __m128i nibble = _mm_set1_epi8(0x0F);
    const __m128i atLeast = _mm_set1_epi32(q.Least - 1), below = _mm_set1_epi32(q.Limit);
    // Each 64-bit half of a sum is one entry's distance.
    auto pairSum = [&](const std::uint8_t* pair) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pair));
        return _mm_add_epi64(_mm_sad_epu8(_mm_and_si128(v, nibble), q.Low),
                             _mm_sad_epu8(_mm_and_si128(_mm_srli_epi16(v, 4), nibble), q.High));
    };
    std::uint64_t in = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* quad = quads + kQuadBytes * i;
        const __m128i sums = _mm_castps_si128(_mm_shuffle_ps(_mm_castsi128_ps(pairSum(quad)),
                                                             _mm_castsi128_ps(pairSum(quad + 16)),
                                                             _MM_SHUFFLE(2, 0, 2, 0)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dist + 4 * i), sums);
        const __m128i inside =
            _mm_and_si128(_mm_cmpgt_epi32(sums, atLeast), _mm_cmpgt_epi32(below, sums));
        in |= static_cast<std::uint64_t>(_mm_movemask_ps(_mm_castsi128_ps(inside))) << (4 * i);
    }
    return in;
}

// A quad in one 256-bit register: half the instructions of the SSE2 scan.
__attribute__((target("avx2"))) std::uint64_t ScanAvx2(const std::uint8_t* quads, std::size_t count,
                                                       const ChunkQuery& q, int* dist) {
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    const __m256i low = _mm256_broadcastsi128_si256(q.Low);
    const __m256i high = _mm256_broadcastsi128_si256(q.High);
    const __m256i lowWords = _mm256_setr_epi32(0, 2, 4, 6, 0, 2, 4, 6);
    const __m128i atLeast = _mm_set1_epi32(q.Least - 1), below = _mm_set1_epi32(q.Limit);
    std::uint64_t in = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const __m256i v =
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(quads + kQuadBytes * i));
        const __m256i sum = _mm256_add_epi64(
            _mm256_sad_epu8(_mm256_and_si256(v, nibble), low),
            _mm256_sad_epu8(_mm256_and_si256(_mm256_srli_epi16(v, 4), nibble), high));
        const __m128i sums = _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(sum, lowWords));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dist + 4 * i), sums);
        const __m128i inside =
            _mm_and_si128(_mm_cmpgt_epi32(sums, atLeast), _mm_cmpgt_epi32(below, sums));
        in |= static_cast<std::uint64_t>(_mm_movemask_ps(_mm_castsi128_ps(inside))) << (4 * i);
    }
    return in;
}
#endif

// Whether this query uses the AVX2 routines: the widest way is asked for and the processor has
// them.
bool UseAvx2() {
#if defined(__x86_64__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2 && gScan.load(std::memory_order_relaxed) == LevenshteinScan::Widest;
#else
    return false;
#endif
}

using ScanFunction = std::uint64_t (*)(const std::uint8_t*, std::size_t, const ChunkQuery&, int*);

ScanFunction ChosenScan([[maybe_unused]] bool avx2) {
#if defined(__x86_64__)
    if (avx2) return ScanAvx2;
    if (gScan.load(std::memory_order_relaxed) != LevenshteinScan::Portable) return ScanSse2;
#endif
    return ScanPortable;
}

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

#if defined(__x86_64__)
    // Distance for four texts at once, one to each 64-bit lane; the same results as four calls.
    __attribute__((target("avx2"))) void Distance4(const char* const* text, const int* n, int bound,
                                                   int* out) const {
        const __m256i ones = _mm256_set1_epi64x(-1), one = _mm256_set1_epi64x(1);
        const __m256i last = _mm256_set1_epi64x(static_cast<long long>(Last_));
        const __m256i lengths = _mm256_setr_epi64x(n[0], n[1], n[2], n[3]);
        const __m256i atLeast = _mm256_set1_epi64x(bound - 1);
        const int longest = std::max(std::max(n[0], n[1]), std::max(n[2], n[3]));
        __m256i pv = ones, mv = _mm256_setzero_si256(), score = _mm256_set1_epi64x(Length_);
        auto symbol = [&](int lane, int j) {
            return static_cast<long long>(
                j < n[lane] ? Peq_[static_cast<unsigned char>(text[lane][j])] : 0);
        };
        for (int j = 0; j < longest; ++j) {
            const __m256i eq =
                _mm256_setr_epi64x(symbol(0, j), symbol(1, j), symbol(2, j), symbol(3, j));
            const __m256i xv = _mm256_or_si256(eq, mv);
            const __m256i xh = _mm256_or_si256(
                _mm256_xor_si256(_mm256_add_epi64(_mm256_and_si256(eq, pv), pv), pv), eq);
            __m256i ph = _mm256_or_si256(mv, _mm256_xor_si256(_mm256_or_si256(xh, pv), ones));
            __m256i mh = _mm256_and_si256(pv, xh);
            // A lane whose text has ended keeps its score: -1 in `active` while j < its length.
            const __m256i active = _mm256_cmpgt_epi64(lengths, _mm256_set1_epi64x(j));
            const __m256i up = _mm256_cmpeq_epi64(_mm256_and_si256(ph, last), last);
            const __m256i down = _mm256_cmpeq_epi64(_mm256_and_si256(mh, last), last);
            score = _mm256_add_epi64(score, _mm256_and_si256(_mm256_sub_epi64(down, up), active));
            // Each remaining text byte lowers the last row by at most one: stop when every lane
            // is sure to reach `bound` (or has ended).
            const __m256i least =
                _mm256_add_epi64(_mm256_sub_epi64(score, lengths), _mm256_set1_epi64x(j + 1));
            const __m256i done =
                _mm256_or_si256(_mm256_cmpgt_epi64(least, atLeast), _mm256_xor_si256(active, ones));
            if (_mm256_movemask_pd(_mm256_castsi256_pd(done)) == 0xF) break;
            ph = _mm256_or_si256(_mm256_slli_epi64(ph, 1), one);
            mh = _mm256_slli_epi64(mh, 1);
            pv = _mm256_or_si256(mh, _mm256_xor_si256(_mm256_or_si256(xv, ph), ones));
            mv = _mm256_and_si256(ph, xv);
        }
        alignas(32) long long lanes[4];
        _mm256_store_si256(reinterpret_cast<__m256i*>(lanes), score);
        for (int lane = 0; lane < 4; ++lane) out[lane] = static_cast<int>(lanes[lane]);
    }
#endif

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
        if (i % 4 == 0) bucket.Counts.resize(bucket.Counts.size() + kQuadBytes);
        PackCounts(counts, bucket.Counts.data() + i * kCountBytes);
        bucket.Entries.push_back(1);
    }
    for (Bucket& bucket : Buckets_) {
        bucket.Chars.shrink_to_fit();
        bucket.Counts.shrink_to_fit();
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
    const bool avx2 = UseAvx2();
    const ScanFunction scan = ChosenScan(avx2);
    [[maybe_unused]] const bool fourWide = bitParallel && avx2;
    auto fileBucket = [&](int length, int gap) {
        if (length < 0 || length >= lengths) return;
        const Bucket& bucket = Buckets_[static_cast<std::size_t>(length)];
        // Each edit changes the letter counts by at most 2 and the length by at most 1, and each
        // length step costs one insertion or deletion: the bound is ceil((L1 + gap) / 2), and it
        // lies in [lo, top) when the L1 distance lies in [least, limit).
        const int top = std::min(hi + 1, tally.Bound());
        const ChunkQuery query(counts, 2 * lo - gap - 1, 2 * top - gap - 1);
        const std::size_t size = bucket.Entries.size(), quads = (size + 3) / 4;
        int dist[4 * kChunkQuads];
        for (std::size_t first = 0; first < quads; first += kChunkQuads) {
            std::uint64_t in = scan(bucket.Counts.data() + first * kQuadBytes,
                                    std::min(kChunkQuads, quads - first), query, dist);
            while (in != 0) {
                const int e = std::countr_zero(in);
                in &= in - 1;
                const std::size_t i = 4 * first + static_cast<std::size_t>(e);
                if (i >= size) break; // the empty end of the last quad
                files[static_cast<std::size_t>((dist[e] + gap + 1) / 2)].push_back(
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
        const std::vector<Pending>& file = files[static_cast<std::size_t>(t)];
        for (std::size_t j = 0; j < file.size();) {
            const int bound = tally.Bound();
            if (t >= bound) break;
#if defined(__x86_64__)
            // Four entries at a time: each result below the bound at the start is exact, and it
            // is counted only while it stays below the bound.
            if (fourWide && file.size() - j >= 4) {
                const char* texts[4];
                int n[4], d[4];
                for (int lane = 0; lane < 4; ++lane) {
                    const Pending& p = file[j + static_cast<std::size_t>(lane)];
                    texts[lane] = Buckets_[p.Length].Chars.data() + std::size_t{p.Index} * p.Length;
                    n[lane] = static_cast<int>(p.Length);
                }
                pattern->Distance4(texts, n, bound, d);
                for (int lane = 0; lane < 4; ++lane, ++j)
                    if (d[lane] > 0 && d[lane] < tally.Bound())
                        tally.Add(d[lane], Buckets_[file[j].Length].Entries[file[j].Index]);
                continue;
            }
#endif
            const Pending& p = file[j++];
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
        bytes += bucket.Chars.capacity() + bucket.Counts.capacity() +
                 bucket.Entries.capacity() * sizeof(std::uint32_t);
    return bytes;
}

void SetLevenshteinScan(LevenshteinScan scan) {
    gScan.store(scan, std::memory_order_relaxed);
}

} // namespace zirtel

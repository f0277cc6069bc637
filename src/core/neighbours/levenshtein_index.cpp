#include "core/neighbours/levenshtein_index.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numeric>

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

// The letter counts of an entry: 16 bins, four bits to a count, in 8 bytes (bin j in the low half
// of byte j and bin j + 8 in the high half). A block holds 32 entries in the slot order that the
// vector scan's packing undoes (SlotOf), so that the scan writes the entries' bounds in entry
// order.
constexpr std::size_t kCountBytes = 8, kBlockKeys = 32, kBlockBytes = kBlockKeys * kCountBytes;
constexpr std::size_t kSummaryBytes = 32;

// The slot of the block that holds the counts of entry p of the block: the scan sums slots 4v to
// 4v + 3 in register v (v = 0..7), joins registers 2u and 2u + 1 dword by dword, packs the four
// joined registers to 16 bits in pairs and the two results to bytes, each step within 128-bit
// halves.
std::size_t SlotOf(std::size_t p) {
    const std::size_t half = p / 16, k = p % 16, w = k / 8, u = k % 8, dword = u % 4;
    const std::size_t v = 4 * w + 2 * (u / 4) + dword % 2, quad = 2 * half + dword / 2;
    return 4 * v + quad;
}

// Bounds are bytes; every bound is at most kTopBound, and no entry's bound is kNoBound (the empty
// end of the last block).
constexpr int kTopBound = 254;
constexpr std::uint8_t kNoBound = 255;

// The candidates whose distances are computed side by side: texts of at most kLaneText bytes
// against queries of at most kLaneQuery (the distances stay below 256).
constexpr int kLaneText = 16, kLaneQuery = 200, kMaxLanes = 32;
// Bytes readable beyond the last key of a bucket: a lane reads kLaneText bytes from a key's start.
constexpr std::size_t kCharsPadding = kLaneText;
alignas(16) constexpr char kNoText[kLaneText] = {};

std::atomic<LevenshteinScan> gScan{LevenshteinScan::Widest};

struct ScanQuery {
    std::array<std::uint8_t, 16> Counts; // the query's bins
    int Gap;                             // the ring's length difference, at most kTopBound
#if defined(__x86_64__)
    __m128i Low, High; // the query's bins 0-7 and 8-15, each twice over
#endif

    ScanQuery(const std::uint8_t* counts, int gap) : Gap(gap) {
        std::copy(counts, counts + 16, Counts.begin());
#if defined(__x86_64__)
        alignas(16) std::uint8_t twice[2][16];
        for (int j = 0; j < 16; ++j) {
            twice[0][j] = counts[j % 8];
            twice[1][j] = counts[j % 8 + 8];
        }
        Low = _mm_load_si128(reinterpret_cast<const __m128i*>(twice[0]));
        High = _mm_load_si128(reinterpret_cast<const __m128i*>(twice[1]));
#endif
    }
};

// Each edit changes the letter counts by at most 2 (a substitution) or 1 (an insertion or
// deletion, which also changes the length by 1), and the length difference alone takes `gap`
// insertions or deletions: a bound of ceil((L1 + gap) / 2), and never less than `gap` (saturated
// counts can make L1 smaller than the length difference).
std::uint8_t BoundOf(int l1, int gap) {
    return static_cast<std::uint8_t>(std::max(gap, (std::min(255, l1 + gap) + 1) / 2));
}

// Each Scan writes the bounds of the entries of the n blocks listed, 32 bytes a block at the
// block's place in `out`.
void ScanPortable(const std::uint8_t* counts, const std::uint32_t* blocks, std::size_t n,
                  const ScanQuery& q, std::uint8_t* out) {
    for (std::size_t k = 0; k < n; ++k)
        for (std::size_t p = 0, b = blocks[k]; p < kBlockKeys; ++p) {
            const std::uint8_t* packed = counts + kBlockBytes * b + kCountBytes * SlotOf(p);
            int d = 0;
            for (int j = 0; j < 8; ++j)
                d += std::abs(int(q.Counts[static_cast<std::size_t>(j)]) - (packed[j] & 0x0F)) +
                     std::abs(int(q.Counts[static_cast<std::size_t>(j + 8)]) - (packed[j] >> 4));
            out[kBlockKeys * b + p] = BoundOf(d, q.Gap);
        }
}

#if defined(__x86_64__)
// The bounds of 16 entries from one 128-bit half of a block (the halves are independent).
inline __m128i BoundsSse2(const std::uint8_t* half, const ScanQuery& q) {
    const __m128i nibble = _mm_set1_epi8(0x0F);
    __m128i sums[8];
#pragma GCC unroll 8
    for (int v = 0; v < 8; ++v) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(half + 32 * v));
        sums[v] = _mm_add_epi64(_mm_sad_epu8(_mm_and_si128(x, nibble), q.Low),
                                _mm_sad_epu8(_mm_and_si128(_mm_srli_epi16(x, 4), nibble), q.High));
    }
    __m128i joined[4];
#pragma GCC unroll 4
    for (int u = 0; u < 4; ++u)
        joined[u] = _mm_or_si128(sums[2 * u], _mm_slli_epi64(sums[2 * u + 1], 32));
    const __m128i l1 = _mm_packus_epi16(_mm_packs_epi32(joined[0], joined[1]),
                                        _mm_packs_epi32(joined[2], joined[3]));
    const __m128i gap = _mm_set1_epi8(static_cast<char>(q.Gap));
    return _mm_max_epu8(_mm_avg_epu8(_mm_adds_epu8(l1, gap), _mm_setzero_si128()), gap);
}

void ScanSse2(const std::uint8_t* counts, const std::uint32_t* blocks, std::size_t n,
              const ScanQuery& q, std::uint8_t* out) {
    for (std::size_t k = 0; k < n; ++k)
        for (std::size_t half = 0, b = blocks[k]; half < 2; ++half)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + kBlockKeys * b + 16 * half),
                             BoundsSse2(counts + kBlockBytes * b + 16 * half, q));
}

// A block in eight 256-bit registers: half the instructions of the SSE2 scan.
__attribute__((target("avx2"))) void ScanAvx2(const std::uint8_t* counts,
                                              const std::uint32_t* blocks, std::size_t n,
                                              const ScanQuery& q, std::uint8_t* out) {
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    const __m256i low = _mm256_broadcastsi128_si256(q.Low);
    const __m256i high = _mm256_broadcastsi128_si256(q.High);
    const __m256i gap = _mm256_set1_epi8(static_cast<char>(q.Gap));
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t b = blocks[k];
        const std::uint8_t* block = counts + kBlockBytes * b;
        __m256i sums[8];
#pragma GCC unroll 8
        for (int v = 0; v < 8; ++v) {
            const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 32 * v));
            sums[v] = _mm256_add_epi64(
                _mm256_sad_epu8(_mm256_and_si256(x, nibble), low),
                _mm256_sad_epu8(_mm256_and_si256(_mm256_srli_epi16(x, 4), nibble), high));
        }
        __m256i joined[4];
#pragma GCC unroll 4
        for (int u = 0; u < 4; ++u)
            joined[u] = _mm256_or_si256(sums[2 * u], _mm256_slli_epi64(sums[2 * u + 1], 32));
        const __m256i l1 = _mm256_packus_epi16(_mm256_packs_epi32(joined[0], joined[1]),
                                               _mm256_packs_epi32(joined[2], joined[3]));
        const __m256i bound = _mm256_max_epu8(
            _mm256_avg_epu8(_mm256_adds_epu8(l1, gap), _mm256_setzero_si256()), gap);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + kBlockKeys * b), bound);
    }
}
#endif

// The bound of a whole block from the least and the greatest count of each bin among its
// entries (16 bytes each, a block's summary): no entry's counts lie nearer the query's. Written a
// byte a block.
void BlockBoundsPortable(const std::uint8_t* summaries, std::size_t blocks, const ScanQuery& q,
                         std::uint8_t* out) {
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::uint8_t* least = summaries + kSummaryBytes * b;
        int d = 0;
        for (std::size_t j = 0; j < 16; ++j)
            d += std::max({0, least[j] - q.Counts[j], q.Counts[j] - least[j + 16]});
        out[b] = BoundOf(d, q.Gap);
    }
}

#if defined(__x86_64__)
void BlockBoundsSse2(const std::uint8_t* summaries, std::size_t blocks, const ScanQuery& q,
                     std::uint8_t* out) {
    const __m128i query = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q.Counts.data()));
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::uint8_t* least = summaries + kSummaryBytes * b;
        const __m128i below =
            _mm_subs_epu8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(least)), query);
        const __m128i above =
            _mm_subs_epu8(query, _mm_loadu_si128(reinterpret_cast<const __m128i*>(least + 16)));
        const __m128i sums = _mm_sad_epu8(_mm_or_si128(below, above), _mm_setzero_si128());
        out[b] = BoundOf(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4), q.Gap);
    }
}
#endif

// The letter pairs of a key framed by a start and an end mark: each pair (previous, next), with
// previous a byte or the start mark and next a byte or the end mark, has an index; the lexicon's
// pairs share the 128 bits of a key's record, spread so that the bits are about equally common.
// An edit removes at most two pairs and makes at most two: a key that lacks p of the query's
// pairs (or has p that the query lacks) lies at a distance of at least ceil(p / 2). Pairs that
// share a bit only lower that bound; a pair of the query that no key has is missing from every
// key.
constexpr unsigned kStartMark = 256, kEndMark = 257;
constexpr std::size_t kPairWords = 2, kPairBits = 64 * kPairWords;
constexpr std::size_t kPairIndexes = 257 * 258;
constexpr std::uint8_t kNoPairBit = 255;
constexpr std::size_t kPairBytes = kPairBits / 8; // at the start of a key's record

std::size_t PairIndex(unsigned previous, unsigned next) {
    return previous * 258 + next;
}

template <typename Visit> void ForEachPair(std::string_view key, Visit&& visit) {
    unsigned previous = kStartMark;
    for (char c : key) {
        visit(PairIndex(previous, static_cast<unsigned char>(c)));
        previous = static_cast<unsigned char>(c);
    }
    visit(PairIndex(previous, kEndMark));
}

using Pairs = std::array<std::uint64_t, kPairWords>;

// What the selection of one ring at one bound needs: the ring's key records and the query's
// pairs, and the limit below which a distance counts.
struct Selection {
    const std::uint8_t* Bounds;  // 32 a block
    const std::uint32_t* Blocks; // the blocks to look in
    std::size_t BlockCount;
    int T;
    const char* Records;
    std::size_t Stride; // bytes a record
    Pairs QueryPairs;
    int Absent; // pairs of the query that no key has
    int Limit;
};

// Whether the key's pairs leave its distance below the limit (without a branch).
inline unsigned PairsAllow(const Selection& s, std::size_t i) {
    Pairs k;
    std::memcpy(k.data(), s.Records + i * s.Stride, kPairBytes);
    int missing = s.Absent, extra = 0;
    for (std::size_t w = 0; w < kPairWords; ++w) {
        missing += std::popcount(s.QueryPairs[w] & ~k[w]);
        extra += std::popcount(k[w] & ~s.QueryPairs[w]);
    }
    return static_cast<unsigned>((std::max(missing, extra) + 1) / 2 < s.Limit);
}

// Each Select writes, in rising order, every i with bounds[i] == t that its pairs allow to `out`,
// and returns how many there are.
// For each 8-bit mask, the positions of its set bits, in rising order (the rest 0): the vector
// selections write the positions of eight bounds at a time without a branch (hits are too
// scattered for a branch to be foreseen).
constexpr std::array<std::uint64_t, 256> kSetBits = [] {
    std::array<std::uint64_t, 256> table{};
    for (unsigned mask = 0; mask < 256; ++mask) {
        int k = 0;
        for (unsigned bit = 0; bit < 8; ++bit)
            if (mask >> bit & 1) table[mask] |= std::uint64_t{bit} << (8 * k++);
    }
    return table;
}();
// Room the selections may write beyond the last hit.
constexpr std::size_t kHitSlack = 8;

// Keeps the hits whose pairs allow them. The records lie far apart: each is asked for a few hits
// ahead.
inline std::size_t KeepAllowed(const Selection& s, std::uint32_t* hits, std::size_t n) {
    constexpr std::size_t ahead = 8;
    std::size_t kept = 0;
    for (std::size_t h = 0; h < n; ++h) {
        if (h + ahead < n) __builtin_prefetch(s.Records + std::size_t{hits[h + ahead]} * s.Stride);
        const std::uint32_t i = hits[h];
        hits[kept] = i;
        kept += PairsAllow(s, i);
    }
    return kept;
}

std::size_t SelectPortable(const Selection& s, std::uint32_t* out) {
    std::size_t n = 0;
    for (std::size_t k = 0; k < s.BlockCount; ++k)
        for (std::size_t i = kBlockKeys * s.Blocks[k], end = i + kBlockKeys; i < end; ++i)
            if (s.Bounds[i] == s.T) out[n++] = static_cast<std::uint32_t>(i);
    return KeepAllowed(s, out, n);
}

#if defined(__x86_64__)
std::size_t SelectSse2(const Selection& s, std::uint32_t* out) {
    const __m128i wanted = _mm_set1_epi8(static_cast<char>(s.T)), zero = _mm_setzero_si128();
    std::size_t n = 0;
    for (std::size_t k = 0; k < 2 * s.BlockCount; ++k) {
        const std::size_t first = kBlockKeys * s.Blocks[k / 2] + 16 * (k % 2);
        const unsigned hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.Bounds + first)), wanted)));
        for (unsigned part = 0; part < 2; ++part) {
            const unsigned mask = hits >> (8 * part) & 0xFF;
            const __m128i at = _mm_unpacklo_epi8(
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&kSetBits[mask])), zero);
            const __m128i base = _mm_set1_epi32(static_cast<int>(first + 8 * part));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + n),
                             _mm_add_epi32(_mm_unpacklo_epi16(at, zero), base));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + n + 4),
                             _mm_add_epi32(_mm_unpackhi_epi16(at, zero), base));
            n += static_cast<std::size_t>(std::popcount(mask));
        }
    }
    return KeepAllowed(s, out, n);
}

// Every processor with AVX2 counts bits in one instruction.
__attribute__((target("avx2,popcnt"))) std::size_t SelectAvx2(const Selection& s,
                                                              std::uint32_t* out) {
    const __m256i wanted = _mm256_set1_epi8(static_cast<char>(s.T));
    std::size_t n = 0;
    for (std::size_t k = 0; k < s.BlockCount; ++k) {
        const std::size_t first = kBlockKeys * s.Blocks[k];
        const unsigned hits = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s.Bounds + first)), wanted)));
#pragma GCC unroll 4
        for (unsigned part = 0; part < 4; ++part) {
            const unsigned mask = hits >> (8 * part) & 0xFF;
            const __m256i at = _mm256_cvtepu8_epi32(
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&kSetBits[mask])));
            _mm256_storeu_si256(
                reinterpret_cast<__m256i*>(out + n),
                _mm256_add_epi32(at, _mm256_set1_epi32(static_cast<int>(first + 8 * part))));
            n += static_cast<std::size_t>(std::popcount(mask));
        }
    }
    return KeepAllowed(s, out, n);
}
#endif

// The query side of the bit-parallel distance (Myers 1999, in Hyyrö's form for the distance
// between whole strings): for each byte, the positions of the query where it stands. For the
// candidates the lanes do not take.
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

constexpr int kMyersWidth = 64; // longest query the bit-parallel route takes

// The distances of up to Lanes texts (each at most kLaneText bytes) to one query (at most
// kLaneQuery bytes), by the dynamic programming run down the columns of every text at once, one
// text to a byte lane. The texts are read kLaneText bytes from their starts and transposed, so
// that column j holds byte j of every text; what a lane reads past its text's end only reaches
// columns beyond that end, which its result does not depend on.
#if defined(__x86_64__)
struct Sse2Ops {
    using V = __m128i;
    static constexpr int Lanes = 16;
    static V Row(const char* const* texts, int r) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(texts[r]));
    }
    static V Set(int x) { return _mm_set1_epi8(static_cast<char>(x)); }
    static V Load(const std::uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const V*>(p)); }
    static void Store(std::uint8_t* p, V x) { _mm_storeu_si128(reinterpret_cast<V*>(p), x); }
    static V UnpackLow(V a, V b) { return _mm_unpacklo_epi8(a, b); }
    static V UnpackHigh(V a, V b) { return _mm_unpackhi_epi8(a, b); }
    static V Add(V a, V b) { return _mm_add_epi8(a, b); }
    static V AddSat(V a, V b) { return _mm_adds_epu8(a, b); }
    static V Min(V a, V b) { return _mm_min_epu8(a, b); }
    static V Equal(V a, V b) { return _mm_cmpeq_epi8(a, b); }
    static V Pick(V a, V b, V mask) {
        return _mm_or_si128(_mm_and_si128(mask, b), _mm_andnot_si128(mask, a));
    }
};

struct Avx2Ops {
    using V = __m256i;
    static constexpr int Lanes = 32;
    __attribute__((target("avx2"))) static V Row(const char* const* texts, int r) {
        return _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(texts[r]))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(texts[r + 16])), 1);
    }
    __attribute__((target("avx2"))) static V Set(int x) {
        return _mm256_set1_epi8(static_cast<char>(x));
    }
    __attribute__((target("avx2"))) static V Load(const std::uint8_t* p) {
        return _mm256_loadu_si256(reinterpret_cast<const V*>(p));
    }
    __attribute__((target("avx2"))) static void Store(std::uint8_t* p, V x) {
        _mm256_storeu_si256(reinterpret_cast<V*>(p), x);
    }
    __attribute__((target("avx2"))) static V UnpackLow(V a, V b) {
        return _mm256_unpacklo_epi8(a, b);
    }
    __attribute__((target("avx2"))) static V UnpackHigh(V a, V b) {
        return _mm256_unpackhi_epi8(a, b);
    }
    __attribute__((target("avx2"))) static V Add(V a, V b) { return _mm256_add_epi8(a, b); }
    __attribute__((target("avx2"))) static V AddSat(V a, V b) { return _mm256_adds_epu8(a, b); }
    __attribute__((target("avx2"))) static V Min(V a, V b) { return _mm256_min_epu8(a, b); }
    __attribute__((target("avx2"))) static V Equal(V a, V b) { return _mm256_cmpeq_epi8(a, b); }
    __attribute__((target("avx2"))) static V Pick(V a, V b, V mask) {
        return _mm256_blendv_epi8(a, b, mask);
    }
};

// One routine for each vector width, from one body (a template would hold 256-bit values in code
// built without AVX); `Ops` names the width's operations.
//
// Transposing a 16 x 16 byte matrix (in each 128-bit half) is four perfect shuffles: each moves
// the element at (row, column) to the position of its 8-bit index rotated by one.
//
// The cells hold the distance + 1, so that a diagonal of 0 less 1 for equal bytes (whose
// comparison gives all ones, -1) stays within the unsigned bytes; the diagonal costs 1 for
// unequal bytes. Only a band of the matrix is computed: a path through row i of column j costs
// at least |i - j|, so the cells with |i - j| >= limit cannot lead to a distance below `limit`;
// the cells beyond the band count as 255 (adding 1 saturates). Once the band has left the
// matrix, no remaining column can end a lane's text with a distance below the limit.
#define ZIRTEL_LANE_DISTANCES                                                                      \
    using V = Ops::V;                                                                              \
    constexpr std::size_t width = sizeof(V);                                                       \
    V column[2][kLaneText];                                                                        \
    _Pragma("GCC unroll 16") for (int r = 0; r < kLaneText; ++r) column[0][r] =                    \
        Ops::Row(texts, r);                                                                        \
    _Pragma("GCC unroll 4") for (int stage = 0; stage < 4; ++stage) {                              \
        const V* from = column[stage % 2];                                                         \
        V* to = column[1 - stage % 2];                                                             \
        _Pragma("GCC unroll 8") for (int i = 0; i < 8; ++i) {                                      \
            to[2 * i] = Ops::UnpackLow(from[i], from[i + 8]);                                      \
            to[2 * i + 1] = Ops::UnpackHigh(from[i], from[i + 8]);                                 \
        }                                                                                          \
    }                                                                                              \
    const int m = static_cast<int>(query.size());                                                  \
    const int band = std::min(limit - 1, m + kLaneText);                                           \
    alignas(32) std::uint8_t cells[(kLaneQuery + 1) * width];                                      \
    alignas(32) std::uint8_t letters[kLaneQuery * width];                                          \
    for (int i = 0; i <= m; ++i) Ops::Store(cells + width * i, Ops::Set(i <= band ? i + 1 : 255)); \
    for (int i = 0; i < m; ++i)                                                                    \
        Ops::Store(letters + width * i, Ops::Set(static_cast<unsigned char>(query[i])));           \
    const V one = Ops::Set(1), lengthOf = Ops::Load(lengths);                                      \
    V result = Ops::Set(255);                                                                      \
    for (int j = 1; j <= longest; ++j) {                                                           \
        const V text = column[0][j - 1];                                                           \
        const int first = std::max(1, j - band), last = std::min(m, j + band);                     \
        if (first > last) break;                                                                   \
        V diagonal = Ops::Load(cells + width * (first - 1)), current = Ops::Set(255);              \
        if (first == 1) {                                                                          \
            current = Ops::Set(j + 1);                                                             \
            Ops::Store(cells, current);                                                            \
        }                                                                                          \
        for (int i = first; i <= last; ++i) {                                                      \
            const V left = Ops::Load(cells + width * i);                                           \
            const V same = Ops::Equal(text, Ops::Load(letters + width * (i - 1)));                 \
            current =                                                                              \
                Ops::AddSat(Ops::Min(Ops::Add(diagonal, same), Ops::Min(left, current)), one);     \
            diagonal = left;                                                                       \
            Ops::Store(cells + width * i, current);                                                \
        }                                                                                          \
        if (last == m) result = Ops::Pick(result, current, Ops::Equal(lengthOf, Ops::Set(j)));     \
    }                                                                                              \
    Ops::Store(out, Ops::Add(result, Ops::Set(-1)));

void LaneDistancesSse2(const char* const* texts, const std::uint8_t* lengths, int longest,
                       std::string_view query, int limit, std::uint8_t* out) {
    using Ops = Sse2Ops;
    ZIRTEL_LANE_DISTANCES
}

__attribute__((target("avx2"))) void LaneDistancesAvx2(const char* const* texts,
                                                       const std::uint8_t* lengths, int longest,
                                                       std::string_view query, int limit,
                                                       std::uint8_t* out) {
    using Ops = Avx2Ops;
    ZIRTEL_LANE_DISTANCES
}
#undef ZIRTEL_LANE_DISTANCES
#endif

// How this query's bounds and distances are computed.
struct Kernels {
    void (*Scan)(const std::uint8_t*, const std::uint32_t*, std::size_t, const ScanQuery&,
                 std::uint8_t*) = ScanPortable;
    void (*BlockBounds)(const std::uint8_t*, std::size_t, const ScanQuery&,
                        std::uint8_t*) = BlockBoundsPortable;
    void (*Lanes)(const char* const*, const std::uint8_t*, int, std::string_view, int,
                  std::uint8_t*) = nullptr; // none: every distance on its own
    int LaneCount = 0;
    std::size_t (*Select)(const Selection&, std::uint32_t*) = SelectPortable;
};

Kernels ChosenKernels() {
    Kernels k;
#if defined(__x86_64__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    const LevenshteinScan scan = gScan.load(std::memory_order_relaxed);
    if (scan == LevenshteinScan::Portable) return k;
    k.BlockBounds = BlockBoundsSse2;
    if (avx2 && scan == LevenshteinScan::Widest) {
        k.Scan = ScanAvx2;
        k.Select = SelectAvx2;
        k.Lanes = LaneDistancesAvx2;
        k.LaneCount = Avx2Ops::Lanes;
    } else {
        k.Scan = ScanSse2;
        k.Select = SelectSse2;
        k.Lanes = LaneDistancesSse2;
        k.LaneCount = Sse2Ops::Lanes;
    }
#endif
    return k;
}

// The distances found so far, by value, and the k-th smallest of them.
class ClosestTally {
  public:
    ClosestTally(int k, int maxDistance)
        : K_(k), Count_(static_cast<std::size_t>(maxDistance) + 1) {}

    // The k-th smallest distance found so far (INT_MAX until k are found).
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

// What a query keeps of one ring. The entries of a block have their own bounds computed when the
// search first reaches the block's bound.
struct Ring {
    std::uint64_t Query = 0;              // the query that set the ring up
    std::vector<std::uint8_t> BlockBound; // by block
    std::vector<std::uint32_t> Order;     // first the blocks of bound <= Level, by level reached
    std::uint32_t Ready = 0;              // how many blocks of Order have bound <= Level
    std::vector<std::uint8_t> Bounds;     // the entries', 32 a block
    int Level = -1;                       // the blocks of bound <= Level have entry bounds
};

// What the queries of one thread keep between calls: the rings, by length.
struct Scratch {
    std::uint64_t Query = 0;
    std::vector<Ring> Rings;
    std::vector<std::uint32_t> Hits; // the entries of one ring at one bound
};

} // namespace

// One query. Without ties, an entry counts while its distance lies below the k-th smallest found
// so far, and the search ends when the bounds reach it; with ties, the entries at that distance
// count as well (and are kept), and the search ends when the bounds pass it.
template <bool Ties> struct LevenshteinIndex::Search {
    struct Found {
        int Distance;
        std::uint32_t Length, Key;
    };

    const LevenshteinIndex& Index;
    std::string_view Query;
    int K;
    std::vector<Found>* Kept; // with ties: the keys that count

    std::optional<double> Run() const {
        const int m = static_cast<int>(Query.size());
        const int lengths = static_cast<int>(Index.Buckets_.size());
        const int longestGap = std::max(m, lengths - 1);
        ClosestTally tally(K, std::max(m, lengths));
        std::uint8_t counts[kBins];
        Index.CountBins(Query, counts);
        Pairs queryPairs;
        const int absent = Index.PairBits(Query, queryPairs.data());
        const Kernels kernels = ChosenKernels();
        const bool lanes = kernels.Lanes != nullptr && m > 0 && m <= kLaneQuery;
        std::optional<MyersPattern> pattern; // made when a distance is first computed alone

        thread_local Scratch scratch;
        if (static_cast<int>(scratch.Rings.size()) < lengths)
            scratch.Rings.resize(static_cast<std::size_t>(lengths));
        const std::uint64_t query = ++scratch.Query;

        // Candidates waiting for their lanes.
        const char* texts[kMaxLanes];
        alignas(32) std::uint8_t textLengths[kMaxLanes];
        std::uint32_t keys[kMaxLanes];
        int waiting = 0, longest = 0;

        // Distances below the limit count.
        auto limit = [&] {
            return tally.Bound() == INT_MAX ? INT_MAX : tally.Bound() + (Ties ? 1 : 0);
        };
        auto add = [&](int distance, int length, std::uint32_t key) {
            if (distance <= 0 || distance >= limit()) return;
            const Bucket& bucket = Index.Buckets_[static_cast<std::size_t>(length)];
            tally.Add(distance, bucket.First[key + 1] - bucket.First[key]);
            if (Ties) Kept->push_back({distance, static_cast<std::uint32_t>(length), key});
        };
        auto flush = [&] {
            if (waiting == 0) return;
            for (int lane = waiting; lane < kernels.LaneCount; ++lane) {
                texts[lane] = kNoText;
                textLengths[lane] = 1;
            }
            const int below = std::min(limit(), 256);
            alignas(32) std::uint8_t distance[kMaxLanes];
            kernels.Lanes(texts, textLengths, longest, Query, below, distance);
            // Most candidates fall short: find the lanes that count without a branch each.
            std::uint32_t counting = 0;
            for (int lane = 0; lane < waiting; ++lane)
                counting |=
                    static_cast<std::uint32_t>(unsigned(distance[lane]) - 1u < unsigned(below) - 1u)
                    << lane;
            while (counting != 0) {
                const int lane = std::countr_zero(counting);
                counting &= counting - 1;
                add(distance[lane], textLengths[lane], keys[lane]);
            }
            waiting = 0;
            longest = 0;
        };
        auto alone = [&](const char* text, int length) {
            if (m == 0) return length;
            if (m <= kMyersWidth) {
                if (!pattern) pattern.emplace(Query);
                return pattern->Distance(text, length, limit());
            }
            return LevenshteinDistance(Query,
                                       std::string_view(text, static_cast<std::size_t>(length)));
        };
        auto visit = [&](int length, int gap, int t) {
            if (length < 0 || length >= lengths) return;
            const Bucket& bucket = Index.Buckets_[static_cast<std::size_t>(length)];
            if (bucket.Size == 0) return;
            Ring& ring = scratch.Rings[static_cast<std::size_t>(length)];
            const std::size_t blocks = (bucket.Size + kBlockKeys - 1) / kBlockKeys;
            const ScanQuery scanQuery(counts, std::min(gap, kTopBound));
            if (ring.Query != query) { // the blocks' bounds, and the blocks in their order
                ring.Query = query;
                ring.Level = -1;
                ring.BlockBound.resize(blocks);
                ring.Order.resize(blocks + 1); // the selection below writes one beyond
                ring.Ready = 0;
                if (ring.Bounds.size() < blocks * kBlockKeys)
                    ring.Bounds.resize(blocks * kBlockKeys);
                kernels.BlockBounds(bucket.Summaries.data(), blocks, scanQuery,
                                    ring.BlockBound.data());
            }
            if (ring.Level < t) { // the blocks whose bound has come, and their entries
                const std::uint32_t from = ring.Ready;
                const unsigned above = static_cast<unsigned>(ring.Level + 1);
                const unsigned levels = static_cast<unsigned>(t - ring.Level);
                std::uint32_t* order = ring.Order.data();
                std::uint32_t n = from;
                for (std::size_t b = 0; b < blocks; ++b) { // without a branch
                    order[n] = static_cast<std::uint32_t>(b);
                    n += static_cast<std::uint32_t>(ring.BlockBound[b] - above < levels);
                }
                ring.Ready = n;
                kernels.Scan(bucket.Counts.data(), order + from, n - from, scanQuery,
                             ring.Bounds.data());
                const int last = ring.BlockBound[blocks - 1];
                if (last > ring.Level && last <= t) // the empty end of the last block
                    std::fill(ring.Bounds.begin() + static_cast<std::ptrdiff_t>(bucket.Size),
                              ring.Bounds.begin() +
                                  static_cast<std::ptrdiff_t>(blocks * kBlockKeys),
                              kNoBound);
                ring.Level = t;
            }
            if (scratch.Hits.size() < blocks * kBlockKeys + kHitSlack)
                scratch.Hits.resize(blocks * kBlockKeys + kHitSlack);
            std::uint32_t* hits = scratch.Hits.data();
            const std::size_t stride = kPairBytes + static_cast<std::size_t>(length);
            const std::size_t count = kernels.Select({ring.Bounds.data(), ring.Order.data(),
                                                      ring.Ready, t, bucket.Records.data(), stride,
                                                      queryPairs, absent, std::min(limit(), 256)},
                                                     hits);
            const char* chars = bucket.Records.data() + kPairBytes;
            if (lanes && length >= 1 && length <= kLaneText) {
                longest = std::max(longest, length);
                for (std::size_t h = 0; h < count;) {
                    // A run of lanes at a time, with no byte stored in between (a byte store
                    // could alias everything the loop reads).
                    const int from = waiting;
                    const int n = static_cast<int>(
                        std::min<std::size_t>(count - h, std::size_t(kernels.LaneCount - from)));
                    for (int i = 0; i < n; ++i) {
                        const std::uint32_t key = hits[h + static_cast<std::size_t>(i)];
                        texts[from + i] = chars + std::size_t{key} * stride;
                        keys[from + i] = key;
                    }
                    std::memset(textLengths + from, length, static_cast<std::size_t>(n));
                    h += static_cast<std::size_t>(n);
                    waiting = from + n;
                    if (waiting == kernels.LaneCount) {
                        flush();
                        if (h < count) longest = length;
                    }
                }
                return;
            }
            for (std::size_t h = 0; h < count; ++h)
                add(alone(chars + std::size_t{hits[h]} * stride, length), length, hits[h]);
        };

        for (int t = 0; t <= std::min(kTopBound, longestGap); ++t) {
            if (Ties ? t > tally.Bound() : t >= tally.Bound()) break;
            // Every entry of a ring `gap` lengths away has a bound of at least `gap` (the rings
            // beyond kTopBound all at kTopBound).
            const int widest = t == kTopBound ? longestGap : t;
            for (int gap = 0; gap <= widest; ++gap) {
                visit(m - gap, gap, t);
                if (gap > 0) visit(m + gap, gap, t);
                if (!Ties && t >= tally.Bound()) break;
            }
            flush();
        }
        return tally.Mean();
    }
};

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

    // The distinct keys of each length, ordered by their letter counts (the commonest letter's
    // first): the keys that a query's bound lets through then lie close together. The entries
    // are sorted once by length, counts, key and place; each run of equal keys is one key.
    struct Placed {
        std::array<std::uint8_t, kBins> Counts;
        std::string_view Key;
        std::uint32_t Entry;
    };
    std::vector<Placed> placed;
    placed.reserve(keys.size());
    for (std::size_t e = 0; e < keys.size(); ++e) {
        Placed& p = placed.emplace_back();
        CountBins(keys[e], p.Counts.data());
        p.Key = keys[e];
        p.Entry = static_cast<std::uint32_t>(e);
    }
    std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        if (a.Key.size() != b.Key.size()) return a.Key.size() < b.Key.size();
        if (const int c = std::memcmp(a.Counts.data(), b.Counts.data(), kBins); c != 0)
            return c < 0;
        if (const int c = a.Key.compare(b.Key); c != 0) return c < 0;
        return a.Entry < b.Entry;
    });
    // The entries grouped by key, bucket after bucket, are the sorted order: each key's entries
    // start at its First.
    Buckets_.resize(keys.empty() ? 0 : longest + 1);
    std::vector<std::vector<const Placed*>> distinct(Buckets_.size());
    Entries_.resize(keys.size());
    for (std::size_t i = 0; i < placed.size(); ++i) {
        Entries_[i] = placed[i].Entry;
        if (i > 0 && placed[i].Key == placed[i - 1].Key) continue;
        const std::size_t n = placed[i].Key.size();
        distinct[n].push_back(&placed[i]);
        Buckets_[n].First.push_back(static_cast<std::uint32_t>(i));
    }
    // Each bucket's entries end where the next longer keys' begin.
    for (std::size_t n = Buckets_.size(), end = placed.size(); n-- > 0;) {
        std::vector<std::uint32_t>& first = Buckets_[n].First;
        const std::size_t begin = first.empty() ? end : first.front();
        first.push_back(static_cast<std::uint32_t>(end));
        end = begin;
    }

    // The pair bits: the pairs by the number of distinct keys that have them, commonest first,
    // each given the bit that the fewest keys have so far.
    std::vector<std::uint32_t> keysWith(kPairIndexes);
    std::vector<std::uint32_t> lastKey(kPairIndexes, UINT32_MAX);
    std::uint32_t number = 0;
    for (const auto& list : distinct)
        for (const Placed* key : list) {
            ForEachPair(key->Key, [&](std::size_t pair) {
                if (lastKey[pair] != number) ++keysWith[pair];
                lastKey[pair] = number;
            });
            ++number;
        }
    std::vector<std::uint32_t> pairs;
    for (std::size_t pair = 0; pair < kPairIndexes; ++pair)
        if (keysWith[pair] > 0) pairs.push_back(static_cast<std::uint32_t>(pair));
    std::stable_sort(pairs.begin(), pairs.end(), [&keysWith](std::uint32_t a, std::uint32_t b) {
        return keysWith[a] > keysWith[b];
    });
    PairBit_.assign(kPairIndexes, kNoPairBit);
    std::array<std::uint64_t, kPairBits> load{};
    for (std::uint32_t pair : pairs) {
        const std::size_t bit =
            static_cast<std::size_t>(std::min_element(load.begin(), load.end()) - load.begin());
        PairBit_[pair] = static_cast<std::uint8_t>(bit);
        load[bit] += keysWith[pair];
    }

    // The records and the counts of each bucket.
    for (std::size_t n = 0; n < Buckets_.size(); ++n) {
        Bucket& bucket = Buckets_[n];
        bucket.Size = distinct[n].size();
        const std::size_t blocks = (bucket.Size + kBlockKeys - 1) / kBlockKeys;
        bucket.Counts.assign(blocks * kBlockBytes, 0);
        bucket.Summaries.assign(blocks * kSummaryBytes, 0);
        for (std::size_t b = 0; b < blocks; ++b)
            std::fill_n(bucket.Summaries.begin() + static_cast<std::ptrdiff_t>(kSummaryBytes * b),
                        16, 15);
        bucket.Records.reserve(bucket.Size * (kPairBytes + n) + kCharsPadding);
        for (std::size_t i = 0; i < bucket.Size; ++i) {
            const std::string_view key = distinct[n][i]->Key;
            const std::uint8_t* counts = distinct[n][i]->Counts.data();
            Pairs bits;
            PairBits(key, bits.data());
            bucket.Records.append(reinterpret_cast<const char*>(bits.data()), kPairBytes);
            bucket.Records.append(key);
            std::uint8_t* packed = bucket.Counts.data() + kBlockBytes * (i / kBlockKeys) +
                                   kCountBytes * SlotOf(i % kBlockKeys);
            for (int j = 0; j < 8; ++j)
                packed[j] = static_cast<std::uint8_t>(counts[j] | counts[j + 8] << 4);
            std::uint8_t* summary = bucket.Summaries.data() + kSummaryBytes * (i / kBlockKeys);
            for (int j = 0; j < kBins; ++j) {
                summary[j] = std::min(summary[j], counts[j]);
                summary[j + 16] = std::max(summary[j + 16], counts[j]);
            }
        }
        bucket.Records.append(kCharsPadding, '\0');
    }
}

void LevenshteinIndex::CountBins(std::string_view key, std::uint8_t* counts) const {
    std::fill(counts, counts + kBins, std::uint8_t{0});
    for (char c : key) {
        std::uint8_t& n = counts[BinOf_[static_cast<unsigned char>(c)]];
        if (n < 15) ++n; // saturated counts still give a lower bound
    }
}

int LevenshteinIndex::PairBits(std::string_view key, std::uint64_t* bits) const {
    std::fill(bits, bits + kPairWords, std::uint64_t{0});
    std::vector<std::size_t> absent;
    ForEachPair(key, [&](std::size_t pair) {
        const std::uint8_t bit = PairBit_[pair];
        if (bit != kNoPairBit)
            bits[bit / 64] |= std::uint64_t{1} << (bit % 64);
        else if (std::find(absent.begin(), absent.end(), pair) == absent.end())
            absent.push_back(pair);
    });
    return static_cast<int>(absent.size());
}

std::optional<double> LevenshteinIndex::MeanClosest(std::string_view key, int k) const {
    if (k < 1) return std::nullopt;
    return Search<false>{*this, key, k, nullptr}.Run();
}

LevenshteinIndex::Closest LevenshteinIndex::ClosestEntries(std::string_view key, int k) const {
    Closest closest;
    if (k < 1) return closest;
    thread_local std::vector<Search<true>::Found> kept;
    kept.clear();
    closest.Mean = Search<true>{*this, key, k, &kept}.Run();
    if (!closest.Mean) return closest;
    // The k-th smallest distance: the kept keys hold every entry up to it, and some beyond.
    std::vector<std::uint64_t> at;
    for (const auto& f : kept) {
        if (static_cast<std::size_t>(f.Distance) >= at.size())
            at.resize(static_cast<std::size_t>(f.Distance) + 1);
        at[static_cast<std::size_t>(f.Distance)] +=
            Buckets_[f.Length].First[f.Key + 1] - Buckets_[f.Length].First[f.Key];
    }
    int last = 0;
    for (std::uint64_t seen = 0; seen < static_cast<std::uint64_t>(k);)
        seen += at[static_cast<std::size_t>(++last)];
    for (const auto& f : kept) {
        if (f.Distance > last) continue;
        const Bucket& bucket = Buckets_[f.Length];
        for (std::uint32_t j = bucket.First[f.Key]; j < bucket.First[f.Key + 1]; ++j)
            closest.Entries.push_back({Entries_[j], f.Distance});
    }
    std::sort(closest.Entries.begin(), closest.Entries.end(),
              [](const Neighbour& a, const Neighbour& b) {
                  return a.Distance != b.Distance ? a.Distance < b.Distance : a.Entry < b.Entry;
              });
    return closest;
}

std::size_t LevenshteinIndex::MemoryBytes() const {
    std::size_t bytes = sizeof(*this) + Buckets_.capacity() * sizeof(Bucket) + PairBit_.capacity() +
                        Entries_.capacity() * sizeof(std::uint32_t);
    for (const Bucket& bucket : Buckets_)
        bytes += bucket.Records.capacity() + bucket.Counts.capacity() +
                 bucket.Summaries.capacity() + bucket.First.capacity() * sizeof(std::uint32_t);
    return bytes;
}

void SetLevenshteinScan(LevenshteinScan scan) {
    gScan.store(scan, std::memory_order_relaxed);
}

} // namespace zirtel

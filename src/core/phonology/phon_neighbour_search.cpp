#include "core/phonology/phon_neighbour_search.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/fields/row_values.h"
#include "core/lexicon/letter_hash_index.h"
#include "core/lexicon/lexicon.h"
#include "core/lexicon/presence_filter.h"
#include "core/phonology/clustering.h"
#include "core/phonology/item_pronunciation.h"
#include "core/phonology/phon_neighbour_list.h"
#include "core/text/letters.h"

namespace zirtel {

namespace {

constexpr FieldId kPhonNeighbourFields[] = {
    FieldId::kPN,     FieldId::kPN1,     FieldId::kPN2,   FieldId::kPN3,     FieldId::kPN4,
    FieldId::kPP,     FieldId::kHFPN,    FieldId::kLFPN,  FieldId::kPNF_MAX, FieldId::kPNF_MIN,
    FieldId::kPNF_MU, FieldId::kPNF_SIG, FieldId::kCC_FON};

// The running values of one item's search.
struct PhonNeighbourStats {
    float ItemFreq = 0;
    int Total = 0;
    int Higher = 0;
    int Lower = 0;
    float Sum = 0;
    float SumSquares = 0;
    float Min = 0;
    float Max = 0;

    void Record(float f) {
        ++Total;
        Sum += f;
        SumSquares += f * f;
        if (f > ItemFreq)
            ++Higher;
        else if (f < ItemFreq)
            ++Lower;
        if (Total == 1) Min = f;
        if (f < Min) Min = f;
        if (f > Max) Max = f;
    }
    float Mean() const { return Total == 0 ? 0.0f : Sum / static_cast<float>(Total); }
    // The variance is formed in double precision; the deviation is kept, like the mean, as a
    // single-precision value.
    float StdDev() const {
        if (Total <= 1) return 0.0f;
        const double sum = Sum;
        const double v = (static_cast<double>(SumSquares) - sum * sum / Total) / (Total - 1);
        return v < 0.001 ? 0.0f : static_cast<float>(std::sqrt(v));
    }
};

} // namespace

void AnalysePhonNeighbours(MeasureContext& ctx, RowValues& values) {
    const Lexicon& lex = ctx.WholeWords;
    const std::string& item = values.Item();
    // A word's pronunciation, or the rules' for an item the lexicon lacks while they are used.
    const ItemPhonology& phonology = ItemPhonologyOf(ctx, values);
    const std::string pron = phonology.Known() ? RemoveHyphens(phonology.Phon) : std::string();
    if (pron.empty()) {
        for (FieldId f : kPhonNeighbourFields) values.PutMissing(f, MissingReason::NoPronunciation);
        return;
    }
    const int len = static_cast<int>(pron.size());

    NeighbourList* const list = ctx.PhonList;
    std::vector<NeighbourRecord>* const records =
        list || ctx.RecordNeighbours ? &values.PhonNeighbours() : nullptr;

    PhonNeighbourStats stats;
    // An item pronounced by the rules has no frequency of its own.
    stats.ItemFreq =
        phonology.Entry >= 0 ? lex.LexFreqs[static_cast<std::size_t>(phonology.Entry)] : 0.0f;

    // The neighbour of a candidate pronunciation: its index entry (one per pronunciation,
    // letter case counts), or -1. The filter turns away nearly every candidate that is none
    // before its text is even put together.
    const LetterHashIndex& index = lex.PronunciationIndex();
    const std::vector<std::string>& keys = lex.PronunciationKeys();
    const EditHashes edits(index, pron);
    const PresenceFilter& filter = lex.PronunciationFilter();
    // The neighbours' pronunciations, for the clustering coefficient.
    const bool clustering = values.Wants(FieldId::kCC_FON);
    std::vector<std::string_view> found;
    auto record = [&](int neighbour) {
        stats.Record(lex.LexFreqs[static_cast<std::size_t>(neighbour)]);
        if (clustering) found.push_back(keys[static_cast<std::size_t>(neighbour)]);
    };
    // A neighbour is recorded with the frequency of its word's first entry.
    auto recordNeighbour = [&](NeighbourKind kind, int position, int neighbour) {
        if (!records) return;
        const std::string& word = lex.LexWords[static_cast<std::size_t>(neighbour)];
        const int entry = lex.Find(word);
        records->push_back({word, kind, position,
                            lex.LexFreqs[static_cast<std::size_t>(entry >= 0 ? entry : neighbour)],
                            true});
    };

    // Substitutions, position by position, symbols in inventory order.
    std::vector<int> substitutions(static_cast<std::size_t>(len) + 1, 0); // [position]
    int positionsWithSubstitutions = 0;
    std::string candidate = pron;
    const auto size = static_cast<std::size_t>(len);
    const PresenceFilter::OfLength sameLength = filter.ForLength(size);
    for (int p = 1; p <= len; ++p) {
        const auto at = static_cast<std::size_t>(p - 1);
        const char own = pron[at];
        int& count = substitutions[static_cast<std::size_t>(p)];
        for (char s : kPhonemeSymbols) {
            if (s == own) continue;
            const std::uint64_t hash = edits.Substituted(at, s);
            if (!sameLength.MayContain(hash)) continue;
            candidate[at] = s;
            const int n = index.FindHashed(keys, candidate, hash);
            if (n < 0) continue;
            record(n);
            recordNeighbour(NeighbourKind::Substitution, p, n);
            ++count;
        }
        candidate[at] = own;
        if (count > 0) ++positionsWithSubstitutions;
    }

    // Deletions: every position, equal neighbours of equal adjacent phonemes listed each time.
    // An empty text is nobody's pronunciation.
    const PresenceFilter::OfLength shorter = filter.ForLength(size - 1);
    for (int p = 1; p <= len; ++p) {
        const auto at = static_cast<std::size_t>(p - 1);
        const std::uint64_t hash = edits.Deleted(at);
        if (size == 1 || !shorter.MayContain(hash)) continue;
        candidate.assign(pron, 0, at);
        candidate.append(pron, at + 1, std::string::npos);
        const int n = index.FindHashed(keys, candidate, hash);
        if (n < 0) continue;
        record(n);
        recordNeighbour(NeighbourKind::Deletion, p, n);
    }

    // Additions: a symbol inserted before each position, and appended at the end.
    const PresenceFilter::OfLength longer = filter.ForLength(size + 1);
    for (int p = 1; p <= len + 1; ++p) {
        const auto at = static_cast<std::size_t>(p - 1);
        bool built = false; // whether `candidate` holds the item with a letter inserted at `at`
        for (char s : kPhonemeSymbols) {
            const std::uint64_t hash = edits.Inserted(at, s);
            if (!longer.MayContain(hash)) continue;
            if (!built) {
                candidate.assign(pron, 0, at);
                candidate.push_back(s);
                candidate.append(pron, at, std::string::npos);
                built = true;
            }
            candidate[at] = s;
            const int n = index.FindHashed(keys, candidate, hash);
            if (n < 0) continue;
            record(n);
            recordNeighbour(NeighbourKind::Addition, p, n);
        }
    }
    if (list) LayOutPhonNeighbours(*list, item, len, *records);

    auto substitutionsAt = [&substitutions, len](int p) {
        return p <= len ? substitutions[static_cast<std::size_t>(p)] : 0;
    };
    values.PutCount(FieldId::kPN, stats.Total);
    values.PutCount(FieldId::kPN1, substitutionsAt(1));
    values.PutCount(FieldId::kPN2, substitutionsAt(2));
    values.PutCount(FieldId::kPN3, substitutionsAt(3));
    values.PutCount(FieldId::kPN4, substitutionsAt(4));
    values.PutCount(FieldId::kPP, positionsWithSubstitutions);
    values.PutCount(FieldId::kHFPN, stats.Higher);
    values.PutCount(FieldId::kLFPN, stats.Lower);
    values.PutReal(FieldId::kPNF_MAX, stats.Max);
    values.PutReal(FieldId::kPNF_MIN, stats.Min);
    values.PutReal(FieldId::kPNF_MU, stats.Mean());
    values.PutReal(FieldId::kPNF_SIG, stats.StdDev());
    if (clustering) {
        const std::optional<double> cc = ClusteringCoefficient(std::move(found));
        if (cc)
            values.PutReal(FieldId::kCC_FON, *cc);
        else
            values.PutMissing(FieldId::kCC_FON, MissingReason::NotFound);
    }
}

} // namespace zirtel

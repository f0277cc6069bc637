// The Levenshtein neighbourhoods of a lexicon's own words, measured once by the data builder and
// read from the data folder (kNeighbourhoodFile), so that measuring a whole lexicon does not
// search the index for every word. The file has a section per index: OLD20 and OLD20F of the
// whole-word spellings, PLD20 and PLD20F of their pronunciations, ES_OLD20 of the whole words
// against the Spanish forms and of the lemmas against the Spanish lemmas. A section starts with
// a line "#", its name and the digest of the index it was measured on (NeighbourhoodDigest);
// then a line a key: the key, the mean distance and the mean Zipf value of the neighbours that
// enter it (shortest decimal texts that read back to the same double; "-" for none), tab-
// separated. A section whose digest is not the index's is not used: every key is then measured
// by the index, as is every key a section lacks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/neighbours/levenshtein_index.h"

namespace zirtel {

inline constexpr const char* kNeighbourhoodFile = "lev20_EUS.txt";

// The section names.
inline constexpr std::string_view kOrthSection = "OLD20";
inline constexpr std::string_view kPhonSection = "PLD20";
inline constexpr std::string_view kSpanishFormSection = "ES_OLD20";
inline constexpr std::string_view kSpanishLemmaSection = "ES_OLD20_LEMAK";

// What the measures give for one key.
struct Neighbourhood {
    std::optional<double> Mean;     // OLD20, PLD20, ES_OLD20
    std::optional<double> ZipfMean; // OLD20F, PLD20F; nothing for ES_OLD20
    bool operator==(const Neighbourhood&) const = default;
};

// The digest of what an index's answers depend on: its keys in entry order and, when given, the
// entries' frequencies, with the version of the measures. A change to any key or frequency, or
// to how the measures are computed (the version), gives another digest.
std::string NeighbourhoodDigest(const std::vector<std::string>& keys,
                                const std::vector<float>* freqs);

// A section's text (Latin-1, as the engine holds text): the header line, then the rows in the
// order given.
std::string
NeighbourhoodSectionText(std::string_view name, std::string_view digest,
                         const std::vector<std::pair<std::string, Neighbourhood>>& rows);

class KnownNeighbourhoods {
  public:
    // The rows of the section `name` of the file's text (UTF-8) when its digest is `digest`; none
    // otherwise (no such section, another digest, or a malformed row, which discards the whole
    // section). Reading stops at the section's end.
    void Read(std::istream& in, std::string_view name, std::string_view digest);

    std::optional<Neighbourhood> Find(std::string_view key) const;
    std::size_t Size() const { return Rows_.size(); }

  private:
    bool Add(std::string_view line);
    void Clear();

    // The keys back to back, a row per key and an open-addressing table of row numbers.
    std::string Keys_;
    struct Row {
        std::uint32_t KeyAt, KeyLength;
        double Mean, ZipfMean; // NaN: none
    };
    std::vector<Row> Rows_;
    std::vector<std::uint32_t> Slots_; // row + 1, 0 for an empty slot; a power of two long
};

// An index with its digest and the answers known for its lexicon's own keys.
struct LevenshteinTable {
    LevenshteinTable(const std::vector<std::string>& keys, const std::vector<float>* freqs)
        : Index(keys), Digest(NeighbourhoodDigest(keys, freqs)) {}
    LevenshteinIndex Index;
    std::string Digest; // NeighbourhoodDigest of the keys and frequencies it was built from
    KnownNeighbourhoods Known;
};

} // namespace zirtel

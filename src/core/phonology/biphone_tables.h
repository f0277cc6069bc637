// The biphone frequency tables: for every phoneme count from 2 to 18, the type count and the
// token frequency of each biphone (pair of adjacent phonemes) at each biphone position, read
// once per run from the files ZR_BPF2.txt ... ZR_BPF18.txt in the program's folder.
//
// File ZR_BPF<n>.txt: a header line, then one record per line: the label (two phoneme symbols),
// n - 1 type counts (biphone positions 1 to n - 1), n - 1 token frequencies. The records are the
// 676 pairs of the phoneme inventory in its order (position_table.h); record r fills row r of the
// tables of count n. A file that strays from that is refused with its first bad line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/lexicon/string_index.h"

namespace zirtel {

class Feedback;

// The file name of the biphone table of n phonemes: "ZR_BPF<n>.txt".
std::string BiphoneFileName(int phonemes);

inline constexpr int kMinBiphonePhonemes = 2;
inline constexpr int kMaxBiphonePhonemes = 18;
inline constexpr int kBiphonePositions = kMaxBiphonePhonemes - 1; // 17
inline constexpr int kBiphoneRows = 800;

class BiphoneTables {
  public:
    BiphoneTables();

    // The label of every record kept, files in order of phoneme count, records in file order.
    std::vector<std::string> BiphoneLabels;
    // [phoneme count]: its file was read.
    std::array<bool, kMaxBiphonePhonemes + 1> BiphoneLoaded{};

    bool Loaded(int phonemes) const {
        return phonemes >= kMinBiphonePhonemes && phonemes <= kMaxBiphonePhonemes &&
               BiphoneLoaded[static_cast<std::size_t>(phonemes)];
    }
    // The row of a biphone in the tables of a phoneme count: the record number of the first
    // label of that count's file equal to it (letter case counts), or -1 when there is none.
    // The files list the same biphones in the same order, so this is also the position of the
    // first equal label in BiphoneLabels; a file that strays from that order still finds its
    // own records.
    int Row(int phonemes, std::string_view biphone) const;

    // Table cells; `position` is 0-based (0 .. 16), `row` 0 .. 799. The tables are allocated
    // on the first write; until then every cell reads 0.
    std::int32_t TypeCount(int phonemes, int position, int row) const;
    float TokenFreq(int phonemes, int position, int row) const;
    void Set(int phonemes, int position, int row, std::int32_t typeCount, float tokenFreq);

    // Appends the label of the next record of a count's file; Row finds it once the count's
    // label index has been built.
    void AddLabel(int phonemes, std::string label);
    void BuildLabelIndex(int phonemes);

  private:
    static std::size_t Index(int phonemes, int position, int row);
    std::vector<std::int32_t> BiphoneTypeCount_; // [19][17][800]
    std::vector<float> BiphoneTokenFreq_;        // [19][17][800]
    static bool InRange(int phonemes) { return phonemes >= 0 && phonemes <= kMaxBiphonePhonemes; }
    std::array<std::vector<std::string>, kMaxBiphonePhonemes + 1> CountLabels_; // [count][row]
    std::array<StringIndex, kMaxBiphonePhonemes + 1> LabelIndex_; // exact; first label wins
};

// Reads ZR_BPF<n>.txt from `folder` (the program's data folder) into the tables of count n,
// behind the progress window "Bifonoen maiztasunen irakurketa ... ". A file that is missing or
// cannot be read leaves count n without a table (no message here); a file that can be read but
// is not a whole table is refused ("Fitxategi-errorea", its first bad line) and leaves count n
// without a table as well.
void LoadBiphoneTable(BiphoneTables& tables, const std::filesystem::path& folder, int phonemes,
                      Feedback& feedback);

// The loading pass: every table from 2 to 18 phonemes.
void LoadBiphoneTables(BiphoneTables& tables, const std::filesystem::path& folder,
                       Feedback& feedback);

} // namespace zirtel

// The biphone frequency tables: for every phoneme count from 2 to 18, the type count and the
// token frequency of each biphone (pair of adjacent phonemes) at each biphone position, read
// once per run from the files ZR_BPF2.txt ... ZR_BPF18.txt in the program's folder.
//
// File ZR_BPF<n>.txt: a header line, then records separated by white space of any kind: the
// label (two phoneme symbols), n - 1 type counts (biphone positions 1 to n - 1), n - 1 token
// frequencies. Record r fills row r of the tables of count n; at most 800 records are kept.
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

class Workspace;

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
    // The row of a biphone: the position of the first label equal to it (letter case counts),
    // or -1 when no label is, or when that position lies past the tables.
    int Row(std::string_view biphone) const;

    // Table cells; `position` is 0-based (0 .. 16), `row` 0 .. 799. The tables are allocated
    // on the first write; until then every cell reads 0.
    std::int32_t TypeCount(int phonemes, int position, int row) const;
    float TokenFreq(int phonemes, int position, int row) const;
    void Set(int phonemes, int position, int row, std::int32_t typeCount, float tokenFreq);

    // Appends a label; Row finds it once the label index has been rebuilt.
    void AddLabel(std::string label) { BiphoneLabels.push_back(std::move(label)); }
    void BuildLabelIndex() { LabelIndex_.Build(BiphoneLabels); }

  private:
    static std::size_t Index(int phonemes, int position, int row);
    std::vector<std::int32_t> BiphoneTypeCount_;        // [19][17][800]
    std::vector<float> BiphoneTokenFreq_;               // [19][17][800]
    StringIndex LabelIndex_{StringIndex::Match::Exact}; // first equal label wins
};

// Reads ZR_BPF<n>.txt from the program's folder into the tables of count n, behind the progress
// window "Bifonoen maiztasunen irakurketa ... ". A file that is missing or cannot be read
// leaves count n without a table (no message here).
void LoadBiphoneTable(Workspace& ws, int phonemes);

// The loading pass: every table from 2 to 18 phonemes, then BiphoneFilesRead.
void LoadBiphoneTables(Workspace& ws);

} // namespace zirtel

// Letter bigram frequencies by word length and position, read from the files ZR_BF<n>.txt
// (n = 2 to 18) in the program's folder. For every length n there is a type table (32-bit
// integers) and a token table (32-bit floats), each indexed by position p (0 is the pair of
// letters 1 and 2) and bigram index (27 * first letter + second letter, a..z then ñ). The
// storage is fixed in size and flat, all zero until a file fills it.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zirtel {

class Feedback;

inline constexpr int kBigramMinLength = 2;
inline constexpr int kBigramMaxLength = 18;
inline constexpr int kBigramLengths = kBigramMaxLength - kBigramMinLength + 1; // 17
inline constexpr int kBigramPositions = kBigramMaxLength - 1;                  // 17
inline constexpr int kBigramCount = 27 * 27;                                   // 729

// The file name of the bigram table of word length n: "ZR_BF<n>.txt".
std::string BigramFileName(int length);

// The bigram indexes of a text, one per adjacent pair: ASCII capitals are lower-cased, á é í ó
// ú ü count as their plain vowels, ñ is letter 26. A pair with a character outside the
// 27-letter alphabet has index -1 (no table entry).
std::vector<int> BigramIndexes(std::string_view text);

class BigramTables {
  public:
    BigramTables();

    // Reads ZR_BF<n>.txt for n = 2..18 from `folder`, in that order.
    void ReadAll(const std::filesystem::path& folder, Feedback& feedback);
    // Reads one file into the tables of length n (2..18) and sets its loaded flag; a missing
    // or unreadable file clears the flag and shows nothing. After the header line the file must
    // hold the 729 rows in bigram order, each "LABEL" (the pair's letters), n - 1 type counts
    // and n - 1 token values (position_table.h); a file that does not is refused with its first
    // bad line ("Fitxategi-errorea") and leaves the length unloaded.
    void Read(int length, const std::filesystem::path& path, Feedback& feedback);

    bool Loaded(int length) const;
    // Table values; a bigram index of -1 (or any place outside the tables) has the value 0.
    std::int32_t Type(int length, int position, int bigram) const;
    float Token(int length, int position, int bigram) const;

  private:
    static bool Inside(int length, int position, int bigram);
    static std::size_t Offset(int length, int position, int bigram);

    struct Storage {
        std::array<std::int32_t, kBigramLengths * kBigramPositions * kBigramCount> Type;
        std::array<float, kBigramLengths * kBigramPositions * kBigramCount> Token;
    };
    // The tables take 1.7 MB of zeros until files are read: they come from calloc, whose fresh
    // pages are zero without being written, so that a run that reads no bigram file never
    // touches them.
    struct FreeStorage {
        void operator()(Storage* storage) const { std::free(storage); }
    };
    std::unique_ptr<Storage, FreeStorage> Tables_;
    std::array<bool, kBigramLengths> Loaded_{};
};

} // namespace zirtel

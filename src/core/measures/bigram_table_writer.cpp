#include "core/measures/bigram_table_writer.h"

#include <cstddef>

#include "core/text/format.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"

namespace zirtel {
namespace {

PairTable EmptyTable(int length, int rows) {
    PairTable t;
    t.Length = length;
    t.Rows = rows;
    const auto positions = static_cast<std::size_t>(length > 1 ? length - 1 : 0);
    t.Types.assign(positions, std::vector<int>(static_cast<std::size_t>(rows), 0));
    t.Tokens.assign(positions, std::vector<double>(static_cast<std::size_t>(rows), 0.0));
    return t;
}

void AddPair(PairTable& t, std::size_t position, int row, float freq) {
    if (row < 0) return;
    ++t.Types[position][static_cast<std::size_t>(row)];
    t.Tokens[position][static_cast<std::size_t>(row)] += static_cast<double>(freq);
}

int PhonemeIndex(char symbol) {
    const auto at = kPhonemeSymbols.find(symbol);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

std::string TableText(const PairTable& t, const std::string& firstColumn,
                      const std::vector<std::string>& labels) {
    std::string text = firstColumn;
    for (int p = 1; p < t.Length; ++p) text += "\tType" + std::to_string(p);
    for (int p = 1; p < t.Length; ++p) text += "\tToken" + std::to_string(p);
    text += '\n';
    for (int r = 0; r < t.Rows; ++r) {
        text += labels[static_cast<std::size_t>(r)];
        const auto row = static_cast<std::size_t>(r);
        for (const auto& types : t.Types) text += '\t' + std::to_string(types[row]);
        for (const auto& tokens : t.Tokens) text += '\t' + FormatReal(tokens[row], 0, 2);
        text += '\n';
    }
    return text;
}

} // namespace

std::string PhonemesOnly(const std::string& pronunciation) {
    std::string out;
    for (char c : pronunciation)
        if (c != '-' && c != '\'' && c != '"') out += c;
    return out;
}

PairTable CountBigrams(const std::vector<std::string>& words, const std::vector<float>& freqs,
                       int length) {
    PairTable t = EmptyTable(length, kAlphabetSize * kAlphabetSize);
    for (std::size_t w = 0; w < words.size(); ++w) {
        if (static_cast<int>(words[w].size()) != length) continue;
        const std::string letters = FoldAccents(LowerLatin1(words[w]));
        for (std::size_t p = 0; p + 1 < letters.size(); ++p) {
            const int a = LetterIndex(letters[p]);
            const int b = LetterIndex(letters[p + 1]);
            AddPair(t, p, a < 0 || b < 0 ? -1 : a * kAlphabetSize + b, freqs[w]);
        }
    }
    return t;
}

PairTable CountBiphones(const std::vector<std::string>& pronunciations,
                        const std::vector<float>& freqs, int phonemeCount) {
    PairTable t = EmptyTable(phonemeCount, kPhonemeSymbolCount * kPhonemeSymbolCount);
    for (std::size_t w = 0; w < pronunciations.size(); ++w) {
        const std::string phonemes = PhonemesOnly(pronunciations[w]);
        if (static_cast<int>(phonemes.size()) != phonemeCount) continue;
        for (std::size_t p = 0; p + 1 < phonemes.size(); ++p) {
            const int a = PhonemeIndex(phonemes[p]);
            const int b = PhonemeIndex(phonemes[p + 1]);
            AddPair(t, p, a < 0 || b < 0 ? -1 : a * kPhonemeSymbolCount + b, freqs[w]);
        }
    }
    return t;
}

std::string BigramTableFileText(const PairTable& table) {
    std::vector<std::string> labels;
    for (int a = 0; a < kAlphabetSize; ++a)
        for (int b = 0; b < kAlphabetSize; ++b)
            labels.push_back(Latin1ToUtf8(std::string{AlphabetLetter(a), AlphabetLetter(b)}));
    return TableText(table, "Bigram", labels);
}

std::string BiphoneTableFileText(const PairTable& table) {
    std::vector<std::string> labels;
    for (char a : kPhonemeSymbols)
        for (char b : kPhonemeSymbols) labels.push_back(std::string{a, b});
    return TableText(table, "Biphone", labels);
}

} // namespace zirtel

#include "core/measures/bigram_tables.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "core/feedback/feedback.h"
#include "core/lexicon/position_table.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"
#include "core/text/text_file.h"

namespace zirtel {

namespace {

constexpr int kBigramProgressMax = 676;

} // namespace

std::string BigramFileName(int length) {
    return "ZR_BF" + std::to_string(length) + ".txt";
}

std::vector<int> BigramIndexes(std::string_view text) {
    const std::string letters = FoldAccents(LowerAscii(text));
    std::vector<int> indexes;
    if (letters.size() < 2) return indexes;
    indexes.reserve(letters.size() - 1);
    for (std::size_t p = 0; p + 1 < letters.size(); ++p) {
        const int first = LetterIndex(letters[p]);
        const int second = LetterIndex(letters[p + 1]);
        indexes.push_back(first < 0 || second < 0 ? -1 : kAlphabetSize * first + second);
    }
    return indexes;
}

BigramTables::BigramTables() : Tables_(static_cast<Storage*>(std::calloc(1, sizeof(Storage)))) {
    if (!Tables_) throw std::bad_alloc();
}

bool BigramTables::Inside(int length, int position, int bigram) {
    return length >= kBigramMinLength && length <= kBigramMaxLength && position >= 0 &&
           position < length - 1 && bigram >= 0 && bigram < kBigramCount;
}

std::size_t BigramTables::Offset(int length, int position, int bigram) {
    return (static_cast<std::size_t>(length - kBigramMinLength) * kBigramPositions +
            static_cast<std::size_t>(position)) *
               kBigramCount +
           static_cast<std::size_t>(bigram);
}

bool BigramTables::Loaded(int length) const {
    if (length < kBigramMinLength || length > kBigramMaxLength) return false;
    return Loaded_[static_cast<std::size_t>(length - kBigramMinLength)];
}

std::int32_t BigramTables::Type(int length, int position, int bigram) const {
    return Inside(length, position, bigram) ? Tables_->Type[Offset(length, position, bigram)] : 0;
}

float BigramTables::Token(int length, int position, int bigram) const {
    return Inside(length, position, bigram) ? Tables_->Token[Offset(length, position, bigram)]
                                            : 0.0f;
}

void BigramTables::ReadAll(const std::filesystem::path& folder, Feedback& feedback) {
    for (int n = kBigramMinLength; n <= kBigramMaxLength; ++n)
        Read(n, folder / BigramFileName(n), feedback);
}

void BigramTables::Read(int length, const std::filesystem::path& path, Feedback& feedback) {
    if (length < kBigramMinLength || length > kBigramMaxLength) return;
    bool& loaded = Loaded_[static_cast<std::size_t>(length - kBigramMinLength)];
    loaded = false;
    if (!FileExists(path)) return;
    std::optional<TextFile> file = ReadTextFile(path);
    if (!file) return;

    auto progress = feedback.OpenProgress("Bigramen maiztasunen irakurketa ... ",
                                          UpperAscii(path.string()), kBigramProgressMax);
    BusyCursor busy(feedback);

    // The length's tables hold this file's values only, and only once the whole file passed.
    const std::size_t first = Offset(length, 0, 0);
    const std::size_t last = Offset(length, kBigramPositions - 1, kBigramCount - 1) + 1;
    std::fill(Tables_->Type.begin() + static_cast<std::ptrdiff_t>(first),
              Tables_->Type.begin() + static_cast<std::ptrdiff_t>(last), 0);
    std::fill(Tables_->Token.begin() + static_cast<std::ptrdiff_t>(first),
              Tables_->Token.begin() + static_cast<std::ptrdiff_t>(last), 0.0f);

    const int values = length - 1;
    const PositionTableRead read = ReadPositionTable(file->Text, values, BigramLabels());
    if (!read.Table) {
        progress.reset();
        ReportRefusedTable(feedback, path, read.Problem);
        return;
    }
    for (int row = 0; row < kBigramCount; ++row) {
        for (int p = 0; p < values; ++p) {
            const std::size_t at = static_cast<std::size_t>(row * values + p);
            Tables_->Type[Offset(length, p, row)] = read.Table->Types[at];
            Tables_->Token[Offset(length, p, row)] = read.Table->Tokens[at];
        }
        progress->Step();
    }

    progress->SetPosition(kBigramProgressMax);
    loaded = true;
    progress->SetFileLabel(" ");
}

} // namespace zirtel

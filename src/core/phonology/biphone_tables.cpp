#include "core/phonology/biphone_tables.h"

#include <optional>

#include "core/feedback/feedback.h"
#include "core/lexicon/position_table.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"
#include "core/text/text_file.h"

namespace zirtel {

namespace {

constexpr std::size_t kTableCells =
    static_cast<std::size_t>(kMaxBiphonePhonemes + 1) * kBiphonePositions * kBiphoneRows;

} // namespace

std::string BiphoneFileName(int phonemes) {
    return "ZR_BPF" + std::to_string(phonemes) + ".txt";
}

BiphoneTables::BiphoneTables() {
    LabelIndex_.fill(StringIndex(StringIndex::Match::Exact));
}

std::size_t BiphoneTables::Index(int phonemes, int position, int row) {
    return (static_cast<std::size_t>(phonemes) * kBiphonePositions +
            static_cast<std::size_t>(position)) *
               kBiphoneRows +
           static_cast<std::size_t>(row);
}

int BiphoneTables::Row(int phonemes, std::string_view biphone) const {
    if (!InRange(phonemes)) return -1;
    const auto n = static_cast<std::size_t>(phonemes);
    const int row = LabelIndex_[n].Find(CountLabels_[n], biphone);
    return row >= kBiphoneRows ? -1 : row;
}

void BiphoneTables::AddLabel(int phonemes, std::string label) {
    if (!InRange(phonemes)) return;
    CountLabels_[static_cast<std::size_t>(phonemes)].push_back(label);
    BiphoneLabels.push_back(std::move(label));
}

void BiphoneTables::BuildLabelIndex(int phonemes) {
    if (!InRange(phonemes)) return;
    const auto n = static_cast<std::size_t>(phonemes);
    LabelIndex_[n].Build(CountLabels_[n]);
}

std::int32_t BiphoneTables::TypeCount(int phonemes, int position, int row) const {
    if (BiphoneTypeCount_.empty() || !InRange(phonemes) || position < 0 ||
        position >= kBiphonePositions || row < 0 || row >= kBiphoneRows)
        return 0;
    return BiphoneTypeCount_[Index(phonemes, position, row)];
}

float BiphoneTables::TokenFreq(int phonemes, int position, int row) const {
    if (BiphoneTokenFreq_.empty() || !InRange(phonemes) || position < 0 ||
        position >= kBiphonePositions || row < 0 || row >= kBiphoneRows)
        return 0.0f;
    return BiphoneTokenFreq_[Index(phonemes, position, row)];
}

void BiphoneTables::Set(int phonemes, int position, int row, std::int32_t typeCount,
                        float tokenFreq) {
    if (!InRange(phonemes) || position < 0 || position >= kBiphonePositions || row < 0 ||
        row >= kBiphoneRows)
        return;
    if (BiphoneTypeCount_.empty()) {
        BiphoneTypeCount_.assign(kTableCells, 0);
        BiphoneTokenFreq_.assign(kTableCells, 0.0f);
    }
    BiphoneTypeCount_[Index(phonemes, position, row)] = typeCount;
    BiphoneTokenFreq_[Index(phonemes, position, row)] = tokenFreq;
}

void LoadBiphoneTable(BiphoneTables& tables, const std::filesystem::path& folder, int phonemes,
                      Feedback& feedback) {
    if (phonemes < kMinBiphonePhonemes || phonemes > kMaxBiphonePhonemes) return;
    tables.BiphoneLoaded[static_cast<std::size_t>(phonemes)] = false;

    const std::filesystem::path path = folder / BiphoneFileName(phonemes);
    if (!FileExists(path)) return;
    const std::optional<TextFile> file = ReadTextFile(path);
    if (!file) return;

    auto progress =
        feedback.OpenProgress("Bifonoen maiztasunen irakurketa ... ", UpperUtf8(path.string()),
                              kPhonemeSymbolCount * kPhonemeSymbolCount);
    BusyCursor busy(feedback);

    const int positions = phonemes - 1;
    const PositionTableRead read =
        ReadPositionTable(file->Text, positions, BiphoneInventoryLabels());
    if (!read.Table) {
        progress.reset();
        ReportRefusedTable(feedback, path, read.Problem);
        return;
    }
    const std::vector<std::string>& labels = BiphoneInventoryLabels();
    for (int row = 0; row < static_cast<int>(labels.size()); ++row) {
        tables.AddLabel(phonemes, labels[static_cast<std::size_t>(row)]);
        for (int i = 0; i < positions; ++i) {
            const std::size_t at = static_cast<std::size_t>(row * positions + i);
            tables.Set(phonemes, i, row, read.Table->Types[at], read.Table->Tokens[at]);
        }
        progress->Step();
    }
    tables.BuildLabelIndex(phonemes);

    progress->SetPosition(kPhonemeSymbolCount * kPhonemeSymbolCount);
    progress->SetFileLabel(" ");
    tables.BiphoneLoaded[static_cast<std::size_t>(phonemes)] = true;
}

void LoadBiphoneTables(BiphoneTables& tables, const std::filesystem::path& folder,
                       Feedback& feedback) {
    for (int n = kMinBiphonePhonemes; n <= kMaxBiphonePhonemes; ++n)
        LoadBiphoneTable(tables, folder, n, feedback);
}

} // namespace zirtel

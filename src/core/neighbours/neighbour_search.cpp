#include "core/neighbours/neighbour_search.h"

#include <array>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/fields/row_cells.h"
#include "core/lexicon/letter_hash_index.h"
#include "core/lexicon/lexicon.h"
#include "core/measures/letters.h"
#include "core/neighbours/neighbour_frequency.h"
#include "core/neighbours/neighbour_list.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

// Letters that give the same word in a lookup: the lookups ignore letter case, so an item
// spelled with a capital Ñ must not find itself by way of ñ.
bool SameLetter(char a, char b) {
    return a == b || LowerLatin1Char(a) == LowerLatin1Char(b);
}

// The search of one item: the item's letters, the word list, the cells and the list being
// filled. Without a list (the grid-free statistics) nothing is listed.
class OrthoSearch {
  public:
    OrthoSearch(MeasureContext& ctx, RowCells& cells, std::string item)
        : Ctx_(ctx), Cells_(cells), Lex_(ctx.Current), Item_(std::move(item)),
          Length_(static_cast<int>(Item_.size())), List_(ctx.OrthoList),
          Grid_(ctx.OrthoList ? &ctx.OrthoList->NeighList : nullptr) {}

    void Run();

  private:
    // Whether the word is in the current word list; its frequency then goes into `freq`.
    bool Lookup(std::string_view word, float& freq) const { return Found(Lex_.Find(word), freq); }
    // The same for a candidate one letter away from the key, its hash known.
    bool Lookup(std::string_view word, std::uint64_t hash, float& freq) const {
        return Found(Lex_.FindHashed(word, hash), freq);
    }
    bool Found(int entry, float& freq) const {
        if (entry < 0) return false;
        freq = Lex_.LexFreqs[static_cast<std::size_t>(entry)];
        return true;
    }
    void OpenBlock();
    void SubstitutionPass();
    void DeletionPass();
    void AdditionPass();
    void WriteCounts();
    void GrowRowsBeforePass() {
        if (Grid_ && Grid_->RowCount() < List_->CurrentRow + 10)
            Grid_->SetRowCount(Grid_->RowCount() + 30);
    }
    // A deletion or addition position starts: a row that received neighbours is left behind.
    void NextListPosition() {
        if (!List_) return;
        if (List_->RowNeighbourCount > 0) ++List_->CurrentRow;
        List_->RowNeighbourCount = 0;
    }

    MeasureContext& Ctx_;
    RowCells& Cells_;
    const Lexicon& Lex_;
    const std::string Item_; // lower-cased A-Z, accents kept
    const int Length_;
    std::string Key_; // the item with á..ü folded to plain vowels; every candidate is built on it
    std::optional<EditHashes> Edits_; // the hashes of the key's one-letter edits
    NeighbourList* const List_;       // null: nothing is listed
    StringGrid* const Grid_;
    bool ListOn_ = false;
    NeighbourTally Tally_;
};

void OrthoSearch::Run() {
    ListOn_ = List_ != nullptr && Ctx_.OrthoListShown;
    if (ListOn_) OpenBlock();
    if (!Lookup(Item_, Tally_.ItemFreq)) Tally_.ItemFreq = 0.0f;
    Key_ = FoldAccents(Item_);
    Edits_.emplace(Lex_.WordIndex(), Key_);

    SubstitutionPass();
    const bool deletions =
        Ctx_.ListDeletionNs || Cells_.WantsAny({FieldId::kN_STAR, FieldId::kAZPIM,
                                                FieldId::kAZPIM_MAIZT, FieldId::kNAZPIM});
    if (deletions) DeletionPass();
    // A deletion row that holds neighbours is closed, with an empty row after it.
    if (ListOn_ && List_->CurrentRow > 1 && !Grid_->Cell(2, List_->CurrentRow).empty())
        List_->CurrentRow += 2;
    const bool additions =
        Ctx_.ListAdditionNs ||
        Cells_.WantsAny({FieldId::kN_STAR, FieldId::kGAIN, FieldId::kGAIN_MAIZT, FieldId::kNGAIN});
    if (additions) AdditionPass();
    WriteCounts();
}

// The item's first row: its name in upper case in column 0.
void OrthoSearch::OpenBlock() {
    if (List_->CurrentRow > 1 && !Grid_->Cell(1, List_->CurrentRow - 1).empty())
        ++List_->CurrentRow;
    Grid_->SetCell(0, List_->CurrentRow, UpperLatin1(Item_));
    if (Grid_->RowCount() < List_->CurrentRow + Length_)
        Grid_->SetRowCount(Grid_->RowCount() + Length_);
}

void OrthoSearch::SubstitutionPass() {
    std::string candidate = Key_;
    for (int p = 1; p <= Length_; ++p) {
        const std::size_t at = static_cast<std::size_t>(p - 1);
        const char own = Key_[at];
        std::array<std::uint64_t, kAlphabetSize> hashes;
        for (int letter = 0; letter < kAlphabetSize; ++letter) {
            hashes[static_cast<std::size_t>(letter)] =
                Edits_->Substituted(at, AlphabetLetter(letter));
            Lex_.WordIndex().Prefetch(hashes[static_cast<std::size_t>(letter)]);
        }
        for (int letter = 0; letter < kAlphabetSize; ++letter) {
            const char c = AlphabetLetter(letter);
            if (SameLetter(c, own)) continue;
            candidate[at] = c;
            float freq = 0.0f;
            if (!Lookup(candidate, hashes[static_cast<std::size_t>(letter)], freq)) continue;
            OnSubstitutionNeighbour(Tally_, p, freq);
            if (ListOn_) Grid_->SetCell(Tally_.PosCount[at + 1] + 3, List_->CurrentRow, candidate);
            ++Tally_.SubCount;
            ++Tally_.AllCount;
            ++Tally_.PosCount[at + 1];
        }
        candidate[at] = own;
        if (Tally_.PosCount[at + 1] > 0) {
            ++Tally_.PosWithNeighbours;
            if (ListOn_) {
                Grid_->SetCell(1, List_->CurrentRow, "Sub");
                Grid_->SetCell(2, List_->CurrentRow, std::to_string(p));
                ++List_->CurrentRow;
            }
        }
    }
    if (ListOn_ && Tally_.PosWithNeighbours > 0) ++List_->CurrentRow;
}

void OrthoSearch::DeletionPass() {
    GrowRowsBeforePass();
    const bool listed = ListOn_ && Ctx_.ListDeletionNs;
    std::string candidate;
    for (std::size_t at = 0; at < Key_.size(); ++at) Lex_.WordIndex().Prefetch(Edits_->Deleted(at));
    for (int p = 1; p <= Length_; ++p) {
        NextListPosition();
        const std::size_t at = static_cast<std::size_t>(p - 1);
        // Removing either of two equal adjacent letters gives the same word: only the first is
        // tried.
        if (p > 1 && SameLetter(Key_[at], Key_[at - 1])) continue;
        candidate.assign(Key_, 0, at);
        candidate.append(Key_, at + 1);
        float freq = 0.0f;
        if (!Lookup(candidate, Edits_->Deleted(at), freq)) continue;
        ++Tally_.SubsetCount;
        OnDeletionNeighbour(Cells_, Tally_, candidate, freq);
        if (List_) ++List_->RowNeighbourCount;
        if (listed) {
            Grid_->SetCell(List_->RowNeighbourCount + 2, List_->CurrentRow, candidate);
            Grid_->SetCell(1, List_->CurrentRow, "Del");
            Grid_->SetCell(2, List_->CurrentRow, std::to_string(p));
        }
        ++Tally_.AllCount;
    }
}

void OrthoSearch::AdditionPass() {
    GrowRowsBeforePass();
    const bool listed = ListOn_ && Ctx_.ListAdditionNs;
    std::string candidate = " " + Key_; // the inserted letter travels from the front to the end
    for (int p = 1; p <= Length_ + 1; ++p) {
        const std::size_t at = static_cast<std::size_t>(p - 1);
        if (p > 1) candidate[at - 1] = Key_[at - 1];
        // No letter goes directly in front of an apostrophe.
        if (p <= Length_ && Key_[at] == '\'') continue;
        NextListPosition();
        std::array<std::uint64_t, kAlphabetSize> hashes;
        for (int letter = 0; letter < kAlphabetSize; ++letter) {
            hashes[static_cast<std::size_t>(letter)] = Edits_->Inserted(at, AlphabetLetter(letter));
            Lex_.WordIndex().Prefetch(hashes[static_cast<std::size_t>(letter)]);
        }
        for (int letter = 0; letter < kAlphabetSize; ++letter) {
            const char c = AlphabetLetter(letter);
            // A letter inserted right after an equal letter was already tried in front of it.
            if (p > 1 && SameLetter(Key_[at - 1], c)) continue;
            candidate[at] = c;
            float freq = 0.0f;
            if (!Lookup(candidate, hashes[static_cast<std::size_t>(letter)], freq)) continue;
            ++Tally_.SupersetCount;
            if (List_) ++List_->RowNeighbourCount;
            OnAdditionNeighbour(Cells_, Tally_, candidate, freq);
            if (listed) {
                Grid_->SetCell(List_->RowNeighbourCount + 2, List_->CurrentRow, candidate);
                Grid_->SetCell(1, List_->CurrentRow, "Add");
                Grid_->SetCell(2, List_->CurrentRow, std::to_string(p));
            }
            ++Tally_.AllCount;
        }
    }
    if (listed) ++List_->CurrentRow;
}

void OrthoSearch::WriteCounts() {
    Cells_.PutCount(FieldId::kN, Tally_.SubCount);
    Cells_.PutCount(FieldId::kNAZPIM, Tally_.SubsetCount);
    Cells_.PutCount(FieldId::kNGAIN, Tally_.SupersetCount);
    Cells_.PutCount(FieldId::kN_STAR, Tally_.AllCount);
    Cells_.PutCount(FieldId::kN1, Tally_.PosCount[1]);
    Cells_.PutCount(FieldId::kN2, Tally_.PosCount[2]);
    Cells_.PutCount(FieldId::kN3, Tally_.PosCount[3]);
    Cells_.PutCount(FieldId::kN4, Tally_.PosCount[4]);
    Cells_.PutCount(FieldId::kN5, Tally_.PosCount[5]);
    Cells_.PutCount(FieldId::kP, Tally_.PosWithNeighbours);
    WriteFrequencyColumns(Cells_, Tally_);
}

} // namespace

void FindOrthoNeighbours(MeasureContext& ctx, RowCells& cells) {
    std::string item = LowerAscii(cells.Item());
    if (item.empty() || item.size() > static_cast<std::size_t>(kMaxNeighbourItemLength)) return;
    OrthoSearch(ctx, cells, std::move(item)).Run();
}

} // namespace zirtel

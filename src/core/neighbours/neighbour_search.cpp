#include "core/neighbours/neighbour_search.h"

#include <string>
#include <string_view>

#include "core/analysis/workspace.h"
#include "core/measures/letters.h"
#include "core/neighbours/neighbour_frequency.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

using FC = FieldColumns;

// Letters that give the same word in a lookup: the lookups ignore letter case, so an item
// spelled with a capital Ñ must not find itself by way of ñ.
bool SameLetter(char a, char b) {
    return a == b || LowerLatin1Char(a) == LowerLatin1Char(b);
}

// The search of one item: the item's letters, the word list, the row and the list being filled.
class OrthoSearch {
  public:
    OrthoSearch(Workspace& ws, int row, std::string item)
        : Ws_(ws), Lex_(ws.Current()), Row_(row), Item_(std::move(item)),
          Length_(static_cast<int>(Item_.size())), List_(ws.OrthoNeighbours),
          Grid_(ws.OrthoNeighbours.NeighList) {}

    void Run();

  private:
    // Whether the word is in the current word list; its frequency then goes into `freq`.
    bool Lookup(std::string_view word, float& freq) const {
        const int entry = Lex_.Find(word);
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
        if (Grid_.RowCount() < List_.CurrentRow + 10) Grid_.SetRowCount(Grid_.RowCount() + 30);
    }

    Workspace& Ws_;
    const Lexicon& Lex_;
    const int Row_;
    const std::string Item_; // lower-cased A-Z, accents kept
    const int Length_;
    std::string Key_; // the item with á..ü folded to plain vowels; every candidate is built on it
    NeighbourList& List_;
    StringGrid& Grid_;
    bool ListOn_ = false;
    NeighbourTally Tally_;
};

void OrthoSearch::Run() {
    if (!Ws_.Options.FlagTicked(OptionFlag::NList)) Ws_.ShowNeighbourList = false;
    ListOn_ = Ws_.ShowNeighbourList;
    if (ListOn_) OpenBlock();
    if (!Lookup(Item_, Tally_.ItemFreq)) Tally_.ItemFreq = 0.0f;
    Key_ = FoldAccents(Item_);

    SubstitutionPass();
    const bool deletions = Ws_.IncludeDeletionNs || Ws_.Shown(&FC::Col_N_STAR) ||
                           Ws_.Shown(&FC::Col_AZPIM) || Ws_.Shown(&FC::Col_AZPIM_MAIZT) ||
                           Ws_.Shown(&FC::Col_NAZPIM);
    if (deletions) DeletionPass();
    // A deletion row that holds neighbours is closed, with an empty row after it.
    if (ListOn_ && List_.CurrentRow > 1 && !Grid_.Cell(2, List_.CurrentRow).empty())
        List_.CurrentRow += 2;
    const bool additions = Ws_.IncludeAdditionNs || Ws_.Shown(&FC::Col_N_STAR) ||
                           Ws_.Shown(&FC::Col_GAIN) || Ws_.Shown(&FC::Col_GAIN_MAIZT) ||
                           Ws_.Shown(&FC::Col_NGAIN);
    if (additions) AdditionPass();
    WriteCounts();
}

// The item's first row: its name in upper case in column 0.
void OrthoSearch::OpenBlock() {
    if (List_.CurrentRow > 1 && !Grid_.Cell(1, List_.CurrentRow - 1).empty()) ++List_.CurrentRow;
    Grid_.SetCell(0, List_.CurrentRow, UpperLatin1(Item_));
    if (Grid_.RowCount() < List_.CurrentRow + Length_)
        Grid_.SetRowCount(Grid_.RowCount() + Length_);
}

void OrthoSearch::SubstitutionPass() {
    std::string candidate = Key_;
    for (int p = 1; p <= Length_; ++p) {
        const std::size_t at = static_cast<std::size_t>(p - 1);
        const char own = Key_[at];
        for (int letter = 0; letter < kAlphabetSize; ++letter) {
            const char c = AlphabetLetter(letter);
            if (SameLetter(c, own)) continue;
            candidate[at] = c;
            float freq = 0.0f;
            if (!Lookup(candidate, freq)) continue;
            OnSubstitutionNeighbour(Tally_, p, freq);
            if (ListOn_) Grid_.SetCell(Tally_.PosCount[at + 1] + 3, List_.CurrentRow, candidate);
            ++Tally_.SubCount;
            ++Tally_.AllCount;
            ++Tally_.PosCount[at + 1];
        }
        candidate[at] = own;
        if (Tally_.PosCount[at + 1] > 0) {
            ++Tally_.PosWithNeighbours;
            if (ListOn_) {
                Grid_.SetCell(1, List_.CurrentRow, "Sub");
                Grid_.SetCell(2, List_.CurrentRow, std::to_string(p));
                ++List_.CurrentRow;
            }
        }
    }
    if (ListOn_ && Tally_.PosWithNeighbours > 0) ++List_.CurrentRow;
}

void OrthoSearch::DeletionPass() {
    GrowRowsBeforePass();
    const bool listed = ListOn_ && Ws_.IncludeDeletionNs;
    std::string candidate;
    for (int p = 1; p <= Length_; ++p) {
        if (List_.RowNeighbourCount > 0) ++List_.CurrentRow;
        List_.RowNeighbourCount = 0;
        const std::size_t at = static_cast<std::size_t>(p - 1);
        // Removing either of two equal adjacent letters gives the same word: only the first is
        // tried.
        if (p > 1 && SameLetter(Key_[at], Key_[at - 1])) continue;
        candidate.assign(Key_, 0, at);
        candidate.append(Key_, at + 1);
        float freq = 0.0f;
        if (!Lookup(candidate, freq)) continue;
        ++Tally_.SubsetCount;
        OnDeletionNeighbour(Ws_, Row_, Tally_, candidate, freq);
        ++List_.RowNeighbourCount;
        if (listed) {
            Grid_.SetCell(List_.RowNeighbourCount + 2, List_.CurrentRow, candidate);
            Grid_.SetCell(1, List_.CurrentRow, "Del");
            Grid_.SetCell(2, List_.CurrentRow, std::to_string(p));
        }
        ++Tally_.AllCount;
    }
}

void OrthoSearch::AdditionPass() {
    GrowRowsBeforePass();
    const bool listed = ListOn_ && Ws_.IncludeAdditionNs;
    std::string candidate = " " + Key_; // the inserted letter travels from the front to the end
    for (int p = 1; p <= Length_ + 1; ++p) {
        const std::size_t at = static_cast<std::size_t>(p - 1);
        if (p > 1) candidate[at - 1] = Key_[at - 1];
        // No letter goes directly in front of an apostrophe.
        if (p <= Length_ && Key_[at] == '\'') continue;
        if (List_.RowNeighbourCount > 0) ++List_.CurrentRow;
        List_.RowNeighbourCount = 0;
        for (int letter = 0; letter < kAlphabetSize; ++letter) {
            const char c = AlphabetLetter(letter);
            // A letter inserted right after an equal letter was already tried in front of it.
            if (p > 1 && SameLetter(Key_[at - 1], c)) continue;
            candidate[at] = c;
            float freq = 0.0f;
            if (!Lookup(candidate, freq)) continue;
            ++Tally_.SupersetCount;
            ++List_.RowNeighbourCount;
            OnAdditionNeighbour(Ws_, Row_, Tally_, candidate, freq);
            if (listed) {
                Grid_.SetCell(List_.RowNeighbourCount + 2, List_.CurrentRow, candidate);
                Grid_.SetCell(1, List_.CurrentRow, "Add");
                Grid_.SetCell(2, List_.CurrentRow, std::to_string(p));
            }
            ++Tally_.AllCount;
        }
    }
    if (listed) ++List_.CurrentRow;
}

void OrthoSearch::WriteCounts() {
    Ws_.PutCount(&FC::Col_N, Row_, Tally_.SubCount);
    Ws_.PutCount(&FC::Col_NAZPIM, Row_, Tally_.SubsetCount);
    Ws_.PutCount(&FC::Col_NGAIN, Row_, Tally_.SupersetCount);
    Ws_.PutCount(&FC::Col_N_STAR, Row_, Tally_.AllCount);
    Ws_.PutCount(&FC::Col_N1, Row_, Tally_.PosCount[1]);
    Ws_.PutCount(&FC::Col_N2, Row_, Tally_.PosCount[2]);
    Ws_.PutCount(&FC::Col_N3, Row_, Tally_.PosCount[3]);
    Ws_.PutCount(&FC::Col_N4, Row_, Tally_.PosCount[4]);
    Ws_.PutCount(&FC::Col_N5, Row_, Tally_.PosCount[5]);
    Ws_.PutCount(&FC::Col_P, Row_, Tally_.PosWithNeighbours);
    WriteFrequencyColumns(Ws_, Row_, Tally_);
}

} // namespace

bool OrthoNeighbourSearchWanted(const Workspace& ws) {
    static constexpr int FC::*kFields[] = {
        &FC::Col_N,     &FC::Col_N_STAR,      &FC::Col_N1,     &FC::Col_N2,    &FC::Col_N3,
        &FC::Col_N4,    &FC::Col_N5,          &FC::Col_P,      &FC::Col_HFP,   &FC::Col_HFN,
        &FC::Col_LFN,   &FC::Col_NF_MAX,      &FC::Col_NF_MIN, &FC::Col_NF_MU, &FC::Col_NF_SIG,
        &FC::Col_AZPIM, &FC::Col_AZPIM_MAIZT, &FC::Col_NAZPIM, &FC::Col_GAIN,  &FC::Col_GAIN_MAIZT,
        &FC::Col_NGAIN,
    };
    for (int FC::*col : kFields)
        if (ws.Shown(col)) return true;
    return ws.IncludeDeletionNs || ws.IncludeAdditionNs;
}

void FindOrthoNeighbours(Workspace& ws, int row) {
    std::string item = LowerAscii(ws.Item(row));
    if (item.empty() || item.size() > static_cast<std::size_t>(kMaxNeighbourItemLength)) return;
    OrthoSearch(ws, row, std::move(item)).Run();
}

} // namespace zirtel

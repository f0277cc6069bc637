#include "core/neighbours/neighbour_search.h"

#include <array>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/fields/row_values.h"
#include "core/lexicon/letter_hash_index.h"
#include "core/lexicon/lexicon.h"
#include "core/neighbours/neighbour_frequency.h"
#include "core/neighbours/ortho_neighbour_list.h"
#include "core/phonology/clustering.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"

namespace zirtel {

namespace {

// Letters that give the same word in a lookup: the lookups ignore letter case, so an item
// spelled with a capital Ñ must not find itself by way of ñ.
bool SameLetter(char a, char b) {
    return a == b || LowerLatin1Char(a) == LowerLatin1Char(b);
}

// The search of one item: the item's letters, the word list and the values. The neighbours
// found are recorded while the context records them or fills a list, and the list is laid out
// from the records. Without a list (the grid-free statistics) nothing is listed.
class OrthoSearch {
  public:
    OrthoSearch(MeasureContext& ctx, RowValues& values, std::string item)
        : Ctx_(ctx), Values_(values), Lex_(ctx.Current), Item_(std::move(item)),
          Length_(static_cast<int>(Item_.size())), List_(ctx.OrthoList),
          Records_(ctx.OrthoList || ctx.RecordNeighbours || values.Wants(FieldId::kCC_ORT)
                       ? &values.OrthoNeighbours()
                       : nullptr) {}

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
    void SubstitutionPass();
    void DeletionPass();
    void AdditionPass();
    void WriteCounts();
    void WriteClustering();
    void Record(const std::string& word, NeighbourKind kind, int position, float freq) {
        if (!Records_) return;
        const bool listed =
            Ctx_.OrthoListShown &&
            (kind == NeighbourKind::Substitution ||
             (kind == NeighbourKind::Deletion ? Ctx_.ListDeletionNs : Ctx_.ListAdditionNs));
        Records_->push_back({word, kind, position, freq, listed});
    }

    MeasureContext& Ctx_;
    RowValues& Values_;
    const Lexicon& Lex_;
    const std::string Item_; // lower-cased A-Z, accents kept
    const int Length_;
    std::string Key_; // the item with á..ü folded to plain vowels; every candidate is built on it
    std::optional<EditHashes> Edits_;             // the hashes of the key's one-letter edits
    NeighbourList* const List_;                   // null: nothing is listed
    std::vector<NeighbourRecord>* const Records_; // null: nothing is recorded
    NeighbourTally Tally_;
};

void OrthoSearch::Run() {
    if (!Lookup(Item_, Tally_.ItemFreq)) Tally_.ItemFreq = 0.0f;
    Key_ = FoldAccents(Item_);
    Edits_.emplace(Lex_.WordIndex(), Key_);

    SubstitutionPass();
    const bool deletions =
        Ctx_.ListDeletionNs || Values_.WantsAny({FieldId::kN_STAR, FieldId::kAZPIM,
                                                 FieldId::kAZPIM_MAIZT, FieldId::kNAZPIM});
    if (deletions) DeletionPass();
    const bool additions =
        Ctx_.ListAdditionNs ||
        Values_.WantsAny({FieldId::kN_STAR, FieldId::kGAIN, FieldId::kGAIN_MAIZT, FieldId::kNGAIN});
    if (additions) AdditionPass();
    WriteCounts();
    if (List_)
        LayOutOrthoNeighbours(*List_, Item_, *Records_,
                              {.Shown = Ctx_.OrthoListShown,
                               .Deletions = deletions,
                               .Additions = additions,
                               .ListDeletions = Ctx_.ListDeletionNs,
                               .ListAdditions = Ctx_.ListAdditionNs});
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
            Record(candidate, NeighbourKind::Substitution, p, freq);
            ++Tally_.SubCount;
            ++Tally_.AllCount;
            ++Tally_.PosCount[at + 1];
        }
        candidate[at] = own;
        if (Tally_.PosCount[at + 1] > 0) ++Tally_.PosWithNeighbours;
    }
}

void OrthoSearch::DeletionPass() {
    std::string candidate;
    for (std::size_t at = 0; at < Key_.size(); ++at) Lex_.WordIndex().Prefetch(Edits_->Deleted(at));
    for (int p = 1; p <= Length_; ++p) {
        const std::size_t at = static_cast<std::size_t>(p - 1);
        // Removing either of two equal adjacent letters gives the same word: only the first is
        // tried.
        if (p > 1 && SameLetter(Key_[at], Key_[at - 1])) continue;
        candidate.assign(Key_, 0, at);
        candidate.append(Key_, at + 1);
        float freq = 0.0f;
        if (!Lookup(candidate, Edits_->Deleted(at), freq)) continue;
        ++Tally_.SubsetCount;
        OnDeletionNeighbour(Values_, Tally_, candidate, freq);
        Record(candidate, NeighbourKind::Deletion, p, freq);
        ++Tally_.AllCount;
    }
}

void OrthoSearch::AdditionPass() {
    std::string candidate = " " + Key_; // the inserted letter travels from the front to the end
    for (int p = 1; p <= Length_ + 1; ++p) {
        const std::size_t at = static_cast<std::size_t>(p - 1);
        if (p > 1) candidate[at - 1] = Key_[at - 1];
        // No letter goes directly in front of an apostrophe.
        if (p <= Length_ && Key_[at] == '\'') continue;
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
            OnAdditionNeighbour(Values_, Tally_, candidate, freq);
            Record(candidate, NeighbourKind::Addition, p, freq);
            ++Tally_.AllCount;
        }
    }
}

void OrthoSearch::WriteCounts() {
    Values_.PutCount(FieldId::kN, Tally_.SubCount);
    Values_.PutCount(FieldId::kNAZPIM, Tally_.SubsetCount);
    Values_.PutCount(FieldId::kNGAIN, Tally_.SupersetCount);
    Values_.PutCount(FieldId::kN_STAR, Tally_.AllCount);
    Values_.PutCount(FieldId::kN1, Tally_.PosCount[1]);
    Values_.PutCount(FieldId::kN2, Tally_.PosCount[2]);
    Values_.PutCount(FieldId::kN3, Tally_.PosCount[3]);
    Values_.PutCount(FieldId::kN4, Tally_.PosCount[4]);
    Values_.PutCount(FieldId::kN5, Tally_.PosCount[5]);
    Values_.PutCount(FieldId::kP, Tally_.PosWithNeighbours);
    // No deletion (addition) neighbour more frequent than 0: no subset (superset) word.
    for (FieldId f : {FieldId::kAZPIM, FieldId::kAZPIM_MAIZT, FieldId::kGAIN, FieldId::kGAIN_MAIZT})
        if (!Values_.Written()[static_cast<std::size_t>(FieldIndex(f))])
            Values_.PutMissing(f, MissingReason::NotFound);
    WriteFrequencyColumns(Values_, Tally_);
    if (Values_.Wants(FieldId::kCC_ORT)) WriteClustering();
}

// The clustering coefficient of the item's neighbours: its substitution neighbours, and its
// deletion and addition neighbours while the options list them; two of them are linked when they
// are one letter apart (replaced, removed or inserted).
void OrthoSearch::WriteClustering() {
    std::vector<std::string_view> found;
    for (const NeighbourRecord& r : *Records_)
        if (r.Kind == NeighbourKind::Substitution ||
            (r.Kind == NeighbourKind::Deletion ? Ctx_.ListDeletionNs : Ctx_.ListAdditionNs))
            found.push_back(r.Word);
    const std::optional<double> cc = ClusteringCoefficient(found);
    if (cc)
        Values_.PutReal(FieldId::kCC_ORT, *cc);
    else
        Values_.PutMissing(FieldId::kCC_ORT, MissingReason::NotFound);
}

} // namespace

void FindOrthoNeighbours(MeasureContext& ctx, RowValues& values) {
    std::string item = LowerAscii(values.Item());
    if (item.empty() || item.size() > static_cast<std::size_t>(kMaxNeighbourItemLength)) return;
    OrthoSearch(ctx, values, std::move(item)).Run();
}

} // namespace zirtel

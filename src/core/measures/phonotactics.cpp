#include "core/measures/phonotactics.h"

#include <cmath>

#include "core/fields/measure_tables.h"
#include "core/fields/row_values.h"
#include "core/lexicon/lexicon.h"
#include "core/phonology/biphone_measures.h"
#include "core/phonology/item_pronunciation.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"

namespace zirtel {

namespace {

std::uint16_t PairOf(char a, char b) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(a) << 8 |
                                      static_cast<unsigned char>(b));
}

} // namespace

double PhonotacticWeight(float perMillion) {
    return std::log10(static_cast<double>(perMillion) * kCorpusMillions);
}

std::string PhonotacticLetters(std::string_view word) {
    return FoldAccents(LowerAscii(word));
}

std::string PhonotacticPhonemes(std::string_view pronunciation) {
    return BiphonePhonemes(pronunciation);
}

PhonotacticTable::PhonotacticTable(const std::vector<std::string>& keys,
                                   const std::vector<double>& weights) {
    for (std::size_t e = 0; e < keys.size(); ++e) {
        const std::string& key = keys[e];
        const double w = weights[e];
        if (key.size() > Segments_.size()) {
            Segments_.resize(key.size(), std::array<double, 256>{});
            Reaching_.resize(key.size(), 0.0);
            Pairs_.resize(key.size() - 1);
            PairReaching_.resize(key.size() - 1, 0.0);
        }
        for (std::size_t i = 0; i < key.size(); ++i) {
            Segments_[i][static_cast<unsigned char>(key[i])] += w;
            Reaching_[i] += w;
            if (i + 1 < key.size()) {
                Pairs_[i][PairOf(key[i], key[i + 1])] += w;
                PairReaching_[i] += w;
            }
        }
    }
}

double PhonotacticTable::SegmentSum(std::string_view key) const {
    double sum = 0.0;
    for (std::size_t i = 0; i < key.size() && i < Segments_.size(); ++i)
        if (Reaching_[i] > 0.0)
            sum += Segments_[i][static_cast<unsigned char>(key[i])] / Reaching_[i];
    return sum;
}

double PhonotacticTable::BiphoneSum(std::string_view key) const {
    double sum = 0.0;
    for (std::size_t i = 0; i + 1 < key.size() && i < Pairs_.size(); ++i) {
        if (!(PairReaching_[i] > 0.0)) continue;
        const auto at = Pairs_[i].find(PairOf(key[i], key[i + 1]));
        if (at != Pairs_[i].end()) sum += at->second / PairReaching_[i];
    }
    return sum;
}

void WritePhonotacticProbability(MeasureContext& ctx, RowValues& values) {
    const Lexicon& words = ctx.WholeWords;
    if (values.WantsAny({FieldId::kOP_SEG, FieldId::kOP_BIF})) {
        const PhonotacticTable& t = ctx.Tables.Phonotactics(false, words);
        const std::string key = PhonotacticLetters(values.Item());
        values.PutReal(FieldId::kOP_SEG, t.SegmentSum(key));
        values.PutReal(FieldId::kOP_BIF, t.BiphoneSum(key));
    }
    if (values.WantsAny({FieldId::kFP_SEG, FieldId::kFP_BIF})) {
        const PhonotacticTable& t = ctx.Tables.Phonotactics(true, words);
        const ItemPhonology& p = ItemPhonologyOf(ctx, values);
        if (!p.Known()) {
            values.PutMissing(FieldId::kFP_SEG, MissingReason::NoPronunciation);
            values.PutMissing(FieldId::kFP_BIF, MissingReason::NoPronunciation);
            return;
        }
        const std::string key = PhonotacticPhonemes(p.Phon);
        values.PutReal(FieldId::kFP_SEG, t.SegmentSum(key));
        values.PutReal(FieldId::kFP_BIF, t.BiphoneSum(key));
    }
}

} // namespace zirtel

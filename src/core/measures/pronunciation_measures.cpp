#include "core/measures/pronunciation_measures.h"

#include "core/fields/row_values.h"
#include "core/lexicon/lexicon.h"
#include "core/measures/syllable_tables.h"
#include "core/phonology/item_pronunciation.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

bool IsStressMark(char c) {
    return c == '\'' || c == '"';
}
bool IsMark(char c) {
    return IsStressMark(c) || c == '-';
}

// The consonant symbols b d D f g h j k l m n p x r s S t T v w z Z J _ N R, letter case
// ignored: so a symbol is a consonant when its lower-case form is one of these.
bool IsConsonantSymbol(char c) {
    constexpr std::string_view consonants = "bdfghjklmnpxrstvwz_";
    return consonants.find(LowerLatin1Char(c)) != std::string_view::npos;
}

// The item's pronunciation: the whole-word lexicon's, or the rules' while they are used;
// null when there is none.
const std::string* ItemPronunciation(const MeasureContext& ctx, RowValues& values) {
    const ItemPhonology& p = ItemPhonologyOf(ctx, values);
    return p.Known() ? &p.Phon : nullptr;
}

} // namespace

std::string PhonCVPattern(std::string_view pronunciation) {
    std::string pattern;
    for (char c : pronunciation)
        if (!IsMark(c)) pattern.push_back(IsConsonantSymbol(c) ? 'C' : 'V');
    return pattern;
}

int PhonemeCount(std::string_view pronunciation) {
    int count = 0;
    for (char c : pronunciation) count += IsMark(c) ? 0 : 1;
    return count;
}

void WritePronunciation(MeasureContext& ctx, RowValues& values) {
    const bool pronShown = values.Wants(FieldId::kAHOSKERA);
    const bool firstShown = values.Wants(FieldId::k1F);
    if (!pronShown && !firstShown) return;
    const std::string* p = ItemPronunciation(ctx, values);
    if (!p) {
        values.PutMissing(FieldId::kAHOSKERA, MissingReason::NoPronunciation);
        values.PutMissing(FieldId::k1F, MissingReason::NoPronunciation);
        return;
    }
    values.PutText(FieldId::kAHOSKERA, *p);
    if (firstShown) {
        const std::size_t at = !p->empty() && IsStressMark(p->front()) ? 1 : 0;
        if (at < p->size())
            values.PutText(FieldId::k1F, p->substr(at, 1));
        else
            values.PutMissing(FieldId::k1F, MissingReason::NoPosition);
    }
}

void WritePhonCVPattern(MeasureContext& ctx, RowValues& values) {
    if (!values.Wants(FieldId::kKB_F)) return;
    const std::string* p = ItemPronunciation(ctx, values);
    if (!p)
        values.PutMissing(FieldId::kKB_F, MissingReason::NoPronunciation);
    else
        values.PutText(FieldId::kKB_F, PhonCVPattern(*p));
}

void WriteHomophone(MeasureContext& ctx, RowValues& values) {
    if (!values.Wants(FieldId::kHOM)) return;
    const Lexicon& lex = ctx.WholeWords;
    const ItemPhonology& p = ItemPhonologyOf(ctx, values);
    // A word's homophone; for an item pronounced by the rules, its pseudohomophone.
    const int homophone = p.Source == PronunciationSource::Lexicon ? lex.FindHomophone(p.Entry)
                          : p.Source == PronunciationSource::Rules
                              ? FindPseudohomophone(lex, p.Phon)
                              : -1;
    if (!p.Known())
        values.PutMissing(FieldId::kHOM, MissingReason::NoPronunciation);
    else if (homophone < 0)
        values.PutMissing(FieldId::kHOM, MissingReason::NotFound);
    else
        values.PutText(FieldId::kHOM, lex.LexWords[static_cast<std::size_t>(homophone)]);
}

void WritePronunciationSource(MeasureContext& ctx, RowValues& values) {
    if (!values.Wants(FieldId::kAHOS_ITURRI)) return;
    const ItemPhonology& p = ItemPhonologyOf(ctx, values);
    if (p.Known())
        values.PutText(FieldId::kAHOS_ITURRI, PronunciationSourceText(p.Source));
    else
        values.PutMissing(FieldId::kAHOS_ITURRI, MissingReason::NoPronunciation);
}

void WriteSyllableLength(MeasureContext& ctx, RowValues& values) {
    if (!values.Wants(FieldId::kLUZ_S)) return;
    const std::string* p = ItemPronunciation(ctx, values);
    if (!p)
        values.PutMissing(FieldId::kLUZ_S, MissingReason::NoPronunciation);
    else
        values.PutCount(FieldId::kLUZ_S, SyllableCount(*p));
}

void WritePhonemeLength(MeasureContext& ctx, RowValues& values) {
    if (!values.Wants(FieldId::kLUZ_F)) return;
    const std::string* p = ItemPronunciation(ctx, values);
    if (!p)
        values.PutMissing(FieldId::kLUZ_F, MissingReason::NoPronunciation);
    else
        values.PutCount(FieldId::kLUZ_F, PhonemeCount(*p));
}

} // namespace zirtel

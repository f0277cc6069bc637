#include "core/measures/pronunciation_measures.h"

#include "core/fields/row_cells.h"
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
const std::string* ItemPronunciation(const MeasureContext& ctx, RowCells& cells) {
    const ItemPhonology& p = ItemPhonologyOf(ctx, cells);
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

void WritePronunciation(MeasureContext& ctx, RowCells& cells) {
    const bool pronShown = cells.Wants(FieldId::kAHOSKERA);
    const bool firstShown = cells.Wants(FieldId::k1F);
    if (!pronShown && !firstShown) return;
    const std::string* p = ItemPronunciation(ctx, cells);
    if (!p) {
        cells.Put(FieldId::kAHOSKERA, "-1");
        cells.Put(FieldId::k1F, "-1");
        return;
    }
    cells.Put(FieldId::kAHOSKERA, *p);
    if (firstShown) {
        const std::size_t at = !p->empty() && IsStressMark(p->front()) ? 1 : 0;
        cells.Put(FieldId::k1F, at < p->size() ? p->substr(at, 1) : std::string());
    }
}

void WritePhonCVPattern(MeasureContext& ctx, RowCells& cells) {
    if (!cells.Wants(FieldId::kKB_F)) return;
    const std::string* p = ItemPronunciation(ctx, cells);
    cells.Put(FieldId::kKB_F, !p ? std::string("-1") : PhonCVPattern(*p));
}

void WriteHomophone(MeasureContext& ctx, RowCells& cells) {
    if (!cells.Wants(FieldId::kHOM)) return;
    const Lexicon& lex = ctx.WholeWords;
    const ItemPhonology& p = ItemPhonologyOf(ctx, cells);
    // A word's homophone; for an item pronounced by the rules, its pseudohomophone.
    const int homophone = p.Source == PronunciationSource::Lexicon ? lex.FindHomophone(p.Entry)
                          : p.Source == PronunciationSource::Rules
                              ? FindPseudohomophone(lex, p.Phon)
                              : -1;
    cells.Put(FieldId::kHOM, homophone < 0 ? std::string("-1")
                                           : lex.LexWords[static_cast<std::size_t>(homophone)]);
}

void WritePronunciationSource(MeasureContext& ctx, RowCells& cells) {
    if (!cells.Wants(FieldId::kAHOS_ITURRI)) return;
    const ItemPhonology& p = ItemPhonologyOf(ctx, cells);
    cells.Put(FieldId::kAHOS_ITURRI, PronunciationSourceText(p.Source));
}

void WriteSyllableLength(MeasureContext& ctx, RowCells& cells) {
    if (!cells.Wants(FieldId::kLUZ_S)) return;
    const std::string* p = ItemPronunciation(ctx, cells);
    if (!p)
        cells.Put(FieldId::kLUZ_S, "   -  ");
    else
        cells.PutCount(FieldId::kLUZ_S, SyllableCount(*p));
}

void WritePhonemeLength(MeasureContext& ctx, RowCells& cells) {
    if (!cells.Wants(FieldId::kLUZ_F)) return;
    const std::string* p = ItemPronunciation(ctx, cells);
    if (!p)
        cells.Put(FieldId::kLUZ_F, "   -  ");
    else
        cells.PutCount(FieldId::kLUZ_F, PhonemeCount(*p));
}

} // namespace zirtel

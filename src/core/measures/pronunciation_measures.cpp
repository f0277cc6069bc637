#include "core/measures/pronunciation_measures.h"

#include "core/fields/row_cells.h"
#include "core/lexicon/lexicon.h"
#include "core/measures/syllable_tables.h"
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

// The item's pronunciation in the whole-word lexicon, or nothing when it is not there.
const std::string* ItemPronunciation(const MeasureContext& ctx, const RowCells& cells) {
    const Lexicon& lex = ctx.WholeWords;
    const int entry = lex.Find(cells.Item());
    if (entry < 0 || entry >= static_cast<int>(lex.LexPhonForms.size())) return nullptr;
    return &lex.LexPhonForms[static_cast<std::size_t>(entry)];
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
    if (p == nullptr) {
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
    cells.Put(FieldId::kKB_F, p == nullptr ? std::string("-1") : PhonCVPattern(*p));
}

void WriteHomophone(MeasureContext& ctx, RowCells& cells) {
    if (!cells.Wants(FieldId::kHOM)) return;
    const Lexicon& lex = ctx.WholeWords;
    const int entry = lex.Find(cells.Item());
    const int homophone = entry < 0 ? -1 : lex.FindHomophone(entry);
    cells.Put(FieldId::kHOM, homophone < 0 ? std::string("-1")
                                           : lex.LexWords[static_cast<std::size_t>(homophone)]);
}

void WriteSyllableLength(MeasureContext& ctx, RowCells& cells) {
    if (!cells.Wants(FieldId::kLUZ_S)) return;
    const std::string* p = ItemPronunciation(ctx, cells);
    if (p == nullptr)
        cells.Put(FieldId::kLUZ_S, "   -  ");
    else
        cells.PutCount(FieldId::kLUZ_S, SyllableCount(*p));
}

void WritePhonemeLength(MeasureContext& ctx, RowCells& cells) {
    if (!cells.Wants(FieldId::kLUZ_F)) return;
    const std::string* p = ItemPronunciation(ctx, cells);
    if (p == nullptr)
        cells.Put(FieldId::kLUZ_F, "   -  ");
    else
        cells.PutCount(FieldId::kLUZ_F, PhonemeCount(*p));
}

} // namespace zirtel

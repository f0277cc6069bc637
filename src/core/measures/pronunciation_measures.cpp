#include "core/measures/pronunciation_measures.h"

#include "core/analysis/workspace.h"
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
const std::string* ItemPronunciation(const Workspace& ws, int row) {
    const Lexicon& lex = ws.WholeWords;
    const int entry = lex.Find(ws.Item(row));
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

void WritePronunciation(Workspace& ws, int row) {
    const bool pronShown = ws.Shown(&FieldColumns::Col_AHOSKERA);
    const bool firstShown = ws.Shown(&FieldColumns::Col_1F);
    if (!pronShown && !firstShown) return;
    const std::string* p = ItemPronunciation(ws, row);
    if (p == nullptr) {
        ws.Put(&FieldColumns::Col_AHOSKERA, row, "-1");
        ws.Put(&FieldColumns::Col_1F, row, "-1");
        return;
    }
    ws.Put(&FieldColumns::Col_AHOSKERA, row, *p);
    if (firstShown) {
        const std::size_t at = !p->empty() && IsStressMark(p->front()) ? 1 : 0;
        ws.Put(&FieldColumns::Col_1F, row, at < p->size() ? p->substr(at, 1) : std::string());
    }
}

void WritePhonCVPattern(Workspace& ws, int row) {
    if (!ws.Shown(&FieldColumns::Col_KB_F)) return;
    const std::string* p = ItemPronunciation(ws, row);
    ws.Put(&FieldColumns::Col_KB_F, row, p == nullptr ? std::string("-1") : PhonCVPattern(*p));
}

void WriteHomophone(Workspace& ws, int row) {
    if (!ws.Shown(&FieldColumns::Col_HOM)) return;
    const Lexicon& lex = ws.WholeWords;
    const int entry = lex.Find(ws.Item(row));
    const int homophone = entry < 0 ? -1 : lex.FindHomophone(entry);
    ws.Put(&FieldColumns::Col_HOM, row,
           homophone < 0 ? std::string("-1") : lex.LexWords[static_cast<std::size_t>(homophone)]);
}

void WriteSyllableLength(Workspace& ws, int row) {
    if (!ws.Shown(&FieldColumns::Col_LUZ_S)) return;
    const std::string* p = ItemPronunciation(ws, row);
    if (p == nullptr)
        ws.Put(&FieldColumns::Col_LUZ_S, row, "   -  ");
    else
        ws.PutCount(&FieldColumns::Col_LUZ_S, row, SyllableCount(*p));
}

void WritePhonemeLength(Workspace& ws, int row) {
    if (!ws.Shown(&FieldColumns::Col_LUZ_F)) return;
    const std::string* p = ItemPronunciation(ws, row);
    if (p == nullptr)
        ws.Put(&FieldColumns::Col_LUZ_F, row, "   -  ");
    else
        ws.PutCount(&FieldColumns::Col_LUZ_F, row, PhonemeCount(*p));
}

} // namespace zirtel

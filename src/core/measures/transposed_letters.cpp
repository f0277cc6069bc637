#include "core/measures/transposed_letters.h"

#include <utility>

#include "core/analysis/workspace.h"
#include "core/measures/letters.h"
#include "core/text/latin1.h"

namespace zirtel {

Transposition FindTransposition(const Lexicon& lexicon, std::string_view item, int distance) {
    Transposition found;
    const std::string word = FoldAccents(LowerAscii(item));
    const auto d = static_cast<std::size_t>(distance);
    if (distance < 1 || word.size() <= d) return found;
    // The find with the highest position is the one shown, so search from the end.
    for (std::size_t i = word.size() - d; i-- > 0;) {
        if (word[i] == word[i + d]) continue;
        std::string candidate = word;
        std::swap(candidate[i], candidate[i + d]);
        const int entry = lexicon.Find(candidate);
        if (entry < 0) continue;
        found.Word = std::move(candidate);
        found.Entry = entry;
        found.Position = static_cast<int>(i) + 1;
        return found;
    }
    return found;
}

void WriteTransposedLetters(Workspace& ws, int row) {
    if (!ws.Shown(&FieldColumns::Col_TL) && !ws.Shown(&FieldColumns::Col_TL_MAIZT) &&
        !ws.Shown(&FieldColumns::Col_TL_KOK))
        return;
    const Lexicon& lex = ws.Current();
    const Transposition t = FindTransposition(lex, ws.Item(row), 1);
    if (t.Entry < 0) return;
    ws.Put(&FieldColumns::Col_TL, row, t.Word);
    ws.PutReal(&FieldColumns::Col_TL_MAIZT, row, lex.LexFreqs[static_cast<std::size_t>(t.Entry)]);
    ws.PutCount(&FieldColumns::Col_TL_KOK, row, t.Position);
}

void WriteNonAdjacentTransposition(Workspace& ws, int row) {
    if (!ws.Shown(&FieldColumns::Col_NATL)) return;
    const Transposition t = FindTransposition(ws.Current(), ws.Item(row), 2);
    if (t.Entry >= 0) ws.Put(&FieldColumns::Col_NATL, row, t.Word);
}

} // namespace zirtel

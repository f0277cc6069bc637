#include "core/measures/lexical_measures.h"

#include <algorithm>
#include <cmath>

#include "core/analysis/workspace.h"
#include "core/measures/letters.h"
#include "core/text/format.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {
// Frequency of the lower-cased item in the current lexicon, 0 when it is absent.
float ItemFrequency(const Workspace& ws, int row) {
    const Lexicon& lex = ws.Current();
    const int i = lex.Find(LowerAscii(ws.Item(row)));
    return i < 0 ? 0.0f : lex.LexFreqs[static_cast<std::size_t>(i)];
}
} // namespace

void WriteWordFrequency(Workspace& ws, int row) {
    if (!ws.Shown(&FieldColumns::Col_H_MAIZT)) return;
    ws.PutReal(&FieldColumns::Col_H_MAIZT, row, ItemFrequency(ws, row));
}

void WriteLogFrequency(Workspace& ws, int row) {
    if (!ws.Shown(&FieldColumns::Col_LOG10_MAIZT)) return;
    const long double value = std::log10(static_cast<long double>(ItemFrequency(ws, row)) + 1.0L);
    ws.Put(&FieldColumns::Col_LOG10_MAIZT, row, FormatReal(value, 7, ws.Decimals));
}

void WriteLetterLength(Workspace& ws, int row) {
    if (!ws.Shown(&FieldColumns::Col_LUZ_L)) return;
    ws.PutCount(&FieldColumns::Col_LUZ_L, row, static_cast<long long>(ws.Item(row).size()));
}

void WriteOrthCVPattern(Workspace& ws, int row) {
    if (!ws.Shown(&FieldColumns::Col_KB_O)) return;
    const std::string item = LowerAscii(ws.Item(row));
    std::string pattern(std::max<std::size_t>(15, item.size()), ' ');
    for (std::size_t i = 0; i < item.size(); ++i) pattern[i] = IsVowelLetter(item[i]) ? 'V' : 'C';
    ws.Put(&FieldColumns::Col_KB_O, row, pattern);
}

void WriteOrthSyllabification(Workspace& ws, int row) {
    if (!ws.Shown(&FieldColumns::Col_ORT_SILAB)) return;
    // Syllabifications belong to the whole-word lexicon, whichever lexicon is current.
    const Lexicon& lex = ws.WholeWords;
    const int i = lex.Find(ws.Item(row));
    ws.Put(&FieldColumns::Col_ORT_SILAB, row,
           i < 0 || lex.LexOrthSylls.empty() ? std::string("-1")
                                             : lex.LexOrthSylls[static_cast<std::size_t>(i)]);
}

void WriteLetterRepetition(Workspace& ws, int row) {
    if (!ws.Shown(&FieldColumns::Col_ERREP)) return;
    const std::string item = LowerAscii(ws.Item(row));
    bool seen[256] = {};
    for (char c : item) {
        const auto b = static_cast<unsigned char>(c);
        if (seen[b]) {
            ws.Put(&FieldColumns::Col_ERREP, row, "rep");
            return;
        }
        seen[b] = true;
    }
}

} // namespace zirtel

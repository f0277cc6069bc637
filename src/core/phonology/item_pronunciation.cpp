#include "core/phonology/item_pronunciation.h"

#include "core/fields/row_values.h"
#include "core/phonology/pronunciation_rules.h"
#include "core/phonology/syllabifier.h"
#include "core/text/latin1.h"

namespace zirtel {

ItemPhonology PronounceItem(const Lexicon& wholeWords, std::string_view item, bool useRules) {
    ItemPhonology result;
    const int entry = wholeWords.Find(item);
    if (entry >= 0) {
        result.Entry = entry;
        if (!wholeWords.HasPronunciations()) return result;
        const auto at = static_cast<std::size_t>(entry);
        result.Source = PronunciationSource::Lexicon;
        result.Phon = wholeWords.LexPhonForms[at];
        if (at < wholeWords.LexOrthSylls.size()) result.Syllables = wholeWords.LexOrthSylls[at];
        return result;
    }
    if (!useRules) return result;
    const std::string lower = LowerLatin1(item);
    Pronunciation p = Pronounce(lower);
    if (p.Outcome != PronunciationOutcome::Ok) return result;
    result.Source = PronunciationSource::Rules;
    result.Phon = std::move(p.Text);
    result.Syllables = Syllabify(lower);
    return result;
}

const ItemPhonology& ItemPhonologyOf(const MeasureContext& ctx, RowValues& values) {
    std::optional<ItemPhonology>& kept = values.Phonology();
    if (!kept) kept = PronounceItem(ctx.WholeWords, values.Item(), ctx.RulePronunciations);
    return *kept;
}

int FindPseudohomophone(const Lexicon& wholeWords, std::string_view pronunciation) {
    return pronunciation.empty() ? -1 : wholeWords.FindPhonForm(pronunciation);
}

const char* PronunciationSourceText(PronunciationSource source) {
    switch (source) {
    case PronunciationSource::Lexicon:
        return "hiztegia";
    case PronunciationSource::Rules:
        return "arauak";
    default:
        return "";
    }
}

} // namespace zirtel

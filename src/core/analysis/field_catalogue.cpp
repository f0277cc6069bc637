#include "core/analysis/field_catalogue.h"

#include <cctype>
#include <string>
#include <vector>

#include "core/lexicon/user_fields.h"
#include "core/measures/bigram_measures.h"
#include "core/measures/lexical_measures.h"
#include "core/measures/morphology_measures.h"
#include "core/measures/phonotactics.h"
#include "core/measures/pronunciation_measures.h"
#include "core/measures/syllable_measures.h"
#include "core/measures/transposed_letters.h"
#include "core/measures/uniqueness_point.h"
#include "core/neighbours/levenshtein_measures.h"
#include "core/neighbours/neighbour_search.h"
#include "core/neighbours/spanish_measures.h"
#include "core/phonology/biphone_measures.h"
#include "core/phonology/phon_neighbour_search.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

constexpr auto kCatalogue = std::to_array<FieldInfo>({
#define ZIRTEL_FIELD(Id, Col, Mnemonic, Header, Width, Pixels, Box, Caption, Group, BoxOrder,      \
                     Ticked, User, Writer, Step, Format, Mark, TableMark, Phon)                    \
    {FieldId::Id,                                                                                  \
     Mnemonic,                                                                                     \
     Box,                                                                                          \
     Header,                                                                                       \
     WidthRule::Width,                                                                             \
     Pixels,                                                                                       \
     &FieldColumns::Col,                                                                           \
     User,                                                                                         \
     Caption,                                                                                      \
     OptionGroupId::Group,                                                                         \
     BoxOrder,                                                                                     \
     Ticked,                                                                                       \
     &Writer,                                                                                      \
     Step,                                                                                         \
     ValueFormat::Format,                                                                          \
     Phon != 0},
#include "core/fields/fields.def"
#undef ZIRTEL_FIELD
});
static_assert(kCatalogue.size() == kFieldCount);

} // namespace

const std::array<FieldInfo, kFieldCount>& FieldCatalogue() {
    return kCatalogue;
}

int FindField(std::string_view mnemonic) {
    std::string wanted = UpperAscii(mnemonic);
    if (wanted == "N_STAR") wanted = "N*";
    const auto& cat = FieldCatalogue();
    for (int i = 0; i < kFieldCount; ++i)
        if (cat[static_cast<std::size_t>(i)].Mnemonic == wanted) return i;
    return -1;
}

std::string ValidFieldNames() {
    std::string names;
    for (const FieldInfo& f : FieldCatalogue()) {
        names += f.Mnemonic;
        names += ", ";
    }
    return names + "N_STAR (the same as N*), all";
}

namespace {

// "N3" follows "N2": the same name but for a final digit one higher.
bool FollowsInRange(std::string_view prev, std::string_view name) {
    return !prev.empty() && prev.size() == name.size() &&
           prev.substr(0, prev.size() - 1) == name.substr(0, name.size() - 1) &&
           std::isdigit(static_cast<unsigned char>(prev.back())) && name.back() == prev.back() + 1;
}

} // namespace

std::string FamilyNames(FieldWriter writer, bool ranges) {
    std::vector<std::string_view> names;
    for (const FieldInfo& f : FieldCatalogue())
        if (f.Writer == writer) names.emplace_back(f.Mnemonic);
    std::string text;
    for (std::size_t i = 0; i < names.size();) {
        std::size_t last = i;
        while (ranges && last + 1 < names.size() && FollowsInRange(names[last], names[last + 1]))
            ++last;
        if (!text.empty()) text += ", ";
        text += names[i];
        if (last > i) {
            text += '-';
            text += names[last];
        }
        i = last + 1;
    }
    return text;
}

} // namespace zirtel

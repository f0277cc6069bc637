#include "core/analysis/analysis_options.h"

#include <algorithm>
#include <stdexcept>

#include "core/analysis/field_catalogue.h"

namespace zirtel {

// In the order of OptionGroupId.
const std::vector<OptionGroup>& OptionGroups() {
    static const std::vector<OptionGroup> groups = {
#define ZIRTEL_OPTION_GROUP(Id, Name, Caption, Column) {Name, Caption, Column},
#include "core/analysis/option_groups.def"
#undef ZIRTEL_OPTION_GROUP
    };
    return groups;
}

namespace {

// The boxes of the dialog: one per field of the catalogue, and the three neighbour-list boxes,
// laid out by group and then by their order in the dialog.
std::vector<OptionBox> BuildBoxes() {
    using F = OptionFlag;
    constexpr int kNeighbourOptions = static_cast<int>(OptionGroupId::NeighbourOptions);
    struct Placed {
        OptionBox Box;
        int Order;
    };
    std::vector<Placed> placed = {
        {{"NListBox", "Erakutsi auzokideen zerrenda", kNeighbourOptions, true, -1, F::NList}, 8},
        {{"IncludeDeletionNsBox", "Gehitu ezabapen-auzokideak", kNeighbourOptions, false, -1,
          F::IncludeDeletions},
         9},
        {{"IncludeAdditionNsBox", "Gehitu auzokide erantsiak", kNeighbourOptions, false, -1,
          F::IncludeAdditions},
         10},
        {{"IncludeSpanishNsBox", "Gehitu gaztelaniazko auzokideak", kNeighbourOptions, false, -1,
          F::IncludeSpanish},
         11},
        {{"RulePronBox", "Sasihitzak arauz ahoskatu",
          static_cast<int>(OptionGroupId::WordPhonology), false, -1, F::RulePronunciations},
         5},
    };
    const auto& cat = FieldCatalogue();
    for (int f = 0; f < kFieldCount; ++f) {
        const FieldInfo& info = cat[static_cast<std::size_t>(f)];
        placed.push_back({{info.BoxName, info.BoxCaption, static_cast<int>(info.Group),
                           info.TickedByDefault, f, F::None},
                          info.BoxOrder});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.Box.Group != b.Box.Group ? a.Box.Group < b.Box.Group : a.Order < b.Order;
    });
    std::vector<OptionBox> boxes;
    for (const Placed& p : placed) boxes.push_back(p.Box);
    return boxes;
}

} // namespace

const std::vector<OptionBox>& OptionBoxes() {
    static const std::vector<OptionBox> boxes = BuildBoxes();
    return boxes;
}

int FindOptionBox(std::string_view name) {
    const auto& boxes = OptionBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i].Name == name) return static_cast<int>(i);
    return -1;
}

AnalysisOptions::AnalysisOptions() : BoxOfField_(kFieldCount, -1) {
    const auto& boxes = OptionBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        Ticks_.push_back(boxes[i].Default);
        if (boxes[i].Field >= 0)
            BoxOfField_[static_cast<std::size_t>(boxes[i].Field)] = static_cast<int>(i);
    }
}

bool AnalysisOptions::Ticked(std::string_view boxName) const {
    const int box = FindOptionBox(boxName);
    return box >= 0 && Ticked(box);
}

void AnalysisOptions::SetTicked(std::string_view boxName, bool ticked) {
    const int box = FindOptionBox(boxName);
    if (box < 0) throw std::invalid_argument("no such option box");
    SetTicked(box, ticked);
}

bool AnalysisOptions::FieldTicked(int field) const {
    return Ticked(BoxOfField_.at(static_cast<std::size_t>(field)));
}

void AnalysisOptions::SetFieldTicked(int field, bool ticked) {
    SetTicked(BoxOfField_.at(static_cast<std::size_t>(field)), ticked);
}

bool AnalysisOptions::FlagTicked(OptionFlag flag) const {
    const auto& boxes = OptionBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i].Flag == flag) return Ticks_[i];
    return false;
}

void AnalysisOptions::UntickAllFields() {
    for (int f = 0; f < kFieldCount; ++f) SetFieldTicked(f, false);
}

static int UserFieldOfBox(int box) {
    const auto& boxes = OptionBoxes();
    const int field = boxes.at(static_cast<std::size_t>(box)).Field;
    if (field < 0) return 0;
    return FieldCatalogue()[static_cast<std::size_t>(field)].UserField;
}

std::string AnalysisOptions::Caption(int box) const {
    const int user = UserFieldOfBox(box);
    if (user > 0 && !UserCaptions_[static_cast<std::size_t>(user - 1)].empty())
        return UserCaptions_[static_cast<std::size_t>(user - 1)];
    return std::string(OptionBoxes().at(static_cast<std::size_t>(box)).Caption);
}

bool AnalysisOptions::Enabled(int box) const {
    const int user = UserFieldOfBox(box);
    return user == 0 || UserEnabled_[static_cast<std::size_t>(user - 1)];
}

void AnalysisOptions::SetUserBoxCaption(int userField, std::string caption) {
    UserCaptions_.at(static_cast<std::size_t>(userField - 1)) = std::move(caption);
}

void AnalysisOptions::SetUserBoxEnabled(int userField, bool enabled) {
    UserEnabled_.at(static_cast<std::size_t>(userField - 1)) = enabled;
}

} // namespace zirtel

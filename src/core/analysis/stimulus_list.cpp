#include "core/analysis/stimulus_list.h"

#include <algorithm>

namespace zirtel {

StimulusList::StimulusList(int capacity)
    : ItemCondition(static_cast<std::size_t>(std::max(capacity, 0)) + 100, 0) {}

void StimulusList::RecordCondition(int row, int condition) {
    if (row < 0) return;
    if (static_cast<std::size_t>(row) >= ItemCondition.size())
        ItemCondition.resize(static_cast<std::size_t>(row) + 100, 0);
    ItemCondition[static_cast<std::size_t>(row)] = condition;
    if (condition < 0 || condition >= kMaxConditions) return;
    if (ItemsPerCondition[static_cast<std::size_t>(condition)]++ == 0 &&
        ConditionCount < kMaxConditions)
        ConditionOrder[static_cast<std::size_t>(ConditionCount++)] = condition;
    HighestCondition = std::max(HighestCondition, condition);
}

void StimulusList::NameCondition(int condition, std::string name) {
    if (condition < 0 || condition >= kMaxConditions) return;
    ConditionNames[static_cast<std::size_t>(condition)] = std::move(name);
}

} // namespace zirtel

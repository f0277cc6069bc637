// The record of the items read from an input file, with the conditions named in its directive
// lines. The conditions reach no output; they are kept for the run.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace zirtel {

struct StimulusList {
    explicit StimulusList(int capacity = 100);

    std::vector<std::string> Items; // item texts read from a file, in file order
    std::vector<std::size_t> Lines; // the file line of each of Items (from 1; 0: typed)
    // The own cells of each of Items, joined by tabs (Latin-1); empty when the file has no own
    // columns (see Workspace::ItemColumnNames).
    std::vector<std::string> OwnCells;
    int ItemCount = 0;

    static constexpr int kMaxConditions = 20;
    std::array<std::string, kMaxConditions> ConditionNames{}; // by condition number 0..19
    std::vector<int> ItemCondition;                           // condition of each row
    std::array<int, kMaxConditions> ItemsPerCondition{};
    std::array<int, kMaxConditions> ConditionOrder{}; // condition numbers by first appearance
    int ConditionCount = 0;
    int HighestCondition = 0;

    // Records the condition of the item of a row (numbers outside 0..19 are not counted).
    void RecordCondition(int row, int condition);
    // Stores the name of a condition directive (numbers outside 0..19 are ignored).
    void NameCondition(int condition, std::string name);
};

} // namespace zirtel

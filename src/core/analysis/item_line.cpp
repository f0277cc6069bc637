#include "core/analysis/item_line.h"

#include "core/text/token_reader.h"

namespace zirtel {

ItemLine SplitItemLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::size_t start = 0;
    while (start < line.size() && line[start] != '\t' && IsBlank(line[start])) ++start;
    ItemLine split;
    if (start < line.size() && line[start] == '\t') {
        split.Rest = line.substr(start + 1);
        return split;
    }
    std::size_t end = start;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    split.Item = line.substr(start, end - start);
    std::size_t rest = end;
    if (rest < line.size()) ++rest; // the blank or tab after the item
    split.Rest = line.substr(rest);
    return split;
}

} // namespace zirtel

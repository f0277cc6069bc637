#include "core/analysis/item_line.h"

#include <algorithm>
#include <string>

#include "core/text/text_file.h"
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

namespace {

std::string_view TrimView(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

} // namespace

std::vector<std::string_view> OwnCells(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::vector<std::string_view> cells;
    if (line.find('\t') != std::string_view::npos) {
        std::size_t start = line.find('\t') + 1;
        for (;;) {
            const std::size_t end = std::min(line.find('\t', start), line.size());
            cells.push_back(TrimView(line.substr(start, end - start)));
            if (end >= line.size()) break;
            start = end + 1;
        }
    } else {
        cells = SplitTokens(SplitItemLine(line).Rest);
    }
    while (!cells.empty() && cells.back().empty()) cells.pop_back();
    return cells;
}

bool IsHeaderLine(std::string_view line) {
    if (OwnCells(line).empty()) return false;
    std::string first(SplitItemLine(line).Item);
    for (char& c : first)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (const char* name : {"item", "items", "word", "hitza", "sarrera", "stimulus"})
        if (first == name) return true;
    return false;
}

} // namespace zirtel

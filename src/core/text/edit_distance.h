// Whether two strings are one edit apart: one character replaced, removed or inserted.
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>

namespace zirtel {

inline bool OneEditApart(std::string_view a, std::string_view b) {
    if (a.size() < b.size()) std::swap(a, b);
    if (a.size() - b.size() > 1) return false;
    std::size_t i = 0;
    while (i < b.size() && a[i] == b[i]) ++i;
    if (a.size() == b.size()) return i < a.size() && a.substr(i + 1) == b.substr(i + 1);
    return a.substr(i + 1) == b.substr(i);
}

} // namespace zirtel

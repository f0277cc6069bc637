// Text made of pieces, appended one by one: GCC 12 at -O3 mistakes `"text" + string&&` for an
// overlapping copy (-Wrestrict), so the program's messages are joined this way.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace zirtel {

inline std::string Concat(std::initializer_list<std::string_view> pieces) {
    std::size_t size = 0;
    for (std::string_view piece : pieces) size += piece.size();
    std::string out;
    out.reserve(size);
    for (std::string_view piece : pieces) out += piece;
    return out;
}

} // namespace zirtel

// The one reading of a whole number that the command line and the design files share: ASCII
// digits only (leading zeros allowed, so "05" is 5), no sign, no blanks, no more than fits.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zirtel {

inline std::optional<std::uint64_t> ParseWholeNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (UINT64_MAX - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

} // namespace zirtel

#include "core/text/format.h"

#include <charconv>
#include <cmath>

namespace zirtel {
namespace {

std::string PadLeft(std::string s, int width) {
    if (width > 0 && static_cast<int>(s.size()) < width)
        s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    return s;
}

template <typename Real> std::string FormatFixed(Real value, int width, int decimals) {
    if (decimals < 0) decimals = 0;
    if (std::isnan(value)) return PadLeft(std::signbit(value) ? "-nan" : "nan", width);
    if (std::isinf(value)) return PadLeft(value < 0 ? "-inf" : "inf", width);
    char buf[6000];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (res.ec != std::errc()) return PadLeft("?", width);
    return PadLeft(std::string(buf, res.ptr), width);
}

} // namespace

std::string FormatInt4(long long value) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return PadLeft(std::string(buf, res.ptr), 4);
}

std::string FormatReal(double value, int width, int decimals) {
    return FormatFixed(value, width, decimals);
}

std::string FormatReal(long double value, int width, int decimals) {
    return FormatFixed(value, width, decimals);
}

std::string PadRight8(std::string_view text) {
    std::string s(text);
    if (s.size() < 8) s.append(8 - s.size(), ' ');
    return s;
}

} // namespace zirtel

#include "core/text/format.h"

#include <charconv>
#include <cmath>

namespace zirtel {
namespace {

void AppendPadded(std::string& out, std::string_view text, int width) {
    if (width > 0 && static_cast<int>(text.size()) < width)
        out.append(static_cast<std::size_t>(width) - text.size(), ' ');
    out += text;
}

template <typename Real> void AppendFixed(std::string& out, Real value, int width, int decimals) {
    if (decimals < 0) decimals = 0;
    if (std::isnan(value)) return AppendPadded(out, std::signbit(value) ? "-nan" : "nan", width);
    if (std::isinf(value)) return AppendPadded(out, value < 0 ? "-inf" : "inf", width);
    // Enough for every value of a few digits; the largest take the slow way.
    char small[64];
    auto res =
        std::to_chars(small, small + sizeof small, value, std::chars_format::fixed, decimals);
    if (res.ec == std::errc()) return AppendPadded(out, std::string_view(small, res.ptr), width);
    char buf[6000];
    res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (res.ec != std::errc()) return AppendPadded(out, "?", width);
    AppendPadded(out, std::string_view(buf, res.ptr), width);
}

template <typename Real> std::string FormatFixed(Real value, int width, int decimals) {
    std::string out;
    AppendFixed(out, value, width, decimals);
    return out;
}

} // namespace

void AppendInt(std::string& out, long long value, int width) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    AppendPadded(out, std::string_view(buf, res.ptr), width);
}

void AppendReal(std::string& out, double value, int width, int decimals) {
    AppendFixed(out, value, width, decimals);
}

std::string FormatInt4(long long value) {
    std::string out;
    AppendInt(out, value, 4);
    return out;
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

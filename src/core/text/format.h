// The two number formats of the results: counts as "%4d", real values as "%*.*f".
// Independent of the user's locale: the decimal separator is always a point.
#pragma once

#include <string>
#include <string_view>

namespace zirtel {

// printf "%4d": the number right-aligned in at least 4 characters.
std::string FormatInt4(long long value);

// printf "%*.*f": fixed point with `decimals` digits after the point, right-aligned in at least
// `width` characters. The value is rounded exactly as printf rounds its binary value.
std::string FormatReal(double value, int width, int decimals);
std::string FormatReal(long double value, int width, int decimals);

// The same, appended to `out`.
void AppendInt(std::string& out, long long value, int width);
void AppendReal(std::string& out, double value, int width, int decimals);

// The results' real format: width 7.
inline std::string FormatReal7(double value, int decimals) {
    return FormatReal(value, 7, decimals);
}

// printf "%-8s": the text left-aligned and padded with blanks to at least 8 characters.
std::string PadRight8(std::string_view text);

} // namespace zirtel

#include "cli/batch_arguments.h"

#include <string_view>

namespace zirtel {

bool IsBatchInvocation(int argc, const char* const* argv) {
    // The window takes no arguments or one items file; anything else is a batch call, so that a
    // mistyped option gets help or an argument error instead of a window.
    if (argc <= 1) return false;
    if (argc > 2) return true;
    const std::string_view a = argv[1];
    return a.empty() || a.front() == '-';
}

} // namespace zirtel

#include "cli/batch_arguments.h"

#include <string_view>

namespace zirtel {

bool IsBatchInvocation(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--batch" || a == "--generate" || a == "--help" || a == "--version") return true;
    }
    return false;
}

} // namespace zirtel

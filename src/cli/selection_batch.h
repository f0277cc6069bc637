// The selector's batch commands, run without any window like --batch:
//   zirtel --select DESIGN [-o OUT] [--long FILE] [--settings FILE] [--data-dir DIR]
//   zirtel --match ITEMS --design DESIGN [-n K] [-o OUT] [--settings FILE] [--data-dir DIR]
// Exit statuses as --batch's: 0 done, 1 a file not opened or written, 2 bad arguments or a bad
// design.
#pragma once

#include <ostream>

namespace zirtel {

// True when the arguments hold --select or --match.
bool IsSelectionInvocation(int argc, const char* const* argv);

int RunSelection(int argc, const char* const* argv);
// The same with the outputs (when no -o is given) on `out` and the messages on `err`.
int RunSelection(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

} // namespace zirtel

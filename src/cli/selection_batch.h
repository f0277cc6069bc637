// The selector's batch commands, run without any window like --batch:
//   zirtel --select DESIGN [-o OUT] [--long FILE] [--settings FILE] [--data-dir DIR]
//   zirtel --match ITEMS --design DESIGN [-n K] [-o OUT] [--settings FILE] [--data-dir DIR]
// Exit statuses as every mode's (command.h): 0 done, 1 a file not opened or written or no
// lexicon, 2 bad arguments or a bad design, 3 no row (no match) could be made: nothing written.
#pragma once

#include "cli/command.h"

namespace zirtel {

const ModeSpec& SelectMode();
const ModeSpec& MatchMode();

} // namespace zirtel

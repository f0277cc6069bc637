// The generator's batch command: "zirtel --generate TEMPLATES [options]" makes pseudowords for
// the templates of an items file and writes them as a UTF-8 tab-separated table. Messages and
// exit statuses are every mode's (command.h).
#pragma once

#include "cli/command.h"

namespace zirtel {

const ModeSpec& GenerateMode();

} // namespace zirtel

// The generator's batch command: "zirtel --generate TEMPLATES [options]" makes pseudowords for
// the templates of an items file and writes them as a UTF-8 tab-separated table. Messages and
// exit statuses are the batch mode's.
#pragma once

#include <ostream>

namespace zirtel {

// True when the arguments hold "--generate".
bool IsGenerateInvocation(int argc, const char* const* argv);

// Runs the command; the table goes to `out` when no -o is given, messages to `err`.
int RunGenerate(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                bool terminal);

} // namespace zirtel

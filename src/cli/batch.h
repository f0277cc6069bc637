// The batch mode: "zirtel --batch ITEMS [options]" analyses an input file without any window
// and writes the bytes that "&Gorde irteerako estatistikoak" would write for the same items and
// options. It runs before (and instead of) any Qt application object, so it needs no display.
// The same entry points run the other batch modes (--select, --match, --generate) by the
// command framework (command.h), which gives all four one command line, one set of file checks,
// one settings writer and one way to stop.
#pragma once

#include <ostream>

#include "cli/command.h"

namespace zirtel {

// The table of the batch mode.
const ModeSpec& BatchMode();

// Runs the command line with standard output and standard error. SIGINT, SIGTERM, SIGHUP and
// SIGQUIT stop a run between its units of work: nothing is written then, and the exit status is
// 128 + the signal.
int RunBatch(int argc, const char* const* argv);
// The same, writing the results (when no -o is given), the help and the version to `out`, and
// the messages to `err`; it draws no progress bar and catches no signal (the first form draws one
// on standard error when that is a terminal).
int RunBatch(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

// The same for the program "zirtel-batch": the same arguments without the word "--batch"
// (accepted all the same); its usage, version, messages and settings name it.
int RunBatchProgram(int argc, const char* const* argv);
int RunBatchProgram(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

} // namespace zirtel

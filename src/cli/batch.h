// The batch mode: "zirtel --batch ITEMS [options]" analyses an input file without any window
// and writes the bytes that "&Gorde irteerako estatistikoak" would write for the same items and
// options. It runs before (and instead of) any Qt application object, so it needs no display.
#pragma once

#include <ostream>

namespace zirtel {

// Exit statuses of the batch mode.
inline constexpr int kBatchOk = 0;
inline constexpr int kBatchFileError = 1; // items, a user field or an output not opened/written
inline constexpr int kBatchUsageError = 2;
inline constexpr int kBatchInterrupted = 130; // SIGINT during the analysis: nothing written

// Runs the batch command line with standard output and standard error. An interrupt (SIGINT)
// before the results are written stops the analysis between items: nothing is written then.
int RunBatch(int argc, const char* const* argv);
// The same, writing the results (when no -o is given), the help and the version to `out`, and
// the messages to `err`; it draws no progress bar (the first form draws one on standard error
// when that is a terminal).
int RunBatch(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

// The same for the program "zirtel-batch": the same arguments without the word "--batch"
// (accepted all the same); its usage and version name it.
int RunBatchProgram(int argc, const char* const* argv);
int RunBatchProgram(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

} // namespace zirtel
